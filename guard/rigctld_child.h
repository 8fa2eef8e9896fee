// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace zm {

// rigctld as the guard's child: started from an argument list (never a shell) in a process
// group of its own, so that Ctrl+C in the terminal reaches the window and not the radio's
// server; its standard error is a pipe to the guard, its standard input and output
// /dev/null. Should the guard itself be killed, the kernel kills rigctld too.
class RigctldChild {
public:
    // A child whose program could not be run exits with this status.
    static constexpr int kExecFailed = 127;

    RigctldChild() = default;
    RigctldChild(const RigctldChild&) = delete;
    RigctldChild& operator=(const RigctldChild&) = delete;
    ~RigctldChild();

    // command[0] is the program, looked up on the PATH. False with the reason in whyNot.
    bool start(const std::vector<std::string>& command, std::string& whyNot);

    bool running() const { return m_pid > 0; }
    pid_t pid() const { return m_pid; }
    // Readable when it wrote to stderr or closed it; -1 once readLines() has read the end.
    int stderrDescriptor() const { return m_stderr; }
    // Readable when it ended; -1 once reaped.
    int endDescriptor() const { return m_pidfd; }

    // The complete lines it wrote since the last call, and at the stream's end an unfinished
    // last one; the stream is read until it blocks.
    std::vector<std::string> readLines();
    // "it exited with status 2", once it has ended (it is then reaped, and readLines() gives
    // what it wrote last); empty while it runs.
    std::optional<std::string> reapIfEnded();
    // SIGINT (rigctld 4.5.4 then closes its port and exits in about 0.4 s), SIGKILL when it
    // has not ended within `grace`. Returns how it ended.
    std::string stop(std::chrono::milliseconds grace);
    int lastExitStatus() const { return m_exitStatus; }

private:
    void closeDescriptors();
    static void closeDescriptor(int& fd);

    pid_t m_pid = -1;
    int m_stderr = -1;
    int m_pidfd = -1;
    std::string m_partialLine;
    int m_exitStatus = -1;  // the last child's exit status; -1 when a signal ended it
};

}  // namespace zm
