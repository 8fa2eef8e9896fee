// SPDX-License-Identifier: GPL-3.0-or-later
// history.sqlite: a sweep comes back as it was written, a file that is not ours is set aside
// and never written over, a newer one is left alone, and the reference is the one the
// operator marked, else the first that completed.

#include "history/history_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <functional>

#include "feedline/reading_plane.h"
#include "tests/history/history_sweeps.h"
#include "tests/history/temp_folder.h"

namespace zm {
namespace {

using test::dipoleEntry;
using test::DipoleSweep;
using test::TempFolder;

// Everything a feedline holds that the readings at the antenna depend on.
void expectSameFeedline(const std::optional<Feedline>& read, const std::optional<Feedline>& wrote) {
    ASSERT_EQ(read.has_value(), wrote.has_value());
    if (!read) {
        return;
    }
    EXPECT_EQ(read->description(), wrote->description());
    EXPECT_EQ(read->cable.impedanceOhms, wrote->cable.impedanceOhms);
    EXPECT_EQ(read->cable.velocityFactor, wrote->cable.velocityFactor);
    EXPECT_EQ(read->cable.source, wrote->cable.source);
    EXPECT_EQ(read->cable.loss.dbPer100m(14.2), wrote->cable.loss.dbPer100m(14.2));
}

struct RoundTripCase {
    const char* name;
    std::function<SweepEntry()> entry;
};

void PrintTo(const RoundTripCase& row, std::ostream* out) {
    *out << row.name;
}

class HistoryRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(HistoryRoundTrip, ReadsBackAsWritten) {
    TempFolder folder;
    const SweepEntry wrote = GetParam().entry();
    HistoryStore history(folder.path());
    const HistoryStore::Recorded kept = history.record(wrote);
    ASSERT_TRUE(kept.id) << kept.said;
    EXPECT_EQ(kept.said, "");

    std::string problem;
    const auto read = HistoryStore(folder.path()).sweep(*kept.id, problem);
    ASSERT_TRUE(read) << problem;
    const SweepEntry& entry = read->entry;
    EXPECT_EQ(entry.antenna, wrote.antenna);
    EXPECT_EQ(entry.band, wrote.band);
    EXPECT_EQ(entry.bandPlan, wrote.bandPlan);
    EXPECT_EQ(entry.plan.StartFreq, wrote.plan.StartFreq);
    EXPECT_EQ(entry.plan.StepFreq, wrote.plan.StepFreq);
    EXPECT_EQ(entry.plan.PointCount, wrote.plan.PointCount);
    EXPECT_EQ(entry.plan.CarrierMode, wrote.plan.CarrierMode);
    EXPECT_EQ(entry.bandPoints, wrote.bandPoints);
    expectSameFeedline(entry.feedline, wrote.feedline);
    EXPECT_EQ(entry.shownPlane, wrote.shownPlane);
    EXPECT_EQ(entry.ending, wrote.ending);
    EXPECT_EQ(entry.keyedPoints, wrote.keyedPoints);
    EXPECT_EQ(entry.keyedSeconds, wrote.keyedSeconds.value_or(keyedSecondsOf(wrote.record)));
    EXPECT_EQ(entry.taken,
              wrote.taken ? wrote.taken : sweepTimeOfLocalText(wrote.record.notes.takenAt));
    EXPECT_EQ(entry.record.notes.takenAt, localTimeText(*entry.taken));
    EXPECT_EQ(entry.importedFrom, wrote.importedFrom);
    EXPECT_EQ(entry.record.plane, wrote.record.plane);
    EXPECT_EQ(entry.record.feedline, wrote.record.feedline);
    EXPECT_EQ(entry.record.points, wrote.record.points);

