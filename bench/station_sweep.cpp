// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/station_sweep.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>

#include "engine/meter_port.h"
#include "engine/sweep_engine.h"
#include "meter/blocking_sleeper.h"
#include "meter/display_pattern.h"
#include "meter/number_reading.h"
#include "meter/qt_serial_comm.h"
#include "settings/band_plan_store.h"
#include "settings/station_store.h"
#include "sweep/carrier_mode.h"
#include "sweep/process_ptt_guard.h"
#include "tests/support/every_frequency_plan.h"
#include "tests/support/recording_reports.h"
#include "tests/support/watched_rig.h"

namespace zm::bench {

namespace {

// The plan as the window makes it from the boxes: each box's number to two decimals, the
// step as the step field reads it.
std::optional<SweepPlan> typedPlan(const StationPlan& plan) {
    SweepPlan typed;
    typed.StartFreq = roundAsTwoDecimals(leadingTypedNumber(plan.startMHz));
    typed.StopFreq = roundAsTwoDecimals(leadingTypedNumber(plan.stopMHz));
    typed.StepFreq = plan.step.empty() ? 0.05 : stepFromListText(plan.step);
    const auto count = pointCountFor(typed.StartFreq, typed.StopFreq, typed.StepFreq);
    if (!count) {
        return std::nullopt;
    }
    typed.PointCount = std::int16_t(*count);
    typed.CarrierMode = carrierModeFor(0, 0);  // CW, as a first start keys
    return typed;
}

}  // namespace

StationSweep sweepOnStation(const test::RunningSim& sim, quint16 rigPort,
                            const QByteArray& sweepSettings, const StationPlan& plan) {
    QFile station(QDir(sim.configDir()).filePath("station.ini"));
    if (!station.open(QIODevice::WriteOnly) || station.write("[sweep]\n" + sweepSettings) < 0) {
        return {.failure = "station.ini could not be written"};
    }
    station.close();
    std::string report;
    const StationSettings settings = StationStore(sim.configDir()).load(report);
    const test::EveryFrequencyPlan everywhere;  // the plans run beyond the bands
    const std::vector<BandPlan> plans =
        BandPlanStore(everywhere.path(), sim.configDir()).loadShipped(report);
    const std::optional<SweepPlan> typed = typedPlan(plan);
    if (!report.empty() || plans.empty() || !typed) {
        return {.failure = report.empty() ? "no plan" : report};
    }

    StationSweep swept;
    RigTimes& times = swept.times;
    QtSerialComm meter(sim.configDir());
    if (!openMeterPort(meter)) {
        return {.failure = "the simulated meter did not open"};
    }
    test::WatchedRigServers rig(
        rigPort,
        test::RigWatcher{.tuning = [&](double) { times.tuned.push_back(Clock::now()); },
                         .keying =
                             [&](int transmit) {
                                 (transmit ? times.keyed : times.unkeyed).push_back(Clock::now());
                             }});
    ProcessPttGuard guard(QDir(test::buildDir()).filePath("zm480-ptt-guard").toStdString(),
                          "127.0.0.1", rigPort);
    BlockingSleeper sleeper;
    const SweepStop stop;
    test::RecordingReports reports;
    SweepEngine engine({meter, rig, guard, sleeper}, reports, stop);
    const SweepOutcome outcome = engine.run({.plan = *typed,
                                             .plotMode = plan.plotMode,
                                             .bandPlan = plans.front(),
                                             .sweep = settings.sweep,
                                             .rig = settings.rig,
                                             .feedline = std::nullopt,
                                             .shownPlane = Plane::Meter});
    swept.failure = outcome.message;
    swept.record = outcome.record.value_or(SweepRecord{});
    swept.notice = outcome.keyedNotice.empty() ? reports.notice : outcome.keyedNotice;
    return swept;
}

std::vector<double> keyedMilliseconds(const RigTimes& times) {
    std::vector<double> keyed;
    for (std::size_t i = 0; i < times.unkeyed.size() && i < times.keyed.size(); ++i) {
        keyed.push_back(milliseconds(times.unkeyed[i] - times.keyed[i]));
    }
    return keyed;
}

double milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double median(std::vector<double> values) {
    if (values.empty()) {
        return NAN;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace zm::bench
