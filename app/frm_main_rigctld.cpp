// SPDX-License-Identifier: GPL-3.0-or-later
// The rigctld that the program runs, as the title bar shows it and as Run finds it: a radio
// switched off and on, a rigctld that starts again, the cause of a failure as it stands now.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <filesystem>

#include "app/frm_main.h"
#include "station/radio_answer.h"
#include "station/rigctld_arguments.h"

namespace zm {

namespace {

// How often a Run that waits for rigctld looks how it stands.
constexpr std::chrono::milliseconds kRigctldWaitSlice{50};

// What the title bar says after the program's name.
std::string stateWords(RigctldRunner::State state) {
    switch (state) {
        case RigctldRunner::State::WaitingForDevice:
            return " - waiting for the radio's device";
        case RigctldRunner::State::Starting:
            return " - rigctld starting";
        case RigctldRunner::State::Answering:
            return " - rigctld answers";
        case RigctldRunner::State::RadioSilent:
            return " - the radio does not answer";
        case RigctldRunner::State::HeldUp:
            return " - rigctld held up (Setup, Station, Test says why)";
        case RigctldRunner::State::Stopped:
            break;
    }
    return {};
}

}  // namespace

RigctldRunner* frmMain::ownRigctld() const {
    return m_station.rig.server == RigServerChoice::Own ? m_devices.rigctld.get() : nullptr;
}

// The title bar shows in every size of the window, the Normal one included, so that a radio
// switched on is seen to come up before Run is pressed.
void frmMain::showRigctldState() {
    const RigctldRunner* rigctld = ownRigctld();
    setWindowTitle(QString::fromStdString(
        kWindowTitle + (rigctld ? stateWords(rigctld->state()) : std::string())));
}

// A network backend's -r (NET rigctl's HOST:PORT) is no device of this computer.
bool frmMain::radioDeviceThere() const {
    const std::string& device = m_station.rig.device;
    std::error_code error;
    return !device.starts_with('/') || std::filesystem::exists(device, error);
}

// Run while the program's rigctld starts, or starts again: the window stays responsive and
// Escape ends the wait. Gives what holds rigctld up when the wait ends without an answer.
std::string frmMain::waitForRigctld() {
    RigctldRunner* rigctld = ownRigctld();
    if (!rigctld) {
        return {};
    }
    const int endingsBefore = rigctld->endings();
    QElapsedTimer waited;
    waited.start();
    rigctld->recheck();
    while (!rigctld->confirmed()) {
        const RigctldRunner::State state = rigctld->state();
        const bool hopeless =
            state == RigctldRunner::State::HeldUp || state == RigctldRunner::State::Stopped ||
            (state == RigctldRunner::State::WaitingForDevice && !radioDeviceThere());
        if (hopeless || waited.elapsed() >= kRadioAnswerTime.count()) {
            return whyRigctldHeldUp(endingsBefore);
        }
        QEventLoop slice;  // the guard's words come in here, the window paints and takes Escape
        QTimer::singleShot(kRigctldWaitSlice, &slice, &QEventLoop::quit);
        slice.exec();
        if (stopAsked()) {
            stopSweep("");
        }
    }
    m_sweep.rigctldEndings = rigctld->endings();  // its restarts in the wait end no sweep
    rigctld->setSweeping(true);
    return {};
}

void frmMain::rigctldSweepEnded() {
    if (RigctldRunner* rigctld = ownRigctld()) {
        rigctld->setSweeping(false);
    }
}

// What keeps the program's rigctld from answering now; endingsBefore: its endings when Run
// was pressed.
std::string frmMain::whyRigctldHeldUp(int endingsBefore) {
    RigctldRunner& rigctld = *m_devices.rigctld;
    switch (rigctld.state()) {
        case RigctldRunner::State::WaitingForDevice:
            return rigctld.problem();
        case RigctldRunner::State::Stopped:
            if (std::string whyNot; !rigctldArguments(m_station.rig, whyNot)) {
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
    if (std::string trouble = rigctld.trouble(endingsBefore); !trouble.empty()) {
        return trouble;
    }
    return withLastWords(std::string(kRadioSilent), rigctld.lastWords());
}

// The rig client's advice, to start rigctld on the port, would mislead when the program runs
// rigctld: how it stands is said instead.
std::string frmMain::whyNoRigctld(std::string clientWhyNot) {
    RigctldRunner* rigctld = ownRigctld();
    if (!rigctld || rigctld->answering()) {
        return clientWhyNot;
    }
    return whyRigctldHeldUp(m_sweep.rigctldEndings);
}

std::string frmMain::rigctldEndedMidSweep() {
    RigctldRunner* rigctld = m_devices.rigctld.get();
    if (ownRigctld() && !radioDeviceThere()) {
        return "The sweep stopped: the radio's device " + m_station.rig.device +
               " is gone (switched off, or its cable pulled). rigctld starts again as soon as "
               "it is back; press Run again then.";
    }
    if (!rigctld || rigctld->endings() == m_sweep.rigctldEndings) {
        return {};
    }
    m_rigctldWatch.stop();  // said once, here
    return withLastWords("The sweep stopped: rigctld ended under it (" + rigctld->lastEnd() +
                             "), and the program starts it again. Press Run again once the "
                             "radio answers",
                         rigctld->lastWords()) +
           (rigctld->lastWords().empty() ? "." : "");
}

}  // namespace zm
