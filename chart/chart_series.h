// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <array>
#include <cstddef>

#include "chart/chart_plot.h"

namespace zm {

// The chart's six series, numbered as the grid's columns 2..7 hold them: 1 R, 2 X, 3 Z,
// 4 SWR, 5 phase, 6 RHO.
inline constexpr int kSeriesCount = 6;

// X (series 2) and phase (series 5) are drawn against the right axis, the others against the
// left one.
constexpr AxisId axisOf(int series) {
    return series == 2 || series == 5 ? AxisId::Y2 : AxisId::Y;
}

// The names of series 1..6 as the window's legend strip writes them.
inline constexpr std::array<const char*, kSeriesCount> kSeriesNames{"R",   "X",     "Z",
                                                                    "SWR", "Phase", "RHO"};

// The legend strip's colours: series k is sampled by the line under the k-th word.
inline QColor seriesColour(int series) {
    static const std::array<QColor, kSeriesCount> kColours{
        QColor(255, 0, 0), QColor(0, 255, 0),   QColor(0, 0, 255),
        QColor(0, 0, 0),   QColor(255, 0, 255), QColor(0, 255, 255)};
    return kColours.at(static_cast<std::size_t>(series - 1));
}

}  // namespace zm
