// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace zm {

// The window's side of the PTT guard: a small separate program (zm480-ptt-guard, installed
// beside zm480-plot) that holds its own connection to rigctld and unkeys the transmitter
// when the window can no longer do it: killed, crashed, or hung while keyed. One guard
// watches one sweep. The window only tells it what it does; the guard never keys.
class PttGuard {
public:
    virtual ~PttGuard() = default;
    // Starts a guard for this sweep and returns once it holds its own connection to rigctld.
    // False with a sentence for the user, without a closing full stop, in whyNot.
    virtual bool start(std::string& whyNot) = 0;
    // Said just before the key-down request goes out. False when the guard is gone or no
    // longer takes the window's words (whyNot set): the sweep must then not key.
    virtual bool keying(std::string& whyNot) = 0;
    // Said once the unkey request has been answered with success.
    virtual void unkeyed() = 0;
    // The sweep is over. A guard whose last word was keying (the unkey failed) is left to
    // unkey on its own before it ends; otherwise it is told to end.
    virtual void finish() = 0;
};

}  // namespace zm
