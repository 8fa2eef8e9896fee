// SPDX-License-Identifier: GPL-3.0-or-later

#include "guard/rigctld_unkeyer.h"

#include <unistd.h>

#include <algorithm>
#include <thread>

#include "guard/loopback_socket.h"
#include "sweep/rigctld_protocol.h"

namespace zm {

namespace {

using Clock = std::chrono::steady_clock;

// rigctld 4.5.4 cuts a connection accepted just as another closes, never twice running.
constexpr int kOpenAttempts = 3;
// Between unkey attempts: lets rigctld finish closing a departing client's socket, and keeps a
// missing server from being called in a tight loop.
constexpr std::chrono::milliseconds kRetryPause{100};
// "0\n" or "CHKVFO 0\n"; a longer first line is not rigctld.
constexpr std::size_t kMaxChkVfoChars = 32;

}  // namespace

RigctldUnkeyer::RigctldUnkeyer(RigEndpoint endpoint) : m_endpoint(std::move(endpoint)) {}

RigctldUnkeyer::~RigctldUnkeyer() {
    disconnect();
}

bool RigctldUnkeyer::open(std::string& whyNot) {
    std::string failure;
    if (connectAndCheck(Clock::now() + kOpenTime, failure)) {
        return true;
    }
    whyNot = "The PTT guard could not connect to rigctld: " + failure;
    return false;
}

bool RigctldUnkeyer::unkey(std::string& whyNot, std::chrono::milliseconds within) {
    const auto deadline = Clock::now() + within;
    for (;;) {
        const int status = m_socket >= 0 || connectAndCheck(deadline, whyNot)
                               ? sendUnkey(deadline, whyNot)
                               : kRigConnectionLost;
        if (status == kRigOk) {
            return true;
        }
        if (status == kHamlibRejected || Clock::now() + kRetryPause >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

bool RigctldUnkeyer::connectAndCheck(Clock::time_point deadline, std::string& whyNot) {
    const std::string program = "the program at " + m_endpoint.text;
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        disconnect();
        m_socket = connectWithin(m_endpoint, deadline);
        if (m_socket < 0) {
            whyNot = "no rig-control server answers at " + m_endpoint.text;
            return false;
        }
        const auto replyDeadline = std::min(deadline, Clock::now() + kRigctldReplyTimeout);
        std::string received;
        Received state = sendAll(m_socket, kRigctldChkVfoRequest, replyDeadline) ? Received::More
                                                                                 : Received::Closed;
        while (state == Received::More && received.find('\n') == std::string::npos &&
               received.size() <= kMaxChkVfoChars) {
            state = receiveMore(m_socket, received, replyDeadline);
        }
        const auto vfoMode = parseChkVfoAnswer(received.substr(0, received.find('\n')));
        if (vfoMode && received.find('\n') != std::string::npos) {
            m_vfoMode = *vfoMode;
            return true;
        }
        if (state == Received::Closed) {
            whyNot = program + " closed the connection at once";
            continue;
        }
        whyNot = state == Received::TimedOut
                     ? program + " accepted the connection but gave no answer " +
                           withinRigctldReplyTimeout()
                     : program + " does not answer as rigctld does";
        break;
    }
    disconnect();
    return false;
}

int RigctldUnkeyer::sendUnkey(Clock::time_point deadline, std::string& whyNot) {
    const auto request = formatRigctldRequest(kRigSetPtt, "0", m_vfoMode);
    const auto replyDeadline = std::min(deadline, Clock::now() + kRigctldReplyTimeout);
    const std::string server = "rigctld at " + m_endpoint.text;
    std::string received;
    Received state = sendAll(m_socket, *request, replyDeadline) ? Received::More : Received::Closed;
    while (state == Received::More) {
        const RigctldAnswer answer = parseRigctldAnswer(received, kRigSetPtt.echoName);
        if (answer.state == RigctldAnswer::State::Complete && answer.status == kRigOk) {
            return kRigOk;
        }
        if (answer.state == RigctldAnswer::State::Complete) {
            // The stream is still in step: the next attempt may use this connection.
            whyNot = server + " answered RPRT " + std::to_string(answer.status) + " (" +
                     hamlibErrorText(answer.status) + ")";
            return answer.status;
        }
        if (answer.state == RigctldAnswer::State::Malformed) {
            whyNot = server + " gave an answer that is not one to \"+T 0\"";
            disconnect();
            return kRigUnparsableAnswer;
        }
        state = receiveMore(m_socket, received, replyDeadline);
    }
    whyNot = state == Received::TimedOut ? server + " gave no answer " + withinRigctldReplyTimeout()
                                         : server + " closed the connection";
    disconnect();
    return state == Received::TimedOut ? kRigTimedOut : kRigConnectionLost;
}

void RigctldUnkeyer::disconnect() {
    if (m_socket >= 0) {
        ::close(m_socket);
        m_socket = -1;
    }
}

}  // namespace zm
