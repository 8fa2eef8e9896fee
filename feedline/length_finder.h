// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <variant>

#include "feedline/cable_list.h"
#include "results/sweep_record.h"

namespace zm {

// How the far end of the cable was left for the sweep that measures it.
enum class FarEnd { Open, Shorted };

// The length that fits a sweep of the cable best. The electrical length is the one a wave
// in free space would take; the cable's own length is that times its velocity factor, the
// length_m that makes the program turn readings exactly as the cable does.
struct LengthFit {
    double electricalLengthM = 0.0;
    double lengthM = 0.0;
    double rmsPhaseError = 0.0;  // of the fit against the sweep, radians
};

// The longest cable the finder looks for, electrically: 330 m of RG-58.
inline constexpr double kLongestElectricalM = 500.0;
// The largest rms phase error of a fit that explains the readings. A meter's noise, 2 % of
// |Z| and a degree of phase, leaves less than 5 degrees on a 200 m cable, whose far readings
// are nearly matched; a sweep too coarse for its cable, or of another load, leaves 30.
inline constexpr double kMostRmsPhaseErrorDegrees = 10.0;

// Fits the sweep (at the meter) of the cable with nothing but its far end at the other end:
// the length whose open or short, seen through the cable, gives the phases of the
// reflection nearest to those of the sweep, each weighted by the size of its reflection
// (a nearly matched reading's phase is mostly noise); the size itself is the cable's loss,
// which the datasheet knows less well than a tape measure knows the length. The readings
// are taken in the order of their frequencies.
//
// Refused, with why and what to sweep for the user, in the sweep's own terms, for:
//   - fewer than two readings;
//   - no length that explains the readings: the rms phase error above the bound (a far end
//     that is neither open nor shorted, another cable, or a cable too long for the step);
//   - a best length longer than the sweep's step can tell: beyond c / (4 step) the readings
//     turn by more than half a circle from point to point;
//   - two lengths that fit about as well: every half wavelength longer gives the same
//     readings at one frequency, and only a wider band, or a finer step, tells them apart.
std::variant<LengthFit, std::string> findLength(const SweepRecord& sweep, const Cable& cable,
                                                FarEnd farEnd);

}  // namespace zm
