// SPDX-License-Identifier: GPL-3.0-or-later
// build/bench-settle: the fixed wait against settling by readings, on the simulated station
// (zm480-sim --antenna following Hamlib's dummy rig under rigctld, the sweep engine without a
// window, with the real serial port, waits and PTT guard), for an 8-point and a 36-point plan, with
// the simulator's default settling model and a slow one:
//
//   stops
//     no power under a 100 W ceiling, keyed until the unkey request: fixed 1203 ms readings 1206 ms
//     150 W    under a 100 W ceiling, keyed until the unkey request: fixed 1202 ms readings 604 ms
//   model default: rise 30 ms, window 300 ms
//      8 points  fixed     keyed  1203 ms         point  1475 ms
//               readings  keyed   805 ms (0.67)  point  1078 ms (0.73)  settled 8 of 8, 4 readings
//               settled against fixed: Z 0.59 %, phase 0.40 deg at most
//               from the final value: fixed Z 0.28 % 0.26 deg, readings Z 0.56 % 0.43 deg;
//               points further than fixed + tolerance: 0
//
// Keyed is from the key-down request to the unkey request, a point from one tuning request
// to the next; both are medians over the points. Not a test: the figures are for people.

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/station_sweep.h"
#include "sim/antenna_model.h"
#include "tests/support/rigctld_process.h"
#include "tests/support/sim_process.h"

