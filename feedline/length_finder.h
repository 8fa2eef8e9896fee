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

// The longest cable the finder looks for, electrically.
inline constexpr double kLongestElectricalM = 1000.0;

// Fits the sweep (at the meter) of the cable with nothing but its far end at the other end:
// the length whose open or short, seen through the cable, gives the phases of the
// reflection nearest to those of the sweep; their size is the cable's loss, which the
// datasheet knows less well than a tape measure knows the length. Refused, with why for the user,
// for a sweep of fewer than two readings, and for one too narrow to tell two lengths apart: every
// half wavelength longer gives the same readings at one frequency, and only a wider band tells them
// apart.
std::variant<LengthFit, std::string> findLength(const SweepRecord& sweep, const Cable& cable,
                                                FarEnd farEnd);

}  // namespace zm
