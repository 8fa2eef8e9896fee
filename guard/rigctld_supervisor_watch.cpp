// SPDX-License-Identifier: GPL-3.0-or-later
// The station's rigctld while it runs: whether it answers, and whether its device is still
// the one it opened.

#include <utility>

#include "guard/loopback_socket.h"
#include "guard/rigctld_supervisor.h"
#include "station/rigctld_supervisor_words.h"
#include "station/station_checks.h"

namespace zm {

// rigctld answers on its port: "listening" is said once its radio has answered as well, or is
// known not to, so that the title never says "rigctld answers" while the radio is silent.
void RigctldSupervisor::probeListening() {
    std::string whyNot;
    if (!m_unkeyer.open(whyNot)) {
        m_due = Clock::now() + kListenProbeInterval;
        return;
    }
    // The rigctld that ended may have left the radio keyed. A radio that answered the unkey,
    // or one asked nothing yet, answers the next question itself; after a question it left
    // unanswered, rigctld opens it again and may answer from what it held before.
    m_radioAnsweredBefore = !m_restarted || m_unkeyer.unkey(whyNot);
    m_nextQuestion = RigctldProbe::Question::Radio;
    m_listeningTold = false;
    m_radioSilent = false;
    m_phase = Phase::Listening;
    m_listeningSince = Clock::now();
    m_due = m_listeningSince;  // whether the radio answers too
}

void RigctldSupervisor::sayListening() {
    if (!std::exchange(m_listeningTold, true)) {
        tell(kSupervisorListening);
        m_checkAsked = false;  // "listening" tells the window as much
    }
}

// While the window sweeps, the sweep's own questions show whether the radio answers; the
// rigctld a sweep waits for must not be busy with the radio for another client. Between
// sweeps rigctld alone is asked only between two answers of the radio: after a start, a
// sweep or a silence, anything may have failed, and rigctld then opens the radio again at
// its next question, trying it as long as a question to the radio (10 s on the emulated
// FT-817 switched off). A question that waits already (its connection broke) is asked again
// and keeps its time.
void RigctldSupervisor::probeAnswering() {
    using Question = RigctldProbe::Question;
    m_probe.ask(m_sweeping              ? Question::Rigctld
                : m_radioAnsweredBefore ? m_nextQuestion
                                        : Question::Radio);
    awaitAnswer();
}

// Looks again when the radio is to be said silent, or rigctld looked at.
void RigctldSupervisor::awaitAnswer() {
    if (m_probe.descriptor() < 0) {
        m_due = Clock::now() + kProbeRetry;
        return;
    }
    const auto waited = m_probe.waitedFor();
    Clock::duration next = kLongestSilence * (waited / kLongestSilence + 1);
    if (!m_sweeping && !m_radioSilent && waited < kRadioSilentAfter) {
        next = kRadioSilentAfter;
    }
    m_due = Clock::now() + (std::min(next, Clock::duration(kLongestRadioSilence)) - waited);
}

// A question that waits: between sweeps, one that waits for kRadioSilentAfter waits for the
// radio (rigctld answers \chk_vfo at once, unless its backend is busy with the radio), and
// the radio is said to be silent; whether rigctld runs tells a silent radio from a stuck
// rigctld.
void RigctldSupervisor::lookAtSilence() {
    const auto stopAsStuck = [this](std::chrono::seconds silence) {
        stopChild("it gave no answer for " + std::to_string(silence.count()) +
                  " s and was stopped");
    };
    const auto waited = m_probe.waitedFor();
    if (waited >= kLongestRadioSilence) {
        stopAsStuck(kLongestRadioSilence);
        return;
    }
    const bool stuckPerhaps = waited >= kLongestSilence;
    const bool silentPerhaps = !m_sweeping && !m_radioSilent && waited >= kRadioSilentAfter;
    if (stuckPerhaps || silentPerhaps) {
        if (!connectionTakenWithin(m_rig, Clock::now() + kTakeTime)) {
            if (stuckPerhaps) {
                stopAsStuck(kLongestSilence);
                return;
            }
        } else if (!m_sweeping) {
            radioSilent();
        }
    }
    awaitAnswer();
}

// Between sweeps each round asks rigctld, and once it has answered, the radio. A question
// the radio left unanswered is followed by another to the radio at once, which it answers as
// soon as it is switched on again.
void RigctldSupervisor::heardAnswer(RigctldProbe::Answer answer) {
    using Answer = RigctldProbe::Answer;
    using Question = RigctldProbe::Question;
    const auto now = Clock::now();
    switch (answer) {
        case Answer::None:
            return;
        case Answer::RadioSilent:
            radioSilent();
            m_radioAnsweredBefore = false;
            m_due = now;
            return;
        case Answer::Rigctld:
            if (!m_sweeping) {
                m_nextQuestion = Question::Radio;
                m_due = now;
                return;
            }
            sayListening();
            break;
        case Answer::Radio:
            m_nextQuestion = Question::Rigctld;
            if (!std::exchange(m_radioAnsweredBefore, true)) {
                m_due = now + kHamlibCacheTime;
                return;
            }
            if (!m_listeningTold) {
                sayListening();
            } else if (m_radioSilent) {
                tell(kSupervisorRadioHeard);
            }
            m_radioSilent = false;
            break;
    }
    if (m_checkAsked) {
        tell(kSupervisorAnswered);
        m_checkAsked = false;
    }
    m_due = now + kAnswerProbeInterval;
}

// rigctld answers, or runs and waits for its radio; the radio does not answer.
void RigctldSupervisor::radioSilent() {
    sayListening();
    if (!m_radioSilent) {
        m_radioSilent = true;
        tell(kSupervisorRadioSilent);
    }
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
            if (!m_probe.waiting() || m_probe.descriptor() < 0) {
                probeAnswering();
            } else {
                lookAtSilence();
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
