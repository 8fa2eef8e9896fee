// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "sweep/refine_rule.h"

namespace zm {

// The SWR lines whose crossings a user reads off a sweep: the 2:1 band and the 1.5:1 band.
inline constexpr std::array<double, 2> kSwrLines{2.0, 1.5};

// Whether SWR `line` or X = 0 lies between two readings: one below, the other at or above.
bool crossesSwrLine(const RefineReading& a, const RefineReading& b, double line);
bool changesReactanceSign(const RefineReading& a, const RefineReading& b);

// Two keyed points with no keyed point between them, by grid index from 0.
using KeyedPair = std::pair<int, int>;

// What a user reads from a sweep, from its keyed points with straight lines between them:
// the grid point of the lowest SWR (the first of equals), and around which keyed
// neighbours SWR 2, SWR 1.5 and X change sides. A full sweep's pairs are adjacent grid
// points; a refined sweep that gives the same answers has keyed both points of each.
struct GridAnswers {
    std::optional<int> lowestSwr;
    std::array<std::vector<KeyedPair>, kSwrLines.size()> swrCrossings;
    std::vector<KeyedPair> reactanceSignChanges;

    friend bool operator==(const GridAnswers&, const GridAnswers&) = default;
};

GridAnswers gridAnswersOf(std::span<const RefinePoint> points);

}  // namespace zm
