// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include "history/history_store.h"

namespace zm {

// The history for a script, one JSON object a line, the numbers rounded as the markers show
// them, null for what a sweep does not have.

// A sweep of zm480-history list:
//   {"history_id":12,"taken":"2026-10-02T14:03:22+02:00","antenna":"40m dipole","band":"40m",
//    "start_mhz":7,"stop_mhz":7.2,"plane":"antenna","ended":"completed","stopped_why":null,
//    "points":20,"keyed_points":20,"reference":true,"lowest_swr":1.21,"lowest_swr_mhz":7.085,
//    "swr2_low_mhz":7.012,"swr2_high_mhz":7.186,"swr2_width_khz":174,
//    "resonances":[{"mhz":7.081,"r_ohm":48.2,"q":12.3}]}
// "band" is null for a sweep in no band; "reference" says whether it is its antenna and
// band's reference, marked or the first.
std::string summaryJson(const SweepSummary& sweep, bool isReference);

// A sweep of zm480-history trend: its number, time, the trend's values and its drift from the
// reference, null for the reference itself or a sweep that could not be compared:
//   {"history_id":13,"taken":"...","reference":false,"lowest_swr":1.42,
//    "lowest_swr_mhz":7.065,"swr2_width_khz":160,"resonances":[...],"drift":{...}}
std::string trendJson(const HistoryStore::TrendPoint& point);

// What the sweep was compared with, and how far it has drifted from it, as zm480-sweep's
// summary gives them:
//   "reference": {"history_id":3,"taken":"...","lowest_swr_mhz":7.085,"lowest_swr":1.18,
//                 "resonances":[{"mhz":7.107,"r_ohm":50.2}]}
//   "drift": {"lowest_swr_khz":-20,"resonance_khz":-22,"lowest_swr":0.24,
//             "beyond":["resonance"],"plane":"meter","from_mhz":7,"to_mhz":7.2,"differs":[]}
// Both are at the plane and over the span the two were compared at ("differs" names what
// made that needed: "plan", "feedline", "plane").
std::string referenceJson(const SweepComparison& comparison);
// The same of a sweep as its own markers read it: the reference itself, or one that could not
// be compared.
std::string referenceJson(SweepId id, const SweepTime& taken, const SweepFeatures& features);
std::string driftJson(const SweepComparison& comparison, const std::vector<std::string>& beyond);

}  // namespace zm
