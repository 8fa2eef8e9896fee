// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/plot_mode.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace zm {

namespace {

struct FixedScale {
    double minimum;
    double maximum;
    std::int16_t majorDivisions;
    std::int16_t minorDivisions;
};

struct PlotModeSetup {
    std::string_view leftTitle;
    std::string_view rightTitle;
    std::optional<FixedScale> scale;  // none: both axes scale themselves
    std::array<bool, 6> shown;        // series 1..6: R, X, Z, SWR, phase, RHO
};

// The fixed-scale modes put the same title and scale on both axes.
constexpr std::array<PlotModeSetup, kPlotModeCount> kModes{{
    {"R OHMS", "X OHMS", std::nullopt, {true, true, false, false, false, false}},
    {"Z OHMS", "Z DEGREES", std::nullopt, {false, false, true, false, true, false}},
    {"SWR", "SWR", FixedScale{1.0, 3.0, 10, 1}, {false, false, false, true, false, false}},
    {"SWR", "SWR", FixedScale{1.0, 10.0, 9, 1}, {false, false, false, true, false, false}},
    {"RHO", "RHO", FixedScale{0.0, 1.0, 10, 1}, {false, false, false, false, false, true}},
}};

// The minimum goes before the maximum: from RHO (0..1) to SWR 3:1 the chart sees 1.0 while
// its maximum is still 1.0, then 3.0.
void applyScale(ChartPlot& plot, AxisId axis, const std::optional<FixedScale>& scale) {
    if (!scale) {
        plot.setAutoScale(axis, true);
        return;
    }
    plot.setAutoScale(axis, false);
    plot.setMinimum(axis, scale->minimum);
    plot.setMaximum(axis, scale->maximum);
    plot.setMajorDivision(axis, scale->majorDivisions);
    plot.setMinorDivision(axis, scale->minorDivisions);
}

}  // namespace

std::vector<int> plotModeSeries(int plotMode) {
    std::vector<int> series;
    if (plotMode >= 0 && plotMode < kPlotModeCount) {
        const PlotModeSetup& mode = kModes[static_cast<std::size_t>(plotMode)];
        for (std::size_t k = 0; k < mode.shown.size(); ++k) {
            if (mode.shown[k]) {
                series.push_back(static_cast<int>(k) + 1);
            }
        }
    }
    return series;
}

void applyPlotMode(ChartPlot& plot, int plotMode) {
    if (plotMode < 0 || plotMode >= kPlotModeCount) {
        return;
    }
    const PlotModeSetup& mode = kModes[static_cast<std::size_t>(plotMode)];
    plot.setAxisTitle(AxisId::Y, mode.leftTitle);
    plot.setAxisTitle(AxisId::Y2, mode.rightTitle);
    applyScale(plot, AxisId::Y, mode.scale);
    applyScale(plot, AxisId::Y2, mode.scale);
    // All six every time, so the result does not depend on the mode shown before.
    for (std::size_t series = 0; series < mode.shown.size(); ++series) {
        plot.setShowLine(static_cast<int>(series) + 1, mode.shown[series]);
    }
}

}  // namespace zm
