// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/own_rigctld.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <filesystem>

#include "station/radio_answer.h"
#include "station/rigctld_arguments.h"

namespace zm {

namespace {

// How often a sweep that waits for rigctld looks how it stands.
constexpr std::chrono::milliseconds kWaitSlice{50};

}  // namespace

OwnRigctld::OwnRigctld(RigctldRunner& runner, RigSettings rig)
    : m_runner(runner), m_rig(std::move(rig)), m_endingsAtSweep(runner.endings()) {}

// A network backend's -r (NET rigctl's HOST:PORT) is no device of this computer.
bool OwnRigctld::radioDeviceThere() const {
    std::error_code error;
    return !m_rig.device.starts_with('/') || std::filesystem::exists(m_rig.device, error);
}

OwnRigctld::Wait OwnRigctld::waitForAnswer(const SweepStop& stop, std::string& heldUp) {
    const int endingsBefore = m_runner.endings();
    QElapsedTimer waited;
    waited.start();
    m_runner.recheck();
    while (!m_runner.confirmed()) {
        const RigctldRunner::State state = m_runner.state();
        const bool hopeless =
            state == RigctldRunner::State::HeldUp || state == RigctldRunner::State::Stopped ||
            (state == RigctldRunner::State::WaitingForDevice && !radioDeviceThere());
        if (hopeless || waited.elapsed() >= kRadioAnswerTime.count()) {
            heldUp = whyHeldUp(endingsBefore);
            return Wait::HeldUp;
        }
        QEventLoop slice;  // the guard's words come in here; a window paints and takes Escape
        QTimer::singleShot(kWaitSlice, &slice, &QEventLoop::quit);
        slice.exec();
        if (stop.requested()) {
            return Wait::Stopped;
        }
    }
    m_endingsAtSweep = m_runner.endings();
    m_runner.setSweeping(true);  // the sweep's own questions show whether the radio answers
    return Wait::Answering;
}

// What keeps rigctld from answering now; endingsBefore: its endings when the sweep began.
std::string OwnRigctld::whyHeldUp(int endingsBefore) {
    switch (m_runner.state()) {
        case RigctldRunner::State::WaitingForDevice:
            return m_runner.problem();
        case RigctldRunner::State::Stopped:
            if (std::string whyNot; !rigctldArguments(m_rig, whyNot)) {
                return "rigctld was not started. " + whyNot;
            }
            break;
        case RigctldRunner::State::Answering:
            return "rigctld, which the program runs for your radio, does not answer now; the "
                   "program starts it again once it has been silent for 5 s: press Run again "
                   "in a few seconds";
        case RigctldRunner::State::RadioSilent:
        case RigctldRunner::State::HeldUp:
        case RigctldRunner::State::Starting:
            break;
    }
    if (std::string trouble = m_runner.trouble(endingsBefore); !trouble.empty()) {
        return trouble;
    }
    return withLastWords(std::string(kRadioSilent), m_runner.lastWords());
}

void OwnRigctld::sweepEnded() {
    m_runner.setSweeping(false);
}

std::string OwnRigctld::whyNoAnswer(std::string clientWhyNot) {
    return m_runner.answering() ? clientWhyNot : whyHeldUp(m_endingsAtSweep);
}

std::string OwnRigctld::lostMidSweep() {
    if (!radioDeviceThere()) {
        return "The sweep stopped: the radio's device " + m_rig.device +
               " is gone (switched off, or its cable pulled). rigctld starts again as soon as "
               "it is back; press Run again then.";
    }
    if (m_runner.endings() == m_endingsAtSweep) {
        return {};
    }
    m_endedUnderSweep = true;
    return withLastWords("The sweep stopped: rigctld ended under it (" + m_runner.lastEnd() +
                             "), and the program starts it again. Press Run again once the "
                             "radio answers",
                         m_runner.lastWords()) +
           (m_runner.lastWords().empty() ? "." : "");
}

}  // namespace zm
