// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <vector>

#include "results/sweep_record.h"

namespace zm {

// The SWR that bounds the band a user calls matched.
inline constexpr double kBandEdgeSwr = 2.0;
// The top of the highest SWR scale the charts show. A sweep whose lowest SWR lies above it
// has no dip to show: an antenna swept outside its band, where the meter reads its ceiling,
// 99.9, at every point.
inline constexpr double kHighestShownSwr = 10.0;

struct SwrMinimum {
    double frequencyHz = 0.0;
    double swr = 0.0;
};

// Where the phase changes sign: the reactance passes through zero.
struct Resonance {
    double frequencyHz = 0.0;
    double resistanceOhms = 0.0;
};

// What a user looks for in a sweep, from the points that have a reading, with straight
// lines between neighbouring points:
//   - the lowest SWR measured, at its point;
//   - the 2:1 band around it: the nearest crossings of SWR 2.0 below and above it, each
//     missing when the band runs past that end of the sweep, both when the minimum is
//     above 2.0;
//   - every resonance.
struct SweepFeatures {
    std::optional<SwrMinimum> swrMinimum;
    std::optional<double> lowerEdgeHz;
    std::optional<double> upperEdgeHz;
    std::vector<Resonance> resonances;

    std::optional<double> bandwidthKHz() const;
    // Whether every reading's SWR lies above kHighestShownSwr.
    bool swrAboveScaleEverywhere() const {
        return swrMinimum && swrMinimum->swr > kHighestShownSwr;
    }
    // The loaded Q of a single resonance matched at the middle f0 of the band, from the
    // band's width BW at SWR s = 2.0: Q = (s - 1) / sqrt(s) x f0 / BW. None without both
    // edges.
    std::optional<double> loadedQ() const;
};

SweepFeatures findFeatures(const SweepRecord& record);

}  // namespace zm
