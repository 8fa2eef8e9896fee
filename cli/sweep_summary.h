// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <string>

#include "history/sweep_drift.h"
#include "results/sweep_record.h"

namespace zm {

// One finished sweep as the summary tells of it: the record at the plane it was asked at
// (the markers' plane), and what the record itself does not hold.
struct FinishedSweep {
    std::string bandName;  // empty for a sweep of --start, --stop and --step
    SweepRecord record;
    int plannedPoints = 0;                  // every point of the plan, keyed or not
    std::chrono::duration<double> keyed{};  // how long the transmitter was keyed in all
    // Why a band among others was passed over, nothing of it keyed; empty for a sweep.
    std::string passedOver = {};
    std::string antenna = {};  // the antenna it was swept for
    // Once kept in the history: its number there, its drift, and the reference of its
    // antenna and band (the sweep itself when it is that).
    std::optional<SweepId> historyId = std::nullopt;
    std::optional<SweepDrift> drift = std::nullopt;
    std::optional<StoredSweep> reference = std::nullopt;
};

// What the chart's markers say of the sweep, for a person, one line each after a heading:
//
//   40m · 7.000 – 7.200 MHz (200 kHz) · 2024-05-01 14:03:22
//     SWR 1.21 at 7.085 MHz
//     2:1 7.012 – 7.186 MHz, 174 kHz, Q 58
//     Resonance 7.081 MHz, R 48.2 Ω
//     Keyed 20 of 20 points, 26.4 s
//     Kept in the history as sweep 12
//     40m dipole, 40m: resonance 7.085 MHz, 22 kHz below the reference of 2 Oct 2026; ...
//
// "2:1 none" and "Resonance none" where there is none; a sweep without a reading says only
// that, and how many points were keyed; one at the antenna whose every point lies beyond
// the feedline's loss, "Keyed 6 of 6 points; none has a value at the antenna: each read
// more reflection than 20 m of RG-58 can return (7.2 s)"; a band passed over, "Passed over:"
// and why.
std::string summaryText(const FinishedSweep& sweep);

// The same for a script: one JSON object on one line, the numbers rounded as the markers
// show them, null for what the sweep does not have:
//
//   {"band":"40m","start_mhz":7.000,"stop_mhz":7.200,"taken":"2024-05-01 14:03:22",
//    "lowest_swr":1.21,"lowest_swr_mhz":7.085,"above_ceiling":false,
//    "swr2_band":"7.012 – 7.186 MHz","swr2_low_mhz":7.012,"swr2_high_mhz":7.186,
//    "swr2_width_khz":174,"q":58,"resonances":[{"mhz":7.081,"r_ohm":48.2}],
//    "keyed_points":20,"points":20,"keyed_s":26.4,"passed_over":null,
//    "antenna":"40m dipole","history_id":12,
//    "reference":{"history_id":3,"taken":"2026-10-02T14:03:22+02:00","lowest_swr_mhz":7.107,
//                 "lowest_swr":1.18,"resonances":[{"mhz":7.107,"r_ohm":50.2}]},
//    "drift":{"lowest_swr_khz":-20,"resonance_khz":-22,"lowest_swr":0.24,
//             "beyond":["resonance"],"plane":"meter","from_mhz":7,"to_mhz":7.2,"differs":[]}}
//
// swr2_band is the markers' text of the 2:1 band ("from 7.012 MHz up", "across the whole
// sweep"); an edge past an end of the sweep is null, as the width and Q are then. A sweep
// whose every SWR lies above the scales has no lowest SWR nor its frequency (null), and
// above_ceiling true. A band passed over has its reason in passed_over. A sweep not kept in
// the history has history_id, reference and drift null; the reference sweep itself, and one
// that shares no frequency with its reference, drift null. The reference is read over the
// span and at the plane the two were compared at.
std::string summaryJson(const FinishedSweep& sweep);

}  // namespace zm
