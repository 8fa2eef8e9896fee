// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/own_rigctld.h"
#include "engine/radio_session.h"
#include "engine/sweep_reports.h"
#include "engine/sweep_request.h"
#include "engine/sweep_stop.h"
#include "meter/pause.h"
#include "meter/serial_comm.h"
#include "results/point_taking.h"
#include "sweep/ptt_guard.h"
#include "sweep/rig_control.h"

namespace zm {

// What a sweep drives, lent to it by whoever owns the station's devices, on the thread the
// sweep runs on: the meter's port (no one else polls it meanwhile), the rig client, the PTT
// guard, the waits, and what keeps other copies of the program off the radio.
struct SweepStation {
    SerialComm& meter;
    RigServerFactory& rigServers;
    PttGuard& pttGuard;
    Sleeper& sleeper;                    // the sweep's waits, which a stop wakes
    RadioClaims* radioClaims = nullptr;  // none where no other copy is kept out (tests)
    RigctldRunner* rigctld = nullptr;    // the station's rigctld, when the program runs it
};

// The sweep run: for every point of the plan it tunes the transceiver, keys it, reads the
// meter while keyed (after a fixed wait or until the readings settle, inside the power
// window), unkeys it and records the point; with nothing but what it was lent and asked.
// It reads no widget and writes none: whoever runs it hears of every step through the
// reports. It keys only inside a RadioSession, so that whatever ends a run leaves the
// transmitter unkeyed, the guard finished and the radio free for the next.
//
// It uses what it is lent on the thread that calls run(), during the run only, and reports
// on that thread: a window that runs it on a thread of its own passes each report on to its
// own thread, and a command line prints it. A stop may be asked from any thread.
class SweepEngine {
public:
    SweepEngine(SweepStation station, SweepReports& reports, const SweepStop& stop);

    // One whole sweep; the outcome is also the last report. Throws nothing of the sweep's
    // own: a fault ends it as SweepEnd::Failed.
    SweepOutcome run(const SweepRequest& request);

private:
    void RunSweep();
    void KeyTransmitter();
    void UnkeyTransmitter();
    void ReadMeter();
    void Pause(float seconds);

    // Before the first key-down: the band plan, the meter's answer, the radio's claim,
    // rigctld, the rig client, the guard and the radio's set-up.
    void checkBandPlan();
    void checkMeterAnswers();
    void claimRadio();
    void waitForRigctld();
    void connectRig();
    void setUpRig();
    void tune(double frequencyMHz);
    void tellGuardKeying();

    // From key-down to the reading the point keeps: the fixed wait and one poll, or polls
    // until the readings settle; each reading inside the power window.
    PointTaking readKeyed(double frequencyMHz);
    PointTaking readUntilSettled(double frequencyMHz);
    void readMeterKeyed(double frequencyMHz);
    void rereadRejected(PointTaking& taken, double frequencyMHz);
    void stopIfNoPower(double frequencyMHz);

    // The plan's points: where each is tuned, whether the band plan lets a carrier go there,
    // which comes next, and how each is recorded.
    double pointFrequencyMHz(int point) const;
    bool carrierAllowed(double frequencyMHz) const;
    std::optional<int> nextSweepPoint(std::optional<int> previous) const;
    void beginSweepRecord();
    std::string antennaSwept();
    void skipPoint(int point, double frequencyMHz);
    void takePoint(int point, double frequencyMHz, const PointTaking& taken);
    void recordPoint(int point, SweepPoint swept, bool keyed);
    std::string finishRefinedSweep(bool completed);

    // A failed call ends the sweep with a message; so does a stop, without one.
    void checkRigStatus(int status, std::string_view what);
    void stopIfRequested();
    SweepOutcome outcomeOf(SweepEnd end, std::string message);

    SweepStation m_station;
    SweepReports& m_reports;
    const SweepStop& m_stop;

    SweepRequest m_request;
    std::optional<OwnRigctld> m_rigctld;
    RadioSession* m_radio = nullptr;   // while a run is on
    std::unique_ptr<RigServer> FT100;  // replaced at the start of every sweep
    std::shared_ptr<Transceiver> TRX;
    MeterReading m_reading;            // the last accepted reading of this sweep
    bool m_pollAccepted = false;       // whether the last poll's answer was taken
    bool m_pollAnswered = false;       // whether bytes came back to the last poll
    std::optional<double> m_tunedMHz;  // where the sweep last tuned the radio
    bool m_began = false;              // the record began: the radio is set up
    bool m_refining = false;           // the record holds every point (points=refine)
    std::string m_planNotice;          // what the band plan leaves out
    SweepRecord m_record;
    int m_keyDowns = 0;
};

}  // namespace zm
