// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A plan's grid over a simulated antenna's model, read as the window reads the meter, and
// the refine rule run over it: for the refine rule's tests and bench-refine.

#include <cmath>
#include <numbers>
#include <vector>

#include "meter/meter_record.h"
#include "sim/antenna_choice.h"
#include "sim/meter_record_builder.h"
#include "sweep/refine_rule.h"

namespace zm::test {

// What the window takes from the meter's 43 characters for the antenna at a frequency:
// Z and phase to a tenth, SWR to a hundredth.
inline RefineReading meterReadingOf(const sim::LoadModel& antenna, double frequencyMHz) {
    const sim::LoadReading load = sim::readingOf(antenna(frequencyMHz));
    const MeterReading meter =
        parseMeterRecord(sim::buildMeterRecord({100.0, load.zOhms, load.phaseDegrees, load.swr}));
    return {meter.SWR.toDouble(), std::polar(*meter.Z, *meter.Phase * std::numbers::pi / 180.0)};
}

// The plan's grid, every point keyed: the full sweep. Point i is at i x step + start, as
// the plan has it.
inline std::vector<RefinePoint> fullGrid(const sim::LoadModel& antenna, double startMHz,
                                         double stepMHz, int points) {
    std::vector<RefinePoint> grid(static_cast<std::size_t>(points));
    for (int i = 0; i < points; ++i) {
        grid[static_cast<std::size_t>(i)].reading = meterReadingOf(antenna, i * stepMHz + startMHz);
    }
    return grid;
}

struct RefineRun {
    int keyDowns = 0;
    bool keyedAgainOrClosed = false;  // the rule asked for a point it must never ask for
};

// Keys what the rule asks for, with the full grid's readings, into `keyed` (its closed
// points stay closed), until the rule asks for nothing more.
inline RefineRun refineOver(const std::vector<RefinePoint>& full, std::vector<RefinePoint>& keyed) {
    RefineRun run;
    while (const auto next = nextPointToKey(keyed)) {
        RefinePoint& point = keyed.at(static_cast<std::size_t>(*next));
        if (point.reading || !point.keyable) {
            run.keyedAgainOrClosed = true;
            break;
        }
        point.reading = full[static_cast<std::size_t>(*next)].reading;
        ++run.keyDowns;
    }
    return run;
}

}  // namespace zm::test
