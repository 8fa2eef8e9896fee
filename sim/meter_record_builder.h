// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace zm::sim {

// What the meter measures at one moment.
struct MeterValues {
    double power = 0.0;
    double zOhms = 0.0;
    double phaseDegrees = 0.0;
    double swr = 0.0;
};

// The meter's 43-character answer to ";P?", e.g. for 100 W into 50 ohm at -30 degrees:
//
//   ;  100.0, 50.0,-30.0, R 43.3 SW 1.50
//
// power %7.1f, Z %5.1f, phase %5.1f, then the meter's own R and X (positions 21-39,
// which the program does not read) and SWR %4.2f, or %4.1f from 10 on. A value too
// large for its field is shown as the field's largest, so the record keeps its length.
std::string buildMeterRecord(const MeterValues& values);

}  // namespace zm::sim
