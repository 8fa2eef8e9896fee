// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "station/port_holders.h"

namespace zm {

// What stands in the way of opening a serial device, in words for the user with the action
// to take, or empty when nothing does. Checked without
// opening the device: opening a tty raises DTR and RTS, which key a radio set to PTT on them.
// role: "radio's" or "meter's".
//   "The radio's device /dev/ttyUSB9 is not plugged in, or its name changed: choose it again
//    in Setup, Station"
std::string serialDeviceProblem(std::string_view role, const std::string& device);

// The radio's device is not there; a radio's own USB port comes and goes with its power:
//   "The radio's device /dev/ttyUSB9 is not there: switch the radio on and plug in its cable
//    (rigctld starts as soon as it is back), or, if its name changed, choose it again in
//    Setup, Station"
std::string radioDeviceAbsentMessage(const std::string& device);

// How to stop the programs known to take USB serial adapters, a rigctld left running, or any
// other: "close that program, or end it with: kill 4711".
std::string howToStop(const RunningProgram& holder);

// "ModemManager (process 812) holds /dev/ttyUSB1: ..." with how to stop that program.
std::string heldByMessage(const std::string& device, const RunningProgram& holder);

// Another program listens at rigctld's port: what it is and what to do.
//   "rigctld's port 4532 on 127.0.0.1 is taken by nc (process 4711): end it, or choose another
//    port in Setup, Station"
std::string portTakenMessage(std::uint16_t port, const RunningProgram* holder,
                             int frontedModel = 0);

}  // namespace zm
