// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/socket.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zm {

// rigctld's address on this computer, ready for connect().
struct RigEndpoint {
    sockaddr_storage address{};
    socklen_t addressLength = 0;
    std::string text;  // "127.0.0.1:4532" or "[::1]:4532", for messages
};

struct GuardCommandLine {
    bool help = false;
    RigEndpoint rig;
    // After --run: rigctld and its arguments, for the guard that runs the station's rigctld.
    // Empty for the guard of one sweep.
    std::vector<std::string> rigctldCommand;
};

// What --help prints.
extern const std::string_view kGuardUsage;

// The arguments after the program's name: "--rig HOST:PORT [--run rigctld ARGUMENTS...]" or
// "--help". HOST is 127.0.0.1 (any 127.x.y.z), [::1] or localhost: the window drives a
// rigctld on this computer only. Empty with a sentence for the user, without a closing full
// stop, in whyNot.
std::optional<GuardCommandLine> parseGuardCommandLine(std::span<const char* const> arguments,
                                                      std::string& whyNot);

}  // namespace zm
