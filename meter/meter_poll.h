// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

#include "meter/meter_record.h"
#include "meter/serial_comm.h"

namespace zm {

// One poll of the meter in two halves, as the idle poll and the sweep take it: the query
// now, and 0.2 s later the answer. The idle poll lets the event loop run between the two;
// a sweep waits.
enum class MeterQuery { PortClosed, Failed, Sent };

// Throws away what is still waiting to go out or has come in (a late tail of the last
// answer must not pass for this one) and sends ";P?" on an open port. A port that fails
// here (unplugged, write error) closes itself.
MeterQuery sendMeterQuery(SerialComm& port);

// What one poll brought.
struct MeterAnswer {
    MeterQuery query = MeterQuery::PortClosed;
    std::string raw = {};  // the bytes that came back; empty unless sent
    std::optional<MeterReading> reading = std::nullopt;  // of an accepted record
    bool portOpen = false;  // after the poll: a port that failed closed itself
    bool accepted() const { return reading.has_value(); }
};

// The answer to a query sent 0.2 s ago, or to none.
MeterAnswer takeMeterAnswer(SerialComm& port, MeterQuery query);

}  // namespace zm
