// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zm {

// Numbers in result files and labels: always a "." for the decimal point, whatever the
// locale, so a file reads the same on every machine.

// General number form: at most 15 significant digits, no trailing zeros, no trailing
// point ("14", "14.05", "0.1").
std::string generalNumber(double value);

// The shortest text that reads back as the same double: 50 -> "50", 14.35 -> "14.35".
// Infinities are "inf" and "-inf", NaN "nan".
std::string shortestNumber(double value);

// A fixed number of decimals, never "-0.0": -0.0001 to one decimal is "0.0".
std::string fixedNumber(double value, int decimals);

// Three significant figures for a component value, rounded once: 456.3 -> "456", 1.234 ->
// "1.23", 999.7 -> "1000", 0.01234 -> "0.0123". The value must be finite and above 0.
std::string threeSignificant(double value);

// One decimal number and nothing else but blanks around it: an optional sign, digits, a
// point, an exponent; "inf" and "nan" too, which callers that need a finite value refuse.
// None for anything else, and for a number beyond the range of a double.
std::optional<double> readDecimal(std::string_view text);

// A whole number, blanks around it allowed: "14050000".
std::optional<std::int64_t> readWhole(std::string_view text);

// Hz as MHz with at least three decimals and no trailing zeros after them:
// 14000000 -> "14.000", 14050000 -> "14.050", 14123456 -> "14.123456".
std::string megahertzText(double frequencyHz);

// The text without blanks or tabs at either end.
std::string_view trimmed(std::string_view text);

// The same word in any letter case, ASCII only: "True", "TRUE" and "true" are one word.
bool equalsIgnoringCase(std::string_view text, std::string_view word);

}  // namespace zm
