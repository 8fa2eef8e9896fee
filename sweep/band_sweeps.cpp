// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/band_sweeps.h"

#include <algorithm>

namespace zm {

namespace {

constexpr double kHzPerMHz = 1e6;
// The step of a band of one frequency: any step plans that one point.
constexpr double kOnePointStepMHz = 1.0 / kHzPerMHz;

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
        const double startMHz = static_cast<double>(band->lowestHz()) / kHzPerMHz;
        const double stopMHz = static_cast<double>(band->highestHz()) / kHzPerMHz;
        const double stepMHz = stopMHz > startMHz && points > 1
                                   ? (stopMHz - startMHz) / (points - 1)
                                   : kOnePointStepMHz;
        sweeps.push_back({band->name, startMHz, stopMHz, stepMHz});
    }
    return sweeps;
}

}  // namespace zm
