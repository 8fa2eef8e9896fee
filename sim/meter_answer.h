// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/meter_record_builder.h"

namespace zm::sim {

// The ways a simulated meter can misbehave, to see the program cope.
enum class Fault {
    None,        // the record, at once
    Silent,      // no answer at all
    Short,       // 42 characters: the record's last one missing
    Long,        // 44 characters: a carriage return after the record
    BadStart,    // 43 characters, the first ":" instead of ";"
    NonNumeric,  // the Z field reads "-----" (the meter's over-range)
    Split,       // the first half at once, the rest 300 ms later: after the poll's read
    Garbage,     // an acceptable record whose unread positions hold NUL and 0x80-0xFF bytes
    Noise,       // 43 bytes of line noise starting with NUL
    Flood,       // 1 MiB of records run together
};

std::optional<Fault> faultFromName(std::string_view name);

// Bytes to write, `delay` after the query came in.
struct TimedBytes {
    std::chrono::milliseconds delay{0};
    std::string bytes;
};

std::vector<TimedBytes> answerFor(Fault fault, const MeterValues& values);

}  // namespace zm::sim
