// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the sweep file targets share: a refusal names a line of the file, or none, and says
// what is wrong; a file read holds points whose whole-Hz frequencies rise from the lowest
// the format allows; and the record read, moved to the other plane, is one the program may
// write too.

#include <algorithm>
#include <string>
#include <variant>

#include "feedline/reading_plane.h"
#include "fuzz/fuzz_check.h"
#include "results/sweep_record.h"
#include "results/text_file.h"

namespace zm::fuzz {

// The record read, once checked; nullptr after a refusal, checked too.
inline const SweepRecord* checkedRead(const std::variant<SweepRecord, FileError>& read,
                                      std::string_view text, std::int64_t lowestHz) {
    if (const auto* error = std::get_if<FileError>(&read)) {
        const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
        require(error->line >= 0 && error->line <= lines,
                "a refusal names a line of the file, or none", text, error->describe());
        require(!error->what.empty(), "a refusal says what is wrong", text);
        return nullptr;
    }
    const SweepRecord& record = std::get<SweepRecord>(read);
    require(!record.empty(), "a file read holds points", text);
    std::int64_t lowestNext = lowestHz;
    for (const SweepPoint& point : record.points) {
        require(point.frequencyHz >= lowestNext, "frequencies are whole Hz and rise", text,
                std::to_string(point.frequencyHz));
        lowestNext = point.frequencyHz + 1;
    }
    return &record;
}

// The record at the other plane through a feedline of RG-58 as long as the input has bytes,
// up to 64 m: a record at the meter turned to the antenna, with the points beyond the
// line's loss marked, or one at the antenna turned to the meter.
inline SweepRecord atTheOtherPlane(const SweepRecord& record, std::size_t inputSize) {
    static const Cable rg58{
        "RG-58", 50.0, 0.66, {}, fitLossModel({{1, 1.13}, {10, 3.67}, {100, 12.5}}), ""};
    const Feedline line{rg58, 1.0 + static_cast<double>(inputSize % 64)};
    return recordAtPlane(record, record.plane == Plane::Antenna ? Plane::Meter : Plane::Antenna,
                         &line);
}

}  // namespace zm::fuzz
