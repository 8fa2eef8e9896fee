// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sweep/ptt_guard.h"

namespace zm {

// The guard as a program of its own, zm480-ptt-guard, started for each sweep:
//
//   zm480-ptt-guard --rig 127.0.0.1:4532
//
// Its standard input and output are one end of a socket pair; the window keeps the other end
// and nothing else holds it, so the guard sees the window go away however it ends. The words
// are those of sweep/ptt_guard_words.h. A dead guard never raises SIGPIPE in the window.
class ProcessPttGuard : public PttGuard {
public:
    // The guard answers once it has connected (within its own 3 s); the rest is room for
    // starting a program on a loaded machine.
    static constexpr std::chrono::milliseconds kReadyTimeout{5000};
    // A guard told "end" exits at once. One left to unkey on its own may take its 5 s of
    // retries; the window does not wait for that, and reaps it at the next start.
    static constexpr std::chrono::milliseconds kExitWait{250};

    // program: the path of zm480-ptt-guard; rigHost: 127.0.0.1, ::1 or localhost.
    ProcessPttGuard(std::string program, std::string rigHost, std::uint16_t rigPort);
    ProcessPttGuard(const ProcessPttGuard&) = delete;
    ProcessPttGuard& operator=(const ProcessPttGuard&) = delete;
    ~ProcessPttGuard() override;

    bool start(std::string& whyNot) override;
    bool keying(std::string& whyNot) override;
    void unkeyed() override;
    void finish() override;

private:
    bool spawn(std::string& whyNot);
    bool awaitReady(std::string& whyNot);
    bool say(std::string_view word);
    // "exit status 1", "killed by signal 9 (Killed)", or "" while it still runs.
    std::string endOfChild();
    void killChild();
    void closeSocket();
    void reapEnded();

    std::string m_program;
    std::string m_rig;  // "127.0.0.1:4532"
    int m_socket = -1;
    pid_t m_child = -1;
    bool m_lastWordKeying = false;
    std::vector<pid_t> m_ending;  // told to end or left to unkey, not yet reaped
};

}  // namespace zm
