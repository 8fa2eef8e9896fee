// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

#include "chart/smith_chart.h"
#include "zoom/zoom.h"

class QComboBox;

namespace zm {

// The Smith chart in a window of its own, with the choice of grid and of labels and a
// button back to the whole chart. Its size, place and choices are kept in an INI file of
// its own (smith-chart.ini beside config.ini), read when it is made and written when it is
// hidden or closed. It is drawn at the program's zoom, and grows or shrinks with it.
class SmithWindow : public QWidget {
public:
    // At the zoom the application is drawn at.
    SmithWindow(QString settingsPath, QWidget* parent);

    SmithChart& chart() { return *m_chart; }
    void saveSettings() const;
    void setZoom(Zoom zoom);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void restoreSettings();

    QString m_settingsPath;
    Zoom m_zoom;
    SmithChart* m_chart = nullptr;
    QComboBox* m_gridList = nullptr;
    QComboBox* m_labelList = nullptr;
};

}  // namespace zm
