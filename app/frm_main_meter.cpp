// SPDX-License-Identifier: GPL-3.0-or-later
// The meter poll and the live readout.

#include <QLabel>
#include <QLineEdit>

#include "app/frm_main.h"
#include "meter/display_pattern.h"

namespace zm {

namespace {

// The meter speaks single-byte characters.
QString fromMeterBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

QString shownAs(std::optional<double> value, std::string_view pattern) {
    return QString::fromStdString(formatPattern(value.value_or(0.0), pattern));
}

}  // namespace

void frmMain::Timer1_Timer() {
    ReadMeter();
}

void frmMain::ReadMeter() {
    setTimer1Enabled(false);
    SerialComm& MSComm1 = *m_devices.comm;
    const bool portOpen = MSComm1.isOpen();
    m_pollAccepted = false;
    MSComm1.clearOutBuffer();  // a late tail of the last answer must not pass for this one
    MSComm1.clearInBuffer();
    if (portOpen) {
        // A port that fails in this poll (unplugged, read error) closes itself; the poll
        // ends like a rejected answer, and later ticks find the port closed.
        m_rawResponse.clear();
        const bool sent = MSComm1.output(kMeterQuery);
        if (sent) {
            Pause(0.2f);
            m_rawResponse = MSComm1.input();
        }
        m_pollAccepted = sent && isAcceptedResponse(m_rawResponse);
        if (!m_pollAccepted) {
            setLampOn(false);
        } else {
            m_lastResponse = m_rawResponse;
            setLampOn(true);
            m_form.Label31->setText(fromMeterBytes(m_lastResponse));
            m_reading = parseMeterRecord(m_lastResponse);
            showReadout();
        }
    }
    // A sweep keeps Timer1 off from Run to its end: a tick served in one of its waits
    // would poll in the middle of a point.
    if (!m_sweep.running) {
        setTimer1Enabled(true);
    }
}

// The sweep's waits let the window paint and answer the desktop; the idle poll's holds the
// thread, so what the user types then waits for it instead of being dropped.
void frmMain::Pause(float seconds) {
    Sleeper& sleeper = m_sweep.running ? *m_devices.sweepSleeper : *m_devices.sleeper;
    sleeper.sleep(pauseDuration(seconds));
}

void frmMain::showReadout() {
    m_form.Text4->setText(shownAs(m_reading.Power, "####.0"));
    m_form.Text5->setText(fromMeterBytes(formatFieldText(m_reading.ZText, "###.0")));
    m_form.Text6->setText(fromMeterBytes(formatFieldText(m_reading.PhaseText, "###.0")));
    m_form.Text15->setText(shownAs(m_reading.R, "###.0"));
    m_form.Text16->setText(shownAs(m_reading.X, "###.0"));
    m_form.Text1->setText(QString::fromStdString(formatPattern(m_reading.SWR.toDouble(), "#.00")));
    showReadoutAtAntenna();
}

// Green while Picture5 shows above the red Picture2.
void frmMain::setLampOn(bool on) {
    m_form.Picture5->setVisible(on);
}

}  // namespace zm
