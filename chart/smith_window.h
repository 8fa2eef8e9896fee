// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

#include "chart/smith_chart.h"

class QComboBox;

namespace zm {

// The Smith chart in a window of its own, with the choice of grid and of labels and a
// button back to the whole chart. Its size, place and choices are kept in an INI file of
// its own (smith-chart.ini beside config.ini), read when it is made and written when it is
// hidden or closed.
class SmithWindow : public QWidget {
public:
    SmithWindow(QString settingsPath, QWidget* parent);

    SmithChart& chart() { return *m_chart; }
    void saveSettings() const;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void restoreSettings();

    QString m_settingsPath;
    SmithChart* m_chart = nullptr;
    QComboBox* m_gridList = nullptr;
    QComboBox* m_labelList = nullptr;
};

}  // namespace zm
