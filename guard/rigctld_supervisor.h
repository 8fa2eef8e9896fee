// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <signal.h>

#include <string>
#include <vector>

#include "guard/guard_command_line.h"

namespace zm {

// The guard's second mode: it runs the station's rigctld for the window, from the window's
// opening to its end (the words are those of station/rigctld_supervisor_words.h).
//
// Before each start it checks the radio's device and rigctld's port. It restarts a rigctld
// that ended after 1, 2, 4 ... 30 s, passes on every line rigctld writes to stderr, and says
// when rigctld answers. When the window says "end", rigctld gets SIGINT and, after 2 s,
// SIGKILL. When the window's end closes without "end" (it died, perhaps with the transmitter
// keyed) or on SIGTERM, the guard first unkeys through rigctld (rigctld ending does not unkey
// the radio) and leaves the sweep's own guard a second to do the same. The guard then exits;
// rigctld never outlives it.
//
// rig: where rigctld listens; command: rigctld and its arguments (-m MODEL ... -t PORT).
// Returns the guard's exit status.
int superviseRigctld(const RigEndpoint& rig, const std::vector<std::string>& command,
                     const sigset_t& waitMask, volatile const sig_atomic_t& terminated);

}  // namespace zm
