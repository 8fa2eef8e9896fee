// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace zm {

// Display patterns of the readout: "####.0", "###.0", "#.00" and "##.00".
// The value is rounded to the pattern's decimals, halves away from zero, taking the
// number as its shortest decimal text (so 2.675 rounds to 2.68). The integer part has
// no leading zeros and no digit limit, and an integer part of 0 is left out:
// 0.5 -> ".5", 0 -> ".0", 1234.56 -> "1234.6", -30 -> "-30.0", 0.75 -> ".75".
std::string formatPattern(double value, std::string_view pattern);

// The readout of a received text field (Z and phase): a text that is a decimal number
// (blanks around it allowed) is shown through the pattern (" 50.0" -> "50.0",
// "050.5" -> "50.5"); any other text is shown unchanged.
std::string formatFieldText(std::string_view text, std::string_view pattern);

// Rounds to two decimals as the "##.00" pattern would show it, and reads that back.
double roundAsTwoDecimals(double value);

}  // namespace zm
