// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/meter_record_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace zm::sim {
namespace {

// printf("%*.*f") of a value clamped to what fits the width: 1234.5 in five places with
// one decimal is "999.9". NaN shows as 0.
std::string fixedField(double value, int width, int decimals, double lowest, double highest) {
    if (std::isnan(value)) {
        value = 0.0;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%*.*f", width, decimals, std::clamp(value, lowest, highest));
    return text;
}

}  // namespace

std::string buildMeterRecord(const MeterValues& values) {
    const double radians = values.phaseDegrees * std::numbers::pi / 180.0;
    const double resistance = values.zOhms * std::cos(radians);
    const double reactance = values.zOhms * std::sin(radians);
    // %4.2f would print 9.996 as "10.00", so the switch to one decimal goes by the
    // rounded value.
    const bool swrAboveTen = values.swr >= 9.995;

    std::string record = ";";
    record += fixedField(values.power, 7, 1, 0.0, 99999.9);
    record += ',';
    record += fixedField(values.zOhms, 5, 1, 0.0, 999.9);
    record += ',';
    record += fixedField(values.phaseDegrees, 5, 1, -99.9, 999.9);
    record += ", R";
    record += fixedField(resistance, 5, 1, -99.9, 999.9);
    record += " X";
    record += fixedField(reactance, 5, 1, -99.9, 999.9);
    record += " SW ";
    record += swrAboveTen ? fixedField(values.swr, 4, 1, 0.0, 99.9)
                          : fixedField(values.swr, 4, 2, 0.0, 9.99);
    return record;
}

}  // namespace zm::sim
