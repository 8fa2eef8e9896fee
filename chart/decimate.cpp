// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/decimate.h"

#include <cmath>

namespace zm {

std::vector<KeptPoint> decimateMinMax(std::span<const double> values, std::size_t bucketCount) {
    std::vector<KeptPoint> kept;
    if (values.size() <= 2 * bucketCount || bucketCount == 0) {
        kept.reserve(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            kept.push_back({i, values[i]});
        }
        return kept;
    }
    kept.reserve(2 * bucketCount);
    const std::size_t total = values.size();
    for (std::size_t bucket = 0; bucket < bucketCount; ++bucket) {
        // Bounds by integer proportion: every value lands in exactly one run.
        const std::size_t first = bucket * total / bucketCount;
        const std::size_t end = (bucket + 1) * total / bucketCount;
        std::size_t lowest = first;
        std::size_t highest = first;
        for (std::size_t i = first; i < end; ++i) {
            const double value = values[i];
            if (value < values[lowest] || std::isnan(values[lowest])) {
                lowest = i;
            }
            if (value > values[highest] || std::isnan(values[highest])) {
                highest = i;
            }
        }
        const std::size_t earlier = lowest < highest ? lowest : highest;
        const std::size_t later = lowest < highest ? highest : lowest;
        kept.push_back({earlier, values[earlier]});
        if (later != earlier) {
            kept.push_back({later, values[later]});
        }
    }
    return kept;
}

}  // namespace zm
