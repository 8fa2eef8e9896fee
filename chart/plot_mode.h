// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "chart/chart_plot.h"

namespace zm {

// The plot-mode list: 0 "R+jX", 1 "Z & Phase", 2 "SWR - 3:1", 3 "SWR - 10:1", 4 "RHO".
inline constexpr int kPlotModeCount = 5;

// Titles, scales and visible series of a plot mode, written onto the chart's plot in a
// fixed order. A mode outside 0..4 (-1: nothing selected) writes nothing.
void applyPlotMode(ChartPlot& plot, int plotMode);

}  // namespace zm
