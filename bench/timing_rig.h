// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A rig client that passes every call on to rigctld and notes when the window asked the
// rig to tune, key and unkey, for a benchmark to time the points of a sweep.

#include <QtGlobal>
#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sweep/rig_control.h"
#include "sweep/rigctld_client.h"

namespace zm {

// When the window asked the rig to tune, key and unkey.
struct RigTimes {
    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> tuned, keyed, unkeyed;
};

class TimingTransceiver : public Transceiver {
public:
    TimingTransceiver(std::shared_ptr<Transceiver> rig, RigTimes& times)
        : m_rig(std::move(rig)), m_times(times) {}
    int SetPTT(int transmit) override {
        (transmit ? m_times.keyed : m_times.unkeyed).push_back(RigTimes::Clock::now());
        return m_rig->SetPTT(transmit);
    }
    int SetOptionA(int value) override { return m_rig->SetOptionA(value); }
    int SetOptionB(int value) override { return m_rig->SetOptionB(value); }
    int SetSplit(int split) override { return m_rig->SetSplit(split); }
    int SetMode(int mode) override { return m_rig->SetMode(mode); }
    int SetFrequency(double frequencyMHz) override {
        m_times.tuned.push_back(RigTimes::Clock::now());
        return m_rig->SetFrequency(frequencyMHz);
    }
    std::string lastError() const override { return m_rig->lastError(); }

private:
    std::shared_ptr<Transceiver> m_rig;
    RigTimes& m_times;
};

class TimingRigServer : public RigServer {
public:
    TimingRigServer(std::unique_ptr<RigServer> server, RigTimes& times)
        : m_server(std::move(server)), m_times(times) {}
    int GetTransceiver(std::shared_ptr<Transceiver>& transceiver) override {
        std::shared_ptr<Transceiver> rig;
        const int status = m_server->GetTransceiver(rig);
        if (rig) {
            transceiver = std::make_shared<TimingTransceiver>(rig, m_times);
        }
        return status;
    }
    std::string lastError() const override { return m_server->lastError(); }

private:
    std::unique_ptr<RigServer> m_server;
    RigTimes& m_times;
};

class TimingRigServers : public RigServerFactory {
public:
    TimingRigServers(quint16 port, RigTimes& times)
        : m_servers("127.0.0.1", port), m_times(times) {}
    std::unique_ptr<RigServer> create(std::string& whyNot) override {
        auto server = m_servers.create(whyNot);
        return server ? std::make_unique<TimingRigServer>(std::move(server), m_times) : nullptr;
    }

private:
    RigctldServerFactory m_servers;
    RigTimes& m_times;
};

}  // namespace zm
