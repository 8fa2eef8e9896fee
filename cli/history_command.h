// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <ostream>

#include "cli/history_command_line.h"

namespace zm {

// How zm480-history ends, for the scripts that run it; 2 as zm480-sweep's.
enum class HistoryExit : int {
    Done = 0,
    Failed = 1,     // the history could not be read or changed, a file not imported or written
    Usage = 2,      // the command line is wrong; nothing was opened
    NoHistory = 3,  // no history in the folder, or no such sweep, antenna or band in it
};

// Runs the command on the history of the settings folder that zm480-sweep would sweep with
// (`programFolder` holds the shipped band plans and cable list): data on `out`, every message
// on `err`, one line each.
HistoryExit runHistoryCommand(const HistoryCommandLine& line, const QString& programFolder,
                              std::ostream& out, std::ostream& err);

}  // namespace zm
