// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window on fake devices with a recording rig, started with a meter that answers 100 W
// into 50 ohm and Z & Phase chosen: ready to sweep the start-up plan.

#include <QComboBox>
#include <memory>

#include "tests/support/recording_transceiver.h"
#include "tests/support/window_fixture.h"

namespace zm::test {

constexpr const char* kFiftyOhms = ";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";

class SweepTest : public WindowTest {
protected:
    RecordingRigServerFactory* rig = nullptr;

    void SetUp() override {
        Devices devices = fakeDevices();
        auto factory = std::make_unique<RecordingRigServerFactory>(log);
        rig = factory.get();
        devices.rigServers = std::move(factory);
        createWindow(std::move(devices));
        start();
        comm->answers = {kFiftyOhms};
        choosePlotMode(2);
        log.clear();
    }
    void choosePlotMode(int mode) { test::choosePlotMode(*window, mode); }
    void chooseCarrier(int index) {
        window->controls().Combo4->setCurrentIndex(index);
        window->Combo4_Click();
    }
    double cell(int row, int column) const {
        return cellValue(window->planBoxes().grid().at(row, column));
    }
};

}  // namespace zm::test
