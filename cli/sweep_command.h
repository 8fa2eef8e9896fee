// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cli/exit_status.h"
#include "cli/sweep_command_line.h"

namespace zm {

class StopSignals;

// zm480-sweep's run of its command line (not --help or --version): the settings folder read,
// the plans made, and then either the dry run's listing, or the station opened as the window
// opens it and every sweep run through the sweep engine, each written out as it ends. The
// transmitter is keyed only inside the engine, which unkeys it whatever ends a sweep; a stop
// signal, or standard output or error gone, ends the sweep in progress, and what was
// measured is still written (kept as a memory where it may not have reached its reader).
// Messages and progress go to standard error, a line each, in the terminal's characters
// (`utf8`, else ASCII).
ExitStatus runSweepCommand(const SweepCommandLine& line, StopSignals& stopSignals, bool utf8);

}  // namespace zm
