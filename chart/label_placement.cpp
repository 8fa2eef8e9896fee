// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/label_placement.h"

#include <algorithm>
#include <cmath>

namespace zm {

namespace {

bool contains(const ScreenBox& box, ScreenPoint point) {
    return point.x >= box.left && point.x <= box.left + box.width && point.y >= box.top &&
           point.y <= box.top + box.height;
}

// The length of the segment a-b inside the box, by Liang-Barsky clipping. A lone point
// inside counts as a pixel.
double insideLength(const ScreenBox& box, ScreenPoint a, ScreenPoint b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    if (dx == 0.0 && dy == 0.0) {
        return contains(box, a) ? 1.0 : 0.0;
    }
    if (std::max(a.x, b.x) < box.left || std::min(a.x, b.x) > box.left + box.width ||
        std::max(a.y, b.y) < box.top || std::min(a.y, b.y) > box.top + box.height) {
        return 0.0;  // most segments lie well away from a small box
    }
    double enter = 0.0;
    double leave = 1.0;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x - box.left, box.left + box.width - a.x, a.y - box.top,
                        box.top + box.height - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return 0.0;  // parallel to this edge and outside it
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            enter = std::max(enter, t);
        } else {
            leave = std::min(leave, t);
        }
    }
    return enter < leave ? (leave - enter) * std::hypot(dx, dy) : 0.0;
}

}  // namespace

double coveredLength(const ScreenBox& box, std::span<const Polyline> curves) {
    double length = 0.0;
    for (const Polyline& curve : curves) {
        if (curve.size() == 1) {
            length += insideLength(box, curve[0], curve[0]);
        }
        for (std::size_t i = 1; i < curve.size(); ++i) {
            length += insideLength(box, curve[i - 1], curve[i]);
        }
    }
    return length;
}

std::vector<ScreenBox> labelPlaces(const ScreenBox& area, double width, double height,
                                   double gridPx) {
    const double left = area.left;
    const double top = area.top;
    const double right = std::max(left, area.left + area.width - width);
    const double bottom = std::max(top, area.top + area.height - height);
    const double middle = std::max(left, area.left + (area.width - width) / 2);
    std::vector<ScreenBox> places{{right, top, width, height},    {left, top, width, height},
                                  {right, bottom, width, height}, {left, bottom, width, height},
                                  {middle, top, width, height},   {middle, bottom, width, height}};
    for (double y = top; gridPx > 0 && y <= bottom; y += gridPx) {
        for (double x = left; x <= right; x += gridPx) {
            places.push_back({x, y, width, height});
        }
    }
    return places;
}

std::size_t leastCoveringBox(std::span<const ScreenBox> candidates,
                             std::span<const Polyline> curves) {
    std::size_t best = 0;
    double bestLength = 0.0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const double length = coveredLength(candidates[i], curves);
        if (i == 0 || length < bestLength) {
            best = i;
            bestLength = length;
        }
        if (bestLength == 0.0) {
            break;  // none later hides less
        }
    }
    return best;
}

}  // namespace zm
