// SPDX-License-Identifier: GPL-3.0-or-later
// The station's rigctld while it runs: whether it answers, and whether its device is still
// the one it opened.

#include "guard/rigctld_supervisor.h"
#include "station/rigctld_supervisor_words.h"
#include "station/station_checks.h"

namespace zm {

void RigctldSupervisor::probeListening() {
    std::string whyNot;
    if (!m_unkeyer.open(whyNot)) {
        m_due = Clock::now() + kListenProbeInterval;
        return;
    }
    if (m_restarted) {
        m_unkeyer.unkey(whyNot);  // the rigctld that ended may have left the radio keyed
    }
    tell(kSupervisorListening);
    m_checkAsked = false;  // "listening" tells the window as much
    m_phase = Phase::Listening;
    m_listeningSince = Clock::now();
    m_due = m_listeningSince + kAnswerProbeInterval;
}

// A question that waits already (its connection broke) is asked again and keeps its time.
void RigctldSupervisor::probeAnswering() {
    m_probe.ask();
    m_due = Clock::now() +
            (m_probe.descriptor() < 0 ? kProbeRetry : kLongestSilence - m_probe.waitedFor());
}

void RigctldSupervisor::heardAnswer() {
    if (m_checkAsked) {
        tell(kSupervisorAnswered);
        m_checkAsked = false;
    }
    m_due = Clock::now() + kAnswerProbeInterval;
}

// The device gone or made anew under the running rigctld, which never opens it again: the
// PTT guard's duty first, then rigctld is stopped and, when the device is back, started anew.
void RigctldSupervisor::checkDevice() {
    m_deviceDue = Clock::now() + kDeviceWatchInterval;
    const auto node = deviceNodeAt(m_device);
    if (node == m_deviceNode) {
        return;
    }
    if (!node) {
        tell(kSupervisorAbsent, radioDeviceAbsentMessage(m_device));
    }
    if (m_phase == Phase::Listening) {
        std::string whyNot;
        m_unkeyer.unkey(whyNot, kUnkeyWithoutDevice);
    }
    stopChild("");
    m_restarted = true;  // a cable pulled while keyed leaves the radio keyed until it is back
    m_restartDelay = kFirstRestartDelay;
    m_phase = node ? Phase::Waiting : Phase::Absent;
    m_due = Clock::now() + (node ? Clock::duration::zero() : kDeviceWatchInterval);
}

// Stops the running rigctld; `how` says to the window why, when it counts as an ending.
void RigctldSupervisor::stopChild(const std::string& how) {
    m_child.stop(kStuckStopGrace);
    for (const std::string& line : m_child.readLines()) {
        tell(kSupervisorSaid, line);
    }
    m_probe.forget();
    m_deviceDue = Clock::time_point::max();
    if (!how.empty()) {
        childEnded(how);
    }
}

void RigctldSupervisor::onTimer() {
    const auto now = Clock::now();
    if (m_child.running() && !m_device.empty() && now >= m_deviceDue) {
        checkDevice();
        return;
    }
    if (now < m_due) {
        return;
    }
    switch (m_phase) {
        case Phase::Starting:
            probeListening();
            break;
        case Phase::Listening:
            if (m_probe.waitedFor() >= kLongestSilence) {
                stopChild("it gave no answer for " + std::to_string(kLongestSilence.count()) +
                          " s and was stopped");
            } else {
                probeAnswering();
            }
            break;
        case Phase::Absent:
            if (deviceNodeAt(m_device)) {
                startOrCheck();
            } else {
                m_due = now + kDeviceWatchInterval;
            }
            break;
        case Phase::Waiting:
        case Phase::Shared:
            if (!m_child.running()) {
                startOrCheck();
            }
            break;
    }
}

GuardClock::time_point RigctldSupervisor::nextTimer() const {
    return m_child.running() && !m_device.empty() ? std::min(m_due, m_deviceDue) : m_due;
}

}  // namespace zm
