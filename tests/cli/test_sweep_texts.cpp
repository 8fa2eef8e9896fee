// SPDX-License-Identifier: GPL-3.0-or-later
// What zm480-sweep writes besides the sweep: the files' names, the progress, the dry-run
// listing and the summary of each sweep.

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "bandplan/carrier_rule.h"
#include "cli/band_choice.h"
#include "cli/dry_run_listing.h"
#include "cli/output_name.h"
#include "cli/progress_line.h"
#include "cli/streamed_csv.h"
#include "cli/sweep_summary.h"
#include "cli/terminal_words.h"
#include "results/sweep_csv.h"
#include "sweep/carrier_mode.h"

namespace zm {
namespace {

struct OutputCase {
    const char* name;
    const char* given;
    const char* band;
    std::size_t bands;
    std::string path;
    SweepFileKind kind;
    friend void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }
};

class OutputTable : public ::testing::TestWithParam<OutputCase> {};

TEST_P(OutputTable, NamesOneFileABand) {
    const OutputCase& c = GetParam();
    std::string whyNot;
    const auto output = readOutputName(c.given, whyNot);
    ASSERT_TRUE(output) << whyNot;
    const SweepOutput band = outputForBand(*output, c.band, c.bands);
    EXPECT_EQ(band.path, c.path);
    EXPECT_EQ(band.kind, c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Names, OutputTable,
    ::testing::Values(
        OutputCase{"SeveralBandsOneFileEach", "sweep.csv", "40m", 2, "sweep-40m.csv",
                   SweepFileKind::Csv},
        OutputCase{"OneBandTheNameAsGiven", "sweep.csv", "40m", 1, "sweep.csv", SweepFileKind::Csv},
        OutputCase{"TouchstoneInCapitalsInAFolderWithAPoint", "/tmp/a.b/Sweep.S1P", "20m", 3,
                   "/tmp/a.b/Sweep-20m.S1P", SweepFileKind::Touchstone},
        OutputCase{"StandardOutputForEveryBand", "-", "40m", 2, "-", SweepFileKind::Csv},
        // A band of the user's own plan names no other folder.
        OutputCase{"BandNameCannotLeaveTheFolder", "out.csv", "../x/y", 2, "out-.._x_y.csv",
                   SweepFileKind::Csv}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BandChoice, TakesThePlansSpellingAndNamesWhatItLacks) {
    const BandPlan plan{
        "test", "Test Region", {{"40m", {{7000000, 7200000}}}, {"20m", {{14000000, 14350000}}}}};
    const auto chosen = bandsOfPlan(plan, {"20M", "40m", "20m"});
    EXPECT_EQ(std::get<std::vector<std::string>>(chosen), (std::vector<std::string>{"20m", "40m"}));
    EXPECT_EQ(std::get<std::string>(bandsOfPlan(plan, {"40m", "17mm", "11m"})),
              "--band 17mm, 11m: no such bands in the band plan of Test Region; its bands are "
              "40m, 20m; choose among them, or another plan with --plan");
    const BandPlan own{"own", "your own band plan", plan.bands};
    EXPECT_EQ(std::get<std::string>(bandsOfPlan(own, {"99m"})),
              "--band 99m: no such band in your own band plan; its bands are 40m, 20m; choose "
              "among them, or another plan with --plan");
}

struct WordsCase {
    const char* name;
    std::string window;   // as the window says it
    std::string command;  // as zm480-sweep says it
    friend void PrintTo(const WordsCase& c, std::ostream* os) { *os << c.name; }
};

class CommandWordsTable : public ::testing::TestWithParam<WordsCase> {};

TEST_P(CommandWordsTable, SpeaksOfTheCommandNotTheWindow) {
    EXPECT_EQ(commandWords(GetParam().window), GetParam().command);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, CommandWordsTable,
    ::testing::Values(
        WordsCase{"RunAgain", "Check the radio and rigctld, then press Run again.",
                  "Check the radio and rigctld, then run zm480-sweep again."},
        WordsCase{"RunAgainOnceItEnds",
                  "nothing was keyed. Press Run again once its sweep has ended.",
                  "nothing was keyed. Run zm480-sweep again once its sweep has ended."},
        WordsCase{"MetersDiagnosis",
                  "Check the meter's cable and port (Setup, Diag shows what it answers), then "
                  "press Run again.",
                  "Check the meter's cable and port (config.ini's ComPort in the settings folder, "
                  "and its link in ports/ there), then run zm480-sweep again."},
        WordsCase{"PowerCeiling", "(or raise the ceiling in Setup, Sweep settings)",
                  "(or raise max_power_w in station.ini's [sweep])"},
        WordsCase{"FeedlineNotice",
                  "6 points read more reflection than 20 m of RG-58 can return: check the cable "
                  "and length in Setup, Feedline",
                  "6 points read more reflection than 20 m of RG-58 can return: check cable and "
                  "length_m in station.ini's [feedline], or sweep with --at meter"},
        WordsCase{"BandPlanNotice",
                  "2 of 5 points lie outside the bands of IARU Region 1 (shaded): they are not "
                  "keyed.",
                  "2 of 5 points lie outside the bands of IARU Region 1: they are not keyed."},
        WordsCase{"NoBandPlan",
                  "it holds no [any] plan. Run keys the transmitter nowhere until ZM-480 Plot is "
                  "installed again, unless you choose your own band plan (bands.ini) in Setup, "
                  "Band plan.",
                  "it holds no [any] plan. zm480-sweep keys the transmitter nowhere until ZM-480 "
                  "Plot is installed again, unless you write your own band plan in bands.ini and "
                  "sweep with --plan own."},
        WordsCase{"UnknownPlan",
                  "the program uses the plan of all IARU regions until you choose one in Setup, "
                  "Band plan.",
                  "the program uses the plan of all IARU regions unless --plan names one "
                  "(zm480-sweep --help lists them)."},
        WordsCase{"BandMenu",
                  "(7.000 to 7.200 MHz). Choose a band in the Band menu, or the licence plan in "
                  "Setup.",
                  "(7.000 to 7.200 MHz). Sweep a band of the plan with --band, or choose another "
                  "plan with --plan."},
        WordsCase{"RadioDevice",
                  "is not plugged in, or its name changed: choose it again in Setup, Station",
                  "is not plugged in, or its name changed: set it again in station.ini's [rig] "
                  "device"},
        WordsCase{"SilentRadio",
                  "and that the baud rate and CI-V address in Setup, Station match the radio's "
                  "own menu",
                  "and that baud and civaddr in station.ini's [rig] match the radio's own menu"},
        WordsCase{"RigctldOnItsOwn", "start rigctld for your radio on port 4532 (see README)",
                  "start rigctld for your radio on port 4532 (see "
                  "/usr/share/doc/zm480-plot/README.md)"},
        WordsCase{"Guard", "The PTT guard zm480-ptt-guard does not take the window's words",
                  "The PTT guard zm480-ptt-guard does not take the program's words"}),
    [](const auto& info) { return std::string(info.param.name); });

struct NothingKeyedCase {
    const char* name;
    std::string message;
    std::string said;
    friend void PrintTo(const NothingKeyedCase& c, std::ostream* os) { *os << c.name; }
};

class NothingKeyedTable : public ::testing::TestWithParam<NothingKeyedCase> {};

TEST_P(NothingKeyedTable, SaysSoOnce) {
    EXPECT_EQ(nothingKeyedWords(GetParam().message), GetParam().said);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, NothingKeyedTable,
    ::testing::Values(
        NothingKeyedCase{"StoppedBeforeTheRadio",
                         "The sweep stopped. No rig-control server answers at 127.0.0.1:4532.",
                         "Nothing was keyed. No rig-control server answers at 127.0.0.1:4532."},
        NothingKeyedCase{"StoppedAsTheDeviceWentAway",
                         "The sweep stopped: the radio's device /dev/ttyUSB1 is gone.",
                         "Nothing was keyed: the radio's device /dev/ttyUSB1 is gone."},
        NothingKeyedCase{"SaysItAlready", "Another ZM-480 Plot is sweeping; nothing was keyed.",
                         "Another ZM-480 Plot is sweeping; nothing was keyed."},
        NothingKeyedCase{"SaysNothingOfKeying", "The PTT guard is not running",
                         "The PTT guard is not running. Nothing was keyed."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TerminalText, IsAsciiWhereTheLocaleIsNotUtf8) {
    const std::string text = "40m · 7.000 – 7.200 MHz\n  Resonance 7.075 MHz, R 49.2 Ω, 80°, 40m…";
    EXPECT_EQ(terminalText(text, true), text);
    EXPECT_EQ(terminalText(text, false),
              "40m * 7.000 - 7.200 MHz\n  Resonance 7.075 MHz, R 49.2 ohm, 80 deg, 40m...");
    EXPECT_EQ(terminalText("Bänd \xff", false), "B?nd ?");  // a band name of the user's own
}

TEST(ProgressWriter, WritesOverOneLineOnATerminalAndALineAPointElsewhere) {
    const SweepProgress keyed{"40m", 1, 2, 1, 20, 7000000, 1.5};
    const SweepProgress skipped{
        "40m", 1, 2, 2, 20, 7205000, std::nullopt, SkipReason::OutsideBandPlan};
    const SweepProgress unread{"", 1, 1, 3, 20, 7010000, std::nullopt};
    for (const bool terminal : {true, false}) {
        std::ostringstream out;
        ProgressWriter writer(out, terminal);
        writer.show(keyed);
        writer.show(skipped);
        writer.say("Power dropped");
        writer.show(unread);
        writer.finish();
        const std::string lines[] = {
            "40m (band 1 of 2)  point 1 of 20  7.000 MHz  SWR 1.50",
            "40m (band 1 of 2)  point 2 of 20  7.205 MHz  not keyed: outside band plan",
            "point 3 of 20  7.010 MHz  no reading"};
        EXPECT_EQ(out.str(),
                  terminal ? "\r" + lines[0] + "\x1b[K\r" + lines[1] + "\x1b[K\nPower dropped\n\r" +
                                 lines[2] + "\x1b[K\n"
                           : lines[0] + "\n" + lines[1] + "\nPower dropped\n" + lines[2] + "\n");
    }
}

struct DryRunCase {
    const char* name;
    std::int16_t carrierMode;
    PlanPoints planPoints;
    std::vector<std::int64_t> firstHz;  // a sweep each, of five points 5 kHz apart
    std::string listing;
    friend void PrintTo(const DryRunCase& c, std::ostream* os) { *os << c.name; }
};

class DryRunTable : public ::testing::TestWithParam<DryRunCase> {};

// The verdicts are the band plan's carrier rule, as the sweep's gate asks it.
TEST_P(DryRunTable, ListsEveryPointAndTheMostKeyDowns) {
    const DryRunCase& c = GetParam();
    const BandPlan plan{"test", "Test Region", {{"40m", {{7000000, 7200000}}}}};
    std::vector<PlannedSweep> sweeps;
    for (const std::int64_t firstHz : c.firstHz) {
        PlannedSweep& sweep = sweeps.emplace_back();
        sweep.bandName = firstHz < 7200000 ? "40m" : "";
        for (std::int64_t hz = firstHz; hz < firstHz + 25000; hz += 5000) {
            const bool fits = carrierFits(plan, hz, sidebandHzOf(c.carrierMode));
            sweep.points.push_back(
                {hz, fits ? std::nullopt : std::optional(SkipReason::OutsideBandPlan)});
        }
    }
    EXPECT_EQ(dryRunListing(sweeps, plan, c.carrierMode, c.planPoints), c.listing);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, DryRunTable,
    ::testing::Values(
        DryRunCase{"CarrierUpToTheBandEdge",
                   carrierModeCode("CW"),
                   PlanPoints::Every,
                   {7190000},
                   "Band plan Test Region, CW, every point in turn.\n"
                   "40m: 7.190 to 7.210 MHz in 5 points\n"
                   "key   7.190 MHz\nkey   7.195 MHz\nkey   7.200 MHz\n"
                   "skip  7.205 MHz  outside band plan\nskip  7.210 MHz  outside band plan\n"
                   "At most 3 key-downs.\n"},
        DryRunCase{"AmSidebandsInsideTheBand",
                   carrierModeCode("AM"),
                   PlanPoints::Refine,
                   {7190000},
                   "Band plan Test Region, AM with its sidebands 3 kHz either side, refined: "
                   "only the points its curve needs.\n"
                   "40m: 7.190 to 7.210 MHz in 5 points\n"
                   "key   7.190 MHz\nkey   7.195 MHz\nskip  7.200 MHz  outside band plan\n"
                   "skip  7.205 MHz  outside band plan\nskip  7.210 MHz  outside band plan\n"
                   "At most 2 key-downs, fewer where the curve needs fewer points.\n"},
        DryRunCase{"NothingInTheBandPlan",
                   carrierModeCode("CW"),
                   PlanPoints::Every,
                   {7250000},
                   "Band plan Test Region, CW, every point in turn.\n"
                   "7.250 to 7.270 MHz in 5 points\n"
                   "skip  7.250 MHz  outside band plan\nskip  7.255 MHz  outside band plan\n"
                   "skip  7.260 MHz  outside band plan\nskip  7.265 MHz  outside band plan\n"
                   "skip  7.270 MHz  outside band plan\n"
                   "Nothing to sweep: 7.250 to 7.270 MHz lies outside the 40m band of Test "
                   "Region (7.000 to 7.200 MHz).\n"
                   "No key-downs: the band plan lets no point be keyed.\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// 7.00, 7.05 ... 7.20 MHz, each point keyed: SWR and phase as given, 50 ohm throughout.
SweepRecord sweepOf(const std::vector<double>& swr, const std::vector<double>& phase) {
    SweepRecord record{{"2024-05-01 14:03:22", 7.0, 7.2, 0.05, 2}, {}};
    for (std::size_t i = 0; i < swr.size(); ++i) {
        record.points.push_back({7000000 + static_cast<std::int64_t>(i) * 50000,
                                 PointReading{100.0, 50.0, phase[i], swr[i]}, PointTaking{}});
    }
    return record;
}

// The same points at the antenna behind 20 m of RG-58, each beyond the cable's loss.
SweepRecord beyondTheLoss(int points) {
    SweepRecord record = sweepOf(std::vector<double>(points, 99.0), std::vector<double>(points, 0));
    record.plane = Plane::Antenna;
    record.feedline = "20 m of RG-58";
    for (SweepPoint& point : record.points) {
        point.meterReading = point.reading;
        point.reading.reset();
        point.taken.reset();
        point.skipped = SkipReason::BeyondFeedlineLoss;
    }
    return record;
}

// Every point in turn goes out as it is taken, so that a reader cut off holds whole rows; a
// refined sweep's, keyed out of frequency order, once it ends, in order, so that it reads
// back.
TEST(StreamedCsv, WritesRowsAsTakenOrInOrderOnceARefinedSweepEnds) {
    const SweepRecord swept = sweepOf({1.5, 1.2, 1.8}, {10, 0, -10});
    const auto pointsIn = [](const std::ostringstream& out) {
        const auto read = readSweepCsv(out.str());
        return std::holds_alternative<SweepRecord>(read) ? std::get<SweepRecord>(read).points.size()
                                                         : 0u;
    };
    std::ostringstream everyPoint;
    StreamedCsv inTurn(everyPoint, Plane::Meter, std::nullopt);
    inTurn.begin({swept.notes, {}}, true);
    inTurn.taken(swept.points[0]);
    EXPECT_EQ(pointsIn(everyPoint), 1u);
    inTurn.taken(swept.points[1]);
    inTurn.taken(swept.points[2]);
    inTurn.end(swept);
    EXPECT_EQ(everyPoint.str(), writeSweepCsv(swept));

    std::ostringstream refined;
    StreamedCsv atTheEnd(refined, Plane::Meter, std::nullopt);
    atTheEnd.begin({swept.notes, {}}, false);
    atTheEnd.taken(swept.points[2]);
    atTheEnd.taken(swept.points[0]);
    EXPECT_EQ(pointsIn(refined), 0u);
    atTheEnd.end(swept);
    EXPECT_EQ(refined.str(), writeSweepCsv(swept));
}

struct SummaryCase {
    const char* name;
    FinishedSweep sweep;
    std::string text;
    std::string json;
    friend void PrintTo(const SummaryCase& c, std::ostream* os) { *os << c.name; }
};

class SummaryTable : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(SummaryTable, SaysWhatTheMarkersSay) {
    const SummaryCase& c = GetParam();
    EXPECT_EQ(summaryText(c.sweep), c.text);
    EXPECT_EQ(summaryJson(c.sweep), c.json);
}

using std::chrono::duration;

INSTANTIATE_TEST_SUITE_P(
    Sweeps, SummaryTable,
    ::testing::Values(
        // The 2:1 edges lie a third of the way out from the points of SWR 1.5.
        SummaryCase{
            "MatchedBandAndResonance",
            {"40m", sweepOf({3.0, 1.5, 1.2, 1.5, 3.0}, {-30, -10, 10, 20, 30}), 5,
             duration<double>(6.24)},
            "40m · 7.000 – 7.200 MHz (200 kHz) · 2024-05-01 14:03:22\n"
            "  SWR 1.20 at 7.100 MHz\n"
            "  2:1 7.033 – 7.167 MHz, 133 kHz, Q 38\n"
            "  Resonance 7.075 MHz, R 49.2 Ω\n"
            "  Keyed 5 of 5 points, 6.2 s\n",
            "{\"band\":\"40m\",\"start_mhz\":7,\"stop_mhz\":7.2,\"taken\":\"2024-05-01 "
            "14:03:22\",\"lowest_swr\":1.20,\"lowest_swr_mhz\":7.100,\"above_ceiling\":false,"
            "\"swr2_band\":\"7.033 "
            "– 7.167 MHz\",\"swr2_low_mhz\":7.033,\"swr2_high_mhz\":7.167,"
            "\"swr2_width_khz\":133,\"q\":38,\"resonances\":[{\"mhz\":7.075,\"r_ohm\":"
            "49.2}],\"keyed_points\":5,\"points\":5,\"keyed_s\":6.2,\"passed_over\":null,"
            "\"antenna\":null,\"history_id\":null,\"reference\":null,\"drift\":null}\n"},
        // Stopped after two points; a band's name of the user's own plan may hold a quote.
        SummaryCase{"StoppedAboveTwoWithoutResonance",
                    {"my\"40m", sweepOf({3.0, 2.5}, {10, 20}), 5, duration<double>(2.5)},
                    "my\"40m · 7.000 – 7.200 MHz (200 kHz) · 2024-05-01 14:03:22\n"
                    "  SWR 2.50 at 7.050 MHz\n"
                    "  2:1 none\n"
                    "  Resonance none\n"
                    "  Keyed 2 of 5 points, 2.5 s\n",
                    "{\"band\":\"my\\\"40m\",\"start_mhz\":7,\"stop_mhz\":7.2,\"taken\":"
                    "\"2024-05-01 14:03:22\",\"lowest_swr\":2.50,\"lowest_swr_mhz\":7.050,"
                    "\"above_ceiling\":false,\"swr2_band\":null,\"swr2_low_mhz\":null,\"swr2_high_"
                    "mhz\":null,"
                    "\"swr2_width_khz\":null,\"q\":null,\"resonances\":[],\"keyed_points\":2,"
                    "\"points\":5,\"keyed_s\":2.5,\"passed_over\":null,\"antenna\":null,\"history_"
                    "id\":null,\"reference\":null,\"drift\":null}\n"},
        SummaryCase{
            "StoppedBeforeAReading",
            {"", sweepOf({}, {}), 5, {}},
            "7.000 – 7.200 MHz (200 kHz) · 2024-05-01 14:03:22\n"
            "  No point has a reading\n"
            "  Keyed 0 of 5 points\n",
            "{\"band\":null,\"start_mhz\":7,\"stop_mhz\":7.2,\"taken\":\"2024-05-01 "
            "14:03:22\",\"lowest_swr\":null,\"lowest_swr_mhz\":null,\"above_ceiling\":false,"
            "\"swr2_band\":null,\"swr2_low_mhz\":null,\"swr2_high_mhz\":null,"
            "\"swr2_width_khz\":null,\"q\":null,\"resonances\":[],\"keyed_points\":0,"
            "\"points\":5,\"keyed_s\":0.0,\"passed_over\":null,\"antenna\":null,\"history_id\":"
            "null,\"reference\":null,\"drift\":null}\n"},
        // Swept outside the antenna's band, the meter at its ceiling everywhere: no dip.
        SummaryCase{"AboveTheCeilingEverywhere",
                    {"40m", sweepOf({99.9, 99.9, 99.9}, {80, 80, 80}), 3, duration<double>(3.6)},
                    "40m · 7.000 – 7.200 MHz (200 kHz) · 2024-05-01 14:03:22\n"
                    "  SWR above 10 everywhere\n"
                    "  2:1 none\n"
                    "  Resonance none\n"
                    "  Keyed 3 of 3 points, 3.6 s\n",
                    "{\"band\":\"40m\",\"start_mhz\":7,\"stop_mhz\":7.2,\"taken\":\"2024-05-01 "
                    "14:03:22\",\"lowest_swr\":null,\"lowest_swr_mhz\":null,\"above_ceiling\":true,"
                    "\"swr2_band\":null,\"swr2_low_mhz\":null,\"swr2_high_mhz\":null,"
                    "\"swr2_width_khz\":null,\"q\":null,\"resonances\":[],\"keyed_points\":3,"
                    "\"points\":3,\"keyed_s\":3.6,\"passed_over\":null,\"antenna\":null,\"history_"
                    "id\":null,\"reference\":null,\"drift\":null}\n"},
        SummaryCase{
            "EveryPointBeyondTheFeedlinesLoss",
            {"10m", beyondTheLoss(2), 2, duration<double>(2.4)},
            "10m · 7.000 – 7.200 MHz (200 kHz) · 2024-05-01 14:03:22\n"
            "  Keyed 2 of 2 points; none has a value at the antenna: each read more "
            "reflection than 20 m of RG-58 can return (2.4 s)\n",
            "{\"band\":\"10m\",\"start_mhz\":7,\"stop_mhz\":7.2,\"taken\":\"2024-05-01 "
            "14:03:22\",\"lowest_swr\":null,\"lowest_swr_mhz\":null,\"above_ceiling\":false,"
            "\"swr2_band\":null,\"swr2_low_mhz\":null,\"swr2_high_mhz\":null,"
            "\"swr2_width_khz\":null,\"q\":null,\"resonances\":[],\"keyed_points\":2,"
            "\"points\":2,\"keyed_s\":2.4,\"passed_over\":null,\"antenna\":null,\"history_id\":"
            "null,\"reference\":null,\"drift\":null}\n"},
        SummaryCase{
            "APassedOverBandSaysWhy",
            {"60m", {{"", 5.35, 5.37, 0.005, 2}, {}}, 5, {}, "Nothing to sweep"},
            "60m · 5.350 – 5.370 MHz (20 kHz)\n"
            "  Passed over: Nothing to sweep\n",
            "{\"band\":\"60m\",\"start_mhz\":5.35,\"stop_mhz\":5.37,\"taken\":null,"
            "\"lowest_swr\":null,\"lowest_swr_mhz\":null,\"above_ceiling\":false,"
            "\"swr2_band\":null,\"swr2_low_mhz\":null,\"swr2_high_mhz\":null,"
            "\"swr2_width_khz\":null,\"q\":null,\"resonances\":[],\"keyed_points\":0,"
            "\"points\":5,\"keyed_s\":0.0,\"passed_over\":\"Nothing to "
            "sweep\",\"antenna\":null,\"history_id\":null,\"reference\":null,\"drift\":null}\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
