// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace zm {

// How this program reads a number out of the meter's fields and config.ini's values:
// blanks, tabs and line feeds are skipped wherever they stand (the meter pads inside its
// fields), then an optional sign, digits, an optional "." with more digits and an optional
// exponent are taken; reading stops at the first character that cannot continue the
// number. Text that does not begin with a number reads as 0. The decimal separator is
// always ".", whatever the locale. A result too large for a double is +/-infinity; callers
// that need a finite value check for it.
double leadingNumber(std::string_view text);

// A number as a user types it into the start and stop boxes or the step field: blanks are
// skipped before it only, then the longest leading part that reads as a number is taken,
// as leadingNumber takes it. A blank ends the number as any other character does: "14 5"
// is 14 (not 145), "14 .2" is 14.
double leadingTypedNumber(std::string_view text);

// True when the whole text, blanks around it allowed, is one decimal number
// (" 50.0", "050.5", "-30.0"); "50 ohm" or "" are not.
bool isWholeNumber(std::string_view text);

}  // namespace zm
