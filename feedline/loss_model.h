// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

namespace zm {

// One figure of a datasheet: a cable's matched loss at a frequency.
struct LossPoint {
    double frequencyMHz = 0.0;
    double dbPer100m = 0.0;
};

// A cable's matched loss as k1 sqrt(f) + k2 f, dB per 100 m with f in MHz: the skin effect
// of the conductors grows with sqrt(f), the dielectric's loss with f.
struct LossModel {
    double k1 = 0.0;
    double k2 = 0.0;

    double dbPer100m(double frequencyMHz) const;
    // The two parts apart, for the line's characteristic impedance.
    double conductorDbPer100m(double frequencyMHz) const;
    double dielectricDbPer100m(double frequencyMHz) const;
};

// The model nearest to the points in relative terms (a datasheet's 0.4 dB at 1 MHz counts
// as much as its 20 dB at 1 GHz), with neither part below 0. One point, or points at a
// single frequency, give the conductor's part alone. No points give a lossless line.
LossModel fitLossModel(const std::vector<LossPoint>& points);

}  // namespace zm
