// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "chart/chart_picture.h"
#include "dialogs/message_box.h"
#include "history/history_store.h"
#include "zoom/zoom.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace zm {

// The antennas' logbook on the screen: an antenna and a band picked, the trend of their
// sweeps across time, one point a sweep with the dates along the axis (the resonance's and
// the lowest SWR's frequency, the lowest SWR, the 2:1 width or R at resonance), the
// reference's value drawn as a dashed line; beside it the sweeps drawn over each other in
// the main chart's plot mode, from light for the oldest to strong for the newest; and under
// them a table of the sweeps, sortable by any column. For the sweep chosen in the table: Keep as
// memory (on the main chart), Save as... (CSV or Touchstone), Mark as reference, and Delete...
// (asked first). "Copy image" and
// "Save image..." give its picture; it is drawn at the program's zoom. It reads the history
// whenever it is shown, so that the sweeps of a zm480-sweep meanwhile are there.
class HistoryWindow : public QWidget, public ChartPicture {
    Q_OBJECT

public:
    // What the trend draws, as its list offers it.
    enum class Trend { Frequencies, LowestSwr, Width, ResonanceR };

    // What the main window does with the sweep chosen.
    struct ChosenSweepHandlers {
        std::function<void(const StoredSweep&)> keep;  // as a memory
        std::function<void(const StoredSweep&)> save;  // as a file the user names
    };

    HistoryWindow(std::filesystem::path folder, HistorySettings limits, MessageBoxes& messages,
                  ChosenSweepHandlers handlers, QWidget* parent);

    // The history as it stands, the antenna in use picked when it has sweeps.
    void reload(const std::string& antennaInUse);
    void setLimits(const HistorySettings& limits) { m_limits = limits; }
    void setTrend(Trend trend);
    // The plot mode of the main chart, 0 "R+jX" to 4 "RHO", which the sweeps are drawn in.
    void setPlotMode(int plotMode);
    void setZoom(Zoom zoom);

    QTableWidget* table() const { return m_table; }
    QComboBox* antennaList() const { return m_antennas; }
    QComboBox* bandList() const { return m_bands; }
    QChart* trendChart() const { return m_chart; }
    QChart* sweepsChart() const { return m_sweepsChart; }
    // The sweep of the table's chosen row; none without one.
    std::optional<SweepId> chosenSweep() const;
    void keepChosen();
    void saveChosen();
    void markChosen();
    void deleteChosen();

    void paintPicture(QPainter& painter, const QRectF& area) override;
    QList<LegendEntry> legend() const override;
    const PictureActions& pictureActions() const { return m_pictureActions; }
    // The antenna and band shown, for the pictures' title: "40m dipole, 40m".
    QString shownTitle() const;

private:
    void showBands();
    void showSweeps();
    void drawTrend();
    void drawSweeps();
    // The chosen sweep read from the history, with its points; none without one.
    std::optional<StoredSweep> readChosen();
    // A problem with the history, said once a reload.
    void say(const std::string& problem);

    HistoryStore m_store;
    HistorySettings m_limits;
    MessageBoxes& m_messages;
    ChosenSweepHandlers m_handlers;
    Zoom m_zoom;
    Trend m_trend = Trend::Frequencies;
    int m_plotMode = 2;
    std::vector<HistoryStore::TrendPoint> m_points;  // of the antenna and band shown
    QComboBox* m_antennas = nullptr;
    QComboBox* m_bands = nullptr;
    QComboBox* m_trendList = nullptr;
    QChart* m_chart = nullptr;
    QChartView* m_chartView = nullptr;
    QChart* m_sweepsChart = nullptr;
    QLabel* m_status = nullptr;
    QTableWidget* m_table = nullptr;
    PictureActions m_pictureActions;
};

}  // namespace zm
