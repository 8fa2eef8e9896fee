// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace zm {

// The one way this program reads a number out of outside text (meter fields, config.ini
// values, the start and stop boxes, the step list): blanks, tabs and line feeds are
// skipped wherever they stand, then an optional sign, digits, an optional "." with
// more digits and an optional exponent are taken; reading stops at the first character
// that cannot continue the number. Text that does not begin with a number reads as 0.
// The decimal separator is always ".", whatever the locale. A result too large for a
// double is +/-infinity; callers that need a finite value check for it.
double leadingNumber(std::string_view text);

// True when the whole text, blanks around it allowed, is one decimal number
// (" 50.0", "050.5", "-30.0"); "50 ohm" or "" are not.
bool isWholeNumber(std::string_view text);

}  // namespace zm
