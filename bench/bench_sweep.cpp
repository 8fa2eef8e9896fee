// SPDX-License-Identifier: GPL-3.0-or-later
// build/bench-sweep: what a sweep costs above its fixed waits, per point.
//
//   sweep points=N overhead_ms=X server_ms=Y
//
// X is our own time per point (rig client calls into an instant server, grid, chart hand-over
// and repaint, readout), with the waits recorded instead of slept. Y is what a real
// `rigctld -m 1 -P RIG` on loopback adds per point on top of that; Hamlib's dummy rig sleeps
// about 90 ms of it itself. The fixed waits (1.4 s a point) are not counted in either.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/frm_main.h"
#include "chart/qt_chart_control.h"
#include "sweep/rigctld_client.h"
#include "tests/support/every_frequency_plan.h"
#include "tests/support/fake_devices.h"
#include "tests/support/recording_transceiver.h"
#include "tests/support/rigctld_process.h"

namespace {

using namespace zm;

class NoSleep : public Sleeper {
public:
    void sleep(std::chrono::milliseconds) override {}
};

// Milliseconds per point of one sweep of the given size, the median of `runs` sweeps.
double sweepMsPerPoint(std::unique_ptr<RigServerFactory> rig, int points, int runs) {
    test::CallLog log;
    Devices devices;
    auto messages = std::make_unique<test::RecordingMessageBoxes>();
    const auto* shown = &messages->shown;
    auto meter = std::make_unique<test::FakeSerialComm>(log);
    meter->answers = {";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50"};
    devices.comm = std::move(meter);
    devices.sleeper = std::make_unique<NoSleep>();
    devices.sweepSleeper = std::make_unique<NoSleep>();
    devices.pttGuard = std::make_unique<test::RecordingPttGuard>();
    devices.rigServers = std::move(rig);
    devices.messages = std::move(messages);
    devices.chart = std::make_unique<QtChartControl>();
    devices.fileDialog = std::make_unique<test::ScriptedFileDialog>();
    devices.printer = std::make_unique<test::RecordingPrinter>();
    devices.config = ConfigStore(QDir::tempPath());
    const test::EveryFrequencyPlan everywhere;  // 288 points run far beyond 20 m
    devices.bandPlanFile = everywhere.path();

    frmMain window(std::move(devices));
    window.show();
    QApplication::processEvents();
    window.controls().Combo2->setCurrentIndex(0);
    window.Combo2_Click();
    window.controls().Combo4->setCurrentIndex(0);  // whatever a config.ini in /tmp says
    window.Combo4_Click();
    // 8 points: the start-up plan; 288: 14.0 to 28.35 MHz (a radio tunes neither 0 Hz nor
    // below, so not the emptied start box).
    window.controls().Text3->setText(points == 8 ? "14.35" : "28.35");
    if (window.sweepModel().plan().PointCount != points) {
        std::fprintf(stderr, "plan has %d points, not %d\n", window.sweepModel().plan().PointCount,
                     points);
        return -1;
    }
    std::vector<double> perPoint;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        window.cmdRun_Click();
        perPoint.push_back(double(clock.nsecsElapsed()) / 1e6 / points);
        QApplication::processEvents();
    }
    if (!shown->empty()) {
        std::fprintf(stderr, "the sweep failed: %s\n", shown->back().c_str());
        return -1;
    }
    std::sort(perPoint.begin(), perPoint.end());
    return perPoint[perPoint.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    zm::test::RigctldProcess rigctld;
    std::string whyNot;
    const bool haveRigctld = rigctld.start({}, whyNot);
    if (!haveRigctld) {
        std::fprintf(stderr, "no rigctld, server_ms not measured: %s\n", whyNot.c_str());
    }
    for (int points : {8, 288}) {
        const double overhead =
            sweepMsPerPoint(std::make_unique<zm::test::RecordingRigServerFactory>(), points, 5);
        double server = -1;
        if (haveRigctld) {
            const double withServer = sweepMsPerPoint(
                std::make_unique<zm::RigctldServerFactory>("127.0.0.1", rigctld.port()), points, 1);
            server = withServer - overhead;
        }
        std::printf("sweep points=%d overhead_ms=%.2f server_ms=%.1f\n", points, overhead, server);
        std::fflush(stdout);
    }
    return 0;
}
