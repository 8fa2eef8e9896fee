// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter/number_reading.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace zm {
namespace {

bool isSkippedBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number as the text spells it, blanks taken out: "- 3 0" is "-30", "1e" is "1".
struct NumberText {
    std::string canonical;       // sign, digits, "." digits, "e" sign digits: what from_chars takes
    bool hasDigits = false;      // a mantissa digit was seen; "-", "." or "e5" alone are no number
    long long decimalPower = 0;  // roughly log10 of the magnitude, to tell overflow from underflow
};

// Exponents beyond this cannot change the outcome (no text has that many digits to
// offset them), so reading them saturates instead of overflowing: "1e99999999999999999999"
// is inf.
constexpr long long kExponentLimit = 1'000'000'000'000'000;

// Where blanks may stand: anywhere (the meter pads its fields inside), or only before the
// number (a blank ends what a user typed into a box).
enum class Blanks { Anywhere, Leading };

NumberText scanNumber(std::string_view text, Blanks blanks) {
    NumberText number;
    std::size_t pos = 0;
    while (pos < text.size() && isSkippedBlank(text[pos])) {
        ++pos;
    }
    auto next = [&]() -> char {
        while (blanks == Blanks::Anywhere && pos < text.size() && isSkippedBlank(text[pos])) {
            ++pos;
        }
        return pos < text.size() ? text[pos] : '\0';
    };

    char c = next();
    if (c == '+' || c == '-') {
        if (c == '-') {
            number.canonical.push_back('-');
        }
        ++pos;
        c = next();
    }
    // Where the first non-zero digit stands, to know the size of the number without
    // converting it: 123.4 -> 2, 0.05 -> -2.
    long long integerDigits = 0;
    long long significantInteger = 0;   // 1-based index among the integer digits, 0: none
    long long significantFraction = 0;  // 1-based index among the fraction digits, 0: none
    while (isDigit(c)) {
        number.hasDigits = true;
        number.canonical.push_back(c);
        ++integerDigits;
        if (significantInteger == 0 && c != '0') {
            significantInteger = integerDigits;
        }
        ++pos;
        c = next();
    }
    if (c == '.') {
        number.canonical.push_back('.');
        ++pos;
        c = next();
        long long fractionDigits = 0;
        while (isDigit(c)) {
            number.hasDigits = true;
            number.canonical.push_back(c);
            ++fractionDigits;
            if (significantInteger == 0 && significantFraction == 0 && c != '0') {
                significantFraction = fractionDigits;
            }
            ++pos;
            c = next();
        }
    }
    if (!number.hasDigits) {
        return number;
    }
    number.decimalPower =
        significantInteger != 0 ? integerDigits - significantInteger : -significantFraction;

    if (c == 'e' || c == 'E') {
        ++pos;
        c = next();
        bool negative = false;
        if (c == '+' || c == '-') {
            negative = c == '-';
            ++pos;
            c = next();
        }
        if (!isDigit(c)) {
            return number;  // "1e" or "1e+": the exponent never started, the number is 1
        }
        long long exponent = 0;
        while (isDigit(c)) {
            exponent = std::min(exponent * 10 + (c - '0'), kExponentLimit);
            ++pos;
            c = next();
        }
        if (negative) {
            exponent = -exponent;
        }
        number.canonical += 'e' + std::to_string(exponent);
        number.decimalPower += exponent;
    }
    return number;
}

double numberOf(const NumberText& number) {
    if (!number.hasDigits) {
        return 0.0;
    }
    double value = 0.0;
    const char* first = number.canonical.data();
    const char* last = first + number.canonical.size();
    const std::errc error = std::from_chars(first, last, value).ec;
    if (error == std::errc::result_out_of_range) {
        const bool negative = number.canonical.front() == '-';
        if (number.decimalPower > 0) {
            constexpr double kInfinity = std::numeric_limits<double>::infinity();
            return negative ? -kInfinity : kInfinity;
        }
        return 0.0;
    }
    if (error != std::errc{} || value == 0.0) {
        return 0.0;  // also turns "-0" into plain 0
    }
    return value;
}

}  // namespace

double leadingNumber(std::string_view text) {
    return numberOf(scanNumber(text, Blanks::Anywhere));
}

double leadingTypedNumber(std::string_view text) {
    return numberOf(scanNumber(text, Blanks::Leading));
}

bool isWholeNumber(std::string_view text) {
    auto isBlank = [](char c) { return isSkippedBlank(c) || c == '\r'; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    std::string_view body = text.substr(begin, end - begin);
    std::size_t pos = 0;
    auto digits = [&]() {
        const std::size_t start = pos;
        while (pos < body.size() && isDigit(body[pos])) {
            ++pos;
        }
        return pos - start;
    };
    if (pos < body.size() && (body[pos] == '+' || body[pos] == '-')) {
        ++pos;
    }
    std::size_t mantissaDigits = digits();
    if (pos < body.size() && body[pos] == '.') {
        ++pos;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (pos < body.size() && (body[pos] == 'e' || body[pos] == 'E')) {
        ++pos;
        if (pos < body.size() && (body[pos] == '+' || body[pos] == '-')) {
            ++pos;
        }
        if (digits() == 0) {
            return false;
        }
    }
    return pos == body.size();
}

}  // namespace zm
