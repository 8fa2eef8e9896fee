// SPDX-License-Identifier: GPL-3.0-or-later
// build/bench-ptt-guard: what the PTT guard costs the window, against a real
// `rigctld -m 1 -P RIG` on loopback:
//
//   ptt-guard start_ms=X per_point_us=Y finish_ms=Z
//
// X is start() once per sweep (the guard started, its connection to rigctld checked), and
// Z finish() (the guard told to end, and reaped), each the median of 10 sweeps. Y is keying() +
// unkeyed() of one point, the median of 10 sweeps of 1000 points each, timed without the wait
// between points; a point lasts 1.4 s.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

#include "sweep/process_ptt_guard.h"
#include "tests/support/rigctld_process.h"

namespace {

constexpr int kSweeps = 10;
constexpr int kPointsPerSweep = 1000;
// A sweep's points are 1.4 s apart; the guard reads each word long before the next. Sent
// back to back instead, a few hundred would fill the socket while a busy machine has not yet
// run the guard, and keying() would refuse as it does for a guard that stopped reading.
constexpr std::chrono::milliseconds kBetweenPoints{1};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    zm::test::RigctldProcess rigctld;
    std::string whyNot;
    if (!rigctld.start({}, whyNot)) {
        std::fprintf(stderr, "bench-ptt-guard: %s\n", whyNot.c_str());
        return 1;
    }
    const std::string program =
        QCoreApplication::applicationDirPath().toStdString() + "/zm480-ptt-guard";
    std::vector<double> startMs;
    std::vector<double> pointUs;
    std::vector<double> finishMs;
    for (int sweep = 0; sweep < kSweeps; ++sweep) {
        zm::ProcessPttGuard guard(program, "127.0.0.1", rigctld.port());
        QElapsedTimer timer;
        timer.start();
        if (!guard.start(whyNot)) {
            std::fprintf(stderr, "bench-ptt-guard: %s\n", whyNot.c_str());
            return 1;
        }
        startMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        qint64 wordsNs = 0;
        for (int point = 0; point < kPointsPerSweep; ++point) {
            timer.restart();
            if (!guard.keying(whyNot)) {
                std::fprintf(stderr, "bench-ptt-guard: %s\n", whyNot.c_str());
                return 1;
            }
            guard.unkeyed();
            wordsNs += timer.nsecsElapsed();
            std::this_thread::sleep_for(kBetweenPoints);
        }
        pointUs.push_back(static_cast<double>(wordsNs) / 1e3 / kPointsPerSweep);
        timer.restart();
        guard.finish();
        finishMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("ptt-guard start_ms=%.1f per_point_us=%.1f finish_ms=%.1f\n", median(startMs),
                median(pointUs), median(finishMs));
    return 0;
}
