// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The words between the window and zm480-ptt-guard when the guard runs the station's rigctld
// (zm480-ptt-guard --rig 127.0.0.1:4532 --run rigctld -m 3073 ...), one line each, over the
// socket pair that is the guard's standard input and output. A start on a switched-off
// IC-7300 that is then switched on, and a rigctld that dies:
//
//   guard:  started 4711
//   guard:  said serial_open: Unable to open /dev/ttyUSB9 - No such file or directory
//   guard:  listening              rigctld answers at 127.0.0.1:4532
//   guard:  exited it was killed by signal 9 (Killed)
//   guard:  restart 1              starting it again in 1 s
//   guard:  started 4733
//   guard:  listening
//   window: end                    the program closes: rigctld gets SIGINT, SIGKILL after 2 s
//
// Before each start the guard checks the radio's device and rigctld's port:
//
//   guard:  blocked ModemManager (process 812) holds /dev/ttyUSB1: stop it with ...
//   guard:  restart 2
//   guard:  shared 3073            a rigctld for this model already answers there: used as it is
//
// The radio's device is watched while rigctld runs, and every second rigctld is asked whether
// it answers ("\chk_vfo") and, between sweeps, the radio's frequency ("+f") after it.
// The radio switched off, then on, and a rigctld that hangs:
//
//   guard:  absent The radio's device /dev/ttyUSB1 is not there: ...
//                                  rigctld stopped; started again once the device is back
//   guard:  started 4801
//   guard:  listening
//   window: check                  Run is pressed: does it answer now?
//   guard:  answered
//   window: sweep                  the sweep asks the radio enough; rigctld alone is asked
//   window: idle                   the sweep has ended
//   guard:  silent                 the radio does not answer rigctld: switched off behind a
//                                  CAT cable that stays plugged in (a question unanswered
//                                  for 1.5 s while rigctld still takes connections)
//   guard:  heard                  it answers again
//   window: sweep
//   guard:  exited it gave no answer for 5 s and was stopped
//                                  nor did it take a connection: stopped, or hung
//   guard:  restart 1
//
// "listening" comes once the radio has answered too, or together with "silent" when it does
// not: a rigctld started for a radio that is switched off is never said to answer alone.
//
// The window's end closing (the window died) makes the guard unkey the transmitter through
// rigctld, then stop rigctld as for "end". "failed" is said once, before the guard exits,
// when rigctld cannot be run at all.

#include <string_view>

namespace zm {

inline constexpr std::string_view kSupervisorStarted = "started";
inline constexpr std::string_view kSupervisorSaid = "said";
inline constexpr std::string_view kSupervisorListening = "listening";
inline constexpr std::string_view kSupervisorShared = "shared";
inline constexpr std::string_view kSupervisorExited = "exited";
inline constexpr std::string_view kSupervisorRestart = "restart";
inline constexpr std::string_view kSupervisorBlocked = "blocked";
inline constexpr std::string_view kSupervisorFailed = "failed";
inline constexpr std::string_view kSupervisorAbsent = "absent";
inline constexpr std::string_view kSupervisorAnswered = "answered";
inline constexpr std::string_view kSupervisorEnd = "end";
inline constexpr std::string_view kSupervisorCheck = "check";
inline constexpr std::string_view kSupervisorRadioSilent = "silent";
inline constexpr std::string_view kSupervisorRadioHeard = "heard";
inline constexpr std::string_view kSupervisorSweep = "sweep";
inline constexpr std::string_view kSupervisorIdle = "idle";

}  // namespace zm
