// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "history/sweep_entry.h"
#include "station/station_file.h"

namespace zm {

// A sweep against an earlier one of the same antenna and band, both at one plane and over
// the frequencies both read: the plane the sweep was shown at when both have the same
// feedline, the antenna when the feedline differs, which is the only plane two feedlines
// share.
struct SweepComparison {
    SweepId otherId = 0;
    SweepTime otherTaken;
    Plane plane = Plane::Meter;
    double fromHz = 0.0;
    double toHz = 0.0;
    bool planDiffers = false;      // start, stop, step or points
    bool feedlineDiffers = false;  // its cable or length, or one has none
    bool planeDiffers = false;     // the other was shown at the other plane
    SweepFeatures sweep;           // at `plane`, from fromHz to toHz
    SweepFeatures other;

    // The sweep's less the other's: the main resonances (see mainResonance) and the lowest
    // SWRs' frequencies in kHz, the lowest SWRs; none where either lacks it.
    std::optional<double> resonanceKHz() const;
    std::optional<double> lowestSwrKHz() const;
    std::optional<double> lowestSwrChange() const;
};

// The two as the markers kept with them say, when both were shown at the same plane behind the
// same feedline and read the same span, which is what compareSweeps then finds too; none
// otherwise, when only their points can tell.
std::optional<SweepComparison> compareByMarkers(const StoredSweep& sweep, const StoredSweep& other);

// The two at a common plane and span, from their points where the markers cannot tell; none,
// with why for the user, when they have no frequency in common or no plane can hold both.
std::optional<SweepComparison> compareSweeps(const StoredSweep& sweep, const StoredSweep& other,
                                             std::string& whyNot);

// What has drifted beyond station.ini's [history] limits against the reference, by the names
// zm480-sweep's JSON gives them: "resonance", "lowest_swr".
std::vector<std::string> driftBeyond(const SweepComparison& againstReference,
                                     const HistorySettings& limits);

// A sweep against the reference of its antenna and band and against the sweep before it.
struct SweepDrift {
    bool isReference = false;  // the sweep is the reference itself
    std::optional<SweepComparison> reference;
    std::string referenceGap;  // why there is no comparison with the reference, for the user
    std::optional<SweepComparison> previous;
    std::vector<std::string> beyond;
    // What the window says above the chart, on one line:
    //   40m dipole, 40m: resonance 7.085 MHz, 22 kHz below the reference of 2 Oct 2026;
    //   lowest SWR 1.42, reference 1.18
    // with the previous sweep after it, what was compared where the plans, feedlines or
    // planes differ, and what has drifted beyond which limit.
    std::string line;
};

// `reference` and `previous` may be none, or the sweep itself for a reference.
SweepDrift driftOf(const StoredSweep& sweep, const StoredSweep* reference,
                   const StoredSweep* previous, const HistorySettings& limits);

}  // namespace zm
