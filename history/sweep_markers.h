// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <vector>

#include "results/sweep_features.h"
#include "results/sweep_record.h"

namespace zm {

// What the markers answer of a sweep at one plane: the lowest SWR and its frequency, the 2:1
// edges (and so the width), every resonance with its R, and each resonance's Q.
struct SweepMarkers {
    SweepFeatures features;
    // One a resonance, in the same order: the Q that the reactance's slope gives there,
    // Q = f0 / (2 R) |dX/df| (for the dipole of zm480-sim about 44), none where R is not
    // above 0 or the resonance has no measured point on each side.
    std::vector<std::optional<double>> resonanceQ;
};

SweepMarkers markersOf(const SweepRecord& record);

// The resonance a user means by "the resonance": the one nearest the lowest SWR, as the
// Bands window's table names it; none without either.
std::optional<Resonance> mainResonance(const SweepFeatures& features);

// The first and the last frequency with a reading; none without a reading.
struct ReadSpan {
    double fromHz = 0.0;
    double toHz = 0.0;
    friend bool operator==(const ReadSpan&, const ReadSpan&) = default;
};
std::optional<ReadSpan> readSpanOf(const SweepRecord& record);

// The record's points from fromHz to toHz, both included.
SweepRecord recordWithin(const SweepRecord& record, double fromHz, double toHz);

}  // namespace zm
