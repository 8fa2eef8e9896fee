// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "guard/loopback_socket.h"

namespace zm {

// The question that tells whether the station's rigctld still answers, on a connection of
// its own that stays open between questions:
//
//   guard:   \chk_vfo
//   rigctld: 0
//
// rigctld answers it from its own state, without a word to the radio, so asking it now and
// then changes nothing on the radio. Hamlib 4.5.4 answers nothing at all once a command to
// the radio hangs (measured with the emulated FT-817's pty gone: \chk_vfo answered in 7 ms,
// then "+f" got no answer, and \chk_vfo after it none in 8 s, rigctld busy at a third of a
// core), and a stopped rigctld answers nothing either.
class RigctldProbe {
public:
    explicit RigctldProbe(const RigEndpoint& rig) : m_rig(rig) {}
    RigctldProbe(const RigctldProbe&) = delete;
    RigctldProbe& operator=(const RigctldProbe&) = delete;
    ~RigctldProbe() { disconnect(); }

    // Asks, connecting first where needed. A question already waiting keeps its time.
    void ask();
    bool waiting() const { return m_waiting; }
    // How long the question has waited for its answer.
    GuardClock::duration waitedFor() const;
    // Readable when the answer, or the connection's end, has come; -1 when not connected.
    int descriptor() const { return m_socket; }
    // Reads what came; true once the answer is complete. A connection that rigctld closed is
    // opened again at the next ask().
    bool readAnswer();
    void disconnect();
    // For a rigctld that ended: no question waits any more.
    void forget() {
        disconnect();
        m_waiting = false;
    }

private:
    const RigEndpoint& m_rig;
    int m_socket = -1;
    bool m_waiting = false;
    GuardClock::time_point m_askedAt;
    std::string m_received;
};

}  // namespace zm
