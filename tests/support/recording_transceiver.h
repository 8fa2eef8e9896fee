// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A recording rig: the factory, the server and the transceiver write every call, with its
// argument, into one log, in order:
//   "create", "GetTransceiver", "SetMode 2", "SetOptionB 0", "SetOptionA 0", "SetSplit 0",
//   "SetFrequency 14.05", "SetMode 2", "SetPTT 1", "SetPTT 0", ...
// The frequency is shown in MHz to the whole hertz a radio would be tuned to; the exact
// doubles are kept in frequenciesMHz. Any one call, counted from 1 over all of them, can be
// made to fail, or to throw.

#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "sweep/rig_control.h"

namespace zm::test {

// The same log type as the window fakes use, so that rig calls and pauses share one order.
using CallLog = std::vector<std::string>;

struct RecordingRigState {
    CallLog ownLog;
    CallLog* log = &ownLog;
    std::vector<double> frequenciesMHz;
    int calls = 0;
    int failingCall = 0;     // 0: every call succeeds
    int failureStatus = -9;  // Hamlib's "command rejected by the rig"
    std::string failureText = "The radio rejected the command";
    bool failureThrows = false;  // the failing call throws failureText instead
    std::string lastError;

    // Logs the call and answers it: 0, or the failure when it is the failing one.
    int answer(std::string call) {
        log->push_back(std::move(call));
        if (++calls == failingCall && failureThrows) {
            throw std::runtime_error(failureText);
        }
        if (calls == failingCall) {
            lastError = failureText;
            return failureStatus;
        }
        lastError.clear();
        return 0;
    }

    static std::string mhz(double frequencyMHz) {
        if (!std::isfinite(frequencyMHz)) {
            return std::to_string(frequencyMHz);
        }
        std::string text = std::to_string(std::round(frequencyMHz * 1e6) / 1e6);
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') {
            text.pop_back();
        }
        return text;
    }
};

class RecordingTransceiver : public Transceiver {
public:
    explicit RecordingTransceiver(std::shared_ptr<RecordingRigState> state)
        : m_state(std::move(state)) {}

    int SetPTT(int transmit) override { return call("SetPTT", transmit); }
    int SetOptionA(int value) override { return call("SetOptionA", value); }
    int SetOptionB(int value) override { return call("SetOptionB", value); }
    int SetSplit(int split) override { return call("SetSplit", split); }
    int SetMode(int carrierMode) override { return call("SetMode", carrierMode); }
    int SetFrequency(double frequencyMHz) override {
        m_state->frequenciesMHz.push_back(frequencyMHz);
        return m_state->answer("SetFrequency " + RecordingRigState::mhz(frequencyMHz));
    }
    std::string lastError() const override { return m_state->lastError; }

private:
    int call(const char* name, int value) {
        return m_state->answer(std::string(name) + " " + std::to_string(value));
    }
    std::shared_ptr<RecordingRigState> m_state;
};

class RecordingRigServer : public RigServer {
public:
    explicit RecordingRigServer(std::shared_ptr<RecordingRigState> state)
        : m_state(std::move(state)) {}

    int GetTransceiver(std::shared_ptr<Transceiver>& transceiver) override {
        const int status = m_state->answer("GetTransceiver");
        if (status == 0) {
            transceiver = std::make_shared<RecordingTransceiver>(m_state);
        }
        return status;
    }
    std::string lastError() const override { return m_state->lastError; }

private:
    std::shared_ptr<RecordingRigState> m_state;
};

class RecordingRigServerFactory : public RigServerFactory {
public:
    // Logs into its own log, calls().
    RecordingRigServerFactory() = default;
    // Logs into the test's log, beside the other fakes' calls.
    explicit RecordingRigServerFactory(CallLog& log) { m_state->log = &log; }

    std::unique_ptr<RigServer> create(std::string& whyNot) override {
        if (m_state->answer("create") != 0) {
            whyNot = m_state->failureText;
            return nullptr;
        }
        return std::make_unique<RecordingRigServer>(m_state);
    }

    // Makes call k (counted from 1 over create, GetTransceiver and every Set...) fail.
    void failCall(int k, int status = -9, std::string text = "The radio rejected the command") {
        m_state->failingCall = k;
        m_state->failureStatus = status;
        m_state->failureText = std::move(text);
        m_state->failureThrows = false;
    }
    // Makes call k throw, as a client with a fault of its own would.
    void throwAtCall(int k, std::string text) {
        failCall(k, 0, std::move(text));
        m_state->failureThrows = true;
    }

    const CallLog& calls() const { return *m_state->log; }
    const std::vector<double>& frequenciesMHz() const { return m_state->frequenciesMHz; }
    int callCount() const { return m_state->calls; }

private:
    std::shared_ptr<RecordingRigState> m_state = std::make_shared<RecordingRigState>();
};

}  // namespace zm::test
