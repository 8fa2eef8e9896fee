// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "station/station_file.h"

namespace zm {

// rigctld's arguments for the radio of station.ini, in Hamlib's own spellings, for an
// argument list (never a shell):
//
//   -m 3073 -r /dev/serial/by-id/usb-...-if00-port0 -s 19200 -c 0x94 -P RIG -T 127.0.0.1 -t 4532 -v
//
// -c gets the CI-V address in hexadecimal with its 0x: rigctld reads "-c 94" as decimal 94
// (0x5E), and an IC-7300 at 0x94 then never answers. -P gets RIG, DTR or RTS only: rigctld
// takes a misspelt type for NONE and runs on, and every key-down then fails. -T keeps it on
// this computer (it listens on every interface without). -v makes it say on stderr why it
// cannot open the radio's port. Empty, with a sentence for the user without a closing full
// stop in whyNot, when the settings cannot make a sound command.
std::optional<std::vector<std::string>> rigctldArguments(const RigSettings& rig,
                                                         std::string& whyNot);

}  // namespace zm
