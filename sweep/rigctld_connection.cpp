// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/rigctld_connection.h"

namespace zm {

namespace {

constexpr std::size_t kQuotedAnswerChars = 60;

int milliseconds(std::chrono::milliseconds duration) {
    return static_cast<int>(duration.count());
}

// A short, printable excerpt of what came back, for the message that says it was unreadable.
std::string quoted(std::string_view received) {
    std::string text;
    for (const char c : received.substr(0, kQuotedAnswerChars)) {
        if (c == '\n') {
            text += " | ";
        } else if (c >= ' ' && c <= '~') {
            text += c;
        } else {
            text += '?';
        }
    }
    return "\"" + text + (received.size() > kQuotedAnswerChars ? "...\"" : "\"");
}

}  // namespace

std::string RigctldConnection::endpoint() const {
    const QString host = m_address.protocol() == QAbstractSocket::IPv6Protocol
                             ? "[" + m_address.toString() + "]"
                             : m_address.toString();
    return host.toStdString() + ":" + std::to_string(m_port);
}

int RigctldConnection::open(const QHostAddress& address, quint16 port) {
    m_address = address;
    m_port = port;
    return connectAndCheck();
}

bool RigctldConnection::reopen() {
    const std::string closedBecause = m_closedBecause;
    if (connectAndCheck() == kRigOk) {
        return true;
    }
    m_failure = "the connection to rigctld broke (" + closedBecause +
                ") and connecting again failed: " + m_failure;
    return false;
}

int RigctldConnection::connectAndCheck() {
    // rigctld 4.5.4 now and then closes a connection it has just accepted when another one
    // closed a moment before: 66 of 500 connections opened straight after closing the last
    // one, never twice running. One more try gets through.
    constexpr int kAttempts = 3;
    int status = kRigConnectionLost;
    for (int attempt = 0; attempt < kAttempts && status == kRigConnectionLost; ++attempt) {
        if (!connectSocket()) {
            m_failure = "no rig-control server answers at " + endpoint();
            return kRigConnectionLost;
        }
        status = checkRigctld();
    }
    return status;
}

bool RigctldConnection::connectSocket() {
    m_socket.abort();
    m_broken = true;
    m_socket.connectToHost(m_address, m_port);
    if (!m_socket.waitForConnected(milliseconds(kConnectTimeout))) {
        m_socket.abort();
        return false;
    }
    // Each request is one short line that we wait on: do not let Nagle hold it back.
    m_socket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    return true;
}

int RigctldConnection::checkRigctld() {
    const QDeadlineTimer deadline(kRigctldReplyTimeout);
    int status = kRigOk;
    m_socket.write(kRigctldChkVfoRequest.data(), static_cast<qint64>(kRigctldChkVfoRequest.size()));
    std::string received;
    while (received.find('\n') == std::string::npos && received.size() < kQuotedAnswerChars &&
           waitForBytes(deadline, status)) {
        received += m_socket.readAll().toStdString();
    }
    const auto vfoMode = parseChkVfoAnswer(received.substr(0, received.find('\n')));
    if (vfoMode) {
        m_vfoMode = *vfoMode;
        m_broken = false;
        return kRigOk;
    }
    const std::string program = "the program at " + endpoint();
    if (status == kRigTimedOut) {
        m_failure =
            program + " accepted the connection but gave no answer " + withinRigctldReplyTimeout();
    } else if (status == kRigConnectionLost) {
        m_failure = program + " closed the connection at once";
    } else {
        status =
            fail(kRigUnparsableAnswer, program + " does not answer as rigctld does (it answered " +
                                           quoted(received) + ")");
    }
    m_closedBecause = m_failure;
    return status;
}

int RigctldConnection::execute(const RigctldCommand& command, std::string_view arguments,
                               std::string* answer) {
    if (m_broken) {
        m_failure =
            "the connection to rigctld was closed after an earlier failure: " + m_closedBecause;
        return kRigConnectionLost;
    }
    const auto request = formatRigctldRequest(command, arguments, m_vfoMode);
    if (!request) {
        m_failure = "\"" + std::string(arguments) + "\" cannot be sent to rigctld";
        return kRigRefusedArgument;
    }

    const QDeadlineTimer deadline(kRigctldReplyTimeout);
    int status = kRigOk;
    if (m_socket.write(request->data(), static_cast<qint64>(request->size())) !=
        static_cast<qint64>(request->size())) {
        return fail(kRigConnectionLost,
                    "the connection to rigctld at " + endpoint() + " is closed");
    }
    while (m_socket.bytesToWrite() > 0) {
        const auto remaining = static_cast<int>(deadline.remainingTime());
        if (remaining <= 0 || !m_socket.waitForBytesWritten(remaining)) {
            return failWaiting(remaining);
        }
    }

    // Bytes already waiting before the request went out belong to no request: they make the
    // answer unreadable, which is what they mean.
    std::string received = m_socket.readAll().toStdString();
    for (;;) {
        const RigctldAnswer parsed = parseRigctldAnswer(received, command.echoName);
        if (parsed.state == RigctldAnswer::State::Complete) {
            if (answer != nullptr) {
                *answer = std::move(received);
            }
            return parsed.status;
        }
        if (parsed.state == RigctldAnswer::State::Malformed) {
            return fail(kRigUnparsableAnswer, "rigctld at " + endpoint() + " answered " +
                                                  quoted(received) +
                                                  ", which is not an answer to \"" +
                                                  request->substr(0, request->size() - 1) + "\"");
        }
        if (!waitForBytes(deadline, status)) {
            return status;
        }
        received += m_socket.readAll().toStdString();
    }
}

bool RigctldConnection::waitForBytes(const QDeadlineTimer& deadline, int& status) {
    const auto remaining = static_cast<int>(deadline.remainingTime());
    if (remaining > 0 && m_socket.waitForReadyRead(remaining)) {
        return true;
    }
    status = failWaiting(remaining);
    return false;
}

int RigctldConnection::failWaiting(int remainingMs) {
    const bool timedOut =
        m_socket.state() == QAbstractSocket::ConnectedState &&
        (remainingMs <= 0 || m_socket.error() == QAbstractSocket::SocketTimeoutError);
    if (!timedOut) {
        return fail(kRigConnectionLost, "rigctld at " + endpoint() + " closed the connection");
    }
    return fail(kRigTimedOut,
                "rigctld at " + endpoint() + " gave no answer " + withinRigctldReplyTimeout());
}

int RigctldConnection::fail(int status, std::string reason) {
    m_failure = std::move(reason);
    m_closedBecause = m_failure;
    m_broken = true;
    m_socket.abort();
    return status;
}

}  // namespace zm
