// SPDX-License-Identifier: GPL-3.0-or-later
// The meter poll and the live readout, and a meter that is unplugged and plugged back.

#include <QLabel>
#include <QLineEdit>

#include "app/frm_main.h"
#include "meter/display_pattern.h"
#include "station/serial_devices.h"

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

// The idle poll: the query goes out now and the answer is taken 0.2 s later from the event
// loop, so that the window answers the user and the desktop while the meter talks.
void frmMain::Timer1_Timer() {
    openLostMeter();
    const Query query = beginPoll();
    if (query == Query::Sent) {
        m_pollAnswer.start();  // finishPoll(Query::Sent) when it fires
        return;
    }
    finishPoll(query);
}

// The sweep's poll, and the design's: the whole exchange in one call.
void frmMain::ReadMeter() {
    const Query query = beginPoll();
    if (query == Query::Sent) {
        Pause(0.2f);
    }
    finishPoll(query);
}

frmMain::Query frmMain::beginPoll() {
    setTimer1Enabled(false);
    noticeMeterLoss();
    SerialComm& MSComm1 = *m_devices.comm;
    const bool portOpen = MSComm1.isOpen();
    m_pollAccepted = false;
    MSComm1.clearOutBuffer();  // a late tail of the last answer must not pass for this one
    MSComm1.clearInBuffer();
    if (!portOpen) {
        return Query::PortClosed;
    }
    m_rawResponse.clear();
    // A port that fails here (unplugged, write error) closes itself.
    return MSComm1.output(kMeterQuery) ? Query::Sent : Query::Failed;
}

void frmMain::finishPoll(Query query) {
    if (query != Query::PortClosed) {
        if (query == Query::Sent) {
            m_rawResponse = m_devices.comm->input();
        }
        m_pollAccepted = query == Query::Sent && isAcceptedResponse(m_rawResponse);
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
    noticeMeterLoss();
    // A sweep keeps Timer1 off from Run to its end: a tick served in one of its waits
    // would poll in the middle of a point.
    if (!m_sweep.running) {
        setTimer1Enabled(true);
    }
}

// The sweep's waits let the window paint and answer the desktop; so does the idle poll's
// own wait (Timer1_Timer). ReadMeter called outside a sweep holds the thread.
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

// Green while Picture5 shows above the red Picture2, which is hidden beneath it meanwhile:
// a screen reader (and the Tab key) finds one lamp, "meter answers" or "meter not answering".
void frmMain::setLampOn(bool on) {
    m_form.Picture5->setVisible(on);
    m_form.Picture2[0]->setVisible(!on);
}

void frmMain::meterOpened() {
    const PortRoute route = m_devices.comm->routeOf(m_devices.comm->commPort());
    m_meter = MeterDevice{route, chosenDevice(route), true, false};
    m_form.Picture2[0]->setToolTip(QString());
}

// The port closed under the poll (a read or write error, the device gone): said where the
// lamp is, without a box, and the device is watched for at each tick from now on.
void frmMain::noticeMeterLoss() {
    if (!m_meter.open || m_devices.comm->isOpen()) {
        return;
    }
    m_meter.open = false;
    m_meter.lost = true;
    setLampOn(false);
    const QString text = QString::fromStdString("Meter unplugged: " + m_meter.name +
                                                " is gone; polling resumes when it is back");
    // The line has room for a meter record, not for a by-id name: the whole text is on
    // hover, there and on the lamp.
    const QFontMetrics metrics(m_form.Label31->font());
    const int widthPx = m_form.Label31->width();
    m_form.Label31->setText(metrics.horizontalAdvance(text) <= widthPx
                                ? text
                                : metrics.elidedText(QStringLiteral("Meter unplugged; polling "
                                                                    "resumes when it is back"),
                                                     Qt::ElideRight, widthPx));
    m_form.Label31->setToolTip(text);
    m_form.Picture2[0]->setToolTip(text);
}

// The same device only: the port's link (to a by-id name, a pty) made again and leading to
// a device, or the same kernel name. A link that is gone would send port N to /dev/ttyS<N-1>.
void frmMain::openLostMeter() {
    if (!m_meter.lost ||
        m_devices.comm->routeOf(m_devices.comm->commPort()).linked != m_meter.route.linked ||
        !openMeterPort()) {
        return;
    }
    meterOpened();
    m_form.Label31->setText(fromMeterBytes(m_lastResponse));
    m_form.Label31->setToolTip(QString());
}

}  // namespace zm
