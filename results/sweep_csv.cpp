// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/sweep_csv.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "numbers/number_text.h"
#include "results/impedance.h"
#include "results/memory_file.h"
#include "sweep/carrier_mode.h"

namespace zm {

namespace {

constexpr std::string_view kHeader =
    "frequency_hz,power,z_ohm,phase_deg,r_ohm,x_ohm,swr,rho,return_loss_db,taken";
// An optional column: files of earlier versions, and other programs', do not have it.
constexpr std::string_view kTakenColumn = "taken";

// The comment lines of the sweep's numbers, "# step_khz: 50", in the order written.
struct NumberNote {
    std::string_view key;
    double SweepNotes::*field;
    double unitsPerMHz;
};
constexpr std::array<NumberNote, 3> kNumberNotes{{{"start_mhz", &SweepNotes::startMHz, 1.0},
                                                  {"stop_mhz", &SweepNotes::stopMHz, 1.0},
                                                  {"step_khz", &SweepNotes::stepMHz, 1000.0}}};
constexpr std::string_view kTakenNote = "taken";
constexpr std::string_view kCarrierModeNote = "carrier_mode";
constexpr std::string_view kPlaneNote = "plane";
constexpr std::string_view kAntennaNote = "antenna";

std::string noteLine(std::string_view key, const std::string& value) {
    return "# " + std::string(key) + ": " + value + "\n";
}

// A name in a comment line: on one line, and without a comma, where a spreadsheet would
// split it.
std::string commentSafe(std::string_view name) {
    std::string safe = cleanMemoryName(name);
    std::replace(safe.begin(), safe.end(), ',', ';');
    return safe;
}

// A comment line before the header row, "# start_mhz: 14", into the notes; a spreadsheet
// may have added empty cells after it. A note that does not read is passed over: the
// points are what the file is for.
void readNote(std::string_view line, SweepRecord& record) {
    SweepNotes& notes = record.notes;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        return;
    }
    const std::string_view key = trimmed(line.substr(1, colon - 1));
    const std::string_view rest = line.substr(colon + 1);
    const std::string_view value = trimmed(rest.substr(0, rest.find(',')));
    if (key == kTakenNote) {
        notes.takenAt = std::string(value);
    } else if (key == kCarrierModeNote) {
        notes.carrierMode = carrierModeCode(value);
    } else if (key == kPlaneNote) {
        readPlaneNote(value, record);
    } else if (key == kAntennaNote) {
        notes.antenna = std::string(value);
    }
    for (const NumberNote& note : kNumberNotes) {
        if (key != note.key) {
            continue;
        }
        if (const auto number = readDecimal(value); number && std::isfinite(*number)) {
            notes.*note.field = *number / note.unitsPerMHz;
        }
    }
}

// The columns the reader needs, by their header names.
enum Column { kFrequency, kPower, kZ, kPhase, kSwr, kColumnCount };
constexpr std::array<std::string_view, kColumnCount> kNeededColumns{"frequency_hz", "power",
                                                                    "z_ohm", "phase_deg", "swr"};

void appendReading(std::string& row, const PointReading& reading) {
    const std::complex<double> z = reading.impedance();
    const double rho = reading.rho();
    row += reading.power ? shortestNumber(*reading.power) : std::string();
    row += "," + shortestNumber(reading.zOhms) + "," + shortestNumber(reading.phaseDegrees);
    row += "," + fixedNumber(z.real(), 3) + "," + fixedNumber(z.imag(), 3);
    row += "," + shortestNumber(reading.swr) + "," + fixedNumber(rho, 5);
    row += "," + fixedNumber(returnLossDb(rho), 2);
}

// A field as a spreadsheet may save it: blanks around it, double quotes around that.
std::string_view fieldText(std::string_view field) {
    field = trimmed(field);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        field = trimmed(field.substr(1, field.size() - 2));
    }
    return field;
}

struct RowReader {
    int line;
    std::optional<FileError> error;

    // A finite number; for the SWR also "inf", a total reflection's (a pure reactance at
    // the antenna, an analyser's S11 of 1 or more).
    double number(std::string_view field, std::string_view column, bool infinityToo = false) {
        const auto value = readDecimal(field);
        const bool taken =
            value && (std::isfinite(*value) ||
                      (infinityToo && *value == std::numeric_limits<double>::infinity()));
        if (!error && !taken) {
            error = FileError{
                line, std::string(column) + " \"" + std::string(field) + "\" is not a number"};
        }
        return taken ? *value : 0.0;
    }
};

// Where the file has each needed column, and the taken column if it has one.
struct ColumnPlaces {
    std::array<std::size_t, kColumnCount> needed{};
    std::optional<std::size_t> taken;
};

std::optional<FileError> readTaken(std::string_view field, int line, SweepPoint& point) {
    if (field.empty()) {
        return std::nullopt;
    }
    point.skipped = readSkipReasonField(field);
    point.taken = point.skipped ? std::nullopt : readTakingField(field);
    if (!point.skipped && !point.taken) {
        std::string reasons;
        for (const SkipReason reason :
             {SkipReason::OutsideBandPlan, SkipReason::NotNeeded, SkipReason::BeyondFeedlineLoss}) {
            reasons += (reasons.empty() ? "" : ", ") + std::string(skipReasonField(reason));
        }
        return FileError{line, std::string(kTakenColumn) + " \"" + std::string(field) +
                                   "\" is not fixed, settled or unsettled with a count, nor " +
                                   reasons};
    }
    return std::nullopt;
}

