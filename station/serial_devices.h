// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "meter/serial_comm.h"

namespace zm {

// A serial device of this computer, as the Station dialog lists it.
struct SerialDevice {
    // The name to keep: /dev/serial/by-id/usb-Silicon_Labs_CP2102_..._03001234-if00-port0
    // where udev made one (it does not move when adapters are plugged in another order),
    // else the kernel's name, /dev/ttyS0.
    std::string path;
    std::string kernelName;   // /dev/ttyUSB0
    std::string description;  // "Silicon Labs CP2102 USB to UART Bridge Controller, 03001234"
};

// The serial devices, those with a by-id name first.
std::vector<SerialDevice> serialDevices();

// Whether two names lead to the same device: /dev/serial/by-id/usb-... and /dev/ttyUSB1.
bool sameDevice(const std::string& one, const std::string& other);

// The meter's device as it was chosen: where the port's link points, a by-id name with its
// maker and serial number, rather than the kernel's ttyUSB name it leads to today.
std::string chosenDevice(const PortRoute& route);

// Makes (or replaces) the link linkPath -> target, its folder included. False with a sentence
// for the user, without a closing full stop, in whyNot.
bool pointLinkAt(const std::string& linkPath, const std::string& target, std::string& whyNot);

}  // namespace zm
