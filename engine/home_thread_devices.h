// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include "engine/sweep_reports.h"
#include "meter/serial_comm.h"
#include "station/rigctld_runner.h"

namespace zm {

// A sweep on a thread of its own still reaches three things that live on the window's
// thread and are used there between sweeps: the meter's port (a QSerialPort, polled there
// when idle), the station's rigctld (a QObject that hears the guard's words from that
// thread's event loop) and whoever shows the reports (widgets). Each call goes to that
// thread and the sweep waits for its answer, so that every object is used only on the
// thread it belongs to, and each report is shown before the sweep takes its next step.

class SerialCommAtHome : public SerialComm {
public:
    SerialCommAtHome(SerialComm& port, QObject& home) : m_port(port), m_home(home) {}

    void setCommPort(int portNumber) override;
    int commPort() const override;
    PortRoute routeOf(int portNumber) const override;
    bool setSettings(std::string_view settings) override;
    void setInputLen(int length) override;
    bool open() override;
    void close() override;
    bool isOpen() const override;
    void clearOutBuffer() override;
    void clearInBuffer() override;
    bool output(std::string_view bytes) override;
    std::string input() override;

private:
    SerialComm& m_port;
    QObject& m_home;
};

class RigctldRunnerAtHome : public RigctldRunner {
public:
    RigctldRunnerAtHome(RigctldRunner& runner, QObject& home) : m_runner(runner), m_home(home) {}

    void start(const std::vector<std::string>& arguments, std::uint16_t port) override;
    void stop() override;
    bool running() const override;
    State state() const override;
    void onStateChange(std::function<void()> changed) override;
    void recheck() override;
    bool confirmed() const override;
    void setSweeping(bool sweeping) override;
    std::string problem() const override;
    std::vector<std::string> lastWords() const override;
    int endings() override;
    std::string lastEnd() const override;

private:
    RigctldRunner& m_runner;
    QObject& m_home;
};

class SweepReportsAtHome : public SweepReports {
public:
    SweepReportsAtHome(SweepReports& reports, QObject& home) : m_reports(reports), m_home(home) {}

    void bandPlanNotice(const std::string& notice) override;
    void sweepBegun(const SweepBegun& begun) override;
    void meterRead(const MeterRead& read) override;
    void pointDone(const PointDone& done) override;
    void sweepEnded(const SweepOutcome& outcome) override;

private:
    SweepReports& m_reports;
    QObject& m_home;
};

}  // namespace zm
