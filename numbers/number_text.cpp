// SPDX-License-Identifier: GPL-3.0-or-later

#include "numbers/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace zm {

namespace {

constexpr double kHzPerMHz = 1e6;

// A result of to_chars: never longer than the buffer, as 32 digits cover any double shortest
// and fixed decimals of values up to 1e300 need the larger buffer.
template <typename... Format>
std::string charsOf(double value, Format... format) {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : value > 0 ? "inf" : "-inf";
    }
    std::array<char, 400> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, format...);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::string shortestNumber(double value) {
    return charsOf(value);
}

std::string fixedNumber(double value, int decimals) {
    std::string text = charsOf(value, std::chars_format::fixed, decimals);
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::string threeSignificant(double value) {
    int exponent = static_cast<int>(std::floor(std::log10(value)));
    double digits = std::round(value / std::pow(10.0, exponent - 2));  // 100 .. 1000
    if (digits >= 1000.0) {  // 999.7 rounds up into the next decade
        digits /= 10.0;
        ++exponent;
    }
    return fixedNumber(digits * std::pow(10.0, exponent - 2), std::max(0, 2 - exponent));
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool equalsIgnoringCase(std::string_view text, std::string_view word) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(text, word, {}, lower, lower);
}

std::optional<double> readDecimal(std::string_view text) {
    text = trimmed(text);
    // from_chars takes no "+"; some network analysers write one.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> readWhole(std::string_view text) {
    text = trimmed(text);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string megahertzText(double frequencyHz) {
    std::string text = fixedNumber(frequencyHz / kHzPerMHz, 6);
    const auto point = text.find('.');
    if (point != std::string::npos) {
        const auto lastKept = std::max(point + 3, text.find_last_not_of('0'));
        text.erase(std::min(lastKept + 1, text.size()));
    }
    return text;
}

// Fifteen significant digits, in decimal form from 1E-04 up to below 1E+15 and in exponent
// form outside that ("1E+15", "1.5E-05"): the same bounds as printf's "%.15g". Plans only
// produce such magnitudes for a single-point plan from an extreme start, since the start is
// rounded to hundredths and anything wider than 32,766 steps is refused. std::to_chars is used
// because the C library's formatting follows the user's locale, which Qt switches on at start.
std::string generalNumber(double value) {
    if (value == 0.0) {
        return "0";  // also for -0
    }
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 15);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return text;
}

}  // namespace zm
