// SPDX-License-Identifier: GPL-3.0-or-later
// The meter poll and the live readout, and a meter that is unplugged and plugged back.

#include <QLabel>
#include <QLineEdit>

#include "app/frm_main.h"
#include "engine/meter_port.h"
#include "meter/display_pattern.h"
#include "meter/meter_poll.h"
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
    m_idlePoll.emplace(*this);  // polling rests until the answer is taken
    const MeterQuery query = beginPoll();
    if (query == MeterQuery::Sent) {
        m_pollAnswer.start();  // endIdlePoll(MeterQuery::Sent) when it fires
        return;
    }
    endIdlePoll(query);
}

void frmMain::endIdlePoll(MeterQuery query) {
    finishPoll(query);
    m_idlePoll.reset();
}

// The design's poll: the whole exchange in one call, the thread held meanwhile. A sweep's
// polls are the engine's, which the readout hears of as meterRead.
void frmMain::ReadMeter() {
    const PollingPause paused(*this);
    const MeterQuery query = beginPoll();
    if (query == MeterQuery::Sent) {
        Pause(0.2f);
    }
    finishPoll(query);
}

MeterQuery frmMain::beginPoll() {
    noticeMeterLoss(m_devices.comm->isOpen());
    return sendMeterQuery(*m_devices.comm);
}

void frmMain::finishPoll(MeterQuery query) {
    showMeterAnswer(takeMeterAnswer(*m_devices.comm, query));
}

// The readout, the lamp and the raw-answer line; a closed port leaves them as they are.
void frmMain::showMeterAnswer(const MeterAnswer& answer) {
    if (answer.query != MeterQuery::PortClosed) {
        m_rawResponse = answer.raw;
        if (!answer.accepted()) {
            setLampOn(false);
        } else {
            m_lastResponse = m_rawResponse;
            setLampOn(true);
            m_form.Label31->setText(fromMeterBytes(m_lastResponse));
            m_reading = *answer.reading;
            showReadout();
        }
    }
    noticeMeterLoss(answer.portOpen);
}

void frmMain::Pause(float seconds) {
    m_devices.sleeper->sleep(pauseDuration(seconds));
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
void frmMain::noticeMeterLoss(bool portOpen) {
    if (!m_meter.open || portOpen) {
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
        !openMeterPort(*m_devices.comm)) {
        return;
    }
    meterOpened();
    m_form.Label31->setText(fromMeterBytes(m_lastResponse));
    m_form.Label31->setToolTip(QString());
}

}  // namespace zm
