// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter/display_pattern.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "meter/number_reading.h"

namespace zm {
namespace {

// The decimals a pattern asks for: the characters after its ".".
int patternDecimals(std::string_view pattern) {
    const std::size_t point = pattern.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
}

// The shortest decimal text that reads back as the same double, as digits and the power
// of ten of the first digit: 2.675 -> {"2675", 0}, 0.05 -> {"5", -2}.
struct ShortestDecimal {
    std::string digits;
    int firstDigitPower = 0;
};

ShortestDecimal shortestDecimal(double magnitude) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t exponentMark = text.find('e');
    ShortestDecimal decimal;
    for (char c : text.substr(0, exponentMark)) {
        if (c != '.') {
            decimal.digits.push_back(c);
        }
    }
    decimal.firstDigitPower = std::atoi(std::string(text.substr(exponentMark + 1)).c_str());
    return decimal;
}

// The magnitude in units of the last shown decimal, rounded half away from zero on the
// shortest decimal text: 2.675 with two decimals -> "268". No leading zeros; "" for zero.
std::string roundedUnits(double magnitude, int decimals) {
    if (magnitude == 0.0) {
        return {};
    }
    const ShortestDecimal decimal = shortestDecimal(magnitude);
    const long long kept = static_cast<long long>(decimal.firstDigitPower) + 1 + decimals;
    if (kept < 0) {
        return {};
    }
    std::string units = decimal.digits.substr(0, static_cast<std::size_t>(kept));
    units.resize(static_cast<std::size_t>(kept), '0');
    const bool roundUp = static_cast<std::size_t>(kept) < decimal.digits.size() &&
                         decimal.digits[static_cast<std::size_t>(kept)] >= '5';
    if (roundUp) {
        std::size_t i = units.size();
        while (i > 0 && units[i - 1] == '9') {
            units[--i] = '0';
        }
        if (i == 0) {
            units.insert(units.begin(), '1');
        } else {
            ++units[i - 1];
        }
    }
    const std::size_t firstNonZero = units.find_first_not_of('0');
    return firstNonZero == std::string::npos ? std::string{} : units.substr(firstNonZero);
}

}  // namespace

std::string formatPattern(double value, std::string_view pattern) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    const int decimals = patternDecimals(pattern);
    std::string units = roundedUnits(std::fabs(value), decimals);
    // A value that rounds to zero has no sign to show: -0.04 is ".0", not "-.0".
    const bool negative = value < 0 && !units.empty();
    if (units.size() < static_cast<std::size_t>(decimals)) {
        units.insert(0, static_cast<std::size_t>(decimals) - units.size(), '0');
    }
    const std::size_t integerDigits = units.size() - static_cast<std::size_t>(decimals);
    std::string text = negative ? "-" : "";
    text += units.substr(0, integerDigits);
    if (decimals > 0) {
        text += '.';
        text += units.substr(integerDigits);
    }
    return text;
}

std::string formatFieldText(std::string_view text, std::string_view pattern) {
    if (isWholeNumber(text)) {
        const double value = leadingNumber(text);
        if (std::isfinite(value)) {
            return formatPattern(value, pattern);
        }
    }
    return std::string(text);
}

double roundAsTwoDecimals(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    return leadingNumber(formatPattern(value, "##.00"));
}

}  // namespace zm
