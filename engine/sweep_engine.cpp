// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep run: tune, key, read the meter, unkey, record, point by point.

#include "engine/sweep_engine.h"

#include <QScopeGuard>

#include "engine/sweep_stopped.h"
#include "numbers/number_text.h"

namespace zm {

namespace {

constexpr std::string_view kStillKeyed =
    "The transmitter could not be unkeyed: switch it to receive on the radio now.";

// A fault of the program itself, which no step of the sweep foresaw.
std::string faultMessage(std::string_view what) {
    return "The sweep stopped on a fault of the program (" +
           (what.empty() ? std::string("of an unknown kind") : std::string(what)) +
           "). Press Run again; if it happens again, report it with what you did just before.";
}

}  // namespace

SweepEngine::SweepEngine(SweepStation station, SweepReports& reports, const SweepStop& stop)
    : m_station(station), m_reports(reports), m_stop(stop) {}

SweepOutcome SweepEngine::run(const SweepRequest& request) {
    m_request = request;
    m_rigctld.reset();
    if (m_station.rigctld != nullptr) {
        m_rigctld.emplace(*m_station.rigctld, m_request.rig);
    }
    const auto rigctldIdle = qScopeGuard([this] {
        if (m_rigctld) {
            m_rigctld->sweepEnded();
        }
    });
    m_reading = MeterReading{};
    m_pollAccepted = m_pollAnswered = false;
    m_tunedMHz.reset();
    m_began = m_refining = false;
    m_planNotice.clear();
    m_record = SweepRecord{};
    m_keyDowns = 0;

    SweepEnd end = SweepEnd::Completed;
    std::string message;
    {
        RadioSession radio(m_station.pttGuard, m_station.radioClaims);
        m_radio = &radio;
        try {
            RunSweep();
        } catch (const SweepStopped& stopped) {
            message = stopped.what();
            const bool beforeTheRadio = stopped.end() == SweepEnd::Stopped && !m_began;
            end = message.empty() ? SweepEnd::Asked
                                  : (beforeTheRadio ? SweepEnd::NotReady : stopped.end());
        } catch (const std::exception& fault) {
            end = SweepEnd::Failed;
            message = faultMessage(fault.what());
        } catch (...) {
            end = SweepEnd::Failed;
            message = faultMessage({});
        }
        if (!radio.leaveUnkeyed()) {
            message += (message.empty() ? "" : " ") + std::string(kStillKeyed);
        }
        m_radio = nullptr;
    }  // the guard is finished and the radio released here, whatever happened above
    const SweepOutcome outcome = outcomeOf(end, std::move(message));
    m_reports.sweepEnded(outcome);
    return outcome;
}

void SweepEngine::RunSweep() {
    checkBandPlan();
    checkMeterAnswers();
    claimRadio();
    waitForRigctld();
    connectRig();
    setUpRig();
    beginSweepRecord();
    for (auto point = nextSweepPoint({}); point; point = nextSweepPoint(point)) {
        const int i = *point;
        const double frequencyMHz = pointFrequencyMHz(i);
        if (!carrierAllowed(frequencyMHz)) {
            skipPoint(i, frequencyMHz);
            continue;
        }
        tune(frequencyMHz);
        Pause(0.2f);
        checkRigStatus(TRX->SetMode(m_request.plan.CarrierMode), "set the carrier mode");
        KeyTransmitter();
        PointTaking taken = readKeyed(frequencyMHz);
        rereadRejected(taken, frequencyMHz);
        stopIfNoPower(frequencyMHz);
        UnkeyTransmitter();
        takePoint(i, frequencyMHz, taken);
    }
}

// Another copy of the program, with settings of its own, may sweep with the same radio: the
// two would key it at each other's frequencies.
void SweepEngine::claimRadio() {
    const std::uint16_t port = m_request.rig.port;
    pid_t holder = 0;
    if (!m_radio->claim(port, m_rigctld ? m_request.rig.device : "", holder)) {
        throw SweepStopped(
            "Another ZM-480 Plot" +
            (holder > 0 ? " (process " + std::to_string(holder) + ")" : std::string()) +
            " is sweeping with this radio (rigctld port " + std::to_string(port) +
            "); nothing was keyed. Press Run again once its sweep has ended.");
    }
}

void SweepEngine::waitForRigctld() {
    if (!m_rigctld) {
        return;
    }
    std::string heldUp;
    switch (m_rigctld->waitForAnswer(m_stop, heldUp)) {
        case OwnRigctld::Wait::Answering:
            return;
        case OwnRigctld::Wait::Stopped:
            throw SweepStopped("");
        case OwnRigctld::Wait::HeldUp:
            throw failure(heldUp);
    }
}

// A fresh server object for each sweep, its transceiver, and the guard's own connection to
// rigctld: nothing is keyed that no guard watches.
void SweepEngine::connectRig() {
    std::string whyNot;
    FT100 = m_station.rigServers.create(whyNot);
    TRX.reset();
    if (!FT100) {
        throw failure(m_rigctld ? m_rigctld->whyNoAnswer(whyNot) : whyNot);
    }
    checkRigStatus(FT100->GetTransceiver(TRX), "hand out the transceiver");
    if (!TRX) {
        throw failure("The rig-control server handed out no transceiver");
    }
    m_radio->use(TRX);
    if (!m_station.pttGuard.start(whyNot)) {
        throw failure(whyNot);
    }
}

// Every point transmits on the frequency it plots: RIT, XIT and split off.
void SweepEngine::setUpRig() {
    checkRigStatus(TRX->SetMode(m_request.plan.CarrierMode), "set the carrier mode");
    checkRigStatus(TRX->SetOptionB(0), "switch RIT off");
    checkRigStatus(TRX->SetOptionA(0), "switch XIT off");
    checkRigStatus(TRX->SetSplit(0), "switch split off");
}

void SweepEngine::tune(double frequencyMHz) {
    m_tunedMHz = frequencyMHz;
    checkRigStatus(TRX->SetFrequency(frequencyMHz),
                   "tune to " + generalNumber(frequencyMHz) + " MHz");
}

// The guard hears of the key-down before the request goes out, and again once the radio has
// answered it: its deadline for a silent program then runs from the keyed radio, so a slow
// answer to the key-down does not eat the margin of the keyed wait. Whatever led here, the
// radio is not keyed where the band plan does not let it transmit.
void SweepEngine::KeyTransmitter() {
    if (!m_tunedMHz) {
        throw SweepStopped("The sweep stopped before keying the radio: it was tuned nowhere.");
    }
    if (!carrierAllowed(*m_tunedMHz)) {
        throw SweepStopped(
            "The sweep stopped before keying the radio: " + generalNumber(*m_tunedMHz) +
            " MHz lies outside the bands of " + m_request.bandPlan.title + ".");
    }
    stopIfRequested();  // a stop that came on another thread keys nothing more
    tellGuardKeying();
    ++m_keyDowns;
    checkRigStatus(m_radio->key(), "key the transmitter");
    tellGuardKeying();
}

void SweepEngine::tellGuardKeying() {
    std::string whyNot;
    if (!m_station.pttGuard.keying(whyNot)) {
        throw failure(whyNot);  // nothing would unkey the radio if this program died
    }
}

void SweepEngine::UnkeyTransmitter() {
    checkRigStatus(m_radio->unkey(), "unkey the transmitter");
}

// The design's poll, whole: the query, the meter's 0.2 s and its answer, which the readout
// shows as well.
void SweepEngine::ReadMeter() {
    const MeterQuery query = sendMeterQuery(m_station.meter);
    if (query == MeterQuery::Sent) {
        Pause(0.2f);
    }
    MeterAnswer answer = takeMeterAnswer(m_station.meter, query);
    m_pollAccepted = answer.accepted();
    m_pollAnswered = !answer.raw.empty();
    if (m_pollAccepted) {
        m_reading = *answer.reading;
    }
    m_reports.meterRead({std::move(answer), m_tunedMHz});
}

void SweepEngine::Pause(float seconds) {
    m_station.sleeper.sleep(pauseDuration(seconds));
}

// A failed call ends the sweep with a message; so does a stop the user asked for, without
// one.
void SweepEngine::checkRigStatus(int status, std::string_view what) {
    if (status < 0) {
        std::string reason = TRX ? TRX->lastError() : FT100 ? FT100->lastError() : std::string();
        if (reason.empty()) {
            reason = "The rig-control server could not " + std::string(what);
        }
        // A rigctld that ended under the sweep is the cause, and is named as such.
        std::string lost = m_rigctld ? m_rigctld->lostMidSweep() : std::string();
        throw lost.empty() ? failure(reason) : SweepStopped(std::move(lost));
    }
    stopIfRequested();
}

void SweepEngine::stopIfRequested() {
    if (m_stop.requested()) {
        throw SweepStopped("");
    }
    if (std::string lost = m_rigctld ? m_rigctld->lostMidSweep() : std::string(); !lost.empty()) {
        throw SweepStopped(std::move(lost));
    }
}

SweepOutcome SweepEngine::outcomeOf(SweepEnd end, std::string message) {
    SweepOutcome outcome{.end = end,
                         .message = std::move(message),
                         .keyDowns = m_keyDowns,
                         .tunedMHz = m_tunedMHz,
                         .rigctldEnded = m_rigctld && m_rigctld->endedUnderSweep()};
    if (m_began) {
        if (m_refining) {
            outcome.keyedNotice = finishRefinedSweep(end == SweepEnd::Completed);
        }
        outcome.record = m_record;
    }
    return outcome;
}

}  // namespace zm
