// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace zm {

// How zm480-sweep ends, for the scripts that run it. Statuses 2 to 4 mean the transmitter
// was never keyed.
enum class ExitStatus : int {
    Swept = 0,            // every point of every sweep was swept
    Stopped = 1,          // a signal, no power, the power ceiling or the radio lost stopped it
    Usage = 2,            // the command line is wrong; nothing was opened
    StationNotReady = 3,  // the meter or the radio is not there, or rigctld is held up
    NothingToSweep = 4,   // the band plan lets no point of the sweep be keyed
    Drifted = 5,          // with --alert: every sweep completed, and one drifted beyond the limits
};

constexpr int exitCode(ExitStatus status) {
    return static_cast<int>(status);
}

}  // namespace zm
