// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Recording fakes of the station's devices, which the sweep engine drives with or without a
// window: each remembers what it was asked, in order, and answers from a script the test
// sets up.

#include <QCoreApplication>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "engine/thread_hop.h"
#include "meter/pause.h"
#include "meter/serial_comm.h"
#include "sweep/ptt_guard.h"

namespace zm::test {

// One shared log, so that calls to different devices can be checked in one order.
using CallLog = std::vector<std::string>;

// What a fake does as the user or the desktop would (a key, a click, a process killed) runs on
// the test's own thread, where the window and the test's processes live, also when a sweep
// on a thread of its own calls the fake.
template <typename Call>
void onTestThread(Call&& call) {
    if (QCoreApplication::instance() == nullptr) {
        call();
    } else {
        onThreadOf(*QCoreApplication::instance(), std::forward<Call>(call));
    }
}

class FakeSerialComm : public SerialComm {
public:
    explicit FakeSerialComm(CallLog& log) : m_log(log) {}

    // What the meter answers to each query, in turn; when the script runs out, the last
    // answer repeats ("" = silent).
    std::deque<std::string> answers;
    std::string lastAnswer;
    bool openSucceeds = true;
    int port = 1;
    bool opened = false;

    void setCommPort(int portNumber) override { port = portNumber; }
    int commPort() const override { return port; }
    // Port N is /dev/ttyS<N-1>, or /dev/ttyUSB<N-1> through a link in a folder whose name
    // a shell would split.
    bool linked = false;
    PortRoute routeOf(int portNumber) const override {
        const std::string n = std::to_string(portNumber - 1);
        return {(linked ? "/dev/ttyUSB" : "/dev/ttyS") + n,
                "/home/op/O'Brien shack/ports/com" + std::to_string(portNumber), linked};
    }
    bool setSettings(std::string_view s) override {
        m_log.push_back("Settings " + std::string(s));
        return true;
    }
    void setInputLen(int) override {}
    bool open() override {
        m_log.push_back("Open " + std::to_string(port));
        opened = openSucceeds;
        return opened;
    }
    void close() override {
        m_log.push_back("Close");
        opened = false;
    }
    bool isOpen() const override { return opened; }
    void clearOutBuffer() override {}
    void clearInBuffer() override {}
    bool output(std::string_view bytes) override {
        m_log.push_back("Output " + std::string(bytes));
        return true;
    }
    std::string input() override {
        if (!answers.empty()) {
            lastAnswer = answers.front();
            answers.pop_front();
        }
        return lastAnswer;
    }

private:
    CallLog& m_log;
};

class RecordingSleeper : public Sleeper {
public:
    explicit RecordingSleeper(CallLog& log) : m_log(log) {}
    // Runs inside each wait, as the user or the desktop would act while it lasts.
    std::function<void(std::chrono::milliseconds)> during;

    void sleep(std::chrono::milliseconds duration) override {
        m_log.push_back("Pause " + std::to_string(duration.count()));
        if (during) {
            onTestThread([&] { during(duration); });
        }
    }

private:
    CallLog& m_log;
};

// A guard that only records what the window told it, into its own log unless a test
// points it at the shared one.
class RecordingPttGuard : public PttGuard {
public:
    CallLog ownLog;
    CallLog* log = &ownLog;
    bool startSucceeds = true;
    bool alive = true;

    bool start(std::string& whyNot) override {
        log->push_back("Guard start");
        if (!startSucceeds) {
            whyNot = "The PTT guard could not reach rigctld";
        }
        return startSucceeds;
    }
    bool keying(std::string& whyNot) override {
        log->push_back("Guard keying");
        if (!alive) {
            whyNot = "The PTT guard has ended";
        }
        return alive;
    }
    void unkeyed() override { log->push_back("Guard unkeyed"); }
    void finish() override { log->push_back("Guard finish"); }
};

}  // namespace zm::test
