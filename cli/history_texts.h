// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <set>
#include <string>
#include <vector>

#include "history/history_store.h"

namespace zm {

// The history for a person, as the History window's table shows it, columns lined up:
//
//   ID  Taken             Antenna     Band  Lowest SWR  at          2:1 width  Resonance   Points
//   Ended      Reference 12  2026-10-02 14:03  40m dipole  40m   1.18        7.085 MHz   174
//   kHz    7.081 MHz   20      completed  yes
//
// The 2:1 width is "none" when the lowest SWR is not under 2.0, and "past the sweep" when the
// band runs past an end of it; the resonance is the one nearest the lowest SWR.
std::string listText(const std::vector<SweepSummary>& sweeps, const std::set<SweepId>& references);

// zm480-history trend, a line a sweep, with its drift from the reference:
//
//   ID  Taken             Lowest SWR  at          2:1 width  Resonance   R       Drift
//   3   2026-10-02 14:03  1.18        7.085 MHz   174 kHz    7.107 MHz   50.2 Ω  reference
//   9   2026-10-09 14:05  1.42        7.065 MHz   160 kHz    7.085 MHz   47.9 Ω  resonance -22 kHz,
//   SWR +0.24: beyond the limits
std::string trendText(const std::vector<HistoryStore::TrendPoint>& trend);

// "12 (40m dipole, 40m, 2 Oct 2026)": a sweep as a message names it.
std::string sweepName(const StoredSweep& sweep);

}  // namespace zm
