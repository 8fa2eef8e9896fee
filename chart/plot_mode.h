// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include "chart/chart_plot.h"

namespace zm {

// The plot-mode list: 0 "R+jX", 1 "Z & Phase", 2 "SWR - 3:1", 3 "SWR - 10:1", 4 "RHO".
inline constexpr int kPlotModeCount = 5;

// Titles, scales and visible series of a plot mode, written onto the chart's plot in a
// fixed order. A mode outside 0..4 (-1: nothing selected) writes nothing.
void applyPlotMode(ChartPlot& plot, int plotMode);

// The series a plot mode shows, 1..6 as seriesValue counts them (R, X, Z, SWR, phase,
// RHO): R and X for "R+jX"; none outside 0..4.
std::vector<int> plotModeSeries(int plotMode);

}  // namespace zm
