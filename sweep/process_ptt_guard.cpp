// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/process_ptt_guard.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <optional>

#include "process/guard_program.h"
#include "sweep/ptt_guard_words.h"

namespace zm {

namespace {

using Clock = std::chrono::steady_clock;

// A guard answers "ready" or "error" and one sentence.
constexpr std::size_t kMaxAnswerChars = 512;
// After SIGKILL a process ends at once; this only bounds a process stuck in the kernel.
constexpr std::chrono::milliseconds kKilledExitWait{2000};

}  // namespace

ProcessPttGuard::ProcessPttGuard(std::string program, std::string rigHost, std::uint16_t rigPort)
    : m_program(std::move(program)),
      m_rig((rigHost.find(':') != std::string::npos ? "[" + rigHost + "]" : rigHost) + ":" +
            std::to_string(rigPort)) {}

ProcessPttGuard::~ProcessPttGuard() {
    finish();
    reapEnded();
}

bool ProcessPttGuard::start(std::string& whyNot) {
    finish();
    reapEnded();
    return spawn(whyNot) && awaitReady(whyNot);
}

bool ProcessPttGuard::keying(std::string& whyNot) {
    if (say(kGuardKeying)) {
        m_lastWordKeying = true;
        return true;
    }
    const std::string how = m_child < 0 ? "it was not started" : endOfChild();
    whyNot = "The PTT guard zm480-ptt-guard " +
             (how.empty() ? std::string("does not take the window's words")
                          : "is no longer running (" + how + ")") +
             ", and the transmitter is not keyed without it";
    return false;
}

void ProcessPttGuard::unkeyed() {
    say(kGuardUnkeyed);
    m_lastWordKeying = false;
}

// A guard whose last word was "keying" sees its window's end close, and unkeys on its own.
void ProcessPttGuard::finish() {
    if (m_child < 0) {
        return;
    }
    if (!m_lastWordKeying) {
        say(kGuardEnd);
    }
    closeSocket();
    if (!reapWithin(m_child, kExitWait)) {
        m_ending.push_back(m_child);
    }
    m_child = -1;
    m_lastWordKeying = false;
}

bool ProcessPttGuard::spawn(std::string& whyNot) {
    const auto child = spawnGuardProgram(m_program, {"--rig", m_rig}, whyNot);
    if (!child) {
        return false;
    }
    m_child = child->pid;
    m_socket = child->socket;
    return true;
}

bool ProcessPttGuard::awaitReady(std::string& whyNot) {
    const auto deadline = Clock::now() + kReadyTimeout;
    std::string received;
    bool closed = false;
    while (!closed && received.find('\n') == std::string::npos &&
           received.size() < kMaxAnswerChars) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd entry{m_socket, POLLIN, 0};
        const int ready = left.count() > 0 ? ::poll(&entry, 1, static_cast<int>(left.count())) : 0;
        if (ready == 0) {
            break;
        }
        char buffer[256];
        const ssize_t count = ready > 0 ? ::recv(m_socket, buffer, sizeof buffer, 0) : -1;
        if (count > 0) {
            received.append(buffer, static_cast<std::size_t>(count));
        }
        closed = count == 0 || (count < 0 && errno != EINTR);
    }
    const bool answered = received.find('\n') != std::string::npos;
    const std::string line = received.substr(0, received.find('\n'));
    if (answered && line == kGuardReady) {
        return true;
    }
    closeSocket();
    const std::string how = endOfChild();
    std::string reason;
    if (answered && line.starts_with(kGuardErrorPrefix)) {
        whyNot = printableGuardLine(line.substr(kGuardErrorPrefix.size()));
    } else if (!received.empty()) {
        reason = "it answered \"" + printableGuardLine(line) + "\"";
    } else if (!closed) {
        reason = "it gave no answer within " + std::to_string(kReadyTimeout.count() / 1000) + " s";
    } else {
        reason = how.empty() ? "it closed its end without an answer" : how;
    }
    if (!reason.empty()) {
        whyNot = "The PTT guard zm480-ptt-guard did not get ready: " + reason;
    }
    killChild();
    return false;
}

bool ProcessPttGuard::say(std::string_view word) {
    if (m_socket < 0) {
        return false;
    }
    char line[16];
    const std::size_t length = word.copy(line, sizeof line - 1);
    line[length] = '\n';
    // MSG_DONTWAIT: a guard that stopped reading must not stop the window.
    return ::send(m_socket, line, length + 1, MSG_NOSIGNAL | MSG_DONTWAIT) ==
           static_cast<ssize_t>(length + 1);
}

std::string ProcessPttGuard::endOfChild() {
    const auto how = reapWithin(m_child, kExitWait);
    if (!how) {
        return "";
    }
    m_child = -1;
    closeSocket();
    return *how;
}

void ProcessPttGuard::killChild() {
    if (m_child < 0) {
        return;
    }
    ::kill(m_child, SIGKILL);
    if (!reapWithin(m_child, kKilledExitWait)) {
        m_ending.push_back(m_child);
    }
    m_child = -1;
}

void ProcessPttGuard::closeSocket() {
    if (m_socket >= 0) {
        ::close(m_socket);
        m_socket = -1;
    }
}

void ProcessPttGuard::reapEnded() {
    std::erase_if(m_ending,
                  [](pid_t child) { return reapWithin(child, std::chrono::milliseconds(0)); });
}

}  // namespace zm
