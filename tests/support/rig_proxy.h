// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A loopback proxy in front of rigctld that keeps each request another program sends
// through it ("+F 7100000", "+T 1"): for a test to see where a program it runs as a process
// of its own tuned and keyed the radio. It forwards while the test's event loop runs.

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <cmath>
#include <string>
#include <vector>

namespace zm::test {

class RecordingRigProxy {
public:
    explicit RecordingRigProxy(quint16 rigctldPort) : m_rigctldPort(rigctldPort) {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] { pass(); });
    }
    quint16 port() const { return m_server.serverPort(); }
    // Whether any program connected through it.
    bool reached() const { return m_reached; }

    // The radio's frequency in Hz at each key-down, in order: "+F 7100000" or, from Hamlib's
    // NET rigctl, "F VFOA 7100000.000000", then "+T 1" or "T VFOA 1".
    std::vector<std::int64_t> keyedHz() const {
        std::vector<std::int64_t> keyed;
        std::int64_t tunedHz = 0;
        for (const std::string& request : m_requests) {
            const std::string command = request.substr(request.starts_with('+') ? 1 : 0, 2);
            const std::string last = request.substr(request.rfind(' ') + 1);
            if (command == "F ") {
                tunedHz = std::llround(std::stod(last));
            } else if (command == "T " && last == "1") {
                keyed.push_back(tunedHz);
            }
        }
        return keyed;
    }

private:
    void pass() {
        while (QTcpSocket* client = m_server.nextPendingConnection()) {
            m_reached = true;
            auto* rig = new QTcpSocket(client);  // goes with its client
            rig->connectToHost(QHostAddress::LocalHost, m_rigctldPort);
            rig->waitForConnected(2000);
            QObject::connect(client, &QTcpSocket::readyRead, [this, client, rig] {
                const QByteArray bytes = client->readAll();
                m_pending += bytes.toStdString();
                for (auto end = m_pending.find('\n'); end != std::string::npos;
                     end = m_pending.find('\n')) {
                    m_requests.push_back(m_pending.substr(0, end));
                    m_pending.erase(0, end + 1);
                }
                rig->write(bytes);
            });
            QObject::connect(rig, &QTcpSocket::readyRead,
                             [client, rig] { client->write(rig->readAll()); });
            QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        }
    }

    quint16 m_rigctldPort;
    QTcpServer m_server;
    std::string m_pending;
    std::vector<std::string> m_requests;
    bool m_reached = false;
};

}  // namespace zm::test
