// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One sweep of the sweep engine, without a window, with the real serial port, waits and PTT
// guard, on the simulated station: zm480-sim following Hamlib's dummy rig under rigctld,
// every frequency inside the band plan. For the benchmarks that time sweeps.

#include <QByteArray>
#include <QtGlobal>
#include <chrono>
#include <string>
#include <vector>

#include "results/sweep_record.h"
#include "tests/support/sim_process.h"

namespace zm::bench {

using Clock = std::chrono::steady_clock;

// When the window asked the rig to tune, key and unkey.
struct RigTimes {
    std::vector<Clock::time_point> tuned, keyed, unkeyed;
};

// The plan as the user gives it in the window: the start and stop boxes, the step field
// (empty: the step the window starts with, 50 kHz) and the plot mode's index.
struct StationPlan {
    const char* startMHz;
    const char* stopMHz;
    std::string step = {};
    int plotMode = 1;  // Z & Phase
};

struct StationSweep {
    RigTimes times = {};
    SweepRecord record = {};
    std::string failure = {};  // the sweep's message, if it stopped with one
    std::string notice = {};   // what the window would say above the chart
};

// station.ini's [sweep] lines are `sweepSettings`.
StationSweep sweepOnStation(const test::RunningSim& sim, quint16 rigPort,
                            const QByteArray& sweepSettings, const StationPlan& plan);

// From each key-down request to its unkey request.
std::vector<double> keyedMilliseconds(const RigTimes& times);
double milliseconds(Clock::duration duration);
double median(std::vector<double> values);  // NaN for none

}  // namespace zm::bench
