// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "engine/sweep_stop.h"
#include "station/rigctld_runner.h"
#include "station/station_file.h"

namespace zm {

// The rigctld that the program runs for the station's radio, as a sweep finds it: a sweep
// that begins while it (re)starts waits for it, and one that loses it (it ends, or the
// radio's device goes) stops, saying why. rigctld's restarts before the sweep, or in the
// wait, end no sweep.
class OwnRigctld {
public:
    OwnRigctld(RigctldRunner& runner, RigSettings rig);

    enum class Wait { Answering, HeldUp, Stopped };
    // Waits, up to kRadioAnswerTime, for rigctld to answer, letting the event loop run (the
    // guard's words come in there); a stop asked meanwhile ends the wait. `heldUp` gets what
    // holds rigctld up when the wait ends without an answer. Once it answers, rigctld is no
    // longer asked the radio's frequency between the sweep's own questions.
    Wait waitForAnswer(const SweepStop& stop, std::string& heldUp);
    // After every sweep, however it ended: rigctld is asked about the radio again, as between
    // sweeps.
    void sweepEnded();
    // Why the sweep reached no rigctld: the rig client's advice, to start rigctld on the
    // port, would mislead, so how rigctld stands is said instead.
    std::string whyNoAnswer(std::string clientWhyNot);
    // The sweep's message when rigctld ended under it, or the radio's device went; empty when
    // neither happened.
    std::string lostMidSweep();
    // Whether lostMidSweep found that rigctld ended under the sweep.
    bool endedUnderSweep() const { return m_endedUnderSweep; }

private:
    bool radioDeviceThere() const;
    std::string whyHeldUp(int endingsBefore);

    RigctldRunner& m_runner;
    RigSettings m_rig;
    int m_endingsAtSweep;
    bool m_endedUnderSweep = false;
};

}  // namespace zm
