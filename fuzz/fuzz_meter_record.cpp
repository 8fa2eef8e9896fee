// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the meter's answer to ";P?". A real one:
//
//   ;  100.0, 50.0,-30.0, R 43.3 SW 1.50
//
// Beyond crashes it checks that only 43-character records starting with ";" are accepted,
// that each field comes from its own positions and no other byte changes the reading, that
// R and X are magnitudes no larger than Z, and what the readout shows of each field.

#include <cmath>
#include <string>

#include "fuzz/fuzz_check.h"
#include "meter/display_pattern.h"
#include "meter/meter_record.h"
#include "meter/number_reading.h"

namespace {

using zm::fuzz::require;

// 0-based offsets of the bytes the reading must not depend on: positions 9, 15 and 21-39.
bool isUnreadOffset(std::size_t offset) {
    return offset == 8 || offset == 14 || (offset >= 20 && offset <= 38);
}

bool sameValue(std::optional<double> a, std::optional<double> b) {
    if (!a || !b) {
        return a.has_value() == b.has_value();
    }
    return *a == *b || (std::isnan(*a) && std::isnan(*b));
}

bool sameReading(const zm::MeterReading& a, const zm::MeterReading& b) {
    return sameValue(a.Power, b.Power) && a.ZText == b.ZText && sameValue(a.Z, b.Z) &&
           a.PhaseText == b.PhaseText && sameValue(a.Phase, b.Phase) && a.SWR == b.SWR &&
           sameValue(a.R, b.R) && sameValue(a.X, b.X);
}

// A finite value through a pattern: a sign only before a non-zero, digits, one point and
// the pattern's decimals.
void checkShown(double value, std::string_view pattern, std::string_view record) {
    if (!std::isfinite(value)) {
        return;
    }
    const std::string shown = zm::formatPattern(value, pattern);
    const std::size_t decimals = pattern.size() - pattern.find('.') - 1;
    require(!shown.empty() && shown.find_first_not_of("-0123456789.") == std::string::npos,
            "a shown number holds only a sign, digits and a point", record, shown);
    require(shown.find('.') == shown.size() - decimals - 1 && shown.find('.') == shown.rfind('.'),
            "a shown number has the pattern's decimals", record, shown);
    require(shown.rfind('-') == std::string::npos || shown.rfind('-') == 0, "a minus only leads",
            record, shown);
}

// Z and phase show the received text: a number through "###.0", anything else unchanged.
void checkFieldText(std::string_view field, std::string_view record) {
    const std::string shown = zm::formatFieldText(field, "###.0");
    const double value = zm::leadingNumber(field);
    if (!zm::isWholeNumber(field) || !std::isfinite(value)) {
        require(shown == field, "a field that is no number is shown unchanged", record, shown);
        return;
    }
    checkShown(value, "###.0", record);
    const double shownValue = zm::leadingNumber(shown);
    require(std::fabs(shownValue - value) <= 0.05 + 1e-12 * std::fabs(value),
            "a number field is shown to the nearest tenth", record, shown);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view raw = zm::fuzz::asText(data, size);
    const bool accepted = zm::isAcceptedResponse(raw);
    require(accepted == (size == zm::kMeterRecordLength && raw.front() == ';'),
            "accepted exactly when 43 characters beginning with ';'", raw);
    if (!accepted) {
        return 0;
    }

    // libFuzzer hands over exactly `size` bytes on the heap: a read past the 43rd is an ASan
    // report.
    const zm::MeterReading reading = zm::parseMeterRecord(raw);
    require(reading.Power && reading.Z && reading.Phase && reading.R && reading.X,
            "an accepted record gives every value", raw);
    require(*reading.Power == zm::leadingNumber(raw.substr(1, 7)), "power is positions 2-8", raw);
    require(reading.ZText == raw.substr(9, 5), "Z text is positions 10-14", raw, reading.ZText);
    require(reading.PhaseText == raw.substr(15, 5), "phase text is positions 16-20", raw,
            reading.PhaseText);
    require(*reading.Z == zm::leadingNumber(reading.ZText), "Z is the number of its text", raw);
    require(*reading.Phase == zm::leadingNumber(reading.PhaseText),
            "phase is the number of its text", raw);
    require(reading.SWR == zm::Fixed4::fromDouble(zm::leadingNumber(raw.substr(39, 4))),
            "SWR is positions 40-43", raw);

    const double z = *reading.Z;
    const double r = *reading.R;
    const double x = *reading.X;
    require(!(r < 0) && !(x < 0), "R and X are magnitudes", raw);
    if (std::isfinite(z) && std::isfinite(*reading.Phase)) {
        const double limit = std::fabs(z) * (1 + 1e-12);
        require(std::isfinite(r) && std::isfinite(x) && r <= limit && x <= limit,
                "R and X of a finite Z are finite and no larger than Z", raw);
        require(std::fabs(std::hypot(r, x) - std::fabs(z)) <= 1e-9 * std::fabs(z) + 1e-300,
                "R and X make up Z", raw);
    }

    std::string changed(raw);
    for (std::size_t offset = 0; offset < changed.size(); ++offset) {
        if (isUnreadOffset(offset)) {
            changed[offset] = static_cast<char>(changed[offset] ^ 0x5a);
        }
    }
    require(sameReading(zm::parseMeterRecord(changed), reading),
            "positions 9, 15 and 21-39 do not change the reading", raw, changed);

    checkShown(*reading.Power, "####.0", raw);
    checkShown(r, "###.0", raw);
    checkShown(x, "###.0", raw);
    checkShown(reading.SWR.toDouble(), "#.00", raw);
    checkFieldText(reading.ZText, raw);
    checkFieldText(reading.PhaseText, raw);
    return 0;
}
