// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/auto_scale.h"

#include <array>
#include <cmath>

namespace zm {

namespace {

constexpr double kTargetDivisions = 5.0;
constexpr double kPaddingOfSpan = 0.02;
constexpr double kPaddingOfFlatValue = 0.1;

double roundStep(double rawStep) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(rawStep)));
    for (const double factor : std::array{1.0, 2.0, 2.5, 5.0}) {
        if (rawStep <= factor * magnitude * (1.0 + 1e-9)) {
            return factor * magnitude;
        }
    }
    return 10.0 * magnitude;
}

}  // namespace

AxisRange autoScaleRange(double lowest, double highest) {
    if (!std::isfinite(lowest) || !std::isfinite(highest) || lowest > highest ||
        (lowest == 0.0 && highest == 0.0)) {
        return {};
    }
    double low = lowest;
    double high = highest;
    if (low == high) {
        const double pad = std::fabs(low) * kPaddingOfFlatValue;
        low -= pad;
        high += pad;
    } else {
        const double pad = (high - low) * kPaddingOfSpan;
        low = (lowest >= 0.0 && low - pad < 0.0) ? 0.0 : low - pad;
        high = (highest <= 0.0 && high + pad > 0.0) ? 0.0 : high + pad;
    }
    const double step = roundStep((high - low) / kTargetDivisions);
    if (!std::isfinite(step) || step <= 0.0) {
        return {lowest, highest, 1};  // beyond what a double can divide evenly
    }
    AxisRange range;
    range.minimum = std::floor(low / step) * step;
    range.maximum = std::ceil(high / step) * step;
    range.majorDivisions = static_cast<int>(std::lround((range.maximum - range.minimum) / step));
    return range;
}

}  // namespace zm
