// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QPointF>
#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_plot.h"
#include "chart/chart_series.h"
#include "chart/trace_line.h"
#include "chart/trace_points.h"
#include "results/sweep_record.h"

class QLineSeries;

namespace zm {

class ChartAxes;
class PlotGrid;

// The sweep as the chart draws it: the grid's six curves (R red, X green, Z blue, SWR black,
// phase magenta, RHO cyan) and the sweep's record, point i being row i, which says why a row
// without values has none. What is handed over is copied at once and drawn when pending and
// shown, so the two hand-overs of one re-plan cost one drawing, and a curve above
// kDecimateAbove rows is drawn as min/max per bucket (the grid keeps every point). An empty
// cell is no value: the line breaks there (see curveRuns), and a point without a neighbour
// is a dot. The rows' labels say where any other frequency stands.
class SweepCurves {
public:
    static constexpr int kDecimateAbove = 4096;
    static constexpr int kDecimateBuckets = 1024;
    static constexpr const char* kName = "Sweep";  // as hovering and the report name it

    explicit SweepCurves(ChartAxes& axes);

    // Copies the grid: column 1 labels the rows, columns 2..7 are series 1..6. True when
    // the rows' frequencies moved.
    bool setGrid(const PlotGrid& grid);
    void setRecord(const SweepRecord& record);
    void setShown(int series, bool shown);  // throws std::out_of_range past 1..6
    // Drawn again before the next paint: the axis's range changed.
    void redrawOnAxis(AxisId axis);
    void drawPending();
    void raise();  // above every other curve

    bool isShown(int series) const;
    // Takes in the lowest and highest value of a series.
    void widen(int series, double& lowest, double& highest) const;
    const SweepRecord& record() const { return m_record; }
    const std::vector<std::string>& labels() const { return m_labels; }
    const FrequencyPositions& positions() const { return m_positions; }
    std::size_t rows() const { return m_labels.size(); }
    double value(int series, std::size_t row) const;  // NaN for an empty cell
    // The first run's series, there from the start: for its pen, its axes and the mapping
    // of values to places.
    QLineSeries* line(int series) const;
    QList<QPointF> points(int series) const;  // every run's points, a dot's too

private:
    // One series as last handed over, NaN where a cell is empty.
    struct SeriesData {
        std::vector<double> values;
        double lowest = 0.0;
        double highest = 0.0;
        bool pending = false;
    };
    TraceLine& lineOf(int series) const;  // throws std::out_of_range past 1..6
    void draw(int series);

    ChartAxes& m_axes;
    std::array<std::unique_ptr<TraceLine>, kSeriesCount> m_lines{};
    std::array<SeriesData, kSeriesCount> m_data{};
    std::vector<std::string> m_labels;
    FrequencyPositions m_positions;
    SweepRecord m_record;
};

}  // namespace zm
