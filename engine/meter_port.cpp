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

namespace {

// "Tried /dev/ttyS0 for Com01, ...": the device port N opens and the link that leads there,
// or the link to make for a USB adapter; `check` is what to look at behind a link that is
// there ("Check that the adapter is plugged in").
std::string triedText(int port, const PortRoute& route, std::string_view check) {
    const std::string ln = "ln -sf " + std::string(kUsbAdapter) + " " + shellQuoted(route.linkPath);
    std::string text = "Tried " + route.device + " for " + meterPortName(port);
    if (route.linked) {
        return text + ", where the link " + route.linkPath + " points. " + std::string(check) +
               ", or point the link elsewhere: " + ln;
    }
    const std::string folder = std::filesystem::path(route.linkPath).parent_path().string();
    return text + ", as there is no link " + route.linkPath +
           ". For a USB adapter, make one: mkdir -p " + shellQuoted(folder) + " && " + ln;
}

}  // namespace

std::string portNotAvailableMessage(int port, const PortRoute& route) {
    const std::string text = std::string(kPortNotAvailable) + "\n";
    // Another copy of the program (with settings of its own), a terminal program, ModemManager
    if (const auto holders = programsHolding(route.device); !holders.empty()) {
        const RunningProgram& holder = holders.front();
        return text + "Tried " + route.device + " for " + meterPortName(port) + ": it is held by " +
               holder.name + ", process " + std::to_string(holder.pid) + "; " + howToStop(holder) +
               ".";
    }
    return text + triedText(port, route,
                            "Check that the adapter is plugged in and that your user is in the "
                            "dialout group");
}

std::string meterSilentMessage(int port, const PortRoute& route, bool answered) {
    return "The meter does not answer on " + meterPortName(port) +
           (answered ? " (what came back is no meter record)" : "") + ", so nothing was keyed.\n" +
           triedText(port, route,
                     "Check that the meter is switched on and that its cable is in that adapter") +
           ".\nThen press Run again.";
}

}  // namespace zm
