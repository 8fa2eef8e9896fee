// SPDX-License-Identifier: GPL-3.0-or-later
// Any double through the readout's four display patterns. The first byte chooses how the
// rest becomes a double: when odd, its eight bytes as they lie in memory (every value, NaN
// and the infinities included); when even, the rest read as decimal text ("t2.675": values
// near rounding ties come easily that way).
//
// A finite value must show as an optional minus before a non-zero digit, the integer part
// without leading zeros, a point and the pattern's decimals, and as the value rounded half
// away from zero on its shortest decimal text. printf("%.*f") rounds the exact binary
// value halves to even instead; the two may differ only by one last digit, and only where
// the value lies within a few units of its last binary place of a tie, or where the
// shortest text already holds all of a large value's digits.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/fuzz_check.h"
#include "meter/display_pattern.h"
#include "meter/number_reading.h"

namespace {

using zm::fuzz::require;

constexpr std::string_view kPatterns[] = {"####.0", "###.0", "#.00", "##.00"};

// printf's text in the readout's form: no "0" before the point, no sign on a zero.
std::string printfShown(double value, int decimals) {
    std::string text(400, '\0');
    const int length = std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    text.resize(static_cast<std::size_t>(length));
    const bool negative = text.front() == '-';
    if (negative) {
        text.erase(0, 1);
    }
    if (text.rfind("0.", 0) == 0) {
        text.erase(0, 1);
    }
    if (text.find_first_of("123456789") == std::string::npos) {
        return text;
    }
    return negative ? "-" + text : text;
}

void checkFinite(double value, std::string_view pattern, std::string_view input) {
    const std::string shown = zm::formatPattern(value, pattern);
    const int decimals = static_cast<int>(pattern.size() - pattern.find('.') - 1);
    const std::size_t point = shown.find('.');
    require(shown.find_first_not_of("-0123456789.") == std::string::npos,
            "shows only a sign, digits and a point", input, shown);
    require(point != std::string::npos && point == shown.rfind('.') &&
                shown.size() - point - 1 == static_cast<std::size_t>(decimals),
            "shows one point and the pattern's decimals", input, shown);
    const bool negative = !shown.empty() && shown.front() == '-';
    require(shown.rfind('-') == (negative ? 0 : std::string::npos), "a minus only leads", input,
            shown);
    require(!negative || shown.find_first_of("123456789") != std::string::npos,
            "a value shown as zero has no minus", input, shown);
    const std::string integerPart = shown.substr(negative ? 1 : 0, point - (negative ? 1 : 0));
    require(integerPart.empty() || integerPart.front() != '0',
            "the integer part has no leading zero", input, shown);
    require(negative == (value < 0) || shown.find_first_of("123456789") == std::string::npos,
            "the sign is the value's", input, shown);

    const std::string reference = printfShown(value, decimals);
    if (shown == reference) {
        return;
    }
    const double shownValue = std::strtod(shown.c_str(), nullptr);
    if (shownValue == value) {
        return;  // a large value: its shortest digits, then zeros
    }
    const double referenceValue = std::strtod(reference.c_str(), nullptr);
    const double unit = std::pow(10.0, -decimals);
    const double tie = (shownValue + referenceValue) / 2;
    const double ulp = std::fabs(std::nextafter(value, HUGE_VAL) - value);
    require(std::fabs(std::fabs(shownValue - referenceValue) - unit) <= 4 * ulp + 1e-9 * unit &&
                std::fabs(value - tie) <= 4 * ulp + 1e-9 * unit,
            "rounds as printf does, but for values at a tie", input,
            shown + " vs printf " + reference);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = zm::fuzz::asText(data, size);
    if (size == 0) {
        return 0;
    }
    double value = 0;
    if ((data[0] & 1) != 0) {
        if (size < 1 + sizeof value) {
            return 0;
        }
        std::memcpy(&value, data + 1, sizeof value);
    } else {
        value = zm::leadingNumber(input.substr(1));
    }

    for (const std::string_view pattern : kPatterns) {
        if (std::isfinite(value)) {
            checkFinite(value, pattern, input);
        } else {
            const std::string shown = zm::formatPattern(value, pattern);
            require(shown == (std::isnan(value) ? "nan"
                              : value < 0       ? "-inf"
                                                : "inf"),
                    "a non-finite value is named", input, shown);
        }
    }
    return 0;
}
