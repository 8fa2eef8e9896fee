// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/band_sweeps.h"

#include <algorithm>
#include <numeric>

#include "sweep/sweep_plan.h"

namespace zm {

namespace {

constexpr double kHzPerMHz = 1e6;
// The step of a band of one frequency: any step plans that one point.
constexpr double kOnePointStepMHz = 1.0 / kHzPerMHz;

bool allChannels(const Band& band) {
    return std::all_of(band.segments.begin(), band.segments.end(),
                       [](const BandSegment& segment) { return segment.lowHz == segment.highHz; });
}

// A band of channels is swept on the largest step that lands on each of them, whatever the
// points asked for: 500 Hz for the five US 60 m channels, 147 points of which the five are
// keyed. Any other band takes the points asked for, ending on its upper edge.
double stepMHzOf(const Band& band, int points) {
    const std::int64_t spanHz = band.highestHz() - band.lowestHz();
    if (spanHz == 0) {
        return kOnePointStepMHz;
    }
    if (allChannels(band)) {
        std::int64_t stepHz = 0;
        for (const BandSegment& channel : band.segments) {
            stepHz = std::gcd(stepHz, channel.lowHz - band.lowestHz());
        }
        if (spanHz / stepHz < kMaxPointCount) {
            return static_cast<double>(stepHz) / kHzPerMHz;
        }
    }
    return points > 1 ? static_cast<double>(spanHz) / kHzPerMHz / (points - 1) : kOnePointStepMHz;
}

}  // namespace

std::vector<BandSweep> bandSweeps(const BandPlan& plan, const std::vector<std::string>& names,
                                  int points) {
    std::vector<const Band*> chosen;
    for (const Band& band : plan.bands) {
        if (!band.segments.empty() &&
            std::find(names.begin(), names.end(), band.name) != names.end()) {
            chosen.push_back(&band);
        }
    }
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const Band* a, const Band* b) { return a->lowestHz() < b->lowestHz(); });
    std::vector<BandSweep> sweeps;
    for (const Band* band : chosen) {
        sweeps.push_back({band->name, static_cast<double>(band->lowestHz()) / kHzPerMHz,
                          static_cast<double>(band->highestHz()) / kHzPerMHz,
                          stepMHzOf(*band, points)});
    }
    return sweeps;
}

}  // namespace zm
