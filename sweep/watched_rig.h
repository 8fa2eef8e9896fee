// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A rig client that passes every call on to another and tells a watcher, as each request
// goes out, that the program tunes the rig (to the frequency it asks for) or keys or unkeys
// it, and once each call has come back, what it was: for a front end to time how long the
// transmitter was keyed, for a test to see where the radio was keyed, for a benchmark to time
// the points.

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "sweep/rig_control.h"

namespace zm {

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
    std::optional<int> antennaSocket() override { return m_rig->antennaSocket(); }
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

// Every server of `servers`, watched.
class WatchedRigServers : public RigServerFactory {
public:
    WatchedRigServers(std::unique_ptr<RigServerFactory> servers, RigWatcher watcher)
        : m_servers(std::move(servers)), m_watcher(std::move(watcher)) {}
    std::unique_ptr<RigServer> create(std::string& whyNot) override {
        auto server = m_servers->create(whyNot);
        return server ? std::make_unique<WatchedRigServer>(std::move(server), m_watcher) : nullptr;
    }
    void setRunByProgram(bool runByProgram) override { m_servers->setRunByProgram(runByProgram); }

private:
    std::unique_ptr<RigServerFactory> m_servers;
    RigWatcher m_watcher;
};

}  // namespace zm
