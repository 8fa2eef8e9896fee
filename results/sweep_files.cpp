#include "results/sweep_files.h"

#include <algorithm>
#include <cctype>

#include "results/sweep_csv.h"
#include "results/touchstone.h"

namespace zm {

namespace {

bool isTouchstoneName(std::string_view fileName) {
    constexpr std::string_view kSuffix = ".s1p";
    return fileName.size() >= kSuffix.size() &&
           std::equal(
               kSuffix.begin(), kSuffix.end(), fileName.end() - kSuffix.size(),
               [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

}  // namespace

std::string sweepFileText(const SweepRecord& record, SweepFileKind kind) {
    return kind == SweepFileKind::Csv ? writeSweepCsv(record) : writeTouchstone(record);
}

std::variant<SweepRecord, FileError> readSweepFile(std::string_view fileName,
                                                   std::string_view text) {
    auto read = isTouchstoneName(fileName) ? readTouchstone(text) : readSweepCsv(text);
    if (const auto* record = std::get_if<SweepRecord>(&read); record && !record->hasReadings()) {
        return FileError{0, "the file holds no point with a reading"};
    }
    return read;
}

}  // namespace zm
