// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Sweeps for the history's tests: the simulated station's 20 m dipole, its resonance moved
// as weather moves it, read at the meter directly or behind a feedline.

#include <cmath>
#include <filesystem>
#include <optional>
#include <string>

#include "feedline/transmission_line.h"
#include "history/sweep_entry.h"
#include "results/impedance.h"
#include "sim/antenna_model.h"

namespace zm::test {

// 20 m of RG-58 as the cable list has it.
inline Feedline rg58(double metres = 20.0) {
    Cable cable{"RG-58", 50.0,
                0.66,    {{1.0, 1.31}, {10.0, 4.59}, {50.0, 10.8}, {100.0, 16.1}},
                {},      "Belden 8240 RG-58/U"};
    cable.loss = fitLossModel(cable.datasheet);
    return {cable, metres};
}

struct DipoleSweep {
    double startMHz = 14.0;
    double stopMHz = 14.35;
    double stepMHz = 0.01;
    double shiftKHz = 0.0;                            // the resonance moved up by this much
    double addedOhms = 0.0;                           // a lossier antenna: its SWR higher
    std::optional<Feedline> feedline = std::nullopt;  // between the dipole and the meter
    Plane shownPlane = Plane::Meter;
    SweepTime taken{1790000000, 120};
    std::string antenna = "20m dipole";
    std::string band = "20m";
};

// The sweep's points as the meter reads them, with the meter's resolution.
inline SweepEntry dipoleEntry(const DipoleSweep& sweep) {
    SweepEntry entry;
    entry.antenna = sweep.antenna;
    entry.band = sweep.band;
    entry.bandPlan = "iaru1";
    const int points =
        static_cast<int>(std::lround((sweep.stopMHz - sweep.startMHz) / sweep.stepMHz)) + 1;
    entry.plan = {sweep.startMHz, sweep.stopMHz, sweep.stepMHz, static_cast<std::int16_t>(points),
                  2};
    entry.feedline = sweep.feedline;
    entry.shownPlane = sweep.shownPlane;
    entry.keyedPoints = points;
    entry.taken = sweep.taken;
    entry.record.notes = {"", sweep.startMHz, sweep.stopMHz, sweep.stepMHz, 2};
    for (int i = 0; i < points; ++i) {
        const double mhz = sweep.startMHz + i * sweep.stepMHz;
        const sim::Impedance antenna = sim::dipoleImpedance(mhz - sweep.shiftKHz / 1000.0);
        std::complex<double> z(antenna.resistanceOhms + sweep.addedOhms, antenna.reactanceOhms);
        const auto hz = static_cast<std::int64_t>(std::llround(mhz * 1e6));
        if (sweep.feedline) {
            z = meterImpedanceOf(z, *sweep.feedline, static_cast<double>(hz));
        }
        const double zOhms = std::round(std::abs(z) * 10.0) / 10.0;
        const double phase = std::round(phaseDegreesOf(z) * 10.0) / 10.0;
        const double swr = std::round(swrFromRho(rhoOf(zOhms, phase)) * 100.0) / 100.0;
        entry.record.points.push_back({hz, PointReading{100.0, zOhms, phase, swr},
                                       PointTaking{PointTaking::How::Settled, 4}});
    }
    return entry;
}

}  // namespace zm::test
