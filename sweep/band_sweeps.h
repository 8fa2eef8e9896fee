// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include "bandplan/band_plan.h"

namespace zm {

// One band's sweep of "Sweep my bands...": the plan of an ordinary sweep across the whole
// band, from its lowest to its highest edge, frequencies in MHz.
struct BandSweep {
    std::string bandName;
    double startMHz = 0.0;
    double stopMHz = 0.0;
    double stepMHz = 0.0;
};

// The bands of `plan` that `names` names, lowest first, each swept in `points` points (a
// band of one frequency in one, a band of channels on a step that lands on each channel).
// Names the plan does not have are passed over.
//
//   40m of IARU Region 1 (7.000 to 7.200 MHz) in 20 points: 7.0 to 7.2 MHz in steps of
//   0.2 / 19 MHz, the last point on the upper edge to the Hz.
//   60m of the US plans (five channels from 5.332 to 5.405 MHz): 500 Hz steps, 147 points.
std::vector<BandSweep> bandSweeps(const BandPlan& plan, const std::vector<std::string>& names,
                                  int points);

}  // namespace zm
