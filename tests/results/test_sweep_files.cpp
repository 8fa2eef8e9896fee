// SPDX-License-Identifier: GPL-3.0-or-later
// The CSV and Touchstone files of a sweep: what is written, and what is read back.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <utility>

#include "results/memory_file.h"
#include "results/sweep_csv.h"
#include "results/sweep_files.h"
#include "results/touchstone.h"

namespace zm {
namespace {

PointReading reading(double zOhms, double phaseDegrees, double swr) {
    return PointReading{100.0, zOhms, phaseDegrees, swr};
}

// 50 ohm at -30 degrees, a rejected poll, a matched load, each taken another way, a point
// outside the band plan, one a refined sweep did not need, a pure reactance (a total
// reflection, SWR infinite), a point the antenna has no value for from a file of an earlier
// version, and one that keeps the meter's values.
SweepRecord sweptPoints() {
    SweepRecord record;
    record.notes = {"2024-05-01 14:03:22", 14.0, 14.1, 0.05, 2};
    record.points = {
        {14000000, reading(50.0, -30.0, 1.5), PointTaking{}},
        {14050000, std::nullopt},
        {14100000, reading(50.0, 0.0, 1.0), PointTaking{PointTaking::How::Settled, 4}},
        {14150000, std::nullopt, std::nullopt, std::nullopt, SkipReason::OutsideBandPlan},
        {14200000, std::nullopt, std::nullopt, std::nullopt, SkipReason::NotNeeded},
        {14250000, reading(50.0, 90.0, std::numeric_limits<double>::infinity()), PointTaking{}},
        {14300000, std::nullopt, std::nullopt, std::nullopt, SkipReason::BeyondFeedlineLoss},
        {14350000, std::nullopt, std::nullopt, std::nullopt, SkipReason::BeyondFeedlineLoss,
         reading(2200.0, 0.0, 99.0)}};
    return record;
}

TEST(SweepCsv, WritesCommentsHeaderAndOneRowAPoint) {
    EXPECT_EQ(writeSweepCsv(sweptPoints()),
              "# program: ZM-480 Plot\n"
              "# taken: 2024-05-01 14:03:22\n"
              "# start_mhz: 14\n"
              "# stop_mhz: 14.1\n"
              "# step_khz: 50\n"
              "# carrier_mode: CW\n"
              "# plane: meter\n"
              "frequency_hz,power,z_ohm,phase_deg,r_ohm,x_ohm,swr,rho,return_loss_db,taken\n"
              "14000000,100,50,-30,43.301,-25.000,1.5,0.26795,11.44,fixed 1\n"
              "14050000,,,,,,,,,\n"
              "14100000,100,50,0,50.000,0.000,1,0.00000,inf,settled 4\n"
              "14150000,,,,,,,,,outside band plan\n"
              "14200000,,,,,,,,,not needed\n"
              "14250000,100,50,90,0.000,50.000,inf,1.00000,0.00,fixed 1\n"
              "14300000,,,,,,,,,beyond the feedline's loss\n"
              "14350000,100,2200,0,2200.000,0.000,99,0.95556,0.39,beyond the feedline's loss\n");
}

TEST(SweepCsv, ReadsBackWhatItWroteExactly) {
    const auto back = readSweepCsv(writeSweepCsv(sweptPoints()));
    ASSERT_TRUE(std::holds_alternative<SweepRecord>(back)) << std::get<FileError>(back).what;
    EXPECT_EQ(std::get<SweepRecord>(back).points, sweptPoints().points);
}

// Read and written again, a file says the same of its sweep: a memory that the program
// writes again after a restart (ticked, unticked, renamed) keeps its time, band, step and
// carrier mode.
TEST(SweepCsv, FileReadAndWrittenAgainIsTheSame) {
    const std::string sweepFile = writeSweepCsv(sweptPoints());
    const auto sweep = readSweepCsv(sweepFile);
    ASSERT_TRUE(std::holds_alternative<SweepRecord>(sweep)) << std::get<FileError>(sweep).what;
    EXPECT_EQ(writeSweepCsv(std::get<SweepRecord>(sweep)), sweepFile);

    const std::string memoryFile =
        writeMemoryFile({"dipole, 2 m shorter", false, 3, sweptPoints()});
    const auto memory = readMemoryFile(memoryFile, "memory-001.csv");
    ASSERT_TRUE(std::holds_alternative<Memory>(memory)) << std::get<FileError>(memory).what;
    EXPECT_EQ(writeMemoryFile(std::get<Memory>(memory)), memoryFile);
}

// The antenna swept is named in both kinds of file and read back from them; a comma in its
// name would split a spreadsheet's comment cell, and a line break would end the comment.
TEST(SweepFiles, NameTheAntennaSwept) {
    SweepRecord record = sweptPoints();
    record.notes.antenna = "40m dipole, low\nend";
    for (const auto& [kind, line] :
         {std::pair{SweepFileKind::Csv, "\n# antenna: 40m dipole; low end\n"},
          std::pair{SweepFileKind::Touchstone, "\n! antenna: 40m dipole, low end\n"}}) {
        const std::string text = sweepFileText(record, kind);
        EXPECT_NE(text.find(line), std::string::npos) << text;
        const auto back =
            readSweepFile(kind == SweepFileKind::Csv ? "a.csv" : "a.s1p", text);
        ASSERT_TRUE(std::holds_alternative<SweepRecord>(back)) << text;
        EXPECT_EQ(std::get<SweepRecord>(back).notes.antenna,
                  kind == SweepFileKind::Csv ? "40m dipole; low end" : "40m dipole, low end");
    }
}

TEST(SweepCsv, ReadsASpreadsheetsResave) {
    // A byte order mark, CRLF, quotes, columns in another order and one more column.
    const auto back = readSweepCsv(
        "\xEF\xBB\xBF\"swr\",\"z_ohm\",\"phase_deg\",\"power\",\"frequency_hz\",\"note\"\r\n"
        "1.5,\"50\",-30,,14000000,\"ok\"\r\n"
        "\r\n");
    ASSERT_TRUE(std::holds_alternative<SweepRecord>(back)) << std::get<FileError>(back).what;
    const SweepRecord& record = std::get<SweepRecord>(back);
    ASSERT_EQ(record.points.size(), 1u);
    EXPECT_EQ(record.points[0].reading, (PointReading{std::nullopt, 50.0, -30.0, 1.5}));
}

struct BadFileCase {
    const char* name;
    bool touchstone;
    std::string text;
    int line;
    std::string says;
    friend void PrintTo(const BadFileCase& c, std::ostream* os) { *os << c.name; }
};

class BadFileTable : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(BadFileTable, NamesTheFirstBadLine) {
    const BadFileCase& c = GetParam();
    const auto read = readSweepFile(c.touchstone ? "ant.S1P" : "ant.csv", c.text);
    ASSERT_TRUE(std::holds_alternative<FileError>(read));
    const FileError& error = std::get<FileError>(read);
    EXPECT_EQ(error.line, c.line);
    EXPECT_NE(error.describe().find(c.says), std::string::npos) << error.describe();
}

const std::string kHeader = "frequency_hz,power,z_ohm,phase_deg,swr\n";

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTable,
    ::testing::Values(
        BadFileCase{"CsvWithoutHeader", false, "# a\n14000000,100,50,0,1\n", 2,
                    "names no frequency_hz"},
        BadFileCase{"CsvShortRow", false, kHeader + "14000000,100,50,0,1\n14050000,100\n", 3,
                    "2 fields where the header row has 5"},
        BadFileCase{"CsvFractionalHz", false, kHeader + "14000000.5,100,50,0,1\n", 2,
                    "not a whole number of Hz"},
        BadFileCase{"CsvFallingFrequency", false,
                    kHeader + "14050000,100,50,0,1\n14000000,100,50,0,1\n", 3, "does not rise"},
        BadFileCase{"CsvWordForZ", false, kHeader + "14000000,100,fifty,0,1\n", 2,
                    "z_ohm \"fifty\" is not a number"},
        BadFileCase{"CsvSwrNotANumber", false, kHeader + "14000000,100,50,0,nan\n", 2,
                    "swr \"nan\" is not a number"},
        BadFileCase{"CsvInfinitePhase", false, kHeader + "14000000,100,50,inf,inf\n", 2,
                    "phase_deg \"inf\" is not a number"},
        BadFileCase{"CsvValuesWithoutZ", false, kHeader + "14000000,,,0,\n", 2,
                    "without z_ohm holds other values"},
        BadFileCase{"CsvTakenWithoutCount", false,
                    "frequency_hz,power,z_ohm,phase_deg,swr,taken\n14000000,100,50,0,1,settled\n",
                    2, "taken \"settled\" is not fixed, settled or unsettled with a count"},
        BadFileCase{"CsvSkippedPointWithValues", false,
                    "frequency_hz,power,z_ohm,phase_deg,swr,taken\n"
                    "14000000,100,50,0,1,outside band plan\n",
                    2, "a row marked outside band plan holds values"},
        BadFileCase{"CsvHeaderOnly", false, kHeader, 0, "no sweep points"},
        BadFileCase{"TouchstoneTwoPort", true, "# MHz S RI R 50\n14 0.1 0 0.2 0 0.3 0 0.4 0\n", 2,
                    "not 9 numbers"},
        BadFileCase{"TouchstoneWordForANumber", true, "# MHz S RI R 50\n14 0.1 abc\n", 2,
                    "\"abc\" is not a number"},
        BadFileCase{"TouchstoneNotANumber", true, "# MHz S RI R 50\n14 nan 0\n", 2,
                    "\"nan\" is not a number"},
        BadFileCase{"TouchstoneFallingFrequency", true, "# MHz S RI R 50\n14.1 0 0\n14 0 0\n", 3,
                    "does not rise"},
        BadFileCase{"TouchstoneHParameters", true, "# MHz H RI R 50\n14 0 0\n", 1,
                    "one-port file holds S, Y or Z"},
        BadFileCase{"TouchstoneUnknownOption", true, "# MHz S XY R 50\n", 1, "\"XY\""},
        BadFileCase{"TouchstoneResistanceMissing", true, "# MHz S RI R\n14 0 0\n", 1,
                    "R must be followed"},
        BadFileCase{"TouchstoneNegativeMagnitude", true, "# MHz S MA R 50\n14 -0.5 0\n", 2,
                    "below 0"},
        BadFileCase{"TouchstoneVersionTwo", true, "[Version] 2.0\n# MHz S RI R 50\n", 1,
                    "Touchstone 1"},
        BadFileCase{"TouchstoneOnlyComments", true, "! nothing\n# MHz S RI R 50\n", 0,
                    "no frequency points"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Touchstone, KnownLoadsGiveTheirS11) {
    SweepRecord record;
    record.notes = {"2024-05-01 14:03:22", 14.0, 14.2, 0.05, 0};
    record.points = {
        {14000000, reading(100.0, 0.0, 2.0)},
        {14050000, reading(25.0, 0.0, 2.0)},
        {14100000, std::nullopt},
        {14125000, std::nullopt, std::nullopt, std::nullopt, SkipReason::OutsideBandPlan},
        {14150000, reading(50.0 * std::sqrt(2.0), 45.0, 2.62)},
        // A damaged meter field that read -50 ohm: S11 has no finite value.
        {14200000, reading(-50.0, 0.0, 1.0)}};
    EXPECT_EQ(writeTouchstone(record),
              "! ZM-480 Plot sweep taken 2024-05-01 14:03:22\n"
              "! start 14 MHz, stop 14.2 MHz, step 50 kHz, carrier mode none\n"
              "! S11 from the meter's Z and phase, measured at transmit power\n"
              "! plane: meter\n"
              "# Hz S RI R 50\n"
              "14000000 0.333333333 0.000000000\n"
              "14050000 -0.333333333 0.000000000\n"
              "! 14100000 Hz: no reading\n"
              "! 14125000 Hz: outside band plan\n"
              "14150000 0.200000000 0.400000000\n"
              "! 14200000 Hz: no finite S11\n");
}

struct TouchstoneCase {
    const char* name;
    std::string text;
    std::int64_t frequencyHz;
    double zOhms;  // 0: no reading
    double phaseDegrees;
    double swr;
    friend void PrintTo(const TouchstoneCase& c, std::ostream* os) { *os << c.name; }
};

class TouchstoneTable : public ::testing::TestWithParam<TouchstoneCase> {};

TEST_P(TouchstoneTable, ReadsThePointAsTheMeterWouldShowIt) {
    const TouchstoneCase& c = GetParam();
    const auto read = readTouchstone(c.text);
    ASSERT_TRUE(std::holds_alternative<SweepRecord>(read)) << std::get<FileError>(read).what;
    const SweepPoint& point = std::get<SweepRecord>(read).points.at(0);
    EXPECT_EQ(point.frequencyHz, c.frequencyHz);
    if (c.zOhms == 0.0) {
        EXPECT_FALSE(point.reading.has_value());
        return;
    }
    ASSERT_TRUE(point.reading.has_value());
    EXPECT_NEAR(point.reading->zOhms, c.zOhms, 1e-6);
    EXPECT_NEAR(point.reading->phaseDegrees, c.phaseDegrees, 1e-6);
    EXPECT_NEAR(point.reading->swr, c.swr, 1e-6);
    EXPECT_FALSE(point.reading->power.has_value());
}

// 50 + j50 ohm is |Z| 70.7107 at 45 degrees, SWR 2.618.
constexpr double kFiftyJFiftyOhms = 70.71067811865476;
constexpr double kFiftyJFiftySwr = 2.618033988749895;

INSTANTIATE_TEST_SUITE_P(
    Formats, TouchstoneTable,
    ::testing::Values(
        TouchstoneCase{"WithoutOptionLineGigahertzMagnitudeAngle", "0.014 0.333333333333 0\n",
                       14000000, 100.0, 0.0, 2.0},
        TouchstoneCase{"MegahertzRealImaginary", "# MHz S RI R 50\n14.175 0.2 0.4\n", 14175000,
                       kFiftyJFiftyOhms, 45.0, kFiftyJFiftySwr},
        TouchstoneCase{"KilohertzDecibelAngle",
                       "# kHz S DB R 50\n14175 -6.989700043360188 63.43494882292201\n", 14175000,
                       kFiftyJFiftyOhms, 45.0, kFiftyJFiftySwr},
        TouchstoneCase{"SeventyFiveOhmReference", "# Hz S RI R 75\n14000000 0.2 0\n", 14000000,
                       112.5, 0.0, 2.25},
        TouchstoneCase{"NormalisedImpedance", "# MHz Z RI R 50\n14 1 1\n", 14000000,
                       kFiftyJFiftyOhms, 45.0, kFiftyJFiftySwr},
        TouchstoneCase{"NormalisedAdmittance", "# MHz Y RI R 50\n14 0.5 0\n", 14000000, 100.0, 0.0,
                       2.0},
        TouchstoneCase{"CaseCommentsAndTabsAnywhere",
                       "! saved by an analyser\n# mhz s ri r 50 ! options\n\t14 0.2\t0.4 ! one\n"
                       "# GHz S MA R 75\n",
                       14000000, kFiftyJFiftyOhms, 45.0, kFiftyJFiftySwr},
        TouchstoneCase{"PlusSignsAndExponents", "# HZ S RI R 5.0E+01\n+1.4E+07 +2.0E-01 +4.0E-01\n",
                       14000000, kFiftyJFiftyOhms, 45.0, kFiftyJFiftySwr},
        TouchstoneCase{"ExactOpenHasNoReading", "# MHz S RI R 50\n14 1 0\n", 14000000, 0.0, 0.0,
                       0.0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