namespace zm {
namespace {

using bench::median;

struct SweepFigures {
    double keyedMs = NAN;      // the median point's
    double lastKeyedMs = NAN;  // the last point's, which a stop ends
    double pointMs = NAN;
    SweepRecord record = {};
    std::string failure;  // the sweep's message, if it stopped with one
};

// One sweep of Z & Phase from startMHz to stopMHz in 50 kHz steps, with station.ini's
// [sweep] lines `sweepSettings`.
SweepFigures sweep(const test::RunningSim& sim, quint16 rigPort, const QByteArray& sweepSettings,
                   const char* startMHz, const char* stopMHz) {
    const bench::StationSweep swept =
        bench::sweepOnStation(sim, rigPort, sweepSettings, {startMHz, stopMHz});
    const std::vector<double> keyed = bench::keyedMilliseconds(swept.times);
    std::vector<double> points;
    for (std::size_t i = 1; i < swept.times.tuned.size(); ++i) {
        points.push_back(bench::milliseconds(swept.times.tuned[i] - swept.times.tuned[i - 1]));
    }
    return {median(keyed), keyed.empty() ? NAN : keyed.back(), median(points), swept.record,
            swept.failure};
}

// The load the simulated meter settles to at a point.
sim::LoadReading finalValue(const SweepPoint& point) {
    return sim::readingOf(sim::dipoleImpedance(double(point.frequencyHz) / 1e6));
}

double zPercentFrom(double zOhms, double referenceOhms) {
    return 100.0 * std::fabs(zOhms - referenceOhms) / referenceOhms;
}

// Largest distance of the readings from the final values: Z in %, phase in degrees.
std::pair<double, double> furthestFromFinal(const SweepRecord& record) {
    std::pair<double, double> furthest{0.0, 0.0};
    for (const SweepPoint& point : record.points) {
        const sim::LoadReading settled = finalValue(point);
        furthest.first =
            std::max(furthest.first, zPercentFrom(point.reading->zOhms, settled.zOhms));
        furthest.second = std::max(furthest.second,
                                   std::fabs(point.reading->phaseDegrees - settled.phaseDegrees));
    }
    return furthest;
}

void compare(const SweepFigures& fixed, const SweepFigures& readings) {
    std::vector<double> readingCounts;
    int settled = 0;
    int beyond = 0;
    double zPercent = 0.0;
    double phaseDegrees = 0.0;
    for (std::size_t i = 0; i < readings.record.points.size(); ++i) {
        const SweepPoint& taken = readings.record.points[i];
        const SweepPoint& design = fixed.record.points[i];
        readingCounts.push_back(taken.taken->readings);
        const sim::LoadReading final = finalValue(taken);
        const double zTolerance = std::max(0.01 * final.zOhms, 0.5);
        const bool further = std::fabs(taken.reading->zOhms - final.zOhms) >
                                 std::fabs(design.reading->zOhms - final.zOhms) + zTolerance ||
                             std::fabs(taken.reading->phaseDegrees - final.phaseDegrees) >
                                 std::fabs(design.reading->phaseDegrees - final.phaseDegrees) + 1.0;
        beyond += further ? 1 : 0;
        if (taken.taken->how != PointTaking::How::Settled) {
            continue;
        }
        ++settled;
        zPercent = std::max(zPercent, zPercentFrom(taken.reading->zOhms, design.reading->zOhms));
        phaseDegrees = std::max(
            phaseDegrees, std::fabs(taken.reading->phaseDegrees - design.reading->phaseDegrees));
    }
    std::printf(
        "            readings  keyed %5.0f ms (%.2f)  point %5.0f ms (%.2f)  settled %d of "
        "%zu, %.0f readings\n",
        readings.keyedMs, readings.keyedMs / fixed.keyedMs, readings.pointMs,
        readings.pointMs / fixed.pointMs, settled, readings.record.points.size(),
        median(readingCounts));
    std::printf("            settled against fixed: Z %.2f %%, phase %.2f deg at most\n", zPercent,
                phaseDegrees);
    const auto [fixedZ, fixedPhase] = furthestFromFinal(fixed.record);
    const auto [readingsZ, readingsPhase] = furthestFromFinal(readings.record);
    std::printf(
        "            from the final value: fixed Z %.2f %% %.2f deg, readings Z %.2f %% "
        "%.2f deg;\n            points further than fixed + tolerance: %d\n",
        fixedZ, fixedPhase, readingsZ, readingsPhase, beyond);
}

// How long a point that stops the sweep stays keyed, from the key-down request to the
// unkey request: a radio that sends nothing, and one at 150 W or 200 W under a 100 W ceiling.
bool timeStops(quint16 rigPort) {
    struct Stop {
        const char* radio;
        const char* power;
    };
    for (const Stop stop : {Stop{"no power", "0"}, Stop{"150 W", "150"}, Stop{"200 W", "200"}}) {
        std::printf("  %-8s under a 100 W ceiling, keyed until the unkey request:", stop.radio);
        for (const char* settle : {"fixed", "readings"}) {
            const test::RunningSim sim({"--antenna", "--power", stop.power, "--rig",
                                        QStringLiteral("127.0.0.1:%1").arg(rigPort)});
            const SweepFigures figures =
                sweep(sim, rigPort, QByteArray("settle=") + settle + "\nmax_power_w=100\n", "14.0",
                      "14.0");
            if (!figures.failure.starts_with("The sweep stopped at 14.000 MHz")) {
                std::fprintf(stderr, "\nbench-settle: not stopped: %s\n", figures.failure.c_str());
                return false;
            }
            std::printf(" %s %.0f ms", settle, figures.lastKeyedMs);
        }
        std::printf("\n");
    }
    return true;
}

int run() {
    test::RigctldProcess rigctld;
    std::string whyNot;
    if (!rigctld.start({}, whyNot)) {
        std::fprintf(stderr, "bench-settle: %s\n", whyNot.c_str());
        return 1;
    }
    std::printf("stops\n");
    if (!timeStops(rigctld.port())) {
        return 1;
    }
    struct Model {
        const char* name;
        QStringList options;
    };
    const Model models[] = {
        {"default: rise 30 ms, window 300 ms", {}},
        {"slow: rise 150 ms, window 600 ms", {"--rise-ms", "150", "--window-ms", "600"}}};
    struct Plan {
        int points;
        const char* startMHz;
        const char* stopMHz;
    };
    const Plan plans[] = {{8, "14.0", "14.35"}, {36, "13.3", "15.05"}};
    for (const Model& model : models) {
        std::printf("model %s\n", model.name);
        for (const Plan& plan : plans) {
            const test::RunningSim sim(
                QStringList{"--antenna", "--seed", "1", "--rig",
                            QStringLiteral("127.0.0.1:%1").arg(rigctld.port())} +
                model.options);
            const SweepFigures fixed =
                sweep(sim, rigctld.port(), "settle=fixed\n", plan.startMHz, plan.stopMHz);
            const SweepFigures readings =
                sweep(sim, rigctld.port(), "settle=readings\n", plan.startMHz, plan.stopMHz);
            for (const SweepFigures* figures : {&fixed, &readings}) {
                if (!figures->failure.empty()) {
                    std::fprintf(stderr, "bench-settle: %s\n", figures->failure.c_str());
                    return 1;
                }
            }
            std::printf("  %2d points  fixed     keyed %5.0f ms         point %5.0f ms\n",
                        plan.points, fixed.keyedMs, fixed.pointMs);
            compare(fixed, readings);
            std::fflush(stdout);
        }
    }
    return 0;
}

}  // namespace
}  // namespace zm

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (zm::test::buildDir().isEmpty()) {
        qputenv("ZM_BUILD_DIR", QCoreApplication::applicationDirPath().toLocal8Bit());
    }
    return zm::run();
}
