// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/grid_row.h"
#include "meter/meter_poll.h"
#include "results/sweep_record.h"

namespace zm {

// How a sweep ended. Nothing is keyed before the radio is ready, so a sweep that ends
// NothingToSweep or NotReady has keyed nothing.
enum class SweepEnd {
    Completed,       // every point of the plan taken, or skipped for the band plan
    Asked,           // Escape, the close button, a stop signal: no message
    NothingToSweep,  // no point of the plan lies inside the band plan; nothing was sent
    NotReady,        // the meter gave no record, the radio is claimed by another sweep,
                     // rigctld is held up, the radio, rigctld or the PTT guard did not
                     // answer before the first point
    Stopped,         // stopped mid-sweep: no power, the ceiling, the meter, the radio or
                     // rigctld failed
    Failed,          // a fault of the program itself
};

// The record of a sweep before its first point. A refined sweep's holds every point of the
// plan in order, each not needed (or outside the band plan) until it is keyed, and its
// rows of the grid are emptied in the plot mode's columns.
struct SweepBegun {
    SweepRecord record;
    std::vector<GridRow> rows;
    int pointsToKey = 0;  // of the plan, inside the band plan: the most the sweep keys
};

// Each answer of the meter while keyed, as the live readout shows it, and where the radio
// was tuned for it.
struct MeterRead {
    MeterAnswer answer;
    std::optional<double> tunedMHz;
};

// A point taken, or skipped because the band plan lets no carrier go there.
struct PointDone {
    int point = 0;  // of the plan, from 1
    SweepPoint swept;
    GridRow row;
};

// Point `point` (from 1) into a record kept as the sweep keeps its own: in its place in a
// refined sweep's, which holds every point from the start, else after the last.
void placePoint(SweepRecord& record, int point, SweepPoint swept);

struct SweepOutcome {
    SweepEnd end = SweepEnd::Completed;
    // What the user is told, in words that say what to do; empty when it completed or the
    // stop was asked for.
    std::string message = {};
    // As the sweep leaves it, once it began: a refined sweep that stopped leaves the points
    // it did not reach unmarked, so that the curve breaks there.
    std::optional<SweepRecord> record = std::nullopt;
    // A refined sweep's count on a line after the band plan's notice: "Keyed 14 of 101
    // points".
    std::string keyedNotice = {};
    int keyDowns = 0;
    std::optional<double> tunedMHz = std::nullopt;  // where the sweep last tuned the radio
    // The program's rigctld ended under the sweep, and the message says so.
    bool rigctldEnded = false;
};

// What a sweep tells whoever shows it, in order: the band plan's notice (before anything is
// sent to the radio), the record begun, every meter reading and every point, and the
// outcome, last and always, whatever ended the sweep. Called on the sweep's thread; a
// window on another thread passes each on to its own.
class SweepReports {
public:
    virtual ~SweepReports() = default;
    // How many points the band plan leaves out: "2 of 5 points lie outside the bands of
    // IARU Region 1 (shaded): they are not keyed."; empty when none.
    virtual void bandPlanNotice(const std::string& notice) = 0;
    virtual void sweepBegun(const SweepBegun& begun) = 0;
    virtual void meterRead(const MeterRead& read) = 0;
    virtual void pointDone(const PointDone& done) = 0;
    virtual void sweepEnded(const SweepOutcome& outcome) = 0;
};

}  // namespace zm
