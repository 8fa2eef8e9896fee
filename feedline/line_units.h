// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace zm {

// The units the Feedline dialog takes. Lengths and losses are kept in metres and in dB per
// 100 m; these are the one place where feet are turned into them, once.
enum class LengthUnit { Metre, Foot };

inline constexpr double kMetresPerFoot = 0.3048;

constexpr double metresFrom(double length, LengthUnit unit) {
    return unit == LengthUnit::Foot ? length * kMetresPerFoot : length;
}

constexpr double lengthIn(double metres, LengthUnit unit) {
    return unit == LengthUnit::Foot ? metres / kMetresPerFoot : metres;
}

// dB per 100 ft is more dB per 100 m: 100 m hold 328 ft.
constexpr double dbPer100mFrom(double loss, LengthUnit per100) {
    return per100 == LengthUnit::Foot ? loss / kMetresPerFoot : loss;
}

constexpr double lossIn(double dbPer100m, LengthUnit per100) {
    return per100 == LengthUnit::Foot ? dbPer100m * kMetresPerFoot : dbPer100m;
}

}  // namespace zm