    // The markers are the plane shown's, as the window drew them.
    const Feedline* line = wrote.feedline ? &*wrote.feedline : nullptr;
    const SweepMarkers shown = markersOf(recordAtPlane(wrote.record, wrote.shownPlane, line));
    const SweepFeatures& features = read->markers.features;
    ASSERT_EQ(features.swrMinimum.has_value(), shown.features.swrMinimum.has_value());
    if (features.swrMinimum) {
        EXPECT_EQ(features.swrMinimum->swr, shown.features.swrMinimum->swr);
        EXPECT_EQ(features.swrMinimum->frequencyHz, shown.features.swrMinimum->frequencyHz);
    }
    EXPECT_EQ(features.lowerEdgeHz, shown.features.lowerEdgeHz);
    EXPECT_EQ(features.upperEdgeHz, shown.features.upperEdgeHz);
    ASSERT_EQ(features.resonances.size(), shown.features.resonances.size());
    for (std::size_t i = 0; i < features.resonances.size(); ++i) {
        EXPECT_EQ(features.resonances[i].frequencyHz, shown.features.resonances[i].frequencyHz);
        EXPECT_EQ(features.resonances[i].resistanceOhms,
                  shown.features.resonances[i].resistanceOhms);
    }
    EXPECT_EQ(read->markers.resonanceQ, shown.resonanceQ);
}

SweepEntry behindFeedlineShownAtAntenna() {
    SweepEntry entry = dipoleEntry({.feedline = test::rg58(), .shownPlane = Plane::Antenna});
    entry.keyedSeconds = 47.25;
    return entry;
}

// A network analyser's file saved at the antenna: no power, no taking, the feedline known by
// its name alone, the line's loss at each point.
SweepEntry importedAtTheAntenna() {
    SweepEntry entry = dipoleEntry({.shownPlane = Plane::Antenna});
    entry.record.plane = Plane::Antenna;
    entry.record.feedline = "20 m of RG-58";
    entry.importedFrom = "/home/op/analyser/dipole.s1p";
    entry.taken.reset();
    entry.record.notes.takenAt = "2024-05-01 14:03:22";
    for (SweepPoint& point : entry.record.points) {
        point.reading->power.reset();
        point.taken.reset();
        point.lineLoss = LineLoss{0.88, 1.04};
    }
    return entry;
}

// Stopped by the meter mid-sweep: points the band plan left out, one refine did not need,
// one keyed whose answer was rejected, and the ones never reached.
SweepEntry stoppedWithSkippedPoints() {
    SweepEntry entry = dipoleEntry({});
    entry.ending = {SweepEnding::How::Stopped, "The meter stopped answering: check its cable"};
    auto& points = entry.record.points;
    points[0] = {points[0].frequencyHz, std::nullopt, std::nullopt, std::nullopt,
                 SkipReason::OutsideBandPlan};
    points[1] = {points[1].frequencyHz, std::nullopt, std::nullopt, std::nullopt,
                 SkipReason::NotNeeded};
    points[2].reading.reset();  // keyed, its answer rejected
    for (std::size_t i = 20; i < points.size(); ++i) {
        points[i] = {points[i].frequencyHz, std::nullopt};
    }
    entry.keyedPoints = 19;
    return entry;
}

// An antenna swept outside its band: the meter's ceiling everywhere, a total reflection once.
SweepEntry ceilingSwr() {
    SweepEntry entry = dipoleEntry({.band = ""});
    for (SweepPoint& point : entry.record.points) {
        point.reading->swr = 99.9;
        point.taken = PointTaking{PointTaking::How::Unsettled, 6};
    }
    entry.record.points[5].reading->swr = HUGE_VAL;
    entry.ending = {SweepEnding::How::Asked, ""};
    entry.bandPoints = true;
    return entry;
}

INSTANTIATE_TEST_SUITE_P(
    Sweeps, HistoryRoundTrip,
    ::testing::Values(RoundTripCase{"AtTheMeterBehindAFeedlineShownAtTheAntenna",
                                    behindFeedlineShownAtAntenna},
                      RoundTripCase{"ImportedAtTheAntenna", importedAtTheAntenna},
                      RoundTripCase{"StoppedWithSkippedPoints", stoppedWithSkippedPoints},
                      RoundTripCase{"CeilingSwrAndATotalReflection", ceilingSwr}),
    [](const auto& info) { return std::string(info.param.name); });

// What is already in the folder when the first sweep comes.
struct FileCase {
    const char* name;
    std::function<void(const std::filesystem::path& folder)> prepare;
    bool kept;          // the sweep is kept
    const char* said;   // in the line said; "" for nothing said
    const char* badAs;  // the name the file was kept under; "" for none
};

void PrintTo(const FileCase& row, std::ostream* out) {
    *out << row.name;
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

void runSql(const std::filesystem::path& path, const char* sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

class HistoryFileStates : public ::testing::TestWithParam<FileCase> {};

TEST_P(HistoryFileStates, AreTakenUpSetAsideOrLeftAlone) {
    TempFolder folder;
    GetParam().prepare(folder.path());
    HistoryStore history(folder.path());
    const HistoryStore::Recorded kept = history.record(dipoleEntry({}));
    EXPECT_EQ(kept.id.has_value(), GetParam().kept) << kept.said;
    if (std::string(GetParam().said).empty()) {
        EXPECT_EQ(kept.said, "");
    } else {
        EXPECT_NE(kept.said.find(GetParam().said), std::string::npos) << kept.said;
        EXPECT_EQ(kept.said.find('\n'), std::string::npos);
    }
    if (*GetParam().badAs) {
        EXPECT_TRUE(std::filesystem::exists(folder / GetParam().badAs));
        EXPECT_NE(kept.said.find((folder / GetParam().badAs).string()), std::string::npos);
    }
    // Said once: the next sweep goes in quietly.
    const HistoryStore::Recorded next = history.record(dipoleEntry({.taken = {1790086400, 120}}));
    EXPECT_EQ(next.id.has_value(), GetParam().kept);
    if (GetParam().kept) {
        EXPECT_EQ(next.said, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    History, HistoryFileStates,
    ::testing::Values(
        FileCase{"NoFile", [](const auto&) {}, true, "", ""},
        FileCase{"EmptyFile", [](const auto& f) { writeFile(f / "history.sqlite", ""); }, true, "",
                 ""},
        FileCase{"TextFile",
                 [](const auto& f) { writeFile(f / "history.sqlite", "sweeps, by hand\n"); }, true,
                 "was no history of ZM-480 Plot or was damaged", "history.sqlite.bad"},
        FileCase{"AnotherProgramsDatabase",
                 [](const auto& f) {
                     runSql(f / "history.sqlite", "CREATE TABLE contacts (callsign TEXT)");
                 },
                 true, "another program's database", "history.sqlite.bad"},
        // An earlier damaged file keeps its name; this one gets the next.
        FileCase{"BadNameTaken",
                 [](const auto& f) {
                     writeFile(f / "history.sqlite", "garbage");
                     writeFile(f / "history.sqlite.bad", "the first damaged file");
                 },
                 true, "kept as", "history.sqlite.bad.2"},
        FileCase{"NewerVersion",
                 [](const auto& f) {
                     runSql(f / "history.sqlite",
                            "PRAGMA application_id = 0x5A4D3438; PRAGMA user_version = 7;"
                            "CREATE TABLE later (x)");
                 },
                 false, "history of a newer ZM-480 Plot (its version 7", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HistoryFileStates, ANewerFileIsLeftAsItIs) {
    TempFolder folder;
    runSql(folder / "history.sqlite",
           "PRAGMA application_id = 0x5A4D3438; PRAGMA user_version = 7; CREATE TABLE later (x)");
    HistoryStore(folder.path()).record(dipoleEntry({}));
    EXPECT_FALSE(std::filesystem::exists(folder / "history.sqlite.bad"));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((folder / "history.sqlite").c_str(), &db), SQLITE_OK);
    sqlite3_stmt* version = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &version, nullptr);
    ASSERT_EQ(sqlite3_step(version), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(version, 0), 7);
    sqlite3_finalize(version);
    sqlite3_close(db);
}

// A file whose pages were damaged after it was written: found by the check, set aside with
// its sweeps, and a new history started.
TEST(HistoryFileStates, ADamagedPageIsFoundSetAsideAndANewHistoryStarted) {
    TempFolder folder;
    for (int day = 0; day < 40; ++day) {
        ASSERT_TRUE(HistoryStore(folder.path())
                        .record(dipoleEntry({.taken = {1790000000 + day * 86400, 120}}))
                        .id);
    }
    const auto file = folder / "history.sqlite";
    {
        std::fstream bytes(file, std::ios::in | std::ios::out | std::ios::binary);
        for (int page = 4; page < 12; ++page) {  // their b-tree headers
            bytes.seekp(page * 4096);
            bytes << std::string(200, '\x5a');
        }
    }
    HistoryStore history(folder.path());
    std::string problem;
    EXPECT_FALSE(history.verify(problem));
    EXPECT_NE(problem.find("kept as " + (folder / "history.sqlite.bad").string()),
              std::string::npos)
        << problem;
    EXPECT_TRUE(history.record(dipoleEntry({})).id);
    problem.clear();
    EXPECT_TRUE(history.verify(problem)) << problem;
    EXPECT_EQ(history.list({}, problem).size(), 1u);
}

}  // namespace
}  // namespace zm
