// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/dry_run_listing.h"

#include <algorithm>

#include "bandplan/carrier_rule.h"
#include "numbers/number_text.h"
#include "sweep/carrier_mode.h"

namespace zm {

namespace {

int keyable(const PlannedSweep& sweep) {
    return static_cast<int>(
        std::count_if(sweep.points.begin(), sweep.points.end(),
                      [](const PlannedPoint& point) { return !point.skipped; }));
}

std::string mhz(std::int64_t hz) {
    return megahertzText(static_cast<double>(hz)) + " MHz";
}

// "Band plan IARU Region 1, AM with its sidebands 3 kHz either side, every point in turn."
std::string runLine(const BandPlan& plan, std::int16_t carrierMode, PlanPoints planPoints) {
    std::string line = "Band plan " + plan.title + ", " + carrierModeName(carrierMode);
    if (const std::int64_t sidebandHz = sidebandHzOf(carrierMode); sidebandHz > 0) {
        line += " with its sidebands " + generalNumber(static_cast<double>(sidebandHz) / 1000.0) +
                " kHz either side";
    }
    return line + (planPoints == PlanPoints::Refine ? ", refined: only the points its curve needs."
                                                    : ", every point in turn.");
}

}  // namespace

std::string dryRunListing(const std::vector<PlannedSweep>& sweeps, const BandPlan& plan,
                          std::int16_t carrierMode, PlanPoints planPoints) {
    std::string text = runLine(plan, carrierMode, planPoints) + "\n";
    for (const PlannedSweep& sweep : sweeps) {
        if (sweep.points.empty()) {
            continue;
        }
        const std::int64_t lowHz = sweep.points.front().frequencyHz;
        const std::int64_t highHz = sweep.points.back().frequencyHz;
        text += (sweep.bandName.empty() ? "" : sweep.bandName + ": ") +
                megahertzText(static_cast<double>(lowHz)) + " to " + mhz(highHz) + " in " +
                std::to_string(sweep.points.size()) + " points\n";
        for (const PlannedPoint& point : sweep.points) {
            text += point.skipped ? "skip  " + mhz(point.frequencyHz) + "  " +
                                        std::string(skipReasonField(*point.skipped))
                                  : "key   " + mhz(point.frequencyHz);
            text += "\n";
        }
        if (keyable(sweep) == 0 && !plan.bands.empty()) {
            text += nothingToSweepReason(plan, lowHz, highHz, sidebandHzOf(carrierMode)) + "\n";
        }
    }
    const int most = mostKeyDowns(sweeps);
    if (most == 0) {
        return text + "No key-downs: the band plan lets no point be keyed.\n";
    }
    return text + "At most " + std::to_string(most) + (most == 1 ? " key-down" : " key-downs") +
           (planPoints == PlanPoints::Refine ? ", fewer where the curve needs fewer points.\n"
                                             : ".\n");
}

int mostKeyDowns(const std::vector<PlannedSweep>& sweeps) {
    int most = 0;
    for (const PlannedSweep& sweep : sweeps) {
        most += keyable(sweep);
    }
    return most;
}

}  // namespace zm
