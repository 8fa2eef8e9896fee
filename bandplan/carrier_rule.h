// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bandplan/band_plan.h"

namespace zm {

// An AM carrier's sidebands take this much either side of it, and must fit in the segment
// too.
inline constexpr std::int64_t kAmSidebandHz = 3000;

// Where a carrier may stand: each segment of the plan narrowed at both edges by the
// sidebands it has either side (none for a steady carrier, CW or FSK); a segment too narrow
// for them is left out, so an AM carrier never fits on a channel.
std::vector<BandSegment> carrierStretches(const BandPlan& plan, std::int64_t sidebandHz);

// Whether a carrier at carrierHz, its sidebands included, lies within one segment, edges
// included: 7.200 MHz fits Region 1's 40 m (7.000 to 7.200 MHz) in CW, 7.2001 does not, and
// in AM neither does 7.198.
bool carrierFits(const BandPlan& plan, std::int64_t carrierHz, std::int64_t sidebandHz);

// The band whose edges lie nearest to the frequencies lowHz to highHz, the lower one of two
// as near; none for a plan without bands.
const Band* nearestBand(const BandPlan& plan, std::int64_t lowHz, std::int64_t highHz);

// A band with its edges, as the Band menu lists it: "40m  7.000 – 7.200 MHz".
std::string bandMenuText(const Band& band);

// Why a sweep of lowHz to highHz has no point the plan lets it key, for a plan with bands:
// "Nothing to sweep: 7.250 to 7.600 MHz lies outside the 40m band of IARU Region 1 (7.000 to
// 7.200 MHz)."
std::string nothingToSweepReason(const BandPlan& plan, std::int64_t lowHz, std::int64_t highHz,
                                 std::int64_t sidebandHz);

// The reason and what the window's user can do: "... (7.000 to 7.200 MHz). Choose a band in
// the Band menu, or the licence plan in Setup."
std::string nothingToSweepMessage(const BandPlan& plan, std::int64_t lowHz, std::int64_t highHz,
                                  std::int64_t sidebandHz);

}  // namespace zm
