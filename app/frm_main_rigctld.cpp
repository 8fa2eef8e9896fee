// SPDX-License-Identifier: GPL-3.0-or-later
// The rigctld that the program runs, as the title bar shows it: a radio switched off and
// on, a rigctld that starts again. A sweep finds it through the engine (engine/own_rigctld.h).

#include "app/frm_main.h"

namespace zm {

namespace {

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

// The title bar shows in every size of the window, the Normal one included, so that a radio
// switched on is seen to come up before Run is pressed.
void frmMain::showRigctldState() {
    const RigctldRunner* rigctld = m_devices.ownRigctld(m_station.rig);
    setWindowTitle(QString::fromStdString(
        kWindowTitle + (rigctld ? stateWords(rigctld->state()) : std::string())));
}

}  // namespace zm
