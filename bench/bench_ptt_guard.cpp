// build/bench-ptt-guard: what the PTT guard costs the window, against a real
// `rigctld -m 1 -P RIG` on loopback:
//
//   ptt-guard start_ms=X per_point_us=Y
//
// X is start() once per sweep (the guard started, its connection to rigctld checked), the
// median of 10 sweeps. Y is keying() + unkeyed() of one point, the median of 10 sweeps of
// 1000 points each; a point lasts 1.4 s.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "sweep/process_ptt_guard.h"
#include "tests/support/rigctld_process.h"

namespace {

constexpr int kSweeps = 10;
constexpr int kPointsPerSweep = 1000;

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
    for (int sweep = 0; sweep < kSweeps; ++sweep) {
        zm::ProcessPttGuard guard(program, "127.0.0.1", rigctld.port());
        QElapsedTimer timer;
        timer.start();
        if (!guard.start(whyNot)) {
            std::fprintf(stderr, "bench-ptt-guard: %s\n", whyNot.c_str());
            return 1;
        }
        startMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        timer.restart();
        for (int point = 0; point < kPointsPerSweep; ++point) {
            if (!guard.keying(whyNot)) {
                std::fprintf(stderr, "bench-ptt-guard: %s\n", whyNot.c_str());
                return 1;
            }
            guard.unkeyed();
        }
        pointUs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e3 / kPointsPerSweep);
        guard.finish();
    }
    std::printf("ptt-guard start_ms=%.1f per_point_us=%.1f\n", median(startMs), median(pointUs));
    return 0;
}
