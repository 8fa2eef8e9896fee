// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "guard/loopback_socket.h"

namespace zm {

// The questions that tell whether the station's rigctld, and the radio behind it, still
// answer, on a connection of their own that stays open between questions:
//
//   guard:   \chk_vfo          guard:   +f
//   rigctld: 0                 rigctld: get_freq:
//                                       Frequency: 14074000
//                                       RPRT 0
//
// rigctld answers \chk_vfo from its own state, without a word to the radio. "+f" reads the
// frequency, which every backend does and which changes nothing on any radio; a radio that
// is switched off behind a CAT cable that stays plugged in gives no answer, and rigctld says
// so once its backend has tried long enough (Hamlib 4.5.4's FT-817 backend: six tries of
// 3 s, then "RPRT -5"). rigctld asks the radio one thing at a time, so meanwhile \chk_vfo
// waits as well. Hamlib 4.5.4 answers nothing at all once a command to the radio hangs
// (measured with the emulated FT-817's pty gone: \chk_vfo answered in 7 ms, then "+f" got no
// answer, and \chk_vfo after it none in 8 s, rigctld busy at a third of a core), and a
// stopped rigctld answers nothing either. What rigctld still does while its backend waits
// for the radio is take new connections (connectionTakenWithin); a stopped one does not.
class RigctldProbe {
public:
    enum class Question { Rigctld, Radio };
    enum class Answer {
        None,         // nothing complete yet, or the connection broke: asked again
        Rigctld,      // rigctld answered \chk_vfo
        Radio,        // the radio's frequency, or another answer rigctld had from the radio
        RadioSilent,  // rigctld answered that the radio did not
    };

    explicit RigctldProbe(const RigEndpoint& rig) : m_rig(rig) {}
    RigctldProbe(const RigctldProbe&) = delete;
    RigctldProbe& operator=(const RigctldProbe&) = delete;
    ~RigctldProbe() { disconnect(); }

    // Asks, connecting first where needed. A question already waiting keeps its time and
    // is asked again as it was.
    void ask(Question question);
    bool waiting() const { return m_waiting; }
    // How long the question has waited for its answer.
    GuardClock::duration waitedFor() const;
    // Readable when the answer, or the connection's end, has come; -1 when not connected.
    int descriptor() const { return m_socket; }
    // Reads what came. A connection that rigctld closed is opened again at the next ask().
    Answer readAnswer();
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
    Question m_question = Question::Rigctld;
    GuardClock::time_point m_askedAt;
    std::string m_received;
};

}  // namespace zm
