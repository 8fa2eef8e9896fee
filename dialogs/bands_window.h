// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "chart/chart_picture.h"
#include "dialogs/clipboard.h"
#include "results/band_report.h"
#include "zoom/zoom.h"

class QGridLayout;
class QLabel;
class QTableWidget;

namespace zm {

// The antenna's report card after "Sweep my bands...": one small SWR panel a band, in rows,
// all on one SWR scale, and under them a table of each band's lowest SWR, 2:1 width,
// resonance and Q. Ctrl+C (or "Copy table" in its context menu) puts the table on the
// clipboard as text in the same layout; "Copy image" and "Save image..." follow it. Its size
// and place are kept in an INI file of its own (bands-window.ini beside config.ini), read
// when it is made and written when it is hidden or closed. It is drawn at the program's zoom,
// and grows or shrinks with it.
class BandsWindow : public QWidget, public ChartPicture {
    Q_OBJECT

public:
    // At the zoom the application is drawn at.
    BandsWindow(QString settingsPath, Clipboard& clipboard, QWidget* parent);

    void setBands(const std::vector<BandResult>& bands);
    void setZoom(Zoom zoom);

    // What Ctrl+C copies; the headings alone before any band.
    const std::string& text() const { return m_text; }
    QTableWidget* table() const { return m_table; }
    int panelCount() const;
    void copy();

    // Its picture: the panels and the table as the window lays them out now, scaled to fill
    // the picture's area; each panel names its band, so the legend is empty.
    void paintPicture(QPainter& painter, const QRectF& area) override;
    QList<LegendEntry> legend() const override { return {}; }
    const PictureActions& pictureActions() const { return m_pictureActions; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void restoreSettings();
    void fitTable();  // every row in sight, at the font's height

    QString m_settingsPath;
    Clipboard& m_clipboard;
    Zoom m_zoom;
    QLabel* m_heading = nullptr;
    QWidget* m_panels = nullptr;
    QGridLayout* m_panelGrid = nullptr;
    QTableWidget* m_table = nullptr;
    std::string m_text;
    PictureActions m_pictureActions;
};

}  // namespace zm
