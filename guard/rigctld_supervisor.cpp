// SPDX-License-Identifier: GPL-3.0-or-later
#include "guard/rigctld_supervisor.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <thread>

#include "station/port_holders.h"
#include "station/rigctld_supervisor_words.h"
#include "station/station_checks.h"
#include "sweep/ptt_guard_words.h"

namespace zm {

RigctldSupervisor::RigctldSupervisor(const RigEndpoint& rig,
                                     const std::vector<std::string>& command)
    : m_rig(rig), m_command(command), m_unkeyer(rig), m_probe(rig) {
    // Only a path is a device; network backends (NET rigctl, FLRig) take HOST:PORT.
    if (const std::string device = valueAfter(command, "-r"); device.starts_with('/')) {
        m_device = device;
    }
}

void RigctldSupervisor::tell(std::string_view word, const std::string& text) {
    if (m_windowGone) {
        return;
    }
    const std::string line =
        std::string(word) + (text.empty() ? "" : " " + printableGuardLine(text)) + "\n";
    // A window that stopped reading loses lines; it must never stop the guard.
    ::send(STDOUT_FILENO, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

void RigctldSupervisor::readWindow() {
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
    for (auto end = m_windowLine.find('\n'); end != std::string::npos;
         end = m_windowLine.find('\n')) {
        const std::string line = m_windowLine.substr(0, end);
        m_windowLine.erase(0, end + 1);
        if (line == kSupervisorEnd) {
            m_endAsked = true;
        } else if (line == kSupervisorCheck && m_phase == Phase::Shared) {
            tell(kSupervisorAnswered);  // not ours to look after
        } else if (line == kSupervisorSweep || line == kSupervisorIdle) {
            m_sweeping = line == kSupervisorSweep;
            m_radioAnsweredBefore = false;  // the sweep's own questions may have failed
            if (m_phase == Phase::Listening) {
                m_due = Clock::now();  // a question that waits is looked at in the new light
            }
        } else if (line == kSupervisorCheck) {
            m_checkAsked = true;  // answered by the next answer, or by "listening"
            if (m_phase == Phase::Listening && !m_probe.waiting()) {
                probeAnswering();
            }
        }
    }
    if (m_windowLine.size() > sizeof buffer) {
        m_windowLine.clear();
    }
}

void RigctldSupervisor::startOrCheck() {
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
    if (!m_device.empty() && !deviceNodeAt(m_device)) {
        waitForDevice();
        return;
    }
    std::string problem = m_device.empty() ? "" : serialDeviceProblem("radio's", m_device);
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
    m_deviceNode = m_device.empty() ? std::nullopt : deviceNodeAt(m_device);
    m_deviceDue = Clock::now() + kDeviceWatchInterval;
    tell(kSupervisorStarted, std::to_string(m_child.pid()));
    m_phase = Phase::Starting;
    m_due = Clock::now() + kListenProbeInterval;
}

// The radio is switched off or its cable is out: nothing is started against a missing
// device, and its return is looked for every kDeviceWatchInterval, without the back-off.
void RigctldSupervisor::waitForDevice() {
    if (m_phase != Phase::Absent) {
        tell(kSupervisorAbsent, radioDeviceAbsentMessage(m_device));
    }
    m_phase = Phase::Absent;
    m_restartDelay = kFirstRestartDelay;
    m_due = Clock::now() + kDeviceWatchInterval;
}

void RigctldSupervisor::scheduleRestart() {
    tell(kSupervisorRestart, std::to_string(m_restartDelay.count()));
    m_phase = Phase::Waiting;
    m_due = Clock::now() + m_restartDelay;
    m_restartDelay = std::min(m_restartDelay * 2, std::chrono::seconds(kLongestRestartDelay));
}

void RigctldSupervisor::childEnded(const std::string& how) {
    for (const std::string& line : m_child.readLines()) {
        tell(kSupervisorSaid, line);
    }
    tell(kSupervisorExited, how);
    if (m_phase == Phase::Listening && Clock::now() - m_listeningSince >= kSteadyRun) {
        m_restartDelay = kFirstRestartDelay;
    }
    m_restarted = true;
    m_probe.forget();
    m_deviceDue = Clock::time_point::max();
    // One that ended as its device went (the radio switched off) waits for the device.
    if (!m_device.empty() && !deviceNodeAt(m_device)) {
        waitForDevice();
    } else {
        scheduleRestart();
    }
}

int RigctldSupervisor::finish(bool unkeyFirst) {
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

int RigctldSupervisor::run(const sigset_t& waitMask, volatile const sig_atomic_t& terminated) {
    for (;;) {
        if (terminated || m_windowGone) {
            return finish(true);
        }
        if (m_endAsked) {
            return finish(false);
        }
        if (Clock::now() >= nextTimer()) {
            onTimer();
            continue;
        }
        pollfd watched[] = {{STDIN_FILENO, POLLIN, 0},
                            {m_child.stderrDescriptor(), POLLIN, 0},
                            {m_child.endDescriptor(), POLLIN, 0},
                            {m_probe.descriptor(), POLLIN, 0}};
        const auto left = std::max(Clock::duration::zero(), nextTimer() - Clock::now());
        const auto seconds = std::chrono::floor<std::chrono::seconds>(left);
        const timespec timeout{seconds.count(), (left - seconds) / std::chrono::nanoseconds(1)};
        if (::ppoll(watched, std::size(watched), &timeout, &waitMask) <= 0) {
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
        if (watched[3].revents != 0) {
            if (const auto answer = m_probe.readAnswer(); answer != RigctldProbe::Answer::None) {
                heardAnswer(answer);
            } else if (m_probe.descriptor() < 0) {
                m_due = Clock::now() + kProbeRetry;  // rigctld closed it: asked again
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

int superviseRigctld(const RigEndpoint& rig, const std::vector<std::string>& command,
                     const sigset_t& waitMask, volatile const sig_atomic_t& terminated) {
    RigctldSupervisor supervisor(rig, command);
    return supervisor.run(waitMask, terminated);
}

}  // namespace zm
