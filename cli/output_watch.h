// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace zm {

// Standard output and standard error, watched as the stop signals are: an SSH link dropped
// without a terminal sends no SIGHUP, sshd just closes the command's pipes, and a reader
// such as `head` goes away without a word. The write end of a pipe whose reader has gone
// reports POLLERR, a socket or terminal whose far end has gone POLLHUP, both at once to a
// thread that waits on them; a write that fails (EPIPE) tells the same. A file or /dev/null
// never goes away. On the first loss `lost` is called, once, on the watch's thread or the
// writer's.
class OutputWatch {
public:
    explicit OutputWatch(std::function<void()> lost);
    ~OutputWatch();
    OutputWatch(const OutputWatch&) = delete;
    OutputWatch& operator=(const OutputWatch&) = delete;

    // Before anything is opened: /dev/null on standard output or error where it is not open,
    // so that no pipe, port or socket the program opens takes its number and gets the CSV.
    // The first that was not, "standard output"; empty when both were open.
    static std::string openMissingStreams();

    // A write to standard output (fd 1) or standard error (2) failed: `why` as strerror
    // says it ("Broken pipe").
    void writeFailed(int fd, const std::string& why);

    // What was lost, once it was: the stream's number and how, "standard output's reader
    // went away".
    struct Loss {
        int fd = 0;
        std::string how;
    };
    std::optional<Loss> loss() const;

private:
    void watch();
    void lose(int fd, std::string how);

    std::function<void()> m_lost;
    int m_wake[2] = {-1, -1};  // written to at the end, so that the watch ends its wait
    std::mutex m_losing;       // the watch and a writer may find the loss at once
    std::atomic<bool> m_isLost{false};
    Loss m_loss;  // written once, before m_isLost is raised
    std::thread m_thread;
};

}  // namespace zm
