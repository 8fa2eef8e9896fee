// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "bandplan/band_plan.h"
#include "feedline/transmission_line.h"
#include "history/sweep_markers.h"
#include "history/sweep_time.h"
#include "results/sweep_record.h"
#include "sweep/sweep_plan.h"

namespace zm {

// A sweep's number in the history, as zm480-history and the JSON summary name it.
using SweepId = std::int64_t;

// How a sweep ended: as the sweep engine tells it, for the sweeps that keyed a point.
struct SweepEnding {
    enum class How { Completed, Asked, Stopped, Failed };
    How how = How::Completed;
    // Why it stopped, as the user was told ("The meter stopped answering: ..."); empty when it
    // completed or the stop was asked for.
    std::string why = {};

    friend bool operator==(const SweepEnding&, const SweepEnding&) = default;
};

// "completed", "stopped: asked", "stopped: The meter stopped answering ...".
std::string endingText(const SweepEnding& ending);

// One finished sweep as a front end hands it to the history: what the engine reported, and
// what stood around it.
struct SweepEntry {
    std::string antenna = {};  // by name; a name the history does not know yet is added
    // The band of the plan in force that the sweep lies in (see bandHolding); empty: none.
    std::string band = {};
    std::string bandPlan = {};  // the plan's key, "iaru1"
    // Start, stop and step (MHz), its point count and its carrier mode. The record's notes are
    // read back as the plan and the time taken say.
    SweepPlan plan = {};
    bool bandPoints = false;  // planned as a band's points (Sweep my bands, --band), not a step
    std::optional<Feedline> feedline = std::nullopt;
    Plane shownPlane = Plane::Meter;
    SweepEnding ending = {};
    int keyedPoints = 0;  // the engine's key-downs
    // How long the transmitter was keyed; none: as the points were taken (see
    // keyedSecondsOf).
    std::optional<double> keyedSeconds = std::nullopt;
    // None: the time of the record's notes, the local time of its first point, else now.
    std::optional<SweepTime> taken = std::nullopt;
    // The file a sweep was imported from; empty for one swept.
    std::string importedFrom = {};
    // Every point as the sweep left it, at the record's plane: the meter's, as the engine
    // keeps it, or a file's.
    SweepRecord record = {};
};

// A sweep as the history holds it.
struct StoredSweep {
    SweepId id = 0;
    SweepEntry entry;                   // its time and keyed seconds always given
    bool marked = false;                // marked as the reference of its antenna and band
    SweepMarkers markers;               // at the plane it was shown at
    std::optional<ReadSpan> shownSpan;  // of the readings at that plane
};

// One line of the history's list, without the points: what the History window's table and
// `zm480-history list` show.
struct SweepSummary {
    SweepId id = 0;
    SweepTime taken;
    std::string antenna;
    std::string band;
    SweepPlan plan;
    Plane shownPlane = Plane::Meter;
    SweepEnding ending;
    int points = 0;  // with a reading
    int keyedPoints = 0;
    bool marked = false;
    SweepMarkers markers;
};

// The sweep at the plane it was shown at, as its files are written.
SweepRecord recordAsShown(const SweepEntry& entry);

// The band of `plan` that holds most of the record's readings (the band plan lets a carrier
// go nowhere else); empty when none does.
std::string bandHolding(const BandPlan& plan, const SweepRecord& record);

// The seconds a sweep's points kept the transmitter keyed, as they were taken: 1.2 s at the
// fixed wait (1.0 s, and the meter's 0.2 s answer), 0.2 s a reading while settling; a point
// that does not say, as a file's, counts as the fixed wait when it has a reading.
double keyedSecondsOf(const SweepRecord& record);

}  // namespace zm
