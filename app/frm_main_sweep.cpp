// The sweep run: tune, key, read the meter, unkey, plot, point by point.

#include <QComboBox>
#include <stdexcept>

#include "app/frm_main.h"

namespace zm {

namespace {

// A sweep that cannot go on: the text tells the user what failed and what to do.
class SweepStopped : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

constexpr std::string_view kStoppedBySignal = "";  // the program is ending: no message

}  // namespace

void frmMain::cmdRun_Click() {
    setTimer1Enabled(false);
    try {
        RunSweep();
    } catch (const SweepStopped& stopped) {
        // Never leave the transmitter keyed: unkey on whatever connection is left.
        bool unkeyed = !m_transmitterKeyed;
        if (m_transmitterKeyed && TRX) {
            unkeyed = TRX->SetPTT(0) >= 0;
            m_transmitterKeyed = !unkeyed;
        }
        std::string message = stopped.what();
        if (!unkeyed) {
            message +=
                " The transmitter could not be unkeyed: switch it to receive on the radio now.";
        }
        if (!message.empty()) {
            m_devices.messages->show(message);
        }
    }
    setTimer1Enabled(true);
}

void frmMain::RunSweep() {
    std::string whyNot;
    FT100 = m_devices.rigServers->create(whyNot);
    TRX.reset();
    if (!FT100) {
        throw SweepStopped(whyNot);
    }
    checkRigStatus(FT100->GetTransceiver(TRX), "hand out the transceiver");
    if (!TRX) {
        throw SweepStopped("The rig-control server handed out no transceiver.");
    }
    checkRigStatus(TRX->SetMode(m_plan.CarrierMode), "set the carrier mode");
    checkRigStatus(TRX->SetOptionB(0), "switch RIT off");
    checkRigStatus(TRX->SetOptionA(0), "switch XIT off");

    const std::int16_t pointCount = m_plan.PointCount;
    for (std::int16_t i = 1; i <= pointCount; ++i) {
        const double frequencyMHz = (m_plan.StartFreq - m_plan.StepFreq) + i * m_plan.StepFreq;
        checkRigStatus(TRX->SetFrequency(frequencyMHz),
                       "tune to " + generalNumber(frequencyMHz) + " MHz");
        Pause(0.2f);
        checkRigStatus(TRX->SetMode(m_plan.CarrierMode), "set the carrier mode");
        KeyTransmitter();
        Pause(1.0f);
        ReadMeter();
        UnkeyTransmitter();
        copyReadingToRow(i);
        recordPoint(i, frequencyMHz);
        m_devices.chart->setChartData(m_grid);
        m_devices.chart->repaintNow();  // the sweep holds the event loop: paint point by point
    }
}

void frmMain::KeyTransmitter() {
    m_transmitterKeyed = true;  // from the request on: a failed answer may still have keyed it
    checkRigStatus(TRX->SetPTT(1), "key the transmitter");
}

void frmMain::UnkeyTransmitter() {
    const int status = TRX->SetPTT(0);
    if (status >= 0) {
        m_transmitterKeyed = false;
    }
    checkRigStatus(status, "unkey the transmitter");
}

void frmMain::copyReadingToRow(int row) {
    const auto cell = [](std::optional<double> value) -> Cell {
        return value ? Cell(*value) : Cell();
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
            m_grid.at(row, 5) = m_reading.SWR;
            break;
        case 4:  // RHO: |Gamma| against 50 ohm, 0 for a matched load and 1 for an open or short
            m_grid.at(row, 7) = m_reading.Z && m_reading.Phase
                                    ? Cell(rhoOf(*m_reading.Z, *m_reading.Phase))
                                    : Cell();
            break;
        default:  // no plot mode chosen: the point is measured but not stored
            break;
    }
}

// A failed call ends the sweep with a message; so does a stop signal (the window then
// closes), without one.
void frmMain::checkRigStatus(int status, std::string_view what) {
    if (status >= 0) {
        if (m_devices.stopRequested && m_devices.stopRequested->load()) {
            throw SweepStopped(std::string(kStoppedBySignal));
        }
        return;
    }
    std::string reason = TRX ? TRX->lastError() : FT100 ? FT100->lastError() : std::string();
    if (reason.empty()) {
        reason = "The rig-control server could not " + std::string(what);
    }
    throw SweepStopped("The sweep stopped. " + reason +
                       ". Check the radio and rigctld, then press Run again.");
}

}  // namespace zm
