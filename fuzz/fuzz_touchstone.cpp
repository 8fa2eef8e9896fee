// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a Touchstone file loaded as a memory. Beyond crashes it checks that a file
// read holds rising frequencies and readings a meter could show (|Z| and SWR not below their
// floors, the phase within +-180 degrees, no power), that writing it as Touchstone and
// reading that gives the same frequencies and S11 to the nine decimals written, at its own
// plane and moved to the other one through a feedline, and that a refusal names a line of
// the file.

#include <algorithm>
#include <cmath>
#include <complex>
#include <string>

#include "fuzz/fuzz_sweep_file.h"
#include "results/impedance.h"
#include "results/touchstone.h"

namespace {

using zm::fuzz::require;

std::complex<double> s11(const zm::PointReading& reading) {
    return zm::reflectionCoefficient(reading.impedance());
}

bool finite(std::complex<double> value) {
    return std::isfinite(value.real()) && std::isfinite(value.imag());
}

void checkReading(const zm::PointReading& reading, std::string_view text) {
    require(std::isfinite(reading.zOhms) && reading.zOhms >= 0.0, "|Z| is finite and not below 0",
            text);
    require(std::fabs(reading.phaseDegrees) <= 180.0, "the phase lies within +-180 degrees", text);
    require(!(reading.swr < 1.0), "the SWR is 1 or more", text);
    require(!reading.power, "a Touchstone file carries no power", text);
}

// Points whose S11 the written file could not hold are comments there, and so are points
// that read as an exact open once S11 is rounded to nine decimals.
void checkRoundTrip(const zm::SweepRecord& record, std::string_view text) {
    const std::string written = zm::writeTouchstone(record);
    const auto again = zm::readTouchstone(written);
    if (!std::holds_alternative<zm::SweepRecord>(again)) {
        for (const zm::SweepPoint& point : record.points) {
            require(!point.reading || !finite(s11(*point.reading)) ||
                        std::abs(s11(*point.reading) - 1.0) < 1e-9,
                    "a file with a point to write reads back", text, written);
        }
        return;
    }
    const std::vector<zm::SweepPoint>& back = std::get<zm::SweepRecord>(again).points;
    std::size_t next = 0;
    for (const zm::SweepPoint& point : record.points) {
        if (!point.reading || !finite(s11(*point.reading))) {
            continue;
        }
        require(next < back.size() && back[next].frequencyHz == point.frequencyHz,
                "every point with an S11 is written at its frequency", text, written);
        const zm::SweepPoint& read = back[next++];
        const std::complex<double> gamma = s11(*point.reading);
        if (!read.reading) {
            require(std::abs(gamma - 1.0) < 1e-9, "only a near open loses its reading", text,
                    written);
            continue;
        }
        // Nine decimals, and beyond |S11| 1 the rounding of |Z| and the phase near -50 ohm.
        const double size = std::abs(gamma);
        const double tolerance = 2e-9 * std::max(1.0, size) + 1e-14 * size * size;
        require(std::abs(s11(*read.reading) - gamma) <= tolerance,
                "S11 reads back to the nine decimals written", text, written);
    }
    require(next == back.size(), "nothing but the points is written", text, written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = zm::fuzz::asText(data, size);
    const auto read = zm::readTouchstone(text);
    const zm::SweepRecord* record = zm::fuzz::checkedRead(read, text, 0);
    if (!record) {
        return 0;
    }
    for (const zm::SweepPoint& point : record->points) {
        if (point.reading) {
            checkReading(*point.reading, text);
        }
    }
    checkRoundTrip(*record, text);
    checkRoundTrip(zm::fuzz::atTheOtherPlane(*record, size), text);
    return 0;
}
