// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace zm {

// zm480-ptt-guard started by the window, with one end of a socket pair as its standard input
// and output; the window keeps the other end and nothing else holds it, so the guard sees
// the window go away however it ends.
struct GuardChild {
    pid_t pid = -1;
    int socket = -1;  // the window's end
};

// program: the path of zm480-ptt-guard. Empty with a sentence for the user, without a
// closing full stop, in whyNot.
std::optional<GuardChild> spawnGuardProgram(const std::string& program,
                                            const std::vector<std::string>& arguments,
                                            std::string& whyNot);

// How the child ended, once it has ended within `wait` (it is then reaped); empty while it
// runs.
std::optional<std::string> reapWithin(pid_t child, std::chrono::milliseconds wait);

}  // namespace zm
