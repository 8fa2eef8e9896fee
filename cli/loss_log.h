// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <string>

namespace zm {

// One line of what the command did when its output went away, for whoever comes back once
// the link is up again: appended to zm480-sweep.log in the settings folder, beside the
// memories, with the date and time and the process, and sent to the system log, where
// there is one (syslog, as zm480-sweep, a warning):
//
//   2024-05-01 14:03:22 zm480-sweep[4711]: 20m stopped at 14.100 MHz: standard output's
//   reader went away; the transmitter is unkeyed; 7 points kept as the memory "20m 14:03"
//   (/home/op/.config/zm480-plot/memories/memory-004.csv)
//
// Why the log file could not be written; empty when it was.
std::string logLoss(const QString& settingsFolder, const std::string& line);

}  // namespace zm
