// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace zm {

struct ScreenPoint {
    double x = 0.0;
    double y = 0.0;
};

struct ScreenBox {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
};

// A drawn curve: straight lines from point to point, in pixels.
using Polyline = std::vector<ScreenPoint>;

// How many pixels of the curves run inside the box.
double coveredLength(const ScreenBox& box, std::span<const Polyline> curves);

// Where a label of the given size may go inside an area, in the order the user looks for
// one: the top right, top left, bottom right and bottom left corners, the middle of the top
// and of the bottom edge, then every gridPx across the area, row by row.
std::vector<ScreenBox> labelPlaces(const ScreenBox& area, double width, double height,
                                   double gridPx);

// Of the candidate places for a label, the index of the one that hides the least of the
// curves; of equals, the earliest, so the caller lists them in the order it prefers.
// 0 when there are none.
std::size_t leastCoveringBox(std::span<const ScreenBox> candidates,
                             std::span<const Polyline> curves);

}  // namespace zm
