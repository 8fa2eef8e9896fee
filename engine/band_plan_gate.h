// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

#include "bandplan/band_plan.h"
#include "sweep/sweep_plan.h"

namespace zm {

// Where a sweep tunes each point of its plan, and whether the band plan lets a carrier go
// there: the rule of every sweep, and of a run that only says what a sweep would key.

// Point i (from 1) as the sweep tunes it: (start - step) + i x step MHz, in that order.
double pointFrequencyMHz(const SweepPlan& plan, int point);

// Whether the carrier, in that mode, may go where the radio is tuned for the frequency: to
// the whole hertz the rig client sends, not the unrounded double; in AM with its sidebands.
bool carrierAllowed(const BandPlan& bands, std::int16_t carrierMode, double frequencyMHz);

// Before anything goes to the radio: why a plan with no point inside the band plan is
// refused ("Nothing to sweep: 7.250 to 7.600 MHz lies outside the 40m band of ..."), or how
// many points a plan partly outside leaves out ("2 of 5 points lie outside the bands of IARU
// Region 1 (shaded): they are not keyed."); both empty when every point is inside.
struct BandPlanGate {
    std::string refusal;
    std::string notice;
};
BandPlanGate bandPlanGate(const SweepPlan& plan, const BandPlan& bands);

}  // namespace zm
