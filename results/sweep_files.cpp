// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/sweep_files.h"

#include "numbers/number_text.h"
#include "results/sweep_csv.h"
#include "results/touchstone.h"

namespace zm {

SweepFileKind sweepFileKindOf(std::string_view fileName) {
    constexpr std::string_view kSuffix = ".s1p";
    const bool touchstone =
        fileName.size() >= kSuffix.size() &&
        equalsIgnoringCase(fileName.substr(fileName.size() - kSuffix.size()), kSuffix);
    return touchstone ? SweepFileKind::Touchstone : SweepFileKind::Csv;
}

std::string sweepFileText(const SweepRecord& record, SweepFileKind kind) {
    return kind == SweepFileKind::Csv ? writeSweepCsv(record) : writeTouchstone(record);
}

std::variant<SweepRecord, FileError> readSweepFile(std::string_view fileName,
                                                   std::string_view text) {
    const bool touchstone = sweepFileKindOf(fileName) == SweepFileKind::Touchstone;
    auto read = touchstone ? readTouchstone(text) : readSweepCsv(text);
    if (const auto* record = std::get_if<SweepRecord>(&read);
        record && !record->hasMeasurements()) {
        return FileError{0, "the file holds no point with a reading"};
    }
    return read;
}

}  // namespace zm
