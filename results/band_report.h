// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "results/sweep_record.h"

namespace zm {

// One band of a "Sweep my bands..." run: its name in the band plan and its sweep.
struct BandResult {
    std::string bandName;
    SweepRecord record;
};

// The Bands window's table, one row a band, each cell as the window shows it:
//
//   Band  Lowest SWR  at         2:1 width  Resonance  Q
//   40m   1.21        7.085 MHz  174 kHz    7.081 MHz  58
//   15m   2.64        21.450 MHz none       none       –
//   80m   above 10    –          none       none       –
//
// The 2:1 width is "≥ 120 kHz" when the band with SWR under 2.0 runs past an end of the
// sweep and "whole band" when it runs past both. The resonance is the one nearest the lowest
// SWR. A band whose SWR lies above the scales everywhere says so, not where its first 99.9 is.
inline constexpr std::array<std::string_view, 6> kBandReportHeadings{
    "Band", "Lowest SWR", "at", "2:1 width", "Resonance", "Q"};
using BandReportRow = std::array<std::string, kBandReportHeadings.size()>;

BandReportRow bandReportRow(const BandResult& band);

// The headings and the rows as text in the table's layout: columns lined up with blanks,
// one line a row.
std::string bandReportText(const std::vector<BandReportRow>& rows);

// The top of the SWR scale that every band's panel shares: the smallest of 3, 5 and 10 that
// shows the lowest SWR of every band with room above it, leaving out the bands whose lowest
// SWR not even 10 shows; 10 when that leaves none.
double sharedSwrTop(const std::vector<BandResult>& bands);

}  // namespace zm
