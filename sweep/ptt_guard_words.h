// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The words between the window and its PTT guard (zm480-ptt-guard), one line each, over the
// socket pair that is the guard's standard input and output. A sweep of two points:
//
//   guard:  ready        it holds its own connection to rigctld
//   window: keying       just before "+T 1" goes out
//   window: unkeyed      once "+T 0" was answered "RPRT 0"
//   window: keying
//   window: unkeyed
//   window: end
//
// A guard that cannot watch answers instead, and exits:
//
//   guard:  error No rig-control server answers at 127.0.0.1:4532

#include <string>
#include <string_view>

namespace zm {

inline constexpr std::string_view kGuardReady = "ready";
inline constexpr std::string_view kGuardErrorPrefix = "error ";
inline constexpr std::string_view kGuardKeying = "keying";
inline constexpr std::string_view kGuardUnkeyed = "unkeyed";
inline constexpr std::string_view kGuardEnd = "end";

// A line of this exchange as it may be shown to a person, whatever bytes it holds:
// "ke\x01ying" -> "ke?ying".
inline std::string printableGuardLine(std::string_view line) {
    std::string shown;
    for (const char c : line) {
        shown += (c >= ' ' && c <= '~') ? c : '?';
    }
    return shown;
}

}  // namespace zm
