// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter/meter_record.h"

#include <cmath>

#include "meter/number_reading.h"

namespace zm {
namespace {

// The meter's fields by their 1-based positions in the record.
struct FieldSpan {
    std::size_t firstPosition;
    std::size_t width;
};
constexpr FieldSpan kPowerField{2, 7};
constexpr FieldSpan kZField{10, 5};
constexpr FieldSpan kPhaseField{16, 5};
constexpr FieldSpan kSwrField{40, 4};

// The program converts degrees with 57.3 per radian, not 180/pi: a phase of 90 leaves
// R at about 0.000116 x Z, which the plots have always shown.
constexpr double kDegreesPerRadian = 57.3;

// Cut short rather than read past the end, so a record the caller forgot to check
// still parses without touching memory it does not own.
std::string_view field(std::string_view record, FieldSpan span) {
    const std::size_t offset = span.firstPosition - 1;
    if (offset >= record.size()) {
        return {};
    }
    return record.substr(offset, span.width);
}

}  // namespace

bool isAcceptedResponse(std::string_view raw) {
    return raw.size() == kMeterRecordLength && raw.front() == ';';
}

MeterReading parseMeterRecord(std::string_view record) {
    MeterReading reading;
    reading.Power = leadingNumber(field(record, kPowerField));
    reading.ZText = std::string(field(record, kZField));
    reading.Z = leadingNumber(reading.ZText);
    reading.PhaseText = std::string(field(record, kPhaseField));
    reading.Phase = leadingNumber(reading.PhaseText);
    reading.SWR = Fixed4::fromDouble(leadingNumber(field(record, kSwrField)));
    const double angleRadians = *reading.Phase / kDegreesPerRadian;
    reading.R = std::fabs(std::cos(angleRadians) * *reading.Z);
    reading.X = std::fabs(std::sin(angleRadians) * *reading.Z);
    return reading;
}

}  // namespace zm
