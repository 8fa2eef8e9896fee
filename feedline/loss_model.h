// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

namespace zm {

// One figure of a datasheet: a cable's matched loss at a frequency.
struct LossPoint {
    double frequencyMHz = 0.0;
    double dbPer100m = 0.0;
};

// A cable's matched loss, dB per 100 m with f in MHz. Between two of its figures it is read
// on the straight line through them in log-log terms, so that every figure holds as the
// sheet prints it (a sheet's figures do not follow any two-term law closely: a steel-cored
// conductor, a window line's wet and dry spacers). Below the lowest figure and above the
// highest it goes on with the shape of k1 sqrt(f) + k2 f fitted to them all, which is the
// skin effect's sqrt(f) towards the lowest frequencies. Without figures it is that fit alone.
//
// The fit also tells the two parts apart, for the line's characteristic impedance: the skin
// effect of the conductors grows with sqrt(f), the dielectric's loss with f.
struct LossModel {
    double k1 = 0.0;
    double k2 = 0.0;
    std::vector<LossPoint> figures;  // frequencies rising, each once; may be empty

    double dbPer100m(double frequencyMHz) const;
    // The two parts apart, in the shares the fit gives them at that frequency.
    double conductorDbPer100m(double frequencyMHz) const;
    double dielectricDbPer100m(double frequencyMHz) const;

private:
    double fitted(double frequencyMHz) const;
    double conductorShare(double frequencyMHz) const;
};

// The model of the points: the points themselves, sorted, those at one frequency taken as
// one (their geometric mean), and the fit nearest to them in relative terms (a datasheet's
// 0.4 dB at 1 MHz counts as much as its 20 dB at 1 GHz), with neither part below 0. One
// point, or points at a single frequency, give the conductor's part alone: sqrt(f) through
// that point. Points that are not above 0 are left out; no points give a lossless line.
LossModel fitLossModel(const std::vector<LossPoint>& points);

}  // namespace zm
