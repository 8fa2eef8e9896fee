// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

#include "meter/serial_comm.h"

namespace zm {

// The meter's serial settings: 38400 baud, no parity, 8 data bits, 1 stop bit.
inline constexpr std::string_view kMeterPortSettings = "38400,n,8,1";

// The port list's name of port N: "Com01" .. "Com16".
std::string meterPortName(int port);

// Opens the meter's port as start-up does, in its settings, every byte come so far handed
// out at each read and nothing left over from before. False when it would not open.
bool openMeterPort(SerialComm& port);

// "COM port not available. Check Com Port setting.", the line it always was, and under it
// the device tried and what to do: the program that holds it and how to stop that, or the
// link that points the port at a USB adapter, as a command to copy.
std::string portNotAvailableMessage(int port, const PortRoute& route);

// A port that opened, but no meter record came back before the first key-down (nothing
// behind /dev/ttyS0, the meter's cable in another adapter): the device tried and, for a
// port without a link of its own, the link to make. `answered`: bytes came that are no
// record (another device, or another speed).
std::string meterSilentMessage(int port, const PortRoute& route, bool answered);

}  // namespace zm
