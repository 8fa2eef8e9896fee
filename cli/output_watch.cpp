// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/output_watch.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace zm {

namespace {

constexpr std::array kWatchedFds{STDOUT_FILENO, STDERR_FILENO};

std::string streamName(int fd) {
    return fd == STDOUT_FILENO ? "standard output" : "standard error";
}

// What poll() said of a stream that is gone.
std::string howItWent(int fd, short events) {
    if (events & POLLERR) {
        return streamName(fd) + "'s reader went away";
    }
    if (events & POLLHUP) {
        return streamName(fd) + "'s far end hung up";
    }
    return streamName(fd) + " was closed";
}

}  // namespace

std::string OutputWatch::openMissingStreams() {
    std::string closed;
    for (const int fd : kWatchedFds) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            closed = closed.empty() ? streamName(fd) : closed;
            const int null = ::open("/dev/null", O_WRONLY);
            if (null >= 0 && null != fd) {
                ::dup2(null, fd);
                ::close(null);
            }
        }
    }
    return closed;
}

OutputWatch::OutputWatch(std::function<void()> lost) : m_lost(std::move(lost)) {
    if (::pipe2(m_wake, O_CLOEXEC) == 0) {
        m_thread = std::thread([this] { watch(); });
    }
}

OutputWatch::~OutputWatch() {
    if (m_thread.joinable()) {
        const char byte = 1;
        [[maybe_unused]] const auto written = ::write(m_wake[1], &byte, 1);
        m_thread.join();
    }
    for (int& end : m_wake) {
        if (end >= 0) {
            ::close(end);
        }
    }
}

// No events asked of the streams: POLLERR and POLLHUP come unasked, and a stream that can
// take more bytes (a pipe, a terminal, a file) does not end the wait.
void OutputWatch::watch() {
    std::array<pollfd, 3> fds{
        {{STDOUT_FILENO, 0, 0}, {STDERR_FILENO, 0, 0}, {m_wake[0], POLLIN, 0}}};
    while (true) {
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[2].revents != 0) {
            return;
        }
        for (std::size_t i = 0; i < kWatchedFds.size(); ++i) {
            if (fds[i].revents & (POLLERR | POLLHUP | POLLNVAL)) {
                lose(fds[i].fd, howItWent(fds[i].fd, fds[i].revents));
                return;
            }
        }
    }
}

void OutputWatch::writeFailed(int fd, const std::string& why) {
    lose(fd, streamName(fd) + " could not be written (" + why + ")");
}

void OutputWatch::lose(int fd, std::string how) {
    const std::lock_guard lock(m_losing);
    if (m_isLost.load()) {
        return;
    }
    m_loss = {fd, std::move(how)};
    m_isLost.store(true);
    if (m_lost) {
        m_lost();
    }
}

std::optional<OutputWatch::Loss> OutputWatch::loss() const {
    return m_isLost.load() ? std::optional(m_loss) : std::nullopt;
}

}  // namespace zm