std::optional<FileError> readRow(const std::vector<std::string_view>& fields,
                                 const ColumnPlaces& places, int line, std::int64_t previousHz,
                                 SweepPoint& point) {
    const std::array<std::size_t, kColumnCount>& at = places.needed;
    std::array<std::string_view, kColumnCount> text;
    for (std::size_t column = 0; column < text.size(); ++column) {
        text[column] = fieldText(fields[at[column]]);
    }
    const auto hz = readWhole(text[kFrequency]);
    if (!hz || *hz <= 0) {
        return FileError{line, "the frequency \"" + std::string(text[kFrequency]) +
                                   "\" is not a whole number of Hz above 0"};
    }
    if (*hz <= previousHz) {
        return FileError{line, "the frequency " + std::to_string(*hz) +
                                   " Hz does not rise above the row before"};
    }
    point.frequencyHz = *hz;
    if (places.taken) {
        if (auto error = readTaken(fieldText(fields[*places.taken]), line, point)) {
            return error;
        }
    }
    if (text[kZ].empty()) {
        if (!text[kPower].empty() || !text[kPhase].empty() || !text[kSwr].empty()) {
            return FileError{line, "a row without z_ohm holds other values"};
        }
        return std::nullopt;
    }
    // Beyond the feedline's loss a row holds the meter's values; a point not keyed has none.
    const bool meterValues = point.skipped == SkipReason::BeyondFeedlineLoss;
    if (point.skipped && !meterValues) {
        return FileError{
            line, "a row marked " + std::string(skipReasonField(*point.skipped)) + " holds values"};
    }
    RowReader row{line, std::nullopt};
    PointReading reading;
    if (!text[kPower].empty()) {
        reading.power = row.number(text[kPower], kNeededColumns[kPower]);
    }
    reading.zOhms = row.number(text[kZ], kNeededColumns[kZ]);
    reading.phaseDegrees = row.number(text[kPhase], kNeededColumns[kPhase]);
    reading.swr = row.number(text[kSwr], kNeededColumns[kSwr], true);
    (meterValues ? point.meterReading : point.reading) = reading;
    return row.error;
}

std::optional<std::size_t> columnNamed(const std::vector<std::string_view>& names,
                                       std::string_view name) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (fieldText(names[i]) == name) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<FileError> readHeader(std::string_view line, int lineNumber, ColumnPlaces& places,
                                    std::size_t& fieldCount) {
    const std::vector<std::string_view> names = splitAt(line, ',');
    fieldCount = names.size();
    places.taken = columnNamed(names, kTakenColumn);
    for (std::size_t column = 0; column < kNeededColumns.size(); ++column) {
        const std::optional<std::size_t> found = columnNamed(names, kNeededColumns[column]);
        if (!found) {
            return FileError{lineNumber, "the header row names no " +
                                             std::string(kNeededColumns[column]) +
                                             " column: is this a sweep saved by ZM-480 Plot?"};
        }
        places.needed[column] = *found;
    }
    return std::nullopt;
}

}  // namespace

std::string sweepCsvHead(const SweepRecord& record) {
    const SweepNotes& notes = record.notes;
    std::string text = "# program: ZM-480 Plot\n" + noteLine(kTakenNote, notes.takenAt);
    for (const NumberNote& note : kNumberNotes) {
        text += noteLine(note.key, generalNumber(notes.*note.field * note.unitsPerMHz));
    }
    text += noteLine(kCarrierModeNote, carrierModeName(notes.carrierMode));
    text += noteLine(kPlaneNote, planeNote(record));
    if (!notes.antenna.empty()) {
        text += noteLine(kAntennaNote, commentSafe(notes.antenna));
    }
    return text + std::string(kHeader) + "\n";
}

std::string sweepCsvRow(const SweepPoint& point) {
    if (point.frequencyHz <= 0) {
        return {};  // a point of a plan from 0 MHz or below, where no radio is tuned
    }
    std::string row = std::to_string(point.frequencyHz) + ",";
    if (const auto& values = point.reading ? point.reading : point.meterReading) {
        appendReading(row, *values);
    } else {
        row += ",,,,,,,";
    }
    row += "," + (point.skipped ? std::string(skipReasonField(*point.skipped))
                  : point.taken ? takingField(*point.taken)
                                : std::string());
    return row + "\n";
}

std::string writeSweepCsv(const SweepRecord& record) {
    std::string text = sweepCsvHead(record);
    for (const SweepPoint& point : record.points) {
        text += sweepCsvRow(point);
    }
    return text;
}

std::variant<SweepRecord, FileError> readSweepCsv(std::string_view text) {
    SweepRecord record;
    ColumnPlaces places;
    std::size_t fieldCount = 0;
    bool headerRead = false;
    int lineNumber = 0;
    for (const std::string_view line : textLines(text)) {
        ++lineNumber;
        if (line.starts_with('#') && !headerRead) {
            readNote(line, record);
        }
        if (trimmed(line).empty() || line.starts_with('#')) {
            continue;
        }
        if (!headerRead) {
            if (auto error = readHeader(line, lineNumber, places, fieldCount)) {
                return *error;
            }
            headerRead = true;
            continue;
        }
        const std::vector<std::string_view> fields = splitAt(line, ',');
        if (fields.size() != fieldCount) {
            return FileError{lineNumber, std::to_string(fields.size()) +
                                             " fields where the header row has " +
                                             std::to_string(fieldCount)};
        }
        SweepPoint point;
        const std::int64_t previousHz = record.empty() ? 0 : record.points.back().frequencyHz;
        if (auto error = readRow(fields, places, lineNumber, previousHz, point)) {
            return *error;
        }
        record.points.push_back(point);
    }
    if (record.empty()) {
        return FileError{0, headerRead ? "the file holds no sweep points"
                                       : "the file holds no header row and no sweep points"};
    }
    return record;
}

}  // namespace zm
