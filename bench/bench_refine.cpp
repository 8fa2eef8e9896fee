// SPDX-License-Identifier: GPL-3.0-or-later
// build/bench-refine: every grid point keyed against the refine rule, on the same plans of
// about 36, 101 and 288 points around each simulated antenna's resonances, the readings as
// the window takes them from the meter's record:
//
//   loop  7.0000-7.2100 MHz, 6 kHz, 36 points
//     full     36 key-downs   43.2 s keyed
//     refine   13 key-downs   15.6 s keyed  0.361 of the full grid (goal 0.40: met); floor 9 (0.25)
//     answers, both: lowest SWR 7.0540; 2:1 7.0420-7.0480, 7.0600-7.0660; 1.5:1 ...
//
// Keyed seconds are the fixed wait's 1.2 s a point (1.0 s, then the meter's 0.2 s answer);
// the floor is the fewest points any rule must key for the same answers: both ends, the
// lowest SWR and its grid neighbours, both points of every crossing. Then the dip hunt: a
// loop's dip at 40 places across a plan, narrower and narrower, alone and as a second dip
// beside a deeper one: where refine's answers differ from the full grid's. With --station,
// the same plans through the sweep engine on the simulated station (zm480-sim --antenna NAME
// --noise 0 following Hamlib's dummy rig, settled by readings): key-downs and keyed seconds
// as measured, from each key-down request to its unkey request. Not a test: the figures are
// for people.

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "bench/station_sweep.h"
#include "numbers/number_text.h"
#include "results/refine_points.h"
#include "sweep/grid_answers.h"
#include "tests/support/refine_grid.h"
#include "tests/support/rigctld_process.h"
#include "tests/support/sim_process.h"

