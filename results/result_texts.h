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
// Nothing for a sweep without a reading; for one whose every SWR lies above the scales,
// "SWR above 10 everywhere" alone, not where its first 99.9 is.
std::vector<std::string> swrMarkerLines(const SweepFeatures& features);

// What a table's lowest-SWR cell says of such a sweep: "above 10".
std::string swrAboveScaleCell();

// The loaded Q of a 2:1 band as the markers show it: "58", "7.5".
std::string loadedQText(double q);

// "Resonance 14.175 MHz, R 57.0 Ω", one line a resonance.
std::vector<std::string> resonanceMarkerLines(const SweepFeatures& features);

// One row of a report's marker table, the values written as the chart's markers write
// them; a cell is empty where the trace has nothing to say:
//   lowestSwr "1.14" (or "above 10", atMHz then empty), atMHz "14.175", band "14.088 – 14.262 MHz"
//   (or "from 14.088 MHz up", "up to 14.262 MHz", "across the whole sweep"), widthKHz "174", q
//   "58", resonances "14.167 (R 49.6 Ω)", the first three, then "and 2 more resonances".
struct MarkerCells {
    std::string lowestSwr;
    std::string atMHz;
    std::string band;
    std::string widthKHz;
    std::string q;
    std::string resonances;
};
MarkerCells markerCells(const SweepFeatures& features);

// What a picture's title says of a sweep: its band and span, when it was taken, the antenna,
// the radio: "14.000 – 14.350 MHz (350 kHz) · 2024-05-01 14:03:22 · 20m dipole · Icom
// IC-7300". The time, the antenna and the radio are left out when empty.
std::string sweepTitle(const SweepNotes& notes, std::string_view radio);

}  // namespace zm
