// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <variant>
#include <vector>

#include "bandplan/band_plan.h"

namespace zm {

// The bands of --band by their names in the plan ("40M" is the plan's "40m"), each once, in
// the order given; or, when the plan lacks one, what to say, without the program's name:
// "--band 17mm: no such band in the band plan of IARU Region 1; its bands are 2200m, 630m,
// ... 70cm; choose among them, or another plan with --plan".
// "40m, 20m, 15m": names as the command's messages list them.
std::string commaList(const std::vector<std::string>& names);

std::variant<std::vector<std::string>, std::string> bandsOfPlan(
    const BandPlan& plan, const std::vector<std::string>& typed);

}  // namespace zm
