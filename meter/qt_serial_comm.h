// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSerialPort>
#include <QString>
#include <cstddef>

#include "meter/serial_comm.h"
#include "meter/serial_settings.h"

namespace zm {

// The meter's port over QSerialPort, used without an event loop: the poll writes ";P?",
// sleeps 200 ms on the UI thread and then takes what came in. Measured on Qt 6.4 with a
// pty: write() only queues (flush() sends), and after a sleep readAll() alone sees
// nothing until waitForReadyRead(0) has pulled the bytes in.
//
// Port N is the device that the link <configDir>/ports/comN points to, when that link
// exists (a simulated meter, or a fixed name for a USB adapter), otherwise /dev/ttyS<N-1>.
class QtSerialComm : public SerialComm {
public:
    explicit QtSerialComm(QString configDir);
    ~QtSerialComm() override;
    QtSerialComm(const QtSerialComm&) = delete;
    QtSerialComm& operator=(const QtSerialComm&) = delete;

    void setCommPort(int portNumber) override;
    int commPort() const override { return m_portNumber; }
    PortRoute routeOf(int portNumber) const override;
    bool setSettings(std::string_view settings) override;
    void setInputLen(int length) override;

    bool open() override;
    void close() override;
    bool isOpen() const override;

    void clearOutBuffer() override;
    void clearInBuffer() override;

    bool output(std::string_view bytes) override;
    std::string input() override;

private:
    bool applySettings();
    void onError(QSerialPort::SerialPortError error);
    void closeAfterError();

    // A record is 43 bytes; keeping 64 KiB of a flood is plenty to see it is not one.
    static constexpr std::size_t kKeptInputBytes = 64 * 1024;
    // One input() stops draining after this much, so a device that never stops
    // talking cannot hold the UI thread.
    static constexpr std::size_t kDrainedInputBytes = 4 * 1024 * 1024;

    QString m_configDir;
    QSerialPort m_port;
    QString m_openedDevice;  // "/dev/ttyUSB0", where the open port's link led
    int m_portNumber = 1;
    SerialSettings m_settings;
    int m_inputLength = 0;
    bool m_closingAfterError = false;
    bool m_applyingSettings = false;
};

}  // namespace zm
