// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTimer>
#include <chrono>
#include <functional>
#include <string>

#include "app/form_layout.h"
#include "meter/meter_poll.h"
#include "meter/meter_record.h"
#include "meter/serial_comm.h"

namespace zm {

// The meter's live readout: the six boxes, the lamp and the raw-answer line as each poll's
// answer leaves them, the port list's routes, and a meter that is unplugged and plugged back
// (the same device only, looked for at each tick while it is gone); and Timer1's idle poll,
// which rests while a dialog or a sweep holds the window.
class MeterReadout {
public:
    // `readingShown` runs after each reading shown in the boxes.
    MeterReadout(const FormControls& form, SerialComm& comm, std::function<void()> readingShown);
    ~MeterReadout();
    MeterReadout(const MeterReadout&) = delete;
    MeterReadout& operator=(const MeterReadout&) = delete;

    // Timer1, which the form wires to its tick; it runs from the window's creation.
    QTimer& timer1() { return m_timer1; }
    // Timer1's tick: the query goes out now and the answer is taken 0.2 s later from the
    // event loop, so that the window answers the user and the desktop while the meter talks.
    // Polling rests until then.
    void pollIdle();
    // Whatever rests or resumes polling also ends an idle poll that waits for its answer: a
    // sweep or a port choice sends its own query.
    void setPolling(bool enabled);
    bool polling() const { return m_timer1.isActive(); }
    std::chrono::milliseconds pollInterval() const { return m_timer1.intervalAsDuration(); }

    // One poll in two halves: the query, and 0.2 s later the answer.
    MeterQuery beginPoll();
    void finishPoll(MeterQuery query);
    // An idle poll's answer or a sweep's; a closed port leaves the readout as it is.
    void show(const MeterAnswer& answer);

    // The port opened: the device it leads to is the one looked for once it is lost.
    void opened();
    // A new port chosen: what was lost is no longer looked for.
    void forgetDevice();
    void openLostMeter();
    // Each port list entry's tooltip names the device that the port opens.
    void showPortRoutes();

    const MeterReading& reading() const { return m_reading; }
    const std::string& rawResponse() const { return m_rawResponse; }
    const std::string& lastResponse() const { return m_lastResponse; }

private:
    void showReadout();
    void setLampOn(bool on);
    void noticeLoss(bool portOpen);
    void endIdlePoll(MeterQuery query);

    const FormControls& m_form;
    SerialComm& m_comm;
    std::function<void()> m_readingShown;
    // The meter's device as it was last opened. Once it failed or vanished it is lost, and
    // each tick looks whether it is back.
    struct Device {
        PortRoute route;
        std::string name;   // as chosen: /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10KZ3XY-...
        bool open = false;  // held open by the program, which did not close it since
        bool lost = false;
    };
    Device m_device;
    MeterReading m_reading;
    std::string m_rawResponse;
    std::string m_lastResponse;
    QTimer m_timer1;
    QTimer m_pollAnswer;  // the idle poll's 0.2 s between query and answer
};

}  // namespace zm
