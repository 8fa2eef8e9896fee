// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string_view>

#include "feedline/transmission_line.h"
#include "sim/antenna_model.h"

namespace zm::sim {

// The feedline of --feedline, "RG-58:20": 20 m of that cable of the program's cable list,
// which is looked for as the program looks for it. Throws, saying why, for a cable the list
// does not hold or a list that is not there.
Feedline simFeedline(std::string_view option, const std::filesystem::path& programFolder);

// What the meter sees of the load at the far end of the feedline.
Impedance throughFeedline(Impedance load, const Feedline& feedline, double frequencyMHz);

}  // namespace zm::sim
