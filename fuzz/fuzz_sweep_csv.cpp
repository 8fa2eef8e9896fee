// Any bytes as a sweep CSV loaded as a reference. Beyond crashes it checks that a file read
// holds points with rising whole-Hz frequencies and finite readings, that writing it again
// and reading that gives the very same points, and that a refusal names a line of the file.

#include <algorithm>
#include <cmath>
#include <string>

#include "fuzz/fuzz_check.h"
#include "results/sweep_csv.h"

namespace {

using zm::fuzz::require;

std::size_t lineCount(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

bool finiteReading(const zm::PointReading& reading) {
    return std::isfinite(reading.zOhms) && std::isfinite(reading.phaseDegrees) &&
           std::isfinite(reading.swr) && (!reading.power || std::isfinite(*reading.power));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = zm::fuzz::asText(data, size);
    const auto read = zm::readSweepCsv(text);
    if (const auto* error = std::get_if<zm::FileError>(&read)) {
        require(error->line >= 0 && static_cast<std::size_t>(error->line) <= lineCount(text),
                "a refusal names a line of the file, or none", text, error->describe());
        require(!error->what.empty(), "a refusal says what is wrong", text);
        return 0;
    }
    const zm::SweepRecord& record = std::get<zm::SweepRecord>(read);
    require(!record.empty(), "a file read holds points", text);
    std::int64_t previousHz = 0;
    for (const zm::SweepPoint& point : record.points) {
        require(point.frequencyHz > previousHz, "frequencies are whole Hz above 0 and rise", text,
                std::to_string(point.frequencyHz));
        previousHz = point.frequencyHz;
        require(!point.reading || finiteReading(*point.reading), "readings are finite", text);
    }
    const std::string written = zm::writeSweepCsv(record);
    const auto again = zm::readSweepCsv(written);
    require(std::holds_alternative<zm::SweepRecord>(again) &&
                std::get<zm::SweepRecord>(again).points == record.points,
            "what is written reads back as the same points", text, written);
    return 0;
}
