// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/sweep_plan.h"

#include <array>
#include <charconv>
#include <cmath>

#include "meter/number_reading.h"

namespace zm {

std::optional<int> pointCountFor(double startMHz, double stopMHz, double stepMHz) {
    // A step that is zero, negative, infinite or not a number plans nothing: the frequencies
    // would not run upwards from the start (an infinite one makes them NaN from row 1 on).
    if (!(stepMHz > 0.0 && std::isfinite(stepMHz))) {
        return std::nullopt;
    }
    // The default rounding mode rounds halves to the even neighbour: 14.0 to 14.75 in 0.5 MHz
    // steps is 2.5 and gives 2 points. The range check comes before the conversion, so that
    // infinities, NaN and huge spans never reach the integer.
    const double count = std::nearbyint(std::fabs(stopMHz - startMHz) / stepMHz + 1.0);
    if (!(count >= 1.0 && count <= kMaxPointCount)) {
        return std::nullopt;
    }
    return static_cast<int>(count);
}

std::string frequencyLabel(int row, double startMHz, double stepMHz) {
    const double frequencyMHz = static_cast<double>(row - 1) * stepMHz + startMHz;
    return generalNumber(frequencyMHz) + ' ';
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

double stepFromListText(std::string_view text) {
    static constexpr std::string_view kUnit = " kHz";
    std::string number(text);
    for (auto at = number.find(kUnit); at != std::string::npos; at = number.find(kUnit, at)) {
        number.erase(at, kUnit.size());
    }
    return leadingNumber(number) / 1000.0;
}

namespace {

struct CarrierMode {
    std::int16_t code;
    std::string_view name;
};
// In the order of the carrier-mode list.
constexpr std::array<CarrierMode, 3> kCarrierModes{{{2, "CW"}, {4, "AM"}, {9, "FSK"}}};

}  // namespace

std::int16_t carrierModeFor(int listIndex, std::int16_t current) {
    if (listIndex < 0 || listIndex >= static_cast<int>(kCarrierModes.size())) {
        return current;
    }
    return kCarrierModes[static_cast<std::size_t>(listIndex)].code;
}

std::string carrierModeName(std::int16_t carrierMode) {
    for (const CarrierMode& mode : kCarrierModes) {
        if (mode.code == carrierMode) {
            return std::string(mode.name);
        }
    }
    return "none";
}

std::int16_t carrierModeCode(std::string_view name) {
    for (const CarrierMode& mode : kCarrierModes) {
        if (mode.name == name) {
            return mode.code;
        }
    }
    return 0;
}

}  // namespace zm
