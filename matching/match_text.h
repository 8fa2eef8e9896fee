// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <complex>
#include <string>

#include "matching/l_network.h"

namespace zm {

// The matching networks of a point as text to copy, for another program or a check by
// hand: a line naming the point, then one network a line, its components in order from the
// transmitter to the antenna, a shunt component across the line at its place:
//
//   14.050 MHz: 64.2 - j87.5 ohm
//   series L 925 nH, shunt C 16.7 pF
//   series C 139 pF, shunt L 693 nH
//
// A point within SWR 1.05 gets a line saying it needs none, one that cannot be matched a
// line saying why.
std::string matchText(double frequencyHz, std::complex<double> loadOhms, const MatchResult& match);

// "14.050 MHz: 64.2 - j87.5 ohm"
std::string matchPointLine(double frequencyHz, std::complex<double> loadOhms);

// "shunt C 456 pF, series L 1.23 uH": values to three significant figures in pF or nF,
// nH or uH.
std::string networkLine(const LNetwork& network, double frequencyHz);

// What the match window lists of a network: its form and each component's reactance,
// "low-pass: series L 1.23 uH (+j108 Ω), shunt C 456 pF (-j24.9 Ω)".
std::string networkDescription(const LNetwork& network, double frequencyHz);

// The line that stands in for the networks when there are none to list.
std::string verdictLine(std::complex<double> loadOhms, const MatchResult& match);

}  // namespace zm
