// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/process_rigctld_runner.h"

#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

#include "station/rigctld_supervisor_words.h"

namespace zm {

namespace {

constexpr std::chrono::milliseconds kReapInterval{50};
// A guard says short lines; anything longer is cut.
constexpr std::size_t kMaxLineChars = 1024;

// "said serial_open: ..." -> word "said", text "serial_open: ...".
std::pair<std::string_view, std::string> splitWord(std::string_view line) {
    const auto space = line.find(' ');
    return {line.substr(0, space),
            space == std::string_view::npos ? std::string() : std::string(line.substr(space + 1))};
}

}  // namespace

ProcessRigctldRunner::ProcessRigctldRunner(std::string guardProgram, std::string rigctld)
    : m_guardProgram(std::move(guardProgram)), m_rigctld(std::move(rigctld)) {
    m_reapTimer.setInterval(kReapInterval);
    connect(&m_reapTimer, &QTimer::timeout, this, &ProcessRigctldRunner::reapEnding);
}

// The program ends: no rigctld of ours may outlive it. A guard that cannot stop its rigctld
// in time is killed, and the kernel then kills rigctld with it.
ProcessRigctldRunner::~ProcessRigctldRunner() {
    m_pending.reset();
    stop();
    for (const pid_t guard : m_ending) {
        if (!reapWithin(guard, kExitWait)) {
            ::kill(guard, SIGKILL);
            reapWithin(guard, kExitWait);
        }
    }
}

void ProcessRigctldRunner::start(const std::vector<std::string>& arguments, std::uint16_t port) {
    stop();
    m_problem.clear();
    m_lastWords.clear();
    m_pending = Start{arguments, port};
    enter(State::Starting);
    reapEnding();  // launches at once when no earlier guard is still ending
}

void ProcessRigctldRunner::stop() {
    m_pending.reset();
    enter(State::Stopped);
    if (!m_child) {
        return;
    }
    say(kSupervisorEnd);
    m_ending.push_back(m_child->pid);
    closeGuard();
    m_reapTimer.start();
}

void ProcessRigctldRunner::recheck() {
    m_confirmed = false;
    if (m_child) {
        say(kSupervisorCheck);
    }
}

void ProcessRigctldRunner::setSweeping(bool sweeping) {
    m_sweeping = sweeping;
    if (m_child) {
        say(sweeping ? kSupervisorSweep : kSupervisorIdle);
    }
}

void ProcessRigctldRunner::say(std::string_view word) {
    const std::string line = std::string(word) + "\n";
    ::send(m_child->socket, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

std::vector<std::string> ProcessRigctldRunner::lastWords() const {
    return {m_lastWords.begin(), m_lastWords.end()};
}

int ProcessRigctldRunner::endings() {
    if (m_child) {
        readGuard();  // what the guard said since the event loop last ran
    }
    return m_endings;
}

void ProcessRigctldRunner::launch(const Start& start) {
    std::vector<std::string> arguments{"--rig", "127.0.0.1:" + std::to_string(start.port), "--run",
                                       m_rigctld};
    arguments.insert(arguments.end(), start.arguments.begin(), start.arguments.end());
    std::string whyNot;
    m_child = spawnGuardProgram(m_guardProgram, arguments, whyNot);
    if (!m_child) {
        m_problem = whyNot;
        enter(State::HeldUp);
        return;
    }
    m_notifier = new QSocketNotifier(m_child->socket, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ProcessRigctldRunner::readGuard);
    if (m_sweeping) {
        say(kSupervisorSweep);  // a guard starts idle
    }
}

void ProcessRigctldRunner::readGuard() {
    char buffer[1024];
    const ssize_t count = ::recv(m_child->socket, buffer, sizeof buffer, MSG_DONTWAIT);
    if (count == 0 || (count < 0 && errno != EAGAIN && errno != EINTR)) {
        // The guard ended on its own: rigctld could not be run, or the guard was killed.
        if (m_problem.empty()) {
            m_problem = "The program that runs rigctld (zm480-ptt-guard) ended";
        }
        m_ending.push_back(m_child->pid);
        closeGuard();
        m_reapTimer.start();
        m_lastEnd = "the program that ran it ended";
        ++m_endings;
        enter(State::HeldUp);
        return;
    }
    m_received.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(count, 0)));
    for (auto end = m_received.find('\n'); end != std::string::npos; end = m_received.find('\n')) {
        hear(m_received.substr(0, std::min(end, kMaxLineChars)));
        m_received.erase(0, end + 1);
    }
    if (m_received.size() > kMaxLineChars) {
        m_received.clear();
    }
}

void ProcessRigctldRunner::hear(const std::string& line) {
    const auto [word, text] = splitWord(line);
    if (word == kSupervisorSaid) {
        m_lastWords.push_back(text);
        if (m_lastWords.size() > kLastWords) {
            m_lastWords.pop_front();
        }
    } else if (word == kSupervisorStarted) {
        m_problem.clear();  // a new rigctld, against the device as it is now
        enter(State::Starting);
    } else if (word == kSupervisorListening || word == kSupervisorShared) {
        m_problem.clear();
        m_confirmed = true;
        enter(State::Answering);
    } else if (word == kSupervisorAnswered) {
        m_confirmed = true;
    } else if (word == kSupervisorRadioSilent) {
        enter(State::RadioSilent);
    } else if (word == kSupervisorRadioHeard) {
        enter(State::Answering);
    } else if (word == kSupervisorExited) {
        m_lastEnd = text;
        ++m_endings;
        enter(State::Starting);  // the guard starts it again
    } else if (word == kSupervisorAbsent) {
        m_problem = text;
        enter(State::WaitingForDevice);
    } else if (word == kSupervisorBlocked || word == kSupervisorFailed) {
        m_problem = text;
        enter(State::HeldUp);
    }
}

void ProcessRigctldRunner::reapEnding() {
    std::erase_if(m_ending, [](pid_t guard) { return reapWithin(guard, {}).has_value(); });
    if (!m_ending.empty()) {
        return;
    }
    m_reapTimer.stop();
    if (m_pending) {
        const Start start = std::move(*m_pending);
        m_pending.reset();
        launch(start);
    }
}

void ProcessRigctldRunner::closeGuard() {
    if (m_notifier) {
        // Also called from the notifier's own signal: it is deleted once that has returned.
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
    if (m_child) {
        ::close(m_child->socket);
        m_child.reset();
    }
    m_received.clear();
}

void ProcessRigctldRunner::enter(State state) {
    if (state != State::Answering) {
        m_confirmed = false;
    }
    if (state != m_state) {
        m_state = state;
        if (m_changed) {
            m_changed();
        }
    }
}

}  // namespace zm
