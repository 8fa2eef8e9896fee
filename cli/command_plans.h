// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "bandplan/band_plan.h"
#include "cli/dry_run_listing.h"
#include "cli/option_words.h"
#include "cli/sweep_command_line.h"
#include "sweep/sweep_plan.h"

namespace zm {

// One sweep of a run, planned as the window plans it: a band's as Sweep my bands plans it,
// or the one of --start, --stop and --step.
struct CommandSweep {
    std::string bandName;  // empty for the sweep of frequencies
    SweepPlan plan;
};

// The sweeps the command line asks for, in the band plan in force, each in the carrier
// mode; `bandPoints` for each band when --points is not given. What to say when a band is
// not in the plan.
std::variant<std::vector<CommandSweep>, UsageError> commandSweeps(const SweepCommandLine& line,
                                                                  const BandPlan& bandPlan,
                                                                  std::int16_t carrierMode,
                                                                  int bandPoints);

// Why the band plan lets the sweep key no point, with what to do about it on the command
// line: "Nothing to sweep: 7.250 to 7.600 MHz lies outside the 40m band of IARU Region 1
// (7.000 to 7.200 MHz); sweep a band of the plan with --band, or choose another with --plan".
// Empty when it may key a point.
std::string nothingToSweep(const CommandSweep& sweep, const BandPlan& bandPlan);

// Each point of the sweep where the sweep would tune it, and whether the band plan lets it
// be keyed, for the dry run.
PlannedSweep plannedSweep(const CommandSweep& sweep, const BandPlan& bandPlan);

}  // namespace zm
