// SPDX-License-Identifier: GPL-3.0-or-later
#include "guard/rigctld_probe.h"

#include <unistd.h>

#include "station/radio_answer.h"
#include "sweep/rigctld_protocol.h"

namespace zm {

namespace {

// A connect on loopback completes at once, even to a stopped rigctld: the kernel takes it.
constexpr std::chrono::milliseconds kConnectTime{500};
// "0\n" or "CHKVFO 0\n"; "get_freq:\nFrequency: 1296000000\nRPRT 0\n". More without a
// complete answer is no answer of rigctld's.
constexpr std::size_t kMaxAnswerChars = 64;

}  // namespace

void RigctldProbe::ask(Question question) {
    if (!m_waiting) {
        m_waiting = true;
        m_question = question;
        m_askedAt = GuardClock::now();
    }
    if (m_socket < 0) {
        m_socket = connectWithin(m_rig, GuardClock::now() + kConnectTime);
    }
    const std::string_view request =
        m_question == Question::Radio ? kTestFrequencyRequest : kRigctldChkVfoRequest;
    if (m_socket >= 0 && !sendAll(m_socket, request, GuardClock::now())) {
        disconnect();
    }
}

GuardClock::duration RigctldProbe::waitedFor() const {
    return m_waiting ? GuardClock::now() - m_askedAt : GuardClock::duration::zero();
}

RigctldProbe::Answer RigctldProbe::readAnswer() {
    if (m_socket < 0) {
        return Answer::None;
    }
    if (receiveMore(m_socket, m_received, GuardClock::now()) == Received::Closed ||
        m_received.size() > kMaxAnswerChars) {
        disconnect();  // still waiting: asked again on a new connection
        return Answer::None;
    }
    Answer answer = Answer::None;
    std::size_t used = 0;
    if (m_question == Question::Rigctld) {
        used = m_received.find('\n');
        if (used == std::string::npos) {
            return Answer::None;
        }
        answer = parseChkVfoAnswer(m_received.substr(0, used++)) ? Answer::Rigctld : Answer::None;
    } else {
        const RigctldAnswer parsed = parseRigctldAnswer(m_received, "get_freq");
        if (parsed.state == RigctldAnswer::State::Incomplete) {
            return Answer::None;
        }
        used = m_received.size();  // one question at a time: nothing can follow its answer
        if (parsed.state == RigctldAnswer::State::Complete) {
            answer = radioSilentStatus(parsed.status) ? Answer::RadioSilent : Answer::Radio;
        }
    }
    m_received.erase(0, used);
    if (answer == Answer::None) {
        disconnect();  // not rigctld's answer
        return answer;
    }
    m_waiting = false;
    return answer;
}

void RigctldProbe::disconnect() {
    if (m_socket >= 0) {
        ::close(m_socket);
        m_socket = -1;
    }
    m_received.clear();
}

}  // namespace zm
