// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window polling a meter on a real pseudo-terminal through the real serial layer, with
// config.ini beside the meter's ports/ folder so that start-up opens port 1 on the pty.

#include <memory>

#include "meter/pause.h"
#include "meter/qt_serial_comm.h"
#include "tests/support/pty_meter.h"
#include "tests/support/window_fixture.h"

namespace zm::test {

class PtyWindowTest : public WindowTest {
protected:
    PtyMeter meter{1};
    QtSerialComm* port = nullptr;

    // Creates and starts the window on the pty, with the wait the poll makes.
    void startOnPty(std::unique_ptr<Sleeper> pollWait) {
        Devices devices = fakeDevices();
        auto serial = std::make_unique<QtSerialComm>(QString::fromStdString(meter.configDir()));
        port = serial.get();
        devices.comm = std::move(serial);
        devices.sleeper = std::move(pollWait);
        devices.config = ConfigStore(QString::fromStdString(meter.configDir()));
        createWindow(std::move(devices));
        start();
        ASSERT_TRUE(port->isOpen()) << "start-up did not open " << meter.devicePath();
        ASSERT_TRUE(messages->shown.empty());
    }
};

}  // namespace zm::test
