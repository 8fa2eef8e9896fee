// SPDX-License-Identifier: GPL-3.0-or-later
// The meter's part of a sweep: its answer before anything is keyed, then each keyed point
// from key-down to the reading it keeps, and the power window on every reading taken while
// keyed.

#include "engine/meter_port.h"
#include "engine/sweep_engine.h"
#include "engine/sweep_stopped.h"
#include "numbers/number_text.h"
#include "sweep/rigctld_protocol.h"
#include "sweep/settle_rule.h"

namespace zm {

namespace {

// A rejected poll is a garbled record (a flaky cable), not yet no power: it is read again,
// at most this often, while the point is keyed.
constexpr int kRereadsOfARejectedPoll = 2;

// "The sweep stopped at 14.050 MHz: ", the start of every message that stops a keyed point.
std::string stoppedAt(double frequencyMHz) {
    return "The sweep stopped at " +
           megahertzText(static_cast<double>(rigFrequencyHz(frequencyMHz).value_or(0))) + " MHz: ";
}

std::string noPowerMessage(double frequencyMHz) {
    return stoppedAt(frequencyMHz) +
           "the meter reads no power while the radio is keyed. Check that the radio is "
           "on, may transmit on this band, and that its output passes through the meter, then "
           "press Run again.";
}

// Three garbled records in a row say more about the meter's link than about the radio.
std::string noReadingMessage(double frequencyMHz) {
    return stoppedAt(frequencyMHz) +
           "the meter gave no usable answer in three tries while the radio was keyed, so "
           "it cannot tell whether power goes out. Check the meter's cable and port (Setup, "
           "Diag shows what it answers), then press Run again.";
}

std::string tooMuchPowerMessage(double frequencyMHz, double powerW, double ceilingW) {
    return stoppedAt(frequencyMHz) + "the meter reads " + fixedNumber(powerW, 1) +
           " W while the radio is keyed, above the power ceiling of " + shortestNumber(ceilingW) +
           " W. Turn the radio's power down below " + shortestNumber(ceilingW) +
           " W (or raise the ceiling in Setup, Sweep settings), then press Run again.";
}

std::optional<SettleSample> settleSampleOf(const std::optional<PointReading>& reading) {
    if (!reading) {
        return std::nullopt;
    }
    return SettleSample{reading->power.value_or(0.0), reading->zOhms, reading->phaseDegrees};
}

}  // namespace

// Unkeyed, before the radio: the meter answers with a record, as the idle poll's lamp takes
// it, within the re-reads a keyed point allows and the idle poll's 0.2 s between polls
// (about a second in all); else nothing is keyed. The readout shows each answer.
void SweepEngine::checkMeterAnswers() {
    for (int poll = 0; poll <= kRereadsOfARejectedPoll; ++poll) {
        if (poll > 0) {
            Pause(0.2f);
            stopIfRequested();
        }
        ReadMeter();
        if (m_pollAccepted) {
            return;
        }
    }
    const int port = m_station.meter.commPort();
    throw SweepStopped(meterSilentMessage(port, m_station.meter.routeOf(port), m_pollAnswered),
                       SweepEnd::NotReady);
}

PointTaking SweepEngine::readKeyed(double frequencyMHz) {
    if (m_request.sweep.settle == SettleMode::Readings) {
        return readUntilSettled(frequencyMHz);
    }
    Pause(1.0f);
    stopIfRequested();  // Escape in the keyed wait unkeys now, not after the meter
    readMeterKeyed(frequencyMHz);
    return {PointTaking::How::FixedWait, 1};
}

// The design's poll, again and again: the meter answers at the query, so the first reading
// shows the meter at key-down and each later one the meter 0.2 s on.
PointTaking SweepEngine::readUntilSettled(double frequencyMHz) {
    SettleRule rule;
    for (int polls = 1; polls <= kPollsInTheFixedTime; ++polls) {
        readMeterKeyed(frequencyMHz);
        if (rule.settledAfter(settleSampleOf(pointReadingOf(m_reading, m_pollAccepted)))) {
            return {PointTaking::How::Settled, polls};
        }
        stopIfRequested();
    }
    return {PointTaking::How::Unsettled, kPollsInTheFixedTime};
}

// Every reading counts for the ceiling, not just the one the point keeps.
void SweepEngine::readMeterKeyed(double frequencyMHz) {
    ReadMeter();
    const std::optional<double>& ceilingW = m_request.sweep.maxPowerW;
    if (m_pollAccepted && ceilingW && m_reading.Power.value_or(0.0) > *ceilingW) {
        throw SweepStopped(tooMuchPowerMessage(frequencyMHz, *m_reading.Power, *ceilingW));
    }
}

// Each re-read keeps the point keyed 0.2 s longer; the PTT guard hears that the program is
// still at work, so its deadline runs from here.
void SweepEngine::rereadRejected(PointTaking& taken, double frequencyMHz) {
    for (int reread = 0; !m_pollAccepted && reread < kRereadsOfARejectedPoll; ++reread) {
        stopIfRequested();
        tellGuardKeying();
        readMeterKeyed(frequencyMHz);
        ++taken.readings;
    }
}

// A radio in standby, on a band where it may not transmit or wired past the meter answers
// the key-down as a working one does; only the meter tells.
void SweepEngine::stopIfNoPower(double frequencyMHz) {
    if (!m_pollAccepted) {
        throw SweepStopped(noReadingMessage(frequencyMHz));
    }
    if (m_reading.Power.value_or(0.0) < kNoPowerBelowW) {
        throw SweepStopped(noPowerMessage(frequencyMHz));
    }
}

}  // namespace zm
