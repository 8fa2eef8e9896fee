// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bandplan/band_plan.h"
#include "results/point_taking.h"
#include "station/station_file.h"

namespace zm {

// A point of the plan and the band plan's verdict on it: keyed, or skipped and why.
struct PlannedPoint {
    std::int64_t frequencyHz = 0;
    std::optional<SkipReason> skipped{};
};

// One sweep of a run: a band's, or the one of --start, --stop and --step.
struct PlannedSweep {
    std::string bandName;  // empty for the sweep of frequencies
    std::vector<PlannedPoint> points;
};

// What a run would key, before anything is opened:
//   - the band plan, the carrier mode and which points are keyed;
//   - for each sweep its span, then a line a point: "key   7.000 MHz" or
//     "skip  7.205 MHz  outside band plan", so that `grep ^key` lists the key-downs; a
//     sweep without a point to key says why;
//   - the largest number of key-downs: every point the plan lets be keyed, which a refined
//     sweep keys only as far as its curve needs them.
std::string dryRunListing(const std::vector<PlannedSweep>& sweeps, const BandPlan& plan,
                          std::int16_t carrierMode, PlanPoints planPoints);

// The points of every sweep that the band plan lets be keyed.
int mostKeyDowns(const std::vector<PlannedSweep>& sweeps);

}  // namespace zm
