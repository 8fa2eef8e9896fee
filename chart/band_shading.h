// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include "bandplan/band_plan.h"
#include "chart/trace_points.h"

namespace zm {

// A stretch of the frequency axis, in chart positions.
struct AxisStretch {
    double from = 0.0;
    double to = 0.0;
    friend bool operator==(const AxisStretch&, const AxisStretch&) = default;
};

// What the chart shades, between the axis's ends `from` and `to`: everything that lies
// outside the stretches where a carrier may go (in Hz, rising). A one-row grid is shaded
// whole or not at all, as its one frequency fits or not; an unmapped one not at all.
std::vector<AxisStretch> shadedStretches(const std::vector<BandSegment>& insideHz,
                                         const FrequencyPositions& positions, double from,
                                         double to);

}  // namespace zm
