// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window with station.ini's "server=own": it runs rigctld itself, through the real guard
// (build/zm480-ptt-guard), on a free loopback port.

#include <cstdlib>
#include <fstream>
#include <string>

#include "station/process_rigctld_runner.h"
#include "sweep/rigctld_client.h"
#include "tests/support/rigctld_process.h"
#include "tests/support/window_fixture.h"

namespace zm::test {

class StationWindowTest : public WindowTest {
protected:
    void writeStation(const std::string& text) {
        std::ofstream(QDir(configDir.path()).filePath("station.ini").toStdString()) << text;
    }

    // The window running rigctld for the radio, e.g. "model=1020\ndevice=...\nbaud=38400\n";
    // null when rigctld is not installed.
    RigctldRunner* createWindowRunningRigctld(const std::string& radio, Devices devices) {
        if (RigctldProcess::executable().empty()) {
            return nullptr;
        }
        m_rigPort = freeLoopbackPort();
        writeStation("[rig]\nserver=own\n" + radio + "port=" + std::to_string(m_rigPort) + "\n");
        auto runner = std::make_unique<ProcessRigctldRunner>(
            std::string(std::getenv("ZM_BUILD_DIR")) + "/zm480-ptt-guard", "rigctld");
        RigctldRunner* rigctld = runner.get();
        devices.rigctld = std::move(runner);
        devices.useRigPort = [](StationDevices& rig, quint16 rigPort) {
            rig.rigServers = std::make_unique<RigctldServerFactory>("127.0.0.1", rigPort);
        };
        createWindow(std::move(devices));
        start();
        comm->answers = {";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50"};
        choosePlotMode(*window, 2);
        return rigctld;
    }

    quint16 rigPort() const { return m_rigPort; }

private:
    quint16 m_rigPort = 0;
};

}  // namespace zm::test
