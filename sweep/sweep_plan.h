// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zm {

// The largest plan the 16-bit point counter can run through.
inline constexpr int kMaxPointCount = 32766;

// The plan of the next sweep, frequencies in MHz.
struct SweepPlan {
    double StartFreq = 0.0;
    double StopFreq = 0.0;
    double StepFreq = 0.0;
    std::int16_t PointCount = 0;
    std::int16_t CarrierMode = 0;  // the rig's mode code: 2 CW, 4 AM, 9 FSK; 0 until chosen
};

// |stop - start| / step + 1, rounded to the nearest whole number, halves to even.
// Empty when that is not a number from 1 to kMaxPointCount.
std::optional<int> pointCountFor(double startMHz, double stopMHz, double stepMHz);

// Column 1 of row i: (i - 1) x step + start in general number form, then one space:
// "14 ", "14.05 ".
std::string frequencyLabel(int row, double startMHz, double stepMHz);

// General number form: at most 15 significant digits, no trailing zeros, no trailing
// point ("14", "14.05", "0.1").
std::string generalNumber(double value);

// The step list's text ("250 kHz") as MHz: every " kHz" removed, read, / 1000.0.
double stepFromListText(std::string_view text);

// The rig's mode code for a carrier-mode list position: 0 "CW" -> 2, 1 "AM" -> 4,
// 2 "FSK" -> 9; any other position leaves the current code.
std::int16_t carrierModeFor(int listIndex, std::int16_t current);

// The list's name of a mode code: 2 "CW", 4 "AM", 9 "FSK"; "none" before one is chosen.
std::string carrierModeName(std::int16_t carrierMode);
// The mode code of a list name, as carrierModeName gives it: "CW" -> 2; 0 for any other.
std::int16_t carrierModeCode(std::string_view name);

}  // namespace zm
