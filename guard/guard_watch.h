// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace zm {

// How long the transmitter may stay keyed without a word from the window before the guard
// unkeys it. A point keeps the key at most about 1.2 s (the 1.0 s wait and the meter's 0.2 s,
// or six 0.2 s readings when it settles by readings) plus the answers to "T 1" and "T 0":
// 20 to 50 ms from the dummy rig, a few hundred ms from real radios, and Hamlib's Kenwood
// backend sleeps 150 ms in every unkey. A garbled record read again while keyed is preceded
// by another "keying", which starts the deadline anew. So a healthy window says "unkeyed"
// within about 2 s of its last "keying"; 3 s leaves a second for a slow radio on a loaded
// machine, and a hung window transmits at most 3 s.
inline constexpr std::chrono::milliseconds kGuardKeyedDeadline{3000};

// What the guard does in answer to one event, in this order: unkey, then exit.
struct GuardAction {
    enum class Deadline { Keep, Start, Stop };

    bool unkey = false;  // send "T 0" through the guard's own connection
    bool exit = false;
    Deadline deadline = Deadline::Keep;  // Start: kGuardKeyedDeadline from now
    std::string notice;                  // why, for stderr; empty on the happy path
};

// The guard's decisions, without a clock, a socket or a signal: the caller feeds in what the
// window says and what happened, and carries out the actions.
//
// The guard takes the transmitter as keyed from "keying" (or any word it does not know)
// until "unkeyed": a window that goes away, or the guard's own SIGTERM, in between leaves a
// keyed radio behind. After a deadline unkey it keeps watching, and the deadline starts
// again: the window may wake and say "unkeyed", or die, or key once more.
class GuardWatch {
public:
    // Bytes from the window; one action for each complete line, in order.
    std::vector<GuardAction> onBytes(std::string_view bytes);
    // The window's end closed or failed: it exited, crashed or was killed.
    GuardAction onWindowGone() const;
    // The deadline started by the last Deadline::Start has passed.
    GuardAction onDeadline();
    // SIGTERM: the session is ending, or someone ran kill.
    GuardAction onTerminate() const;

private:
    GuardAction onLine(std::string_view line);
    GuardAction unkeyAndExit(std::string notice) const;

    std::string m_partialLine;
    bool m_keyed = false;
    bool m_silenceReported = false;
    bool m_unknownWordReported = false;
};

}  // namespace zm
