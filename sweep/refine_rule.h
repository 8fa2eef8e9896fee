// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <complex>
#include <optional>
#include <span>

namespace zm {

// What the meter said at a keyed grid point, as far as the refine rule needs it.
struct RefineReading {
    double swr = 0.0;                    // as the meter gives it
    std::complex<double> impedanceOhms;  // R + jX, X signed
};

// A point of the plan's grid: keyed, with its reading; not yet keyed; or never to be keyed
// (outside the band plan, or keyed and left without a reading).
struct RefinePoint {
    std::optional<RefineReading> reading;
    bool keyable = true;
};

// Where the refine rule stops refining, stated for the user:
//   - the lowest SWR sits between two keyed grid neighbours (and so does every other dip
//     whose bottom could lie lower);
//   - every crossing of SWR 2 and 1.5 and every sign change of X lies between two
//     adjacent grid points;
//   - between two keyed neighbours the reflection coefficient turns, seen from the Smith
//     chart's centre, by at most kRefineTurnDegrees, unless it moves less than
//     kRefineTurnChord;
//   - below SWR kRefineBendBelowSwr no keyed point stands further than kRefineBendSwr off
//     the straight line between its keyed neighbours.
inline constexpr double kRefineTurnDegrees = 30.0;
inline constexpr double kRefineTurnChord = 0.15;
inline constexpr double kRefineBendSwr = 0.2;
inline constexpr double kRefineBendBelowSwr = 3.0;
// The first pass keys both ends and grid points at most this far apart.
inline constexpr int kRefineCoarseSpacing = 32;

// The grid point (from 0) to key next, or none when nothing needs keying. The first pass
// goes up the plan; after it each point is the one that pins an answer or a tolerance
// above, answers first. Never a point that is keyed or not keyable; the same readings give
// the same choice.
std::optional<int> nextPointToKey(std::span<const RefinePoint> points);

}  // namespace zm
