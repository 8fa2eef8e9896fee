// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace zm {

// How a child process ended, from waitpid's status, for messages: "it exited with status 2",
// "it was killed by signal 9 (Killed)".
std::string howProcessEnded(int waitStatus);

}  // namespace zm
