// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zm {

// A frequency or a step as written on the command line, in MHz: MHz when no unit is
// written, else Hz, k or kHz, M or MHz, in any letter case:
//
//   "14.0" and "14.0M" -> 14.0,  "14000k" -> 14.0,  "50k" -> 0.05,  "7100000Hz" -> 7.1
//
// A number and its unit may stand apart ("50 kHz"). Empty for anything but a finite number
// above 0 with one of those units, with what is wrong in whyNot, for the user, after the
// option and its value: "\"G\" is no unit of frequency: write MHz (14.35 or 14.35M) or
// kHz (14350k)".
std::optional<double> readMegahertzArgument(std::string_view text, std::string& whyNot);

}  // namespace zm
