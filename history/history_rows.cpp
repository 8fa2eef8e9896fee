// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/history_rows.h"

#include <cstdio>
#include <map>

#include "history/history_points.h"

#include "feedline/reading_plane.h"
#include "numbers/number_text.h"
#include "results/memory_file.h"
#include "results/sweep_csv.h"
#include "results/text_file.h"
#include "station/station_file.h"

namespace zm {

namespace {

constexpr std::string_view kSweepColumns =
    "s.id, a.name, s.taken_utc, s.utc_offset_min, s.band, s.start_mhz, s.stop_mhz, s.step_mhz, "
    "s.plan_points, s.band_points, s.carrier_mode, s.band_plan, s.feedline_cable, s.feedline_m, "
    "s.feedline_ohm, s.feedline_vf, s.feedline_loss, s.feedline_source, s.readings_plane, "
    "s.shown_plane, s.ended, s.ended_why, s.read_points, s.keyed_points, s.keyed_s, "
    "s.reference, s.imported_from, s.lowest_swr, s.lowest_swr_hz, s.swr2_low_hz, s.swr2_high_hz, "
    "s.read_from_hz, s.read_to_hz";
enum Column {
    kId,
    kAntenna,
    kTakenUtc,
    kOffset,
    kBand,
    kStart,
    kStop,
    kStep,
    kPlanPoints,
    kBandPoints,
    kCarrier,
    kBandPlan,
    kCable,
    kLength,
    kOhm,
    kVf,
    kLoss,
    kSource,
    kReadingsPlane,
    kShownPlane,
    kEnded,
    kEndedWhy,
    kReadPoints,
    kKeyedPoints,
    kKeyedS,
    kReference,
    kImported,
    kLowestSwr,
    kLowestSwrHz,
    kSwr2Low,
    kSwr2High,
    kReadFrom,
    kReadTo
};

constexpr std::array<std::pair<SweepEnding::How, std::string_view>, 4> kEndings{{
    {SweepEnding::How::Completed, "completed"},
    {SweepEnding::How::Asked, "asked"},
    {SweepEnding::How::Stopped, "stopped"},
    {SweepEnding::How::Failed, "failed"},
}};

std::string_view endingWord(SweepEnding::How how) {
    for (const auto& [known, word] : kEndings) {
        if (known == how) {
            return word;
        }
    }
    return "failed";
}

SweepEnding::How endingOfWord(std::string_view word) {
    for (const auto& [how, known] : kEndings) {
        if (known == word) {
            return how;
        }
    }
    return SweepEnding::How::Failed;
}

std::string_view planeWord(Plane plane) {
    return plane == Plane::Antenna ? "antenna" : "meter";
}

// A cable's datasheet as "1:0.4 10:1.4": MHz and dB per 100 m, each exact.
std::string datasheetText(const std::vector<LossPoint>& datasheet) {
    std::string text;
    for (const LossPoint& point : datasheet) {
        text += (text.empty() ? "" : " ") + shortestNumber(point.frequencyMHz) + ":" +
                shortestNumber(point.dbPer100m);
    }
    return text;
}

std::vector<LossPoint> datasheetOf(std::string_view text) {
    std::vector<LossPoint> datasheet;
    for (const std::string_view pair : words(text)) {
        const std::size_t colon = pair.find(':');
        const auto mhz = readDecimal(pair.substr(0, colon));
        const auto db =
            colon == std::string_view::npos ? std::nullopt : readDecimal(pair.substr(colon + 1));
        if (mhz && db) {
            datasheet.push_back({*mhz, *db});
        }
    }
    return datasheet;
}

// The sweep as its CSV at the plane shown holds it, as 16 hex digits (FNV-1a): the same for
// the sweep, its CSV file and a memory kept of it.
std::string fingerprintOf(const SweepRecord& shown) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : writeSweepCsv(shown)) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// An antenna's name on one line, as the operator meant it; a sweep of a station that has
// named none is the first antenna's.
std::string antennaName(std::string_view typed) {
    const std::string name = cleanMemoryName(typed);
    return name.empty() ? std::string(AntennaSettings::kFirstAntenna) : name;
}

// A kept record's notes: its plan, and the local time it was taken.
SweepNotes notesOf(const SweepPlan& plan, const SweepTime& taken) {
    return {localTimeText(taken), plan.StartFreq, plan.StopFreq, plan.StepFreq, plan.CarrierMode};
}

std::optional<Feedline> feedlineOfRow(const SqliteStatement& row) {
    if (row.isNull(kCable)) {
        return std::nullopt;
    }
    Cable cable{row.text(kCable), row.real(kOhm), row.real(kVf), datasheetOf(row.text(kLoss)), {},
                row.text(kSource)};
    cable.loss = fitLossModel(cable.datasheet);
    return Feedline{std::move(cable), row.real(kLength)};
}

StoredSweep sweepOfRow(const SqliteStatement& row) {
    StoredSweep sweep;
    sweep.id = row.integer(kId);
    SweepEntry& entry = sweep.entry;
    entry.antenna = row.text(kAntenna);
    entry.taken = SweepTime{row.integer(kTakenUtc), static_cast<int>(row.integer(kOffset))};
    entry.band = row.text(kBand);
    entry.plan = {row.real(kStart), row.real(kStop), row.real(kStep),
                  static_cast<std::int16_t>(row.integer(kPlanPoints)),
                  static_cast<std::int16_t>(row.integer(kCarrier))};
    entry.bandPoints = row.integer(kBandPoints) != 0;
    entry.bandPlan = row.text(kBandPlan);
    entry.feedline = feedlineOfRow(row);
    entry.shownPlane = row.text(kShownPlane) == "antenna" ? Plane::Antenna : Plane::Meter;
    entry.ending = {endingOfWord(row.text(kEnded)), row.text(kEndedWhy)};
    entry.keyedPoints = static_cast<int>(row.integer(kKeyedPoints));
    entry.keyedSeconds = row.real(kKeyedS);
    entry.importedFrom = row.text(kImported);
    entry.record.notes = notesOf(entry.plan, *entry.taken);
    entry.record.notes.antenna = entry.antenna;
    readPlaneNote(row.text(kReadingsPlane), entry.record);
    sweep.marked = row.integer(kReference) != 0;
    SweepFeatures& features = sweep.markers.features;
    if (!row.isNull(kLowestSwr)) {
        features.swrMinimum = SwrMinimum{row.real(kLowestSwrHz), row.real(kLowestSwr)};
    }
    features.lowerEdgeHz = row.optionalReal(kSwr2Low);
    features.upperEdgeHz = row.optionalReal(kSwr2High);
    if (!row.isNull(kReadFrom)) {
        sweep.shownSpan = ReadSpan{row.real(kReadFrom), row.real(kReadTo)};
    }
    return sweep;
}

// The statement "SELECT <what> FROM sweeps s JOIN antennas a ... WHERE <where> <then>".
std::string selectFromSweeps(std::string_view what, std::string_view where, std::string_view then) {
    return "SELECT " + std::string(what) +
           " FROM sweeps s JOIN antennas a ON a.id = s.antenna_id WHERE " + std::string(where) +
           " " + std::string(then);
}

}  // namespace

