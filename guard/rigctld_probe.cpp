// SPDX-License-Identifier: GPL-3.0-or-later
#include "guard/rigctld_probe.h"

#include <unistd.h>

#include "sweep/rigctld_protocol.h"

namespace zm {

namespace {

// A connect on loopback completes at once, even to a stopped rigctld: the kernel takes it.
constexpr std::chrono::milliseconds kConnectTime{500};
// "0\n" or "CHKVFO 0\n"; more without a line's end is no answer of rigctld's.
constexpr std::size_t kMaxAnswerChars = 32;

}  // namespace

void RigctldProbe::ask() {
    if (!m_waiting) {
        m_waiting = true;
        m_askedAt = GuardClock::now();
    }
    if (m_socket < 0) {
        m_socket = connectWithin(m_rig, GuardClock::now() + kConnectTime);
    }
    if (m_socket >= 0 && !sendAll(m_socket, kRigctldChkVfoRequest, GuardClock::now())) {
        disconnect();
    }
}

GuardClock::duration RigctldProbe::waitedFor() const {
    return m_waiting ? GuardClock::now() - m_askedAt : GuardClock::duration::zero();
}

bool RigctldProbe::readAnswer() {
    if (m_socket < 0) {
        return false;
    }
    if (receiveMore(m_socket, m_received, GuardClock::now()) == Received::Closed ||
        m_received.size() > kMaxAnswerChars) {
        disconnect();  // still waiting: asked again on a new connection
        return false;
    }
    const auto end = m_received.find('\n');
    if (end == std::string::npos) {
        return false;
    }
    const bool answered = parseChkVfoAnswer(m_received.substr(0, end)).has_value();
    m_received.erase(0, end + 1);
    if (!answered) {
        disconnect();
        return false;
    }
    m_waiting = false;
    return true;
}

void RigctldProbe::disconnect() {
    if (m_socket >= 0) {
        ::close(m_socket);
        m_socket = -1;
    }
    m_received.clear();
}

}  // namespace zm
