// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPen>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_plot.h"
#include "chart/curve_runs.h"
#include "chart/trace_line.h"

class QAbstractSeries;
class QCategoryAxis;
class QChart;
class QValueAxis;

namespace zm {

// The chart's axes: the frequency axis along the bottom, labelled at as many of the grid's
// points as its width has room for, and the value axes, Y on the left and Y2 on the right,
// each showing its data's range or the range a plot mode fixed. Every curve and marker is
// attached here. The axes belong to the chart.
class ChartAxes {
public:
    explicit ChartAxes(QChart& chart);

    // However wide the chart, the frequency axis labels no more points.
    static constexpr int kMostFrequencyLabels = 20;

    // A plot mode's writes; the range follows at the next rescale.
    void setTitle(AxisId axis, std::string_view title);
    void setAutomatic(AxisId axis, bool automatic);
    void setFixedMinimum(AxisId axis, double minimum);
    void setFixedMaximum(AxisId axis, double maximum);
    void setMajorDivisions(AxisId axis, std::int16_t divisions);
    void setMinorDivisions(AxisId axis, std::int16_t divisions);
    // Shows the fixed range, or one that takes in the data's lowest..highest (lowest above
    // highest: no data); true when the range shown changed.
    bool rescale(AxisId axis, double lowest, double highest);
    // Labels as many of the rows (labels[row]) as widthPx has room for.
    void labelPoints(const std::vector<std::string>& labels, int widthPx);

    std::unique_ptr<TraceLine> addLine(const QPen& pen, int series);
    void attach(QAbstractSeries* series, AxisId axis);
    // The runs of a series as its line is drawn: far-off values held near its axis.
    std::vector<std::vector<DrawnPoint>> heldNear(std::vector<std::vector<DrawnPoint>> runs,
                                                  int series) const;

    QCategoryAxis* frequencyAxis() const { return m_frequency; }
    QValueAxis* valueAxis(AxisId axis) const { return scale(axis).axis; }
    // As drawn, for tests.
    QString title(AxisId axis) const;
    QString frequencyTitle() const;
    double minimum(AxisId axis) const;
    double maximum(AxisId axis) const;
    int tickCount(AxisId axis) const;
    int minorTickCount(AxisId axis) const;
    const QStringList& frequencyLabels() const { return m_shownLabels; }

private:
    // What a value axis shows: its own data range, or the range the plot mode fixed.
    struct AxisScale {
        QValueAxis* axis = nullptr;
        bool automatic = true;
        double fixedMinimum = 0.0;
        double fixedMaximum = 1.0;
        int majorDivisions = 10;
        int minorDivisions = 1;
    };
    AxisScale& scale(AxisId axis) { return m_scales[axis == AxisId::Y ? 0 : 1]; }
    const AxisScale& scale(AxisId axis) const { return m_scales[axis == AxisId::Y ? 0 : 1]; }

    QChart& m_chart;
    QCategoryAxis* m_frequency = nullptr;
    std::array<AxisScale, 2> m_scales{};
    QStringList m_shownLabels;
    std::vector<int> m_shownPositions;
};

}  // namespace zm
