// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "guard/guard_command_line.h"

namespace zm {

// What the guard that runs the station's rigctld looks at: rigctld's command line, the
// program at its port, and the radio's device.

// The value after an option in rigctld's arguments: "-r" gives the device.
std::string valueAfter(const std::vector<std::string>& command, std::string_view option);

// The number after "-m" or "-t"; 0 when there is none.
int optionNumber(const std::vector<std::string>& command, std::string_view option);

// The model a program at the endpoint fronts, from line 2 of rigctld's \dump_state:
//   1         the protocol version
//   3073      the model
// 0 when nothing listens there, -1 when what listens is no rigctld.
int frontedModel(const RigEndpoint& rig);

// The device node a path leads to, through its links. A radio switched off and on, or a USB
// cable plugged back, makes a new node, usually under the same name: /dev/ttyUSB0 comes back
// with another inode. (A pseudo-terminal made again with the same number keeps its inode.)
struct DeviceNode {
    dev_t deviceNumber = 0;  // major and minor: which device it stands for
    ino_t inode = 0;
    bool operator==(const DeviceNode&) const = default;
};
std::optional<DeviceNode> deviceNodeAt(const std::string& path);

}  // namespace zm
