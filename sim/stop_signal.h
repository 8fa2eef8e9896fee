// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace zm::sim {

// SIGINT and SIGTERM end a simulator's loop instead of the process, so that it can tidy up
// (remove its link) first. SIGPIPE is ignored: a reader of its transcript may go first.
void installStopHandlers();

// True once SIGINT or SIGTERM came.
bool stopRequested();

}  // namespace zm::sim