std::vector<StoredSweep> readSweepHeads(SqliteConnection& db, std::string_view where,
                                        const std::function<void(SqliteStatement&)>& bind,
                                        std::vector<int>* readPoints) {
    std::vector<StoredSweep> sweeps;
    std::map<SweepId, std::size_t> index;
    SqliteStatement rows(db.handle(),
                         selectFromSweeps(kSweepColumns, where, "ORDER BY s.taken_utc, s.id"));
    bind(rows);
    while (rows.step()) {
        index[rows.integer(kId)] = sweeps.size();
        sweeps.push_back(sweepOfRow(rows));
        if (readPoints) {
            readPoints->push_back(static_cast<int>(rows.integer(kReadPoints)));
        }
    }
    SqliteStatement resonances(
        db.handle(),
        "SELECT r.sweep_id, r.frequency_hz, r.r_ohm, r.q FROM resonances r WHERE "
        "r.sweep_id IN (" +
            selectFromSweeps("s.id", where, "") + ") ORDER BY r.sweep_id, r.n");
    bind(resonances);
    while (resonances.step()) {
        SweepMarkers& markers = sweeps[index.at(resonances.integer(0))].markers;
        markers.features.resonances.push_back({resonances.real(1), resonances.real(2)});
        markers.resonanceQ.push_back(resonances.optionalReal(3));
    }
    return sweeps;
}

std::int64_t antennaIdFor(SqliteConnection& db, std::string_view name) {
    SqliteStatement add(db.handle(), "INSERT OR IGNORE INTO antennas (name) VALUES (?)");
    add.bindAll(name);
    add.run();
    SqliteStatement find(db.handle(), "SELECT id FROM antennas WHERE name = ?");
    return find.bindAll(name).firstInteger().value_or(0);
}

