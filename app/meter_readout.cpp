// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/meter_readout.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "engine/meter_port.h"
#include "meter/display_pattern.h"
#include "meter/pause.h"
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

// "Com01: /dev/ttyUSB0 (link ports/com1)" or "Com01: /dev/ttyS0, no link in ports/".
QString portTooltip(int port, const PortRoute& route) {
    const std::string link = "ports/com" + std::to_string(port);
    return QString::fromStdString(meterPortName(port) + ": " + route.device +
                                  (route.linked ? " (link " + link + ")" : ", no link in ports/"));
}

constexpr std::chrono::milliseconds kTimer1Interval{200};

}  // namespace

MeterReadout::MeterReadout(const FormControls& form, SerialComm& comm,
                           std::function<void()> readingShown)
    : m_form(form), m_comm(comm), m_readingShown(std::move(readingShown)) {
    m_timer1.setObjectName("Timer1");
    m_timer1.setInterval(kTimer1Interval);
    m_pollAnswer.setSingleShot(true);
    m_pollAnswer.setInterval(pauseDuration(0.2f));
    QObject::connect(&m_pollAnswer, &QTimer::timeout, [this] { endIdlePoll(MeterQuery::Sent); });
    m_timer1.start();  // the port is closed until start-up opens it
}

MeterReadout::~MeterReadout() {
    m_timer1.stop();
    m_pollAnswer.stop();
}

void MeterReadout::pollIdle() {
    openLostMeter();
    setPolling(false);
    const MeterQuery query = beginPoll();
    if (query == MeterQuery::Sent) {
        m_pollAnswer.start();  // endIdlePoll(MeterQuery::Sent) when it fires
        return;
    }
    endIdlePoll(query);
}

void MeterReadout::endIdlePoll(MeterQuery query) {
    finishPoll(query);
    setPolling(true);
}

void MeterReadout::setPolling(bool enabled) {
    m_pollAnswer.stop();
    if (!enabled) {
        m_timer1.stop();
    } else if (!m_timer1.isActive()) {
        m_timer1.start();  // resuming restarts the 200 ms count
    }
}

MeterQuery MeterReadout::beginPoll() {
    noticeLoss(m_comm.isOpen());
    return sendMeterQuery(m_comm);
}

void MeterReadout::finishPoll(MeterQuery query) {
    show(takeMeterAnswer(m_comm, query));
}

// The readout, the lamp and the raw-answer line.
void MeterReadout::show(const MeterAnswer& answer) {
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
    noticeLoss(answer.portOpen);
}

void MeterReadout::showReadout() {
    m_form.Text4->setText(shownAs(m_reading.Power, "####.0"));
    m_form.Text5->setText(fromMeterBytes(formatFieldText(m_reading.ZText, "###.0")));
    m_form.Text6->setText(fromMeterBytes(formatFieldText(m_reading.PhaseText, "###.0")));
    m_form.Text15->setText(shownAs(m_reading.R, "###.0"));
    m_form.Text16->setText(shownAs(m_reading.X, "###.0"));
    m_form.Text1->setText(QString::fromStdString(formatPattern(m_reading.SWR.toDouble(), "#.00")));
    m_readingShown();
}

// Green while Picture5 shows above the red Picture2, which is hidden beneath it meanwhile:
// a screen reader (and the Tab key) finds one lamp, "meter answers" or "meter not answering".
void MeterReadout::setLampOn(bool on) {
    m_form.Picture5->setVisible(on);
    m_form.Picture2[0]->setVisible(!on);
}

void MeterReadout::opened() {
    const PortRoute route = m_comm.routeOf(m_comm.commPort());
    m_device = Device{route, chosenDevice(route), true, false};
    m_form.Picture2[0]->setToolTip(QString());
}

void MeterReadout::forgetDevice() {
    m_device = Device{};
}

// The port closed under the poll (a read or write error, the device gone): said where the
// lamp is, without a box, and the device is watched for at each tick from now on.
void MeterReadout::noticeLoss(bool portOpen) {
    if (!m_device.open || portOpen) {
        return;
    }
    m_device.open = false;
    m_device.lost = true;
    setLampOn(false);
    const QString text = QString::fromStdString("Meter unplugged: " + m_device.name +
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
void MeterReadout::openLostMeter() {
    if (!m_device.lost || m_comm.routeOf(m_comm.commPort()).linked != m_device.route.linked ||
        !openMeterPort(m_comm)) {
        return;
    }
    opened();
    m_form.Label31->setText(fromMeterBytes(m_lastResponse));
    m_form.Label31->setToolTip(QString());
}

// Refreshed at every start-up and whenever the user moves through the list, so that a link
// made in ports/ while the program runs shows at once.
void MeterReadout::showPortRoutes() {
    for (int index = 0; index < m_form.Combo3->count(); ++index) {
        const int port = index + 1;
        m_form.Combo3->setItemData(index, portTooltip(port, m_comm.routeOf(port)), Qt::ToolTipRole);
    }
}

}  // namespace zm
