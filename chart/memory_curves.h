// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QList>
#include <QPointF>
#include <array>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_plot.h"
#include "chart/chart_series.h"
#include "chart/curve_runs.h"
#include "chart/marker_series.h"
#include "chart/trace_line.h"
#include "results/memory_file.h"

class QChart;

namespace zm {

class ChartAxes;
class SweepCurves;

// The memories shown, each drawn dashed in its own colour under the sweep's curves (X and
// the phase dash-dotted), at the places their frequencies take between the grid's labels:
// the points inside the sweep's span, and the nearest one outside at either end, so that a
// line runs on to the frame. Their series show and hide with the sweep's, and each memory
// has markers of its own.
class MemoryCurves {
public:
    // One series of a memory at the grid's places; drawn when pending and shown.
    struct SpanPoints {
        std::vector<std::vector<DrawnPoint>> runs;
        double lowest = std::numeric_limits<double>::infinity();  // of the part in the span
        double highest = -std::numeric_limits<double>::infinity();
        bool pending = false;
    };
    // A memory as drawn: its lines and markers belong to the chart.
    struct Drawn {
        SweepRecord record;
        std::string name;
        QColor colour;
        std::array<std::unique_ptr<TraceLine>, kSeriesCount> lines{};
        std::array<SpanPoints, kSeriesCount> span{};
        MarkerSeries markers;
    };

    MemoryCurves(QChart& chart, ChartAxes& axes, const SweepCurves& sweep);

    // Those shown, in the order handed over, in place of the ones before.
    void set(const std::vector<Memory>& memories);
    // Placed afresh at the grid's frequencies.
    void replace();
    void setShown(int series, bool shown);
    // Drawn again before the next paint: the axis's range changed.
    void redrawOnAxis(AxisId axis);
    void drawPending();

    // Takes in the lowest and highest value of a series within the sweep's span.
    void widen(int series, double& lowest, double& highest) const;
    const std::vector<Drawn>& shown() const { return m_memories; }
    // The points of a series of the memory drawn `memory`-th (from 0), in chart values.
    QList<QPointF> points(std::size_t memory, int series) const;  // throws std::out_of_range

private:
    SpanPoints spanPointsOf(const SweepRecord& record, int series) const;

    QChart& m_chart;
    ChartAxes& m_axes;
    const SweepCurves& m_sweep;
    std::vector<Drawn> m_memories;
};

}  // namespace zm
