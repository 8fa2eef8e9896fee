// SPDX-License-Identifier: GPL-3.0-or-later
#include "guard/rigctld_supervisor.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <thread>

#include "guard/loopback_socket.h"
#include "guard/rigctld_child.h"
#include "guard/rigctld_unkeyer.h"
#include "station/radio_answer.h"
#include "station/rigctld_supervisor_words.h"
#include "station/station_checks.h"
#include "sweep/ptt_guard_words.h"
#include "sweep/rigctld_protocol.h"

namespace zm {

namespace {

using namespace std::chrono_literals;

constexpr auto kFirstRestartDelay = 1s;
constexpr auto kLongestRestartDelay = 30s;
// A rigctld that ran this long without trouble starts the back-off afresh.
constexpr auto kSteadyRun = 60s;
// How often a starting rigctld is asked whether it answers.
constexpr auto kListenProbeInterval = 25ms;
// How often a rigctld that someone else runs for the same radio is looked for.
constexpr auto kSharedRecheck = 10s;
constexpr auto kStopGrace = 2s;
// After its own unkey, how long rigctld is kept for the sweep's guard, which sees the window
// die at the same moment and unkeys through this rigctld too (within some 50 ms).
constexpr auto kUnkeyLinger = 1s;
// Only the port's first two lines are read: the protocol version and the model.
constexpr std::size_t kMaxDumpStateChars = 4096;

// The value after an option in rigctld's arguments: "-r" gives the device.
std::string valueAfter(const std::vector<std::string>& command, std::string_view option) {
    const auto found = std::ranges::find(command, option);
    return found != command.end() && found + 1 != command.end() ? *(found + 1) : std::string();
}

// The number after "-m" or "-t"; 0 when there is none.
int optionNumber(const std::vector<std::string>& command, std::string_view option) {
    const std::string text = valueAfter(command, option);
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The model a program at the endpoint fronts, from line 2 of rigctld's \dump_state:
//   1         the protocol version
//   3073      the model
// 0 when nothing listens there, -1 when what listens is no rigctld.
int frontedModel(const RigEndpoint& rig) {
    const auto deadline = GuardClock::now() + kRigctldReplyTimeout;
    const int socket = connectWithin(rig, deadline);
    if (socket < 0) {
        return 0;
    }
    std::string received;
    auto state = sendAll(socket, kTestModelRequest, deadline) ? Received::More : Received::Closed;
    while (state == Received::More && std::ranges::count(received, '\n') < 2 &&
           received.size() < kMaxDumpStateChars) {
        state = receiveMore(socket, received, deadline);
    }
    ::close(socket);
    const int model = dumpStateModel(received);
    return model > 0 ? model : -1;
}

class Supervisor {
public:
    Supervisor(const RigEndpoint& rig, const std::vector<std::string>& command)
        : m_rig(rig), m_command(command), m_unkeyer(rig) {}

    int run(const sigset_t& waitMask, volatile const sig_atomic_t& terminated);

private:
    enum class Phase { Waiting, Starting, Listening, Shared };
    using Clock = GuardClock;

    void tell(std::string_view word, const std::string& text = {});
    void readWindow();
    void startOrCheck();
    void scheduleRestart();
    void probe();
    void childEnded(const std::string& how);
    int finish(bool unkeyFirst);
    Clock::time_point nextTimer() const;

    const RigEndpoint& m_rig;
    const std::vector<std::string>& m_command;
    RigctldChild m_child;
    RigctldUnkeyer m_unkeyer;
    Phase m_phase = Phase::Waiting;
    Clock::time_point m_due = Clock::now();  // the next start, probe or recheck
    Clock::time_point m_listeningSince;
    std::chrono::seconds m_restartDelay = kFirstRestartDelay;
    bool m_restarted = false;  // an earlier rigctld ended: the radio may be left keyed
    bool m_windowGone = false;
    bool m_endAsked = false;
    std::string m_windowLine;
};

void Supervisor::tell(std::string_view word, const std::string& text) {
    if (m_windowGone) {
        return;
    }
    const std::string line =
        std::string(word) + (text.empty() ? "" : " " + printableGuardLine(text)) + "\n";
    // A window that stopped reading loses lines; it must never stop the guard.
    ::send(STDOUT_FILENO, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

void Supervisor::readWindow() {
    char buffer[256];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count < 0 && (errno == EINTR || errno == EAGAIN)) {
        return;
    }
    if (count <= 0) {
        m_windowGone = true;
        return;
    }
    m_windowLine.append(buffer, static_cast<std::size_t>(count));
    if (m_windowLine.find(std::string(kSupervisorEnd) + "\n") != std::string::npos) {
        m_endAsked = true;
    }
    if (m_windowLine.size() > sizeof buffer) {
        m_windowLine.erase(0, m_windowLine.size() - kSupervisorEnd.size());
    }
}

void Supervisor::startOrCheck() {
    // The port is asked first: a rigctld for this radio there holds the radio's device, and
    // is used rather than named as what stands in the way.
    const int listening = frontedModel(m_rig);
    const int model = optionNumber(m_command, "-m");
    if (listening != 0 && listening == model) {
        if (m_phase != Phase::Shared) {
            tell(kSupervisorShared, std::to_string(model));
        }
        m_phase = Phase::Shared;
        m_due = Clock::now() + kSharedRecheck;
        return;
    }
    // Only a path is a device; network backends (NET rigctl, FLRig) take HOST:PORT.
    const std::string device = valueAfter(m_command, "-r");
    std::string problem = device.starts_with('/') ? serialDeviceProblem("radio's", device) : "";
    if (problem.empty() && listening != 0) {
        const auto port = static_cast<std::uint16_t>(optionNumber(m_command, "-t"));
        const auto holder = programListeningOn(port);
        problem = portTakenMessage(port, holder ? &*holder : nullptr, std::max(listening, 0));
    }
    std::string whyNot;
    if (problem.empty() && !m_child.start(m_command, whyNot)) {
        problem = whyNot;
    }
    if (!problem.empty()) {
        tell(kSupervisorBlocked, problem);
        scheduleRestart();
        return;
    }
    tell(kSupervisorStarted, std::to_string(m_child.pid()));
    m_phase = Phase::Starting;
    m_due = Clock::now() + kListenProbeInterval;
}

void Supervisor::scheduleRestart() {
    tell(kSupervisorRestart, std::to_string(m_restartDelay.count()));
    m_phase = Phase::Waiting;
    m_due = Clock::now() + m_restartDelay;
    m_restartDelay = std::min(m_restartDelay * 2, std::chrono::seconds(kLongestRestartDelay));
}

void Supervisor::probe() {
    std::string whyNot;
    if (!m_unkeyer.open(whyNot)) {
        m_due = Clock::now() + kListenProbeInterval;
        return;
    }
    if (m_restarted) {
        m_unkeyer.unkey(whyNot);  // the rigctld that died may have left the radio keyed
    }
    tell(kSupervisorListening);
    m_phase = Phase::Listening;
    m_listeningSince = Clock::now();
}

void Supervisor::childEnded(const std::string& how) {
    for (const std::string& line : m_child.readLines()) {
        tell(kSupervisorSaid, line);
    }
    tell(kSupervisorExited, how);
    if (m_phase == Phase::Listening && Clock::now() - m_listeningSince >= kSteadyRun) {
        m_restartDelay = kFirstRestartDelay;
    }
    m_restarted = true;
    scheduleRestart();
}

int Supervisor::finish(bool unkeyFirst) {
    if (unkeyFirst && m_phase == Phase::Listening) {
        std::string whyNot;
        m_unkeyer.unkey(whyNot);
        std::this_thread::sleep_for(kUnkeyLinger);
    }
    if (m_child.running()) {
        m_child.stop(kStopGrace);
    }
    return 0;
}

GuardClock::time_point Supervisor::nextTimer() const {
    return m_phase == Phase::Listening ? Clock::time_point::max() : m_due;
}

int Supervisor::run(const sigset_t& waitMask, volatile const sig_atomic_t& terminated) {
    for (;;) {
        if (terminated || m_windowGone) {
            return finish(true);
        }
        if (m_endAsked) {
            return finish(false);
        }
        if (m_phase != Phase::Listening && Clock::now() >= m_due) {
            if (m_phase == Phase::Starting) {
                probe();
            } else if (!m_child.running()) {
                startOrCheck();
            }
            continue;
        }
        pollfd watched[] = {{STDIN_FILENO, POLLIN, 0},
                            {m_child.stderrDescriptor(), POLLIN, 0},
                            {m_child.endDescriptor(), POLLIN, 0}};
        const auto due = nextTimer();
        timespec timeout{};
        if (due != Clock::time_point::max()) {
            const auto left = std::max(Clock::duration::zero(), due - Clock::now());
            const auto seconds = std::chrono::floor<std::chrono::seconds>(left);
            timeout = {seconds.count(), (left - seconds) / std::chrono::nanoseconds(1)};
        }
        const int ready =
            ::ppoll(watched, 3, due != Clock::time_point::max() ? &timeout : nullptr, &waitMask);
        if (ready <= 0) {
            continue;  // a timer, or EINTR for SIGTERM
        }
        if (watched[0].revents != 0) {
            readWindow();
        }
        if (watched[1].revents != 0) {
            for (const std::string& line : m_child.readLines()) {
                tell(kSupervisorSaid, line);
            }
        }
        if (const auto how = m_child.reapIfEnded()) {
            if (m_child.lastExitStatus() == RigctldChild::kExecFailed) {
                tell(kSupervisorFailed,
                     "rigctld could not be run: install Hamlib's utilities "
                     "(sudo apt install libhamlib-utils)");
                return finish(false);
            }
            childEnded(*how);
        }
    }
}

}  // namespace

int superviseRigctld(const RigEndpoint& rig, const std::vector<std::string>& command,
                     const sigset_t& waitMask, volatile const sig_atomic_t& terminated) {
    Supervisor supervisor(rig, command);
    return supervisor.run(waitMask, terminated);
}

}  // namespace zm
