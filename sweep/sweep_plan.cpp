// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/sweep_plan.h"

#include <cmath>

#include "meter/number_reading.h"
#include "numbers/number_text.h"

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

double sweepPointMHz(int point, double startMHz, double stepMHz) {
    return (startMHz - stepMHz) + point * stepMHz;
}

std::string frequencyLabel(int row, double startMHz, double stepMHz) {
    const double frequencyMHz = static_cast<double>(row - 1) * stepMHz + startMHz;
    return generalNumber(frequencyMHz) + ' ';
}

double stepFromListText(std::string_view text) {
    static constexpr std::string_view kUnit = " kHz";
    std::string number(text);
    for (auto at = number.find(kUnit); at != std::string::npos; at = number.find(kUnit, at)) {
        number.erase(at, kUnit.size());
    }
    return leadingTypedNumber(number) / 1000.0;
}

std::string stepListText(double stepMHz) {
    return generalNumber(stepMHz * 1000.0) + " kHz";
}

}  // namespace zm