std::optional<SweepId> insertSweep(SqliteConnection& db, const SweepEntry& entry,
                                   std::optional<SweepId>& alreadyAs) {
    const SweepTime taken = entry.taken.value_or(
        sweepTimeOfLocalText(entry.record.notes.takenAt).value_or(sweepTimeNow()));
    const Feedline* line = entry.feedline ? &*entry.feedline : nullptr;
    SweepRecord kept = entry.record;
    kept.notes = notesOf(entry.plan, taken);
    const SweepRecord shown = recordAtPlane(kept, entry.shownPlane, line);
    const std::string fingerprint = fingerprintOf(shown);
    SqliteStatement same(db.handle(), "SELECT id FROM sweeps WHERE fingerprint = ?");
    alreadyAs = same.bindAll(fingerprint).firstInteger();
    if (alreadyAs) {
        return std::nullopt;
    }
    const SweepMarkers markers = markersOf(shown);
    const SweepFeatures& features = markers.features;
    const auto span = readSpanOf(shown);
    const auto readings = std::count_if(entry.record.points.begin(), entry.record.points.end(),
                                        [](const SweepPoint& p) { return p.reading.has_value(); });
    SqliteStatement insert(
        db.handle(),
        "INSERT INTO sweeps (antenna_id, taken_utc, utc_offset_min, band, start_mhz, stop_mhz, "
        "step_mhz, plan_points, band_points, carrier_mode, band_plan, feedline_cable, feedline_m, "
        "feedline_ohm, feedline_vf, feedline_loss, feedline_source, readings_plane, shown_plane, "
        "ended, ended_why, read_points, keyed_points, keyed_s, imported_from, fingerprint, "
        "lowest_swr, lowest_swr_hz, swr2_low_hz, swr2_high_hz, read_from_hz, read_to_hz) VALUES "
        "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?)");
    const auto cable = [line](auto field) {
        return line ? std::optional(field(*line)) : std::nullopt;
    };
    insert.bindAll(
        antennaIdFor(db, antennaName(entry.antenna)), taken.utcSeconds, taken.offsetMinutes,
        entry.band, entry.plan.StartFreq, entry.plan.StopFreq, entry.plan.StepFreq,
        static_cast<int>(entry.plan.PointCount), entry.bandPoints,
        static_cast<int>(entry.plan.CarrierMode), entry.bandPlan,
        cable([](const Feedline& f) { return f.cable.name; }),
        cable([](const Feedline& f) { return f.lengthM; }),
        cable([](const Feedline& f) { return f.cable.impedanceOhms; }),
        cable([](const Feedline& f) { return f.cable.velocityFactor; }),
        cable([](const Feedline& f) { return datasheetText(f.cable.datasheet); }),
        cable([](const Feedline& f) { return f.cable.source; }), planeNote(entry.record),
        planeWord(entry.shownPlane), endingWord(entry.ending.how), entry.ending.why,
        static_cast<int>(readings), entry.keyedPoints,
        entry.keyedSeconds.value_or(keyedSecondsOf(entry.record)), entry.importedFrom, fingerprint,
        features.swrMinimum ? std::optional(features.swrMinimum->swr) : std::nullopt,
        features.swrMinimum ? std::optional(features.swrMinimum->frequencyHz) : std::nullopt,
        features.lowerEdgeHz, features.upperEdgeHz,
        span ? std::optional(span->fromHz) : std::nullopt,
        span ? std::optional(span->toHz) : std::nullopt);
    insert.run();
    const SweepId id = db.lastInsertId();
    insertPoints(db, id, entry.record);
    insertResonances(db, id, markers);
    return id;
}

std::vector<StoredSweep> readSweeps(SqliteConnection& db, std::string_view where,
                                    const std::function<void(SqliteStatement&)>& bind) {
    std::vector<StoredSweep> sweeps = readSweepHeads(db, where, bind, nullptr);
    attachPoints(db, selectFromSweeps("s.id", where, ""), bind, sweeps);
    return sweeps;
}

std::optional<StoredSweep> readSweep(SqliteConnection& db, SweepId id) {
    auto sweeps = readSweeps(db, "s.id = ?", [id](SqliteStatement& s) { s.bindAll(id); });
    return sweeps.empty() ? std::nullopt : std::optional(std::move(sweeps.front()));
}

std::vector<SweepSummary> readSummaries(SqliteConnection& db, std::string_view where,
                                        const std::function<void(SqliteStatement&)>& bind) {
    std::vector<int> readPoints;
    std::vector<StoredSweep> sweeps = readSweepHeads(db, where, bind, &readPoints);
    std::vector<SweepSummary> summaries;
    summaries.reserve(sweeps.size());
    for (std::size_t i = 0; i < sweeps.size(); ++i) {
        summaries.push_back(summaryOf(sweeps[i], readPoints[i]));
    }
    return summaries;
}

SweepSummary summaryOf(const StoredSweep& sweep, int readPoints) {
    const SweepEntry& entry = sweep.entry;
    return {sweep.id,          *entry.taken,     entry.antenna, entry.band,
            entry.plan,        entry.shownPlane, entry.ending,  readPoints,
            entry.keyedPoints, sweep.marked,     sweep.markers};
}

std::optional<SweepId> referenceOf(SqliteConnection& db, std::string_view antenna,
                                   std::string_view band) {
    SqliteStatement find(db.handle(),
                         selectFromSweeps("s.id", "a.name = ? AND s.band = ? COLLATE NOCASE",
                                          "ORDER BY s.reference DESC, s.ended = "
                                          "'completed' DESC, s.taken_utc, s.id "
                                          "LIMIT 1"));
    return find.bindAll(antenna, band).firstInteger();
}

std::optional<SweepId> previousOfSweep(SqliteConnection& db, SweepId id) {
    SqliteStatement find(db.handle(),
                         "SELECT p.id FROM sweeps p JOIN sweeps s ON p.antenna_id = s.antenna_id "
                         "AND p.band = s.band WHERE s.id = ? AND (p.taken_utc < s.taken_utc OR "
                         "(p.taken_utc = s.taken_utc AND p.id < s.id)) "
                         "ORDER BY p.taken_utc DESC, p.id DESC LIMIT 1");
    return find.bindAll(id).firstInteger();
}

}  // namespace zm
