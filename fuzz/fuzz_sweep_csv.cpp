// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a sweep CSV loaded as a memory. Beyond crashes it checks that a file read
// holds points with rising whole-Hz frequencies and finite readings (the SWR may be
// infinite), that writing it again and reading that gives the very same points, at its own
// plane and moved to the other one through a feedline, and that a refusal names a line of
// the file.

#include <cmath>
#include <string>

#include "fuzz/fuzz_sweep_file.h"
#include "results/sweep_csv.h"

namespace {

using zm::fuzz::require;

bool finiteReading(const zm::PointReading& reading) {
    return std::isfinite(reading.zOhms) && std::isfinite(reading.phaseDegrees) &&
           !std::isnan(reading.swr) && reading.swr != -HUGE_VAL &&
           (!reading.power || std::isfinite(*reading.power));
}

// Written and read again, the record's points come back as they were; the line's loss at
// each point is not written.
void checkReadsBack(const zm::SweepRecord& record, std::string_view text) {
    std::vector<zm::SweepPoint> points = record.points;
    for (zm::SweepPoint& point : points) {
        point.lineLoss.reset();
    }
    const std::string written = zm::writeSweepCsv(record);
    const auto again = zm::readSweepCsv(written);
    require(std::holds_alternative<zm::SweepRecord>(again) &&
                std::get<zm::SweepRecord>(again).points == points,
            "what is written reads back as the same points", text, written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = zm::fuzz::asText(data, size);
    const auto read = zm::readSweepCsv(text);
    const zm::SweepRecord* record = zm::fuzz::checkedRead(read, text, 1);
    if (!record) {
        return 0;
    }
    for (const zm::SweepPoint& point : record->points) {
        require(!point.reading || finiteReading(*point.reading), "readings are finite", text);
        require(!point.meterReading || finiteReading(*point.meterReading),
                "the meter's readings beyond the feedline's loss are finite", text);
    }
    checkReadsBack(*record, text);
    checkReadsBack(zm::fuzz::atTheOtherPlane(*record, size), text);
    return 0;
}
