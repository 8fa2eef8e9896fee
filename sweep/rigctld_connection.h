// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <chrono>
#include <string>
#include <string_view>

#include "sweep/rigctld_protocol.h"

namespace zm {

// One TCP connection to rigctld, used with Qt's blocking calls on the thread that made it:
// the sweep's, which has no event loop of its own, so every exchange waits for its own
// answer, bounded by its own timeout. A timeout or a garbled answer leaves the byte stream out of
// step with the requests, so either closes the connection; later commands then fail at once
// instead of reading a stale answer.
class RigctldConnection {
public:
    // Refused connections fail at once; this bounds a connect that nobody answers.
    static constexpr std::chrono::milliseconds kConnectTimeout{1000};

    // Connects and asks rigctld whether it runs in VFO mode: kRigOk, or a kRig* status with
    // failure() saying why.
    int open(const QHostAddress& address, quint16 port);

    // Connects afresh after the connection broke. Only for unkeying: a transmitter must not
    // stay keyed because an earlier answer came late.
    bool reopen();

    // Sends one command and waits for its status: 0, Hamlib's negative code, or one of the
    // kRig* transport statuses, whose reason failure() then gives. The whole answer of a
    // complete exchange goes to answer when one is given.
    int execute(const RigctldCommand& command, std::string_view arguments,
                std::string* answer = nullptr);

    bool vfoMode() const { return m_vfoMode; }
    bool broken() const { return m_broken; }
    // What went wrong last, e.g. "rigctld at 127.0.0.1:4532 gave no answer within 2 s".
    const std::string& failure() const { return m_failure; }
    // "127.0.0.1:4532", for messages.
    std::string endpoint() const;

private:
    // Connects and checks that rigctld answers; failure() says why not.
    int connectAndCheck();
    // Opens the TCP connection, bounded by kConnectTimeout.
    bool connectSocket();
    // Asks \chk_vfo; a kRig* status with failure() set ("closed the connection at once")
    // when the answer is not rigctld's.
    int checkRigctld();
    int fail(int status, std::string reason);
    // Waits for more bytes until the deadline; false when none came, with the reason set.
    bool waitForBytes(const QDeadlineTimer& deadline, int& status);
    // Closes the connection after a wait that failed: timed out, or the peer went away.
    int failWaiting(int remainingMs);

    QTcpSocket m_socket;
    QHostAddress m_address;
    quint16 m_port = 0;
    bool m_vfoMode = false;
    bool m_broken = true;  // until open() succeeds
    std::string m_failure;
    std::string m_closedBecause;
};

}  // namespace zm
