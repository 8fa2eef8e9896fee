// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/band_shading.h"

#include <algorithm>
#include <cmath>

namespace zm {

std::vector<AxisStretch> shadedStretches(const std::vector<BandSegment>& insideHz,
                                         const FrequencyPositions& positions, double from,
                                         double to) {
    if (positions.rows() == 0) {
        return {};
    }
    if (positions.rows() == 1) {
        const double hz = std::round(positions.frequencyAt(0).value_or(0.0));
        const bool fits = std::any_of(insideHz.begin(), insideHz.end(), [hz](const BandSegment& s) {
            return static_cast<double>(s.lowHz) <= hz && hz <= static_cast<double>(s.highHz);
        });
        return fits ? std::vector<AxisStretch>{} : std::vector<AxisStretch>{{from, to}};
    }
    std::vector<AxisStretch> shaded;
    double cursor = from;
    for (const BandSegment& inside : insideHz) {
        const double low = *positions.positionOf(static_cast<double>(inside.lowHz));
        const double high = *positions.positionOf(static_cast<double>(inside.highHz));
        if (high < cursor) {
            continue;
        }
        if (low > to) {
            break;
        }
        if (low > cursor) {
            shaded.push_back({cursor, low});
        }
        cursor = high;
    }
    if (cursor < to) {
        shaded.push_back({cursor, to});
    }
    return shaded;
}

}  // namespace zm
