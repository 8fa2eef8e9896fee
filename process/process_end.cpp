// SPDX-License-Identifier: GPL-3.0-or-later
#include "process/process_end.h"

#include <sys/wait.h>

#include <cstring>

namespace zm {

std::string howProcessEnded(int waitStatus) {
    if (WIFEXITED(waitStatus)) {
        return "it exited with status " + std::to_string(WEXITSTATUS(waitStatus));
    }
    if (WIFSIGNALED(waitStatus)) {
        return "it was killed by signal " + std::to_string(WTERMSIG(waitStatus)) + " (" +
               ::strsignal(WTERMSIG(waitStatus)) + ")";
    }
    return "it ended";
}

}  // namespace zm
