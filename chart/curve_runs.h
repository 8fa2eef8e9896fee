// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "results/point_taking.h"

namespace zm {

// A point of a curve as it is handed to the chart: where it stands along the frequency axis,
// its value, NaN when it has none, and whether the curve runs on across it then.
struct CurvePoint {
    double position = 0.0;
    double value = 0.0;
    bool bridged = false;
};

// A point as it is drawn, in chart values.
struct DrawnPoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const DrawnPoint&, const DrawnPoint&) = default;
};

// The curve as it is drawn, run by run: a point without a value ends the run before it
// unless it is bridged, so a line runs only between neighbours and a run of one point is
// drawn as a dot. Runs with more than twice their share of bucketCount points are
// decimated (see decimateMinMax), each run keeping its own peaks and dips; a bucketCount of
// 0 keeps every point.
std::vector<std::vector<DrawnPoint>> curveRuns(std::span<const CurvePoint> points,
                                               std::size_t bucketCount);

// Whether the curve runs on across a point of a sweep that has no value. It breaks where
// the sweep never got to, at a point whose poll was rejected, at the band plan's edges and
// at a point the antenna has no value for, so that they are seen; it runs on across a point
// a refined sweep did not need.
bool curveRunsAcross(std::optional<SkipReason> skipped);

}  // namespace zm
