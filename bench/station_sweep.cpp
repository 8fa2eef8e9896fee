// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/station_sweep.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

#include "app/frm_main.h"
#include "chart/qt_chart_control.h"
#include "meter/blocking_sleeper.h"
#include "meter/qt_serial_comm.h"
#include "sweep/event_loop_sleeper.h"
#include "sweep/process_ptt_guard.h"
#include "tests/support/every_frequency_plan.h"
#include "tests/support/fake_devices.h"
#include "tests/support/process_events_until.h"
#include "tests/support/watched_rig.h"

namespace zm::bench {

StationSweep sweepOnStation(const test::RunningSim& sim, quint16 rigPort,
                            const QByteArray& sweepSettings, const StationPlan& plan) {
    QFile station(QDir(sim.configDir()).filePath("station.ini"));
    if (!station.open(QIODevice::WriteOnly) || station.write("[sweep]\n" + sweepSettings) < 0) {
        return {.failure = "station.ini could not be written"};
    }
    station.close();
    StationSweep swept;
    RigTimes& times = swept.times;
    Devices devices;
    auto port = std::make_unique<QtSerialComm>(sim.configDir());
    const QtSerialComm* meter = port.get();
    devices.comm = std::move(port);
    devices.sleeper = std::make_unique<BlockingSleeper>();
    devices.sweepSleeper = std::make_unique<EventLoopSleeper>();
    devices.rigServers = std::make_unique<test::WatchedRigServers>(
        rigPort,
        test::RigWatcher{.tuning = [&](double) { times.tuned.push_back(Clock::now()); },
                         .keying =
                             [&](int transmit) {
                                 (transmit ? times.keyed : times.unkeyed).push_back(Clock::now());
                             }});
    devices.pttGuard = std::make_unique<ProcessPttGuard>(
        QDir(test::buildDir()).filePath("zm480-ptt-guard").toStdString(), "127.0.0.1", rigPort);
    auto messages = std::make_unique<test::RecordingMessageBoxes>();
    const std::vector<std::string>& shown = messages->shown;
    devices.messages = std::move(messages);
    auto chart = std::make_unique<QtChartControl>();
    const QtChartControl* drawn = chart.get();
    devices.chart = std::move(chart);
    devices.config = ConfigStore(sim.configDir());
    const test::EveryFrequencyPlan everywhere;  // the plans run beyond the bands
    devices.bandPlanFile = everywhere.path();

    frmMain window(std::move(devices));
    window.show();
    if (!test::processEventsUntil([&] { return meter->isOpen(); })) {
        return {.failure = "the window did not open the simulated meter"};
    }
    const FormControls& form = window.controls();
    form.Text2->setText(plan.startMHz);
    form.Text3->setText(plan.stopMHz);
    if (!plan.step.empty()) {
        form.Combo1->setEditText(QString::fromStdString(plan.step));
        window.Combo1_Validate();
    }
    form.Combo2->setCurrentIndex(plan.plotMode);
    window.Combo2_Click();
    window.cmdRun_Click();

    if (!shown.empty()) {
        swept.failure = shown.back();
    }
    swept.record = window.sweepRecord();
    swept.notice = drawn->notice().toStdString();
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
