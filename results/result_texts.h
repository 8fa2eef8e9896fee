// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "results/sweep_features.h"
#include "results/sweep_record.h"

namespace zm {

// What the chart shows of a point on hover, one line each, the trace's name first:
//
//   Sweep
//   14.175 MHz
//   SWR 1.14
//   Z 57.0 Ω at 0.5°
//   R+jX 57.0 + j0.5 Ω
//   |Γ| 0.066   RL 23.7 dB
//   Pwr 100.0
//   Feedline loss 0.93 dB matched, 1.02 dB total
//   Pwr at the antenna 79.1
//   Settled after 4 readings
//
// A point without a reading says so; a point read from a Touchstone file has neither the
// power line nor the last, which says how the point was taken. The feedline's lines are
// there for a point with a feedline: what the cable loses, and so what reaches the
// antenna of the power the meter reads, taken as the power going into the line.
std::string pointValuesText(const SweepPoint& point, std::string_view traceName);

// The labels of the SWR markers: "SWR 1.14 at 14.175 MHz", "2:1 14.088 – 14.262 MHz,
// 174 kHz, Q 58" with the loaded Q the band gives (or the one edge inside the sweep).
// Nothing for a sweep without a reading.
std::vector<std::string> swrMarkerLines(const SweepFeatures& features);

// The loaded Q of a 2:1 band as the markers show it: "58", "7.5".
std::string loadedQText(double q);

// "Resonance 14.175 MHz, R 57.0 Ω", one line a resonance.
std::vector<std::string> resonanceMarkerLines(const SweepFeatures& features);

}  // namespace zm
