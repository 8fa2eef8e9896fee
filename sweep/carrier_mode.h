// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zm {

// The carrier-mode list ("CW", "AM", "FSK") and the rig's mode codes that a sweep sends.

// The rig's mode code for a carrier-mode list position: 0 "CW" -> 2, 1 "AM" -> 4,
// 2 "FSK" -> 9; any other position leaves the current code.
std::int16_t carrierModeFor(int listIndex, std::int16_t current);

// The list's name of a mode code: 2 "CW", 4 "AM", 9 "FSK"; "none" before one is chosen.
std::string carrierModeName(std::int16_t carrierMode);
// The mode code of a list name, as carrierModeName gives it: "CW" -> 2; 0 for any other.
std::int16_t carrierModeCode(std::string_view name);

// How far the sidebands of a carrier in that mode reach either side of it, for the band
// plan: kAmSidebandHz in AM, none for the steady carrier of CW and FSK.
std::int64_t sidebandHzOf(std::int16_t carrierMode);

}  // namespace zm
