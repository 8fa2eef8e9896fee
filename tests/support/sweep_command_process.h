// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The built zm480-sweep as a process of its own, as a user over SSH starts it: without
// DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM. The test's event loop runs while it does, so
// that a proxy or a lock of the test's answers it.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <functional>
#include <optional>
#include <string>

#include "tests/support/process_events_until.h"
#include "tests/support/rig_proxy.h"
#include "tests/support/rigctld_process.h"
#include "tests/support/sim_process.h"

namespace zm::test {

struct SweepCommandResult {
    int exitCode = -1;  // -1: it crashed or did not end in time
    std::string out, err;
};

// A settings folder for the command: config.ini's port list on Com01 (or `comPort`), its
// plot mode SWR and its carrier mode CW (or the list's `carrierIndex`), and station.ini as
// given.
inline void writeCommandSettings(const QString& folder, const std::string& stationIni,
                                 int comPort = 1, int carrierIndex = 0) {
    QFile config(QDir(folder).filePath("config.ini"));
    config.open(QIODevice::WriteOnly);
    config.write(("Position-Left=1215\r\nPosition-Top=1170\r\nComPort=" + std::to_string(comPort) +
                  "\r\nHeight=6645\r\nmnuNormal=True\r\nmnuDiag=False\r\nListIndex=2\r\n"
                  "ListIndex=" +
                  std::to_string(carrierIndex) + "\r\n")
                     .c_str());
    QFile station(QDir(folder).filePath("station.ini"));
    station.open(QIODevice::WriteOnly);
    station.write(stationIni.c_str());
}

// The simulated station a command sweeps: Hamlib's dummy rig under rigctld, behind a proxy
// that keeps what the command asks of it, and zm480-sim's meter at ports/com1 of the
// settings folder.
struct CommandStation {
    RigctldProcess rigctld;
    std::optional<RecordingRigProxy> proxy;
    RunningSim meter{QStringList{}};

    // False, with why, when rigctld or the meter did not start.
    bool start(std::string& whyNot) {
        if (!rigctld.start({}, whyNot)) {
            return false;
        }
        proxy.emplace(rigctld.port());
        whyNot = "zm480-sim did not start";
        return meter.started();
    }
    QString folder() const { return meter.configDir(); }
    // station.ini with the rig at the proxy.
    std::string rigAtProxy() const { return "[rig]\nport=" + std::to_string(proxy->port()) + "\n"; }
};

// Runs zm480-sweep with `arguments` to its end; `whileRunning` is called as it runs, with the
// process and what it has said on standard error so far, until it returns true. `inChild`
// runs in the new process before zm480-sweep starts in it (to close or replace a standard
// stream).
inline SweepCommandResult runSweepCommand(
    const QStringList& arguments,
    const std::function<bool(QProcess&, const std::string& err)>& whileRunning = {},
    const std::function<void()>& inChild = {}) {
    QProcess command;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(name);
    }
    command.setProcessEnvironment(environment);
    if (inChild) {
        command.setChildProcessModifier(inChild);
    }
    command.start(QDir(buildDir()).filePath("zm480-sweep"), arguments);
    SweepCommandResult result;
    bool watching = static_cast<bool>(whileRunning);
    processEventsUntil(
        [&] {
            result.err += command.readAllStandardError().toStdString();
            if (watching && whileRunning(command, result.err)) {
                watching = false;
            }
            return command.state() == QProcess::NotRunning;
        },
        std::chrono::seconds(120));
    if (command.state() != QProcess::NotRunning) {
        command.kill();
        command.waitForFinished();
        return result;
    }
    result.out = command.readAllStandardOutput().toStdString();
    result.err += command.readAllStandardError().toStdString();
    result.exitCode = command.exitStatus() == QProcess::NormalExit ? command.exitCode() : -1;
    return result;
}

}  // namespace zm::test
