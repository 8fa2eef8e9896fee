// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep run: tune, key, read the meter, unkey, plot, point by point.

#include <QComboBox>
#include <stdexcept>

#include "app/frm_main.h"
#include "app/sweep_input_filter.h"
#include "numbers/number_text.h"
#include "sweep/rigctld_protocol.h"

namespace zm {

namespace {

// A sweep that cannot go on. The text tells the user what failed and what to do; it is
// empty when the user (or the desktop) asked the sweep to stop.
class SweepStopped : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// "The sweep stopped. No rig-control server answers at 127.0.0.1:4532; start rigctld ...
//  Check the radio and rigctld, then press Run again."
SweepStopped failure(std::string_view whatFailed) {
    return SweepStopped("The sweep stopped. " + std::string(whatFailed) +
                        ". Check the radio and rigctld, then press Run again.");
}

constexpr std::string_view kChoosePlotMode =
    "Choose what to plot in the list beside Run (R+jX, Z & Phase, SWR or RHO), then press Run "
    "again.";
constexpr std::string_view kChooseCarrierMode =
    "Choose the carrier mode, CW, AM or FSK, in the list beside the port list (Setup, Diag "
    "shows it), then press Run again.";
constexpr std::string_view kStillKeyed =
    "The transmitter could not be unkeyed: switch it to receive on the radio now.";

}  // namespace

void frmMain::cmdRun_Click() {
    runSweeps([this] { return sweepSafely(); });
}

void frmMain::runSweeps(const std::function<std::string()>& run) {
    if (m_sweep.running) {
        return;  // one sweep at a time, whatever calls
    }
    setTimer1Enabled(false);
    if (m_form.Combo2->currentIndex() < 0) {
        // Without a plot mode every point would be keyed and nothing kept.
        m_devices.messages->show(kChoosePlotMode);
    } else if (m_form.Combo4->currentIndex() < 0) {
        // Without one the radio would transmit in whatever mode it was left in.
        m_devices.messages->show(kChooseCarrierMode);
    } else if (const std::string message = run(); !message.empty()) {
        m_devices.messages->show(message);
    }
    setTimer1Enabled(true);
    if (m_sweep.closeRequested) {
        close();
    }
}

// RunSweep with what keeps the station safe around it: the user's input is dropped while it
// runs (Escape stops it), the PTT guard watches it, and a sweep that stops for any reason
// unkeys first. Gives the message for the user, or nothing when all went well or the stop
// was asked for.
std::string frmMain::sweepSafely() {
    const SweepInputFilter inputFilter([this] { requestSweepStop(); });
    m_sweep = SweepRun{.running = true,
                       .rigctldEndings = m_devices.rigctld ? m_devices.rigctld->endings() : 0};
    std::string message;
    bool completed = false;
    try {
        RunSweep();
        completed = true;
    } catch (const SweepStopped& stopped) {
        message = unkeyAfterStop(stopped.what());
    }
    if (m_sweep.refining) {
        finishRefinedSweep(completed);
    }
    m_devices.pttGuard->finish();
    rigctldSweepEnded();
    if (m_devices.radioClaims) {
        m_devices.radioClaims->release();
    }
    m_sweep.running = false;
    return message;
}

// Another copy of the program, with settings of its own, may sweep with the same radio: the
// two would key it at each other's frequencies.
void frmMain::claimRadio() {
    const std::uint16_t port = m_station.rig.port;
    pid_t holder = 0;
    if (m_devices.radioClaims &&
        !m_devices.radioClaims->claim(port, ownRigctld() ? m_station.rig.device : "", holder)) {
        stopSweep("Another ZM-480 Plot" +
                  (holder > 0 ? " (process " + std::to_string(holder) + ")" : std::string()) +
                  " is sweeping with this radio (rigctld port " + std::to_string(port) +
                  "); nothing was keyed. Press Run again once its sweep has ended.");
    }
}

void frmMain::RunSweep() {
    if (std::string refusal = checkBandPlan(); !refusal.empty()) {
        throw SweepStopped(std::move(refusal));
    }
    claimRadio();
    if (const std::string heldUp = waitForRigctld(); !heldUp.empty()) {
        throw failure(heldUp);
    }
    std::string whyNot;
    FT100 = m_devices.rigServers->create(whyNot);
    TRX.reset();
    if (!FT100) {
        throw failure(whyNoRigctld(whyNot));
    }
    checkRigStatus(FT100->GetTransceiver(TRX), "hand out the transceiver");
    if (!TRX) {
        throw failure("The rig-control server handed out no transceiver");
    }
    if (!m_devices.pttGuard->start(whyNot)) {
        throw failure(whyNot);
    }
    checkRigStatus(TRX->SetMode(m_plan.CarrierMode), "set the carrier mode");
    checkRigStatus(TRX->SetOptionB(0), "switch RIT off");
    checkRigStatus(TRX->SetOptionA(0), "switch XIT off");
    checkRigStatus(TRX->SetSplit(0), "switch split off");

    m_tunedMHz.reset();
    beginSweepRecord();
    for (auto point = nextSweepPoint({}); point; point = nextSweepPoint(point)) {
        const int i = *point;
        const double frequencyMHz = pointFrequencyMHz(i);
        if (!carrierAllowed(frequencyMHz)) {
            skipPoint(i, frequencyMHz);
            continue;
        }
        m_tunedMHz = frequencyMHz;
        checkRigStatus(TRX->SetFrequency(frequencyMHz),
                       "tune to " + generalNumber(frequencyMHz) + " MHz");
        Pause(0.2f);
        checkRigStatus(TRX->SetMode(m_plan.CarrierMode), "set the carrier mode");
        KeyTransmitter();
        PointTaking taken = readKeyed(frequencyMHz);
        rereadRejected(taken, frequencyMHz);
        stopIfNoPower(frequencyMHz);
        UnkeyTransmitter();
        copyReadingToRow(i, true);
        recordPoint(i, {rigFrequencyHz(frequencyMHz).value_or(0),
                        pointReadingOf(m_reading, m_pollAccepted), taken});
        showGrid();  // painted in the next wait
    }
}

// The guard hears of the key-down before the request goes out, and again once the radio has
// answered it: its deadline for a silent window then runs from the keyed radio, so a slow
// answer to the key-down does not eat the margin of the keyed wait. Whatever led here, the
// radio is not keyed where the band plan does not let it transmit.
void frmMain::KeyTransmitter() {
    if (!m_tunedMHz) {
        throw SweepStopped("The sweep stopped before keying the radio: it was tuned nowhere.");
    }
    if (!carrierAllowed(*m_tunedMHz)) {
        throw SweepStopped(
            "The sweep stopped before keying the radio: " + generalNumber(*m_tunedMHz) +
            " MHz lies outside the bands of " + m_bandPlan.title + ".");
    }
    tellGuardKeying();
    m_transmitterKeyed = true;  // from the request on: a failed answer may still have keyed it
    checkRigStatus(TRX->SetPTT(1), "key the transmitter");
    tellGuardKeying();
}

void frmMain::tellGuardKeying() {
    std::string whyNot;
    if (!m_devices.pttGuard->keying(whyNot)) {
        throw failure(whyNot);  // nothing would unkey the radio if this window died
    }
}

void frmMain::UnkeyTransmitter() {
    const int status = TRX->SetPTT(0);
    if (status >= 0) {
        m_transmitterKeyed = false;
        m_devices.pttGuard->unkeyed();
    }
    checkRigStatus(status, "unkey the transmitter");
}

// Never leave the transmitter keyed: unkey on whatever connection is left. A transmitter
// that stays keyed is left to the guard as well, which unkeys on a connection of its own.
std::string frmMain::unkeyAfterStop(std::string message) {
    if (m_transmitterKeyed && TRX && TRX->SetPTT(0) >= 0) {
        m_transmitterKeyed = false;
        m_devices.pttGuard->unkeyed();
    }
    if (m_transmitterKeyed) {
        message += (message.empty() ? "" : " ") + std::string(kStillKeyed);
    }
    return message;
}

void frmMain::requestSweepStop() {
    m_sweep.stopRequested = true;
    m_devices.sweepSleeper->wake();
}

void frmMain::stopSweep(std::string message) {
    throw SweepStopped(message);
}

bool frmMain::stopAsked() const {
    const bool signalled = m_devices.stopRequested && m_devices.stopRequested->load();
    return m_sweep.stopRequested || signalled;
}

void frmMain::stopIfRequested() {
    if (stopAsked()) {
        throw SweepStopped("");
    }
    if (std::string ended = rigctldEndedMidSweep(); !ended.empty()) {
        throw SweepStopped(std::move(ended));
    }
}

void frmMain::copyReadingToRow(int row, bool keyed) {
    const auto cell = [keyed](std::optional<double> value) -> Cell {
        return keyed && value ? Cell(*value) : Cell();
    };
    switch (m_form.Combo2->currentIndex()) {
        case 0:  // R+jX
            m_grid.at(row, 2) = cell(m_reading.R);
            m_grid.at(row, 3) = cell(m_reading.X);
            break;
        case 1:  // Z & Phase
            m_grid.at(row, 4) = cell(m_reading.Z);
            m_grid.at(row, 6) = cell(m_reading.Phase);
            break;
        case 2:  // SWR - 3:1
        case 3:  // SWR - 10:1
            m_grid.at(row, 5) = keyed ? Cell(m_reading.SWR) : Cell();
            break;
        case 4:  // RHO: |Gamma| against 50 ohm, 0 for a matched load and 1 for an open or short
            m_grid.at(row, 7) = keyed && m_reading.Z && m_reading.Phase
                                    ? Cell(rhoOf(*m_reading.Z, *m_reading.Phase))
                                    : Cell();
            break;
        default:
            break;
    }
    noteFilledColumns(row);
}

// A failed call ends the sweep with a message; so does a stop the user asked for, without
// one.
void frmMain::checkRigStatus(int status, std::string_view what) {
    if (status < 0) {
        std::string reason = TRX ? TRX->lastError() : FT100 ? FT100->lastError() : std::string();
        if (reason.empty()) {
            reason = "The rig-control server could not " + std::string(what);
        }
        // A rigctld that ended under the sweep is the cause, and is named as such.
        std::string ended = rigctldEndedMidSweep();
        throw ended.empty() ? failure(reason) : SweepStopped(std::move(ended));
    }
    stopIfRequested();
}

}  // namespace zm
