// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter/qt_serial_comm.h"

#include <sys/file.h>

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <utility>

namespace zm {
namespace {

QSerialPort::Parity toQt(SerialSettings::Parity parity) {
    switch (parity) {
        case SerialSettings::Parity::Even:
            return QSerialPort::EvenParity;
        case SerialSettings::Parity::Odd:
            return QSerialPort::OddParity;
        case SerialSettings::Parity::Mark:
            return QSerialPort::MarkParity;
        case SerialSettings::Parity::Space:
            return QSerialPort::SpaceParity;
        case SerialSettings::Parity::None:
            break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits toQt(SerialSettings::StopBits stopBits) {
    switch (stopBits) {
        case SerialSettings::StopBits::OneAndHalf:
            return QSerialPort::OneAndHalfStop;
        case SerialSettings::StopBits::Two:
            return QSerialPort::TwoStop;
        case SerialSettings::StopBits::One:
            break;
    }
    return QSerialPort::OneStop;
}

}  // namespace

QtSerialComm::QtSerialComm(QString configDir) : m_configDir(std::move(configDir)) {
    // A vanished device (pty closed, USB adapter pulled) leaves QSerialPort "open", and
    // once the event loop runs its read notifier reports the error hundreds of thousands
    // of times a second. Closing on the first real error is what stops that.
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

QtSerialComm::~QtSerialComm() {
    close();
}

void QtSerialComm::setCommPort(int portNumber) {
    if (!m_port.isOpen()) {
        m_portNumber = portNumber;
    }
}

bool QtSerialComm::setSettings(std::string_view settings) {
    const auto parsed = parseSerialSettings(settings);
    if (!parsed) {
        return false;
    }
    const SerialSettings previous = m_settings;
    m_settings = *parsed;
    if (!m_port.isOpen() || applySettings()) {
        return true;
    }
    // The device refused them (a pty keeps 8 data bits and no parity, whatever it is
    // told): back to what worked.
    m_settings = previous;
    applySettings();
    return false;
}

void QtSerialComm::setInputLen(int length) {
    m_inputLength = std::max(length, 0);
}

PortRoute QtSerialComm::routeOf(int portNumber) const {
    PortRoute route;
    if (portNumber < 1) {
        return route;
    }
    const QFileInfo link(
        QDir(m_configDir).absoluteFilePath(QStringLiteral("ports/com%1").arg(portNumber)));
    route.linkPath = link.absoluteFilePath().toStdString();
    route.linked = link.isSymLink();
    if (route.linked) {
        // The device itself, also through a chain of links (ports/com1 ->
        // /dev/serial/by-id/usb-... -> /dev/ttyUSB0); a dangling link names where it points.
        const QString device = link.canonicalFilePath();
        route.device = (device.isEmpty() ? link.symLinkTarget() : device).toStdString();
    } else {
        route.device = "/dev/ttyS" + std::to_string(portNumber - 1);
    }
    return route;
}

bool QtSerialComm::open() {
    if (m_port.isOpen()) {
        return true;
    }
    const std::string device = routeOf(m_portNumber).device;
    if (device.empty()) {
        return false;
    }
    m_port.clearError();
    m_port.setPortName(QString::fromStdString(device));
    applySettings();
    if (!m_port.open(QIODevice::ReadWrite)) {
        return false;
    }
    // QSerialPort's lock file is named after the path it was given, and TIOCEXCL does not
    // stop root; a lock on the open device holds whatever name the other opener used.
    if (::flock(static_cast<int>(m_port.handle()), LOCK_EX | LOCK_NB) != 0) {
        m_port.close();
        return false;
    }
    m_port.setReadBufferSize(static_cast<qint64>(kKeptInputBytes));
    m_openedDevice = QString::fromStdString(device);
    return true;
}

void QtSerialComm::close() {
    if (m_port.isOpen()) {
        m_port.close();  // closing the descriptor also drops the flock
    }
}

bool QtSerialComm::isOpen() const {
    return m_port.isOpen();
}

void QtSerialComm::clearOutBuffer() {
    if (m_port.isOpen()) {
        m_port.clear(QSerialPort::Output);
    }
}

void QtSerialComm::clearInBuffer() {
    if (m_port.isOpen()) {
        m_port.clear(QSerialPort::Input);
    }
}

bool QtSerialComm::output(std::string_view bytes) {
    if (!m_port.isOpen()) {
        return false;
    }
    // A pulled USB adapter takes its device node with it; until a read fails, the open
    // descriptor may not tell.
    if (!QFileInfo::exists(m_openedDevice)) {
        closeAfterError();
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (m_port.write(bytes.data(), size) != size) {
        closeAfterError();
        return false;
    }
    m_port.flush();
    return m_port.isOpen();  // a write error has closed it
}

std::string QtSerialComm::input() {
    if (!m_port.isOpen()) {
        return {};
    }
    // With an input length the rest stays for the next read; without one, all of it
    // is drained but only the first kKeptInputBytes are kept.
    const bool lengthGiven = m_inputLength > 0;
    const std::size_t limit =
        lengthGiven ? static_cast<std::size_t>(m_inputLength) : kKeptInputBytes;
    std::string received;
    std::size_t drained = 0;
    // First what an event loop may already have read, then what waits in the kernel.
    do {
        const std::size_t room = limit - received.size();
        const QByteArray chunk =
            lengthGiven ? m_port.read(static_cast<qint64>(room)) : m_port.readAll();
        drained += static_cast<std::size_t>(chunk.size());
        received.append(chunk.constData(), std::min(static_cast<std::size_t>(chunk.size()), room));
    } while ((!lengthGiven || received.size() < limit) && drained < kDrainedInputBytes &&
             m_port.isOpen() && m_port.waitForReadyRead(0));
    if (!m_port.isOpen()) {
        return {};  // a read error has closed it
    }
    return received;
}

bool QtSerialComm::applySettings() {
    // A refused setting is reported through errorOccurred too, but leaves the port usable.
    m_applyingSettings = true;
    const bool applied =
        m_port.setBaudRate(m_settings.baudRate) && m_port.setParity(toQt(m_settings.parity)) &&
        m_port.setDataBits(static_cast<QSerialPort::DataBits>(m_settings.dataBits)) &&
        m_port.setStopBits(toQt(m_settings.stopBits)) &&
        m_port.setFlowControl(QSerialPort::NoFlowControl);
    m_applyingSettings = false;
    return applied;
}

void QtSerialComm::onError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || m_applyingSettings) {
        return;
    }
    closeAfterError();
}

void QtSerialComm::closeAfterError() {
    // close() itself can report an error (restoring the settings of a vanished device
    // fails), which would call back in here.
    if (m_closingAfterError || !m_port.isOpen()) {
        return;
    }
    m_closingAfterError = true;
    close();
    m_closingAfterError = false;
}

}  // namespace zm
