// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as a number typed into the start or stop box, read from a meter field or from
// config.ini, or taken from the step field; "start|stop|step" also plans a sweep.
//
// leadingNumber and isWholeNumber are checked against C's strtod on the same text with
// its blanks taken out, leadingTypedNumber against leadingNumber up to the first blank,
// the two-decimal rounding against its bound, and the plan against its own rules: the
// count within the 16-bit range, the last point within half a step of the span, and every
// label reading back as its frequency.

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "meter/display_pattern.h"
#include "meter/number_reading.h"
#include "sweep/sweep_plan.h"

namespace {

using zm::fuzz::require;
using zm::fuzz::splitAtBars;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// strtod also reads hex numbers, "inf" and "nan" and skips other white space: the
// reference only takes texts that begin, after a sign, with a digit or a point.
bool startsLikeDecimal(std::string_view text) {
    std::size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    if (i >= text.size() || !(isDigit(text[i]) || text[i] == '.')) {
        return false;
    }
    const bool hex = text[i] == '0' && i + 1 < text.size() && (text[i + 1] | 0x20) == 'x';
    return !hex;
}

void checkLeadingNumber(std::string_view text) {
    const double value = zm::leadingNumber(text);
    require(!std::isnan(value), "a reading is never NaN", text);
    require(!(value == 0.0 && std::signbit(value)), "a reading is never -0", text);

    std::string compact;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            compact += c;
        }
    }
    if (!startsLikeDecimal(compact)) {
        require(value == 0.0, "text that begins with no number reads 0", text);
        return;
    }
    errno = 0;
    const double expected = std::strtod(compact.c_str(), nullptr);
    if (std::fabs(expected) < DBL_MIN) {
        // Underflow: 0, or the subnormal itself where the conversion delivers it.
        require(value == 0.0 || value == expected, "a tiny number reads 0", text);
        return;
    }
    require(value == expected, "reads as strtod does without the blanks", text,
            std::to_string(value) + " vs " + std::to_string(expected));
}

// A typed number is the meter's reading of the text up to its first blank after the
// leading ones: "14 5" is 14.
void checkTypedNumber(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\n");
    const std::string_view rest = first == std::string_view::npos ? "" : text.substr(first);
    const std::string_view beforeBlank = rest.substr(0, rest.find_first_of(" \t\n"));
    require(zm::leadingTypedNumber(text) == zm::leadingNumber(beforeBlank),
            "a typed number ends at its first blank", text);
}

void checkWholeNumber(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\n\r");
    const auto last = text.find_last_not_of(" \t\n\r");
    const std::string trimmed(first == std::string_view::npos
                                  ? std::string_view{}
                                  : text.substr(first, last - first + 1));
    bool expected = false;
    if (startsLikeDecimal(trimmed) && trimmed.find('\0') == std::string::npos) {
        char* end = nullptr;
        std::strtod(trimmed.c_str(), &end);
        expected = end == trimmed.c_str() + trimmed.size();
    }
    require(zm::isWholeNumber(text) == expected, "whole number exactly when strtod takes it all",
            text);
}

void checkTwoDecimals(double value, std::string_view text) {
    const double rounded = zm::roundAsTwoDecimals(value);
    if (!std::isfinite(value)) {
        require(rounded == value, "a non-finite value is left as it is", text);
        return;
    }
    require(std::fabs(rounded - value) <= 0.005 * (1 + 1e-9) + 1e-15 * std::fabs(value),
            "two-decimal rounding moves a value by at most half a hundredth", text);
    require(zm::roundAsTwoDecimals(rounded) == rounded, "two-decimal rounding is idempotent", text);
}

// The step list's text as the program has always read it: one pass, " kHz" taken out
// wherever it stands in the original text.
std::string withoutUnit(std::string_view text) {
    constexpr std::string_view kUnit = " kHz";
    std::string result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text.substr(pos, kUnit.size()) == kUnit) {
            pos += kUnit.size();
        } else {
            result += text[pos++];
        }
    }
    return result;
}

void checkLabel(int row, double startMHz, double stepMHz, std::string_view input) {
    const std::string label = zm::frequencyLabel(row, startMHz, stepMHz);
    const double frequencyMHz = static_cast<double>(row - 1) * stepMHz + startMHz;
    if (!std::isfinite(frequencyMHz)) {
        return;  // only from steps no list offers
    }
    require(label.size() >= 2 && label.back() == ' ' && label[label.size() - 2] != ' ',
            "a label is a number and one space", input, label);
    const std::string_view number(label.data(), label.size() - 1);
    require(number.find_first_not_of("-0123456789.E+") == std::string_view::npos,
            "a label is in general number form", input, label);
    if (number.find('E') == std::string_view::npos && number.find('.') != std::string_view::npos) {
        require(number.back() != '0' && number.back() != '.',
                "a label has no trailing zeros and no trailing point", input, label);
    }
    const double shown = zm::leadingNumber(number);
    require(std::fabs(shown - frequencyMHz) <= 1e-14 * std::fabs(frequencyMHz) + 1e-300,
            "a label reads back as its frequency to 15 digits", input, label);
}

void checkPlan(std::string_view startText, std::string_view stopText, std::string_view stepText,
               std::string_view input) {
    const double startMHz = zm::roundAsTwoDecimals(zm::leadingTypedNumber(startText));
    const double stopMHz = zm::roundAsTwoDecimals(zm::leadingTypedNumber(stopText));
    const double stepMHz = zm::stepFromListText(stepText);
    require(stepMHz == zm::leadingTypedNumber(withoutUnit(stepText)) / 1000.0,
            "the step is the list text without \" kHz\", in MHz", input);

    const std::optional<int> count = zm::pointCountFor(startMHz, stopMHz, stepMHz);
    if (!count) {
        return;
    }
    require(stepMHz > 0 && std::isfinite(stepMHz) && *count >= 1 && *count <= zm::kMaxPointCount,
            "a plan has a finite positive step and 1 to 32766 points", input);
    const double spanMHz = std::fabs(stopMHz - startMHz);
    require(std::fabs((*count - 1) * stepMHz - spanMHz) <= stepMHz * (0.5 + 1e-9),
            "the last point lies within half a step of the span", input, std::to_string(*count));
    for (const int row : {1, 2, *count / 2, *count}) {
        if (row >= 1 && row <= *count) {
            checkLabel(row, startMHz, stepMHz, input);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = zm::fuzz::asText(data, size);
    checkLeadingNumber(text);
    checkTypedNumber(text);
    checkWholeNumber(text);
    checkTwoDecimals(zm::leadingNumber(text), text);

    const std::vector<std::string_view> parts = splitAtBars(text);
    if (parts.size() == 3) {
        checkPlan(parts[0], parts[1], parts[2], text);
    }
    return 0;
}