namespace zm {
namespace {

constexpr double kKeyedSecondsPerPoint = 1.2;

struct Plan {
    const char* antenna;
    double startMHz;
    double stepKHz;
    int points;
};

const Plan kPlans[] = {
    {"dipole", 14.0, 10.0, 36},  {"dipole", 14.0, 3.5, 101},   {"dipole", 14.0, 1.25, 281},
    {"loop", 7.0, 6.0, 36},      {"loop", 7.0, 2.0, 101},      {"loop", 7.0, 0.7, 287},
    {"multiband", 3.5, 8.5, 36}, {"multiband", 3.5, 3.0, 101}, {"multiband", 3.5, 1.05, 287},
    {"fan", 3.5, 8.5, 36},       {"fan", 3.5, 3.0, 101},       {"fan", 3.5, 1.05, 287},
};

std::string megahertz(const Plan& plan, int index) {
    return fixedNumber(index * plan.stepKHz / 1000.0 + plan.startMHz, 4);
}

std::string pairs(const Plan& plan, const std::vector<KeyedPair>& found) {
    std::string text;
    for (const auto& [low, high] : found) {
        text += (text.empty() ? "" : ", ") + megahertz(plan, low) + "-" + megahertz(plan, high);
    }
    return text.empty() ? "none" : text;
}

std::string describe(const Plan& plan, const GridAnswers& answers) {
    return "lowest SWR " + (answers.lowestSwr ? megahertz(plan, *answers.lowestSwr) : "none") +
           "; 2:1 " + pairs(plan, answers.swrCrossings[0]) + "; 1.5:1 " +
           pairs(plan, answers.swrCrossings[1]) + "; X " +
           pairs(plan, answers.reactanceSignChanges);
}

// Both ends, the lowest SWR and its grid neighbours, and both points of every crossing.
int floorOf(const GridAnswers& answers, int points) {
    std::vector<bool> needed(static_cast<std::size_t>(points));
    const auto need = [&](int index) {
        if (index >= 0 && index < points) {
            needed[static_cast<std::size_t>(index)] = true;
        }
    };
    need(0);
    need(points - 1);
    if (answers.lowestSwr) {
        for (int offset : {-1, 0, 1}) {
            need(*answers.lowestSwr + offset);
        }
    }
    for (const auto* found :
         {&answers.swrCrossings[0], &answers.swrCrossings[1], &answers.reactanceSignChanges}) {
        for (const auto& [low, high] : *found) {
            need(low);
            need(high);
        }
    }
    return static_cast<int>(std::count(needed.begin(), needed.end(), true));
}

// The goal of the key-downs for a plan of this size, as a share of the full grid.
double goalFor(int points) {
    return points <= 50 ? 0.40 : points >= 250 ? 0.15 : 1.0;
}

bool compareOnPlan(const Plan& plan) {
    const double stepMHz = plan.stepKHz / 1000.0;
    const std::vector<RefinePoint> full =
        test::fullGrid(*sim::namedAntenna(plan.antenna), plan.startMHz, stepMHz, plan.points);
    std::vector<RefinePoint> keyed(full.size());
    const test::RefineRun run = test::refineOver(full, keyed);
    const GridAnswers fullAnswers = gridAnswersOf(full);
    const GridAnswers refinedAnswers = gridAnswersOf(keyed);
    const double share = double(run.keyDowns) / plan.points;
    const double goal = goalFor(plan.points);
    std::printf("%s  %s-%s MHz, %s kHz, %d points\n", plan.antenna, megahertz(plan, 0).c_str(),
                megahertz(plan, plan.points - 1).c_str(), shortestNumber(plan.stepKHz).c_str(),
                plan.points);
    std::printf("  full    %3d key-downs %6.1f s keyed\n", plan.points,
                plan.points * kKeyedSecondsPerPoint);
    std::printf("  refine  %3d key-downs %6.1f s keyed  %.3f of the full grid", run.keyDowns,
                run.keyDowns * kKeyedSecondsPerPoint, share);
    if (goal < 1.0) {
        std::printf(" (goal %.2f: %s)", goal, share <= goal ? "met" : "not met");
    }
    std::printf("; floor %d (%.2f)\n", floorOf(fullAnswers, plan.points),
                double(floorOf(fullAnswers, plan.points)) / plan.points);
    const bool same = fullAnswers == refinedAnswers && !run.keyedAgainOrClosed;
    if (same) {
        std::printf("  answers, both: %s\n", describe(plan, fullAnswers).c_str());
    } else {
        std::printf("  answers, full:   %s\n  answers, refine: %s\n",
                    describe(plan, fullAnswers).c_str(), describe(plan, refinedAnswers).c_str());
    }
    return same;
}

// Of `places` placements of the hunted loop's dip, evenly across the plan, how many give
// refine other answers than the full grid. `beside`: a deeper, broader dip at 7.15 MHz
// that the hunted one is not.
int missedPlacements(const Plan& plan, double q, bool beside, int places) {
    const double stepMHz = plan.stepKHz / 1000.0;
    const double spanMHz = stepMHz * (plan.points - 1);
    int missed = 0;
    for (int place = 0; place < places; ++place) {
        const double dipMHz = plan.startMHz + spanMHz * (0.02 + 0.96 * place / (places - 1));
        // The match lies 0.2 / Q above the tuning (where the reflection cancels 20 ohm).
        std::vector<sim::TunedLoop> loops{{dipMHz / (1.0 + 0.2 / q), q, beside ? 75.0 : 60.0}};
        if (beside) {
            if (std::fabs(dipMHz - 7.15) < 0.02) {
                continue;  // on top of the other one
            }
            loops.push_back({7.15, 320.0, 60.0});
        }
        const sim::LoadModel antenna = [&loops](double mhz) {
            return sim::coupledLoopsImpedance(mhz, loops);
        };
        const std::vector<RefinePoint> full =
            test::fullGrid(antenna, plan.startMHz, stepMHz, plan.points);
        std::vector<RefinePoint> keyed(full.size());
        test::refineOver(full, keyed);
        missed += gridAnswersOf(keyed) == gridAnswersOf(full) ? 0 : 1;
    }
    return missed;
}

// The loop's Q against the width of its 2:1 band: 320 gives 15 kHz.
void huntDips() {
    constexpr int kPlaces = 40;
    const Plan plans[] = {{"loop", 7.0, 6.0, 36}, {"loop", 7.0, 2.0, 101}, {"loop", 7.0, 0.7, 287}};
    for (const bool beside : {false, true}) {
        std::printf("%s: placements of %d where refine's answers differ from the full grid's\n",
                    beside ? "a second, shallower loop dip beside a deeper one at 7.15 MHz"
                           : "a loop's dip alone, 7.0-7.2 MHz",
                    kPlaces);
        for (const double q : {320.0, 640.0, 1280.0, 2560.0, 5120.0}) {
            std::printf("  2:1 band %5.2f kHz:", 15.0 * 320.0 / q);
            for (const Plan& plan : plans) {
                std::printf("  %3d points (%s kHz) %2d", plan.points,
                            shortestNumber(plan.stepKHz).c_str(),
                            missedPlacements(plan, q, beside, kPlaces));
            }
            std::printf("\n");
            std::fflush(stdout);
        }
    }
}

// The plan on the simulated station, settled by readings, every point keyed and then
// refined: what the engine keyed, how long, and the answers of its two records.
bool compareOnStation(const Plan& plan, quint16 rigPort) {
    const test::RunningSim sim({"--antenna", plan.antenna, "--noise", "0", "--rig",
                                QStringLiteral("127.0.0.1:%1").arg(rigPort)});
    const bench::StationPlan station{megahertz(plan, 0).c_str(),
                                     megahertz(plan, plan.points - 1).c_str(),
                                     shortestNumber(plan.stepKHz), 2};
    std::printf("%s  %s-%s MHz, %s kHz, %d points, on the station\n", plan.antenna,
                station.startMHz, station.stopMHz, station.step.c_str(), plan.points);
    std::vector<GridAnswers> answers;
    for (const char* points : {"every", "refine"}) {
        const bench::StationSweep swept = bench::sweepOnStation(
            sim, rigPort, QByteArray("settle=readings\npoints=") + points + "\n", station);
        if (!swept.failure.empty() || swept.record.points.size() != std::size_t(plan.points)) {
            std::printf("  %-6s failed: %s (%zu points)\n", points, swept.failure.c_str(),
                        swept.record.points.size());
            return false;
        }
        const std::vector<double> keyed = bench::keyedMilliseconds(swept.times);
        double keyedMs = 0.0;
        for (const double ms : keyed) {
            keyedMs += ms;
        }
        std::printf("  %-6s  %3zu key-downs %6.1f s keyed, %4.0f ms a point (median)  %s\n", points,
                    keyed.size(), keyedMs / 1000.0, bench::median(keyed), swept.notice.c_str());
        answers.push_back(gridAnswersOf(refinePointsOf(swept.record)));
    }
    const bool same = answers[0] == answers[1];
    if (same) {
        std::printf("  answers, both: %s\n", describe(plan, answers[0]).c_str());
    } else {
        std::printf("  answers, every:  %s\n  answers, refine: %s\n",
                    describe(plan, answers[0]).c_str(), describe(plan, answers[1]).c_str());
    }
    std::fflush(stdout);
    return same;
}

int compareOnStation(std::string_view antenna, quint16 rigctldPort) {
    test::RigctldProcess rigctld;
    std::string whyNot;
    if (!rigctld.start({.port = rigctldPort}, whyNot)) {
        std::fprintf(stderr, "bench-refine: %s\n", whyNot.c_str());
        return 1;
    }
    int differing = 0;
    int compared = 0;
    for (const Plan& plan : kPlans) {
        if (antenna.empty() || antenna == plan.antenna) {
            differing += compareOnStation(plan, rigctld.port()) ? 0 : 1;
            ++compared;
        }
    }
    std::printf("plans on the station whose answers differ or that failed: %d of %d\n", differing,
                compared);
    return 0;
}

}  // namespace
}  // namespace zm

// --station [ANTENNA [PORT]] adds the plans on the simulated station, for all antennas ("")
// or one, its rigctld on PORT (a free one by default): about half an hour for all.
int main(int argc, char** argv) {
    int differing = 0;
    for (const zm::Plan& plan : zm::kPlans) {
        differing += zm::compareOnPlan(plan) ? 0 : 1;
    }
    std::printf("plans whose answers differ: %d of %zu\n\n", differing, std::size(zm::kPlans));
    zm::huntDips();
    if (argc < 2 || std::string_view(argv[1]) != "--station") {
        return 0;
    }
    QCoreApplication app(argc, argv);
    if (zm::test::buildDir().isEmpty()) {
        qputenv("ZM_BUILD_DIR", QCoreApplication::applicationDirPath().toLocal8Bit());
    }
    std::printf("\n");
    return zm::compareOnStation(argc > 2 ? argv[2] : "",
                                argc > 3 ? static_cast<quint16>(std::atoi(argv[3])) : 0);
}
