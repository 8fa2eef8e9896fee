// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A rig client that passes every call on to rigctld and tells a watcher, as each request
// goes out, that the program tunes the rig (to the frequency it asks for) or keys or unkeys
// it: for a test to see where the radio was keyed, for a benchmark to time the points; and
// once each call has come back, for a test to fail the client after the radio has acted.

#include <QtGlobal>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "sweep/rig_control.h"
#include "sweep/rigctld_client.h"

namespace zm::test {

struct RigWatcher {
    std::function<void(double frequencyMHz)> tuning = [](double) {};
    std::function<void(int transmit)> keying = [](int) {};
    // "SetPTT 1", "SetFrequency", "SetMode", ...: the call, answered.
    std::function<void(const std::string& call)> answered = [](const std::string&) {};
};

class WatchedTransceiver : public Transceiver {
public:
    WatchedTransceiver(std::shared_ptr<Transceiver> rig, RigWatcher& watcher)
        : m_rig(std::move(rig)), m_watcher(watcher) {}
    int SetPTT(int transmit) override {
        m_watcher.keying(transmit);
        return answered("SetPTT " + std::to_string(transmit), m_rig->SetPTT(transmit));
    }
    int SetOptionA(int value) override { return answered("SetOptionA", m_rig->SetOptionA(value)); }
    int SetOptionB(int value) override { return answered("SetOptionB", m_rig->SetOptionB(value)); }
    int SetSplit(int split) override { return answered("SetSplit", m_rig->SetSplit(split)); }
    int SetMode(int mode) override { return answered("SetMode", m_rig->SetMode(mode)); }
    int SetFrequency(double frequencyMHz) override {
        m_watcher.tuning(frequencyMHz);
        return answered("SetFrequency", m_rig->SetFrequency(frequencyMHz));
    }
    std::string lastError() const override { return m_rig->lastError(); }

private:
    int answered(const std::string& call, int status) {
        m_watcher.answered(call);
        return status;
    }
    std::shared_ptr<Transceiver> m_rig;
    RigWatcher& m_watcher;
};

class WatchedRigServer : public RigServer {
public:
    WatchedRigServer(std::unique_ptr<RigServer> server, RigWatcher& watcher)
        : m_server(std::move(server)), m_watcher(watcher) {}
    int GetTransceiver(std::shared_ptr<Transceiver>& transceiver) override {
        std::shared_ptr<Transceiver> rig;
        const int status = m_server->GetTransceiver(rig);
        if (rig) {
            transceiver = std::make_shared<WatchedTransceiver>(rig, m_watcher);
        }
        return status;
    }
    std::string lastError() const override { return m_server->lastError(); }

private:
    std::unique_ptr<RigServer> m_server;
    RigWatcher& m_watcher;
};

// rigctld on 127.0.0.1 at the port, watched.
class WatchedRigServers : public RigServerFactory {
public:
    WatchedRigServers(quint16 port, RigWatcher watcher)
        : m_servers("127.0.0.1", port), m_watcher(std::move(watcher)) {}
    std::unique_ptr<RigServer> create(std::string& whyNot) override {
        auto server = m_servers.create(whyNot);
        return server ? std::make_unique<WatchedRigServer>(std::move(server), m_watcher) : nullptr;
    }

private:
    RigctldServerFactory m_servers;
    RigWatcher m_watcher;
};

}  // namespace zm::test
