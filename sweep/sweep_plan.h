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

// Where the run tunes point i (from 1): (start - step) + i x step, in that order of
// operations.
double sweepPointMHz(int point, double startMHz, double stepMHz);

// Column 1 of row i: (i - 1) x step + start in general number form, then one space:
// "14 ", "14.05 ".
std::string frequencyLabel(int row, double startMHz, double stepMHz);

// The step list's text ("250 kHz", or "3" typed) as MHz: every " kHz" removed, read as
// typed into a box, / 1000.0.
double stepFromListText(std::string_view text);

// A step as the list shows it: 0.05 MHz is "50 kHz", 0.0025 MHz "2.5 kHz".
std::string stepListText(double stepMHz);

}  // namespace zm
