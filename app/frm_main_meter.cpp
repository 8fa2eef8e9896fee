// SPDX-License-Identifier: GPL-3.0-or-later
// The meter poll: Timer1's idle poll in two halves, and the design's whole exchange.

#include "app/frm_main.h"

namespace zm {

// The idle poll: the query goes out now and the answer is taken 0.2 s later from the event
// loop, so that the window answers the user and the desktop while the meter talks.
void frmMain::Timer1_Timer() {
    m_readout.openLostMeter();
    m_idlePoll.emplace(*this);  // polling rests until the answer is taken
    const MeterQuery query = m_readout.beginPoll();
    if (query == MeterQuery::Sent) {
        m_pollAnswer.start();  // endIdlePoll(MeterQuery::Sent) when it fires
        return;
    }
    endIdlePoll(query);
}

void frmMain::endIdlePoll(MeterQuery query) {
    m_readout.finishPoll(query);
    m_idlePoll.reset();
}

// The design's poll: the whole exchange in one call, the thread held meanwhile. A sweep's
// polls are the engine's, which the readout hears of as meterRead.
void frmMain::ReadMeter() {
    const PollingPause paused(*this);
    const MeterQuery query = m_readout.beginPoll();
    if (query == MeterQuery::Sent) {
        Pause(0.2f);
    }
    m_readout.finishPoll(query);
}

void frmMain::Pause(float seconds) {
    m_devices.sleeper->sleep(pauseDuration(seconds));
}

}  // namespace zm
