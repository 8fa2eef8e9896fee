// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/station_checks.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace zm {

std::string howToStop(const RunningProgram& holder) {
    if (holder.name == "ModemManager") {
        return "stop it with: sudo systemctl disable --now ModemManager (it probes every new "
               "serial adapter for a modem)";
    }
    if (holder.name == "brltty") {
        return "remove it with: sudo apt remove brltty (it takes USB serial adapters for "
               "braille displays)";
    }
    if (holder.name == "rigctld") {
        return "it is a rigctld left running: end it with: kill " + std::to_string(holder.pid);
    }
    return "close that program, or end it with: kill " + std::to_string(holder.pid);
}

std::string serialDeviceProblem(std::string_view role, const std::string& device) {
    const std::string subject = "The " + std::string(role) + " device " + device;
    std::error_code error;
    if (!std::filesystem::exists(device, error)) {
        return subject +
               " is not plugged in, or its name changed: choose it again in Setup, "
               "Station";
    }
    if (::access(device.c_str(), R_OK | W_OK) != 0) {
        if (errno == EACCES) {
            return "Your user may not open the " + std::string(role) + " device " + device +
                   ": add yourself to the dialout group: sudo usermod -aG dialout $USER, then "
                   "log out and in";
        }
        return subject + " cannot be opened: " + std::strerror(errno);
    }
    const auto holders = programsHolding(device);
    return holders.empty() ? std::string() : heldByMessage(device, holders.front());
}

std::string radioDeviceAbsentMessage(const std::string& device) {
    return "The radio's device " + device +
           " is not there: switch the radio on and plug in its cable (rigctld starts as soon as "
           "it is back), or, if its name changed, choose it again in Setup, Station";
}

std::string heldByMessage(const std::string& device, const RunningProgram& holder) {
    return holder.name + " (process " + std::to_string(holder.pid) + ") holds " + device + ": " +
           howToStop(holder);
}

std::string portTakenMessage(std::uint16_t port, const RunningProgram* holder, int frontedModel) {
    std::string what = frontedModel > 0
                           ? "a rigctld for radio model " + std::to_string(frontedModel)
                       : holder ? holder->name
                                : "another program";
    std::string end = "end it";
    if (holder) {
        what += " (process " + std::to_string(holder->pid) + ")";
        end += " (kill " + std::to_string(holder->pid) + ")";
    }
    return "rigctld's port " + std::to_string(port) + " on 127.0.0.1 is taken by " + what + ": " +
           end + ", or choose another port in Setup, Station";
}

}  // namespace zm
