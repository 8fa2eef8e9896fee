// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include "results/sweep_record.h"
#include "sweep/refine_rule.h"

namespace zm {

// What the refine rule knows of a refined sweep's record, which holds every point of the
// plan's grid in order: the readings taken so far, and the points it must not ask for
// (outside the band plan, or keyed without a reading).
std::vector<RefinePoint> refinePointsOf(const SweepRecord& record);

}  // namespace zm
