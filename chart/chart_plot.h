// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string_view>

namespace zm {

// The vertical axes of the chart, by their ids: 1 the left axis, 2 the secondary right one.
enum class AxisId { Y = 1, Y2 = 2 };

// The presentation properties a plot mode writes on the chart's plot. Every write is one
// call, so a recording fake sees the exact order (the minimum before the maximum).
class ChartPlot {
public:
    virtual ~ChartPlot() = default;
    virtual void setAxisTitle(AxisId axis, std::string_view title) = 0;
    virtual void setAutoScale(AxisId axis, bool automatic) = 0;
    virtual void setMinimum(AxisId axis, double minimum) = 0;
    virtual void setMaximum(AxisId axis, double maximum) = 0;
    virtual void setMajorDivision(AxisId axis, std::int16_t divisions) = 0;
    virtual void setMinorDivision(AxisId axis, std::int16_t divisions) = 0;
    // series 1..6
    virtual void setShowLine(int series, bool show) = 0;
};

}  // namespace zm
