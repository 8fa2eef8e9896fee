// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/meter_port.h"

#include <cstdio>
#include <filesystem>

#include "station/port_holders.h"
#include "station/station_checks.h"

namespace zm {

namespace {

constexpr std::string_view kPortNotAvailable = "COM port not available. Check Com Port setting.";
// What most USB serial adapters show up as.
constexpr std::string_view kUsbAdapter = "/dev/ttyUSB0";

// One word of a shell command, whatever the path holds: '/home/op/O'\''Brien/ports'.
std::string shellQuoted(std::string_view path) {
    std::string quoted = "'";
    for (const char c : path) {
        quoted += c == '\'' ? std::string_view("'\\''") : std::string_view(&c, 1);
    }
    return quoted + "'";
}

}  // namespace

std::string meterPortName(int port) {
    char name[16];
    std::snprintf(name, sizeof name, "Com%02d", port);
    return name;
}

bool openMeterPort(SerialComm& port) {
    port.setSettings(kMeterPortSettings);
    port.setInputLen(0);
    if (!port.open()) {
        return false;
    }
    port.clearInBuffer();
    return true;
}

std::string portNotAvailableMessage(int port, const PortRoute& route) {
    const std::string ln = "ln -sf " + std::string(kUsbAdapter) + " " + shellQuoted(route.linkPath);
    std::string text(kPortNotAvailable);
    text += "\nTried " + route.device + " for " + meterPortName(port);
    // Another copy of the program (with settings of its own), a terminal program, ModemManager
    if (const auto holders = programsHolding(route.device); !holders.empty()) {
        const RunningProgram& holder = holders.front();
        return text + ": it is held by " + holder.name + ", process " + std::to_string(holder.pid) +
               "; " + howToStop(holder) + ".";
    }
    if (route.linked) {
        text += ", where the link " + route.linkPath +
                " points. Check that the adapter is plugged in and that your user is in the "
                "dialout group, or point the link elsewhere: ";
    } else {
        const std::string folder = std::filesystem::path(route.linkPath).parent_path().string();
        text += ", as there is no link " + route.linkPath +
                ". For a USB adapter, make one: mkdir -p " + shellQuoted(folder) + " && ";
    }
    return text + ln;
}

}  // namespace zm
