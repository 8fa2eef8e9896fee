// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped cable list against its sources and its loss models, the files of each plane
// read back, and the readings that no antenna behind the feedline can give.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <ostream>

#include "feedline/cable_list.h"
#include "feedline/line_units.h"
#include "feedline/reading_plane.h"
#include "results/impedance.h"
#include "results/memory_file.h"
#include "results/refine_points.h"
#include "results/sweep_features.h"
#include "results/sweep_files.h"

namespace zm {
namespace {

// The list as the program finds it beside itself in the build tree.
std::vector<Cable> shippedCables() {
    const char* buildDir = std::getenv("ZM_BUILD_DIR");
    std::string whyNot;
    const std::vector<Cable> cables = loadCableList(buildDir ? buildDir : ".", whyNot);
    EXPECT_EQ(whyNot, "");
    return cables;
}

TEST(CableList, HoldsTheCommonCablesWithTheirOwnImpedance) {
    const std::vector<Cable> cables = shippedCables();
    for (const char* name : {"RG-58", "RG-8X", "RG-213", "RG-174", "LMR-400", "LMR-240",
                             "Aircell 7", "Ecoflex 10", "Ecoflex 15"}) {
        const Cable* cable = cableNamed(cables, name);
        ASSERT_NE(cable, nullptr) << name;
        EXPECT_EQ(cable->impedanceOhms, 50.0) << name;
    }
    // Wireman 551 is a "450 ohm" window line measured at 400 ohm.
    EXPECT_EQ(cableNamed(cables, "450 OHM WINDOW LINE")->impedanceOhms, 400.0);
    EXPECT_EQ(cableNamed(cables, "300 ohm twin lead")->impedanceOhms, 300.0);
}

// A line of the list as its source gives it: the figures of its table, or its coefficients
// k1 sqrt(f) + k2 f worked out at the listed frequencies to `decimals`.
struct SourceCase {
    const char* name;
    double ohms;
    double velocityFactor;
    LengthUnit per100;
    std::vector<LossPoint> figures;  // in the source's unit; with coefficients, only f counts
    double k1 = 0.0;
    double k2 = 0.0;
    int decimals = 0;
    friend void PrintTo(const SourceCase& c, std::ostream* os) { *os << c.name; }
};

class CableSource : public ::testing::TestWithParam<SourceCase> {};

TEST_P(CableSource, ListHoldsTheFiguresOfItsSource) {
    const SourceCase& c = GetParam();
    const std::vector<Cable> cables = shippedCables();
    const Cable* cable = cableNamed(cables, c.name);
    ASSERT_NE(cable, nullptr);
    EXPECT_EQ(cable->impedanceOhms, c.ohms);
    EXPECT_EQ(cable->velocityFactor, c.velocityFactor);
    ASSERT_EQ(cable->datasheet.size(), c.figures.size());
    for (std::size_t i = 0; i < c.figures.size(); ++i) {
        const double mhz = c.figures[i].frequencyMHz;
        const double scale = std::pow(10.0, c.decimals);
        const double figure = c.decimals > 0
                                  ? std::round((c.k1 * std::sqrt(mhz) + c.k2 * mhz) * scale) / scale
                                  : c.figures[i].dbPer100m;
        EXPECT_EQ(cable->datasheet[i].frequencyMHz, mhz);
        EXPECT_NEAR(cable->datasheet[i].dbPer100m, dbPer100mFrom(figure, c.per100), 1e-9)
            << mhz << " MHz";
    }
}

constexpr LengthUnit kFt = LengthUnit::Foot;
constexpr LengthUnit kM = LengthUnit::Metre;

// Where each line's figures come from, copied from the source (cables.list says which).
const SourceCase kSources[] = {
    {"RG-58", 50, 0.66, kFt, {{1}, {10}, {50}, {100}, {200}, {400}}, 0.34190, 0.00377, 2},
    {"RG-8X",
     50,
     0.82,
     kFt,
     {{50, 2.1}, {100, 3.1}, {200, 4.5}, {400, 6.6}, {700, 9.1}, {900, 10.7}, {1000, 11.2}}},
    {"RG-213", 50, 0.66, kFt, {{1}, {10}, {50}, {100}, {200}, {400}}, 0.18993, 0.00216, 2},
    {"RG-174",
     50,
     0.66,
     kFt,
     {{1, 1.9}, {10, 3.3}, {50, 5.8}, {100, 8.4}, {200, 12.5}, {400, 19.0}}},
    {"LMR-400",
     50,
     0.85,
     kFt,
     {{30, 0.7}, {50, 0.9}, {150, 1.5}, {220, 1.9}, {450, 2.7}, {900, 3.9}}},
    {"LMR-240",
     50,
     0.84,
     kFt,
     {{30, 1.3}, {50, 1.7}, {150, 3.0}, {220, 3.7}, {450, 5.3}, {900, 7.6}}},
    {"Aircell 7",
     50,
     0.83,
     kM,
     {{50, 4.52}, {100, 6.28}, {144, 7.6}, {200, 9.04}, {432, 13.6}, {1000, 21.52}, {1296, 24.84}}},
    {"Ecoflex 10",
     50,
     0.85,
     kM,
     {{50, 2.8}, {100, 4.0}, {144, 4.9}, {200, 5.8}, {432, 8.9}, {1000, 14.2}, {1296, 16.5}}},
    {"Ecoflex 15",
     50,
     0.86,
     kM,
     {{50, 1.96}, {100, 2.81}, {144, 3.4}, {200, 4.05}, {432, 6.1}, {1000, 9.8}, {1296, 11.4}}},
    {"450 ohm window line", 400, 0.90, kFt, {{1}, {10}, {30}, {100}}, 0.04960, 0.00120, 3},
    {"300 ohm twin lead", 300, 0.80, kFt, {{1}, {10}, {100}, {1000}}, 0.10181, 0.00068, 3},
};

INSTANTIATE_TEST_SUITE_P(
    Feedline, CableSource, ::testing::ValuesIn(kSources), [](const auto& info) {
        std::string name = info.param.name;
        std::replace_if(
            name.begin(), name.end(),
            [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
        return name;
    });

TEST(CableList, HasASourceForEveryLine) {
    EXPECT_EQ(shippedCables().size(), std::size(kSources));
}

// Times Microwave print their own fit for LMR-400, 0.12229 sqrt(f) + 0.00026 f dB per 100 ft:
// ours, made from the rounded figures of their table, must land near it.
TEST(CableList, FitsTheMakersOwnModelFromItsTable) {
    const std::vector<Cable> cables = shippedCables();
    const Cable* lmr400 = cableNamed(cables, "LMR-400");
    ASSERT_NE(lmr400, nullptr);
    for (const double mhz : {1.8, 14.0, 54.0}) {
        const double makersDbPer100m = (0.12229 * std::sqrt(mhz) + 0.00026 * mhz) / 0.3048;
        EXPECT_NEAR(lmr400->loss.dbPer100m(mhz) / makersDbPer100m, 1.0, 0.06) << mhz << " MHz";
    }
}

TEST(CableList, RefusesALineThatDoesNotReadNamingIt) {
    const auto read = readCableList(
        "# cables\nRG-58 | 50 | 0.66 | dB/100ft | 1:0.4 | Belden\n"
        "RG-X | 50 | 1.2 | dB/100ft | 1:0.4 | nobody\n");
    ASSERT_TRUE(std::holds_alternative<FileError>(read));
    EXPECT_EQ(std::get<FileError>(read).describe(),
              "line 3: the velocity factor is not a number above 0 and up to 1");
}

// Within a cable's figures the loss is every figure as listed, from 1 to 60 MHz well within
// 3 %, and from 1 to 60 MHz it rises smoothly, beyond the figures too; the line of R, L, G and
// C built on it loses exactly that, its Z0 the nominal impedance as the loss grows small.
TEST(LossModel, FollowsEveryFigureAndTheLineLosesIt) {
    constexpr double kDbPerNeper = 20.0 / std::numbers::ln10;
    for (const Cable& cable : shippedCables()) {
        for (const LossPoint& figure : cable.datasheet) {
            if (figure.frequencyMHz >= 1.0 && figure.frequencyMHz <= 60.0) {
                EXPECT_NEAR(cable.loss.dbPer100m(figure.frequencyMHz) / figure.dbPer100m, 1.0, 0.03)
                    << cable.name << " at " << figure.frequencyMHz << " MHz";
            }
        }
        // From one frequency to the next, 2 % up, the loss grows, and by no more than f does.
        double before = 0.0;
        for (double mhz = 1.0; mhz <= 60.0; mhz *= 1.02) {
            const double loss = cable.loss.dbPer100m(mhz);
            EXPECT_GT(loss, before) << cable.name << " at " << mhz << " MHz";
            if (before > 0.0) {
                EXPECT_LE(loss, before * 1.0201) << cable.name << " at " << mhz << " MHz";
            }
            before = loss;
            const LineConstants line = lineConstants(cable, mhz * 1e6);
            EXPECT_NEAR(line.gammaPerM.real() * kDbPerNeper * 100.0 / loss, 1.0, 1e-9)
                << cable.name << " at " << mhz << " MHz";
        }
        const LineConstants high = lineConstants(cable, 1e9);
        EXPECT_NEAR(std::abs(high.impedanceOhms) / cable.impedanceOhms, 1.0, 0.01) << cable.name;
    }
}

struct CustomLossCase {
    const char* name;
    std::vector<LossPoint> given;
    std::vector<LossPoint> expected;  // the loss at these frequencies
    friend void PrintTo(const CustomLossCase& c, std::ostream* os) { *os << c.name; }
};

class CustomLoss : public ::testing::TestWithParam<CustomLossCase> {};

// A custom cable's one or two figures hold exactly; one goes on as sqrt(f) both ways.
TEST_P(CustomLoss, HonoursTheFiguresGiven) {
    const CustomLossCase& c = GetParam();
    const LossModel model = fitLossModel(c.given);
    for (const LossPoint& point : c.expected) {
        EXPECT_NEAR(model.dbPer100m(point.frequencyMHz), point.dbPer100m, 1e-9)
            << point.frequencyMHz << " MHz";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Feedline, CustomLoss,
    ::testing::Values(
        CustomLossCase{"OneFigureGoesOnAsRootF", {{14, 4.6}}, {{14, 4.6}, {3.5, 2.3}, {56, 9.2}}},
        // Between the two the log-log line: at their geometric mean, the geometric mean.
        CustomLossCase{"TwoFiguresInAnyOrder",
                       {{28, 5.0}, {3.5, 2.0}},
                       {{3.5, 2.0}, {28, 5.0}, {std::sqrt(3.5 * 28), std::sqrt(10.0)}}},
        CustomLossCase{"TwoFiguresAtOneFrequency", {{14, 2.0}, {14, 8.0}}, {{14, 4.0}, {56, 8.0}}},
        CustomLossCase{"NoFigureIsLossless", {{14, 0.0}}, {{14, 0.0}}}),
    [](const auto& info) { return std::string(info.param.name); });

Cable rg58() {
    return Cable{"RG-58", 50.0, 0.66, {}, fitLossModel({{1, 1.31}, {10, 4.59}, {100, 16.1}}), ""};
}

// A dipole's sweep as the meter reads it behind 20 m of RG-58.
SweepRecord meterSweep(const Feedline& feedline) {
    SweepRecord record;
    record.notes = {"2024-05-01 14:03:22", 14.0, 14.35, 0.05, 2};
    for (const double mhz : {14.0, 14.175, 14.35}) {
        const std::complex<double> antenna(57.0, 2500.0 * (mhz / 14.175 - 14.175 / mhz));
        const std::complex<double> z = meterImpedanceOf(antenna, feedline, mhz * 1e6);
        record.points.push_back(
            {std::llround(mhz * 1e6), PointReading{100.0, std::abs(z), phaseDegreesOf(z), 1.0}});
    }
    return record;
}

void expectSameReadings(const SweepRecord& got, const SweepRecord& want) {
    ASSERT_EQ(got.points.size(), want.points.size());
    for (std::size_t i = 0; i < got.points.size(); ++i) {
        const std::complex<double> a = got.points[i].reading->impedance();
        const std::complex<double> b = want.points[i].reading->impedance();
        EXPECT_LT(std::abs(a - b), 1e-6 * std::abs(b)) << "point " << i;
    }
}

struct PlaneFileCase {
    const char* name;
    Plane savedAt;
    bool feedlineNow;
    const char* file;
    friend void PrintTo(const PlaneFileCase& c, std::ostream* os) { *os << c.name; }
};

class PlaneFile : public ::testing::TestWithParam<PlaneFileCase> {};

// Saved at a plane and read back, a sweep is at that plane again; shown at the antenna it
// is the antenna's, turned once and never twice, whatever feedline is set when it is read.
TEST_P(PlaneFile, ReadsBackAtItsPlaneAndIsTurnedOnlyOnce) {
    const PlaneFileCase& c = GetParam();
    const Feedline feedline{rg58(), 20.0};
    const SweepRecord measured = meterSweep(feedline);
    const SweepRecord antenna = recordAtPlane(measured, Plane::Antenna, &feedline);
    const SweepRecord saved = recordAtPlane(measured, c.savedAt, &feedline);
    const auto read = readSweepFile(c.file, sweepFileText(saved, sweepFileKindOf(c.file)));
    ASSERT_TRUE(std::holds_alternative<SweepRecord>(read)) << std::get<FileError>(read).what;
    const SweepRecord& back = std::get<SweepRecord>(read);
    EXPECT_EQ(back.plane, c.savedAt);
    EXPECT_EQ(back.feedline, "20 m of RG-58");
    const SweepRecord shown =
        recordAtPlane(back, Plane::Antenna, c.feedlineNow ? &feedline : nullptr);
    expectSameReadings(shown, c.savedAt == Plane::Antenna || c.feedlineNow ? antenna : measured);
}

INSTANTIATE_TEST_SUITE_P(
    Feedline, PlaneFile,
    ::testing::Values(PlaneFileCase{"MeterCsvWithFeedline", Plane::Meter, true, "a.csv"},
                      PlaneFileCase{"MeterCsvWithoutFeedline", Plane::Meter, false, "a.csv"},
                      PlaneFileCase{"AntennaCsvWithFeedline", Plane::Antenna, true, "a.csv"},
                      PlaneFileCase{"AntennaCsvWithoutFeedline", Plane::Antenna, false, "a.csv"},
                      PlaneFileCase{"MeterTouchstoneWithFeedline", Plane::Meter, true, "a.s1p"},
                      PlaneFileCase{"AntennaTouchstoneWithFeedline", Plane::Antenna, true,
                                    "a.s1p"}),
    [](const auto& info) { return std::string(info.param.name); });

// A dipole for 20 m swept on 10 m straight on the meter, with station.ini saying 20 m of
// RG-58 lie between: at 28.5 MHz the meter reads 2200 ohm, SWR 99, more reflection than
// the cable's two-way loss of 2.5 dB lets come back from any antenna.
SweepRecord tenMetreSweep() {
    SweepRecord record;
    record.notes = {"2024-05-01 14:03:22", 28.4, 28.6, 0.1, 2};
    record.points = {{28400000, PointReading{100.0, 60.0, -20.0, 1.5}, PointTaking{}},
                     {28500000, PointReading{100.0, 2200.0, 0.0, 99.0}, PointTaking{}},
                     {28600000, PointReading{100.0, 45.0, 10.0, 1.3}, PointTaking{}}};
    return record;
}

TEST(BeyondTheLoss, ThePointIsAGapAtTheAntennaAndAReadingAtTheMeter) {
    const std::vector<Cable> cables = shippedCables();
    const Feedline feedline{*cableNamed(cables, "RG-58"), 20.0};
    const SweepRecord shown = recordAtPlane(tenMetreSweep(), Plane::Antenna, &feedline);
    const SweepPoint& beyond = shown.points[1];
    EXPECT_EQ(beyond.frequencyHz, 28500000);
    EXPECT_FALSE(beyond.reading);
    EXPECT_FALSE(beyond.taken);
    EXPECT_FALSE(beyond.lineLoss);
    EXPECT_EQ(beyond.skipped, SkipReason::BeyondFeedlineLoss);
    for (const std::size_t i : {0u, 2u}) {
        ASSERT_TRUE(shown.points[i].reading) << i;
        EXPECT_GT(shown.points[i].reading->impedance().real(), 0.0) << i;
    }
    EXPECT_EQ(findFeatures(shown).swrMinimum->frequencyHz, 28600000);
    EXPECT_FALSE(refinePointsOf(shown)[1].keyable);
    EXPECT_EQ(beyondLossNotice(shown),
              "1 point reads more reflection than 20 m of RG-58 can return: check the cable and "
              "length in Setup, Feedline");

    const SweepRecord atMeter = recordAtPlane(tenMetreSweep(), Plane::Meter, &feedline);
    EXPECT_EQ(atMeter.points[1].reading, tenMetreSweep().points[1].reading);
    EXPECT_EQ(atMeter.points[1].skipped, std::nullopt);
    EXPECT_EQ(beyondLossNotice(atMeter), "");
}

// Saved at the antenna, the point is a row of the meter's values saying why, or a
// Touchstone comment; the CSV reads back as the same points.
TEST(BeyondTheLoss, FilesKeepTheRowAndReadBack) {
    const std::vector<Cable> cables = shippedCables();
    const Feedline feedline{*cableNamed(cables, "RG-58"), 20.0};
    SweepRecord shown = recordAtPlane(tenMetreSweep(), Plane::Antenna, &feedline);
    const std::string csv = sweepFileText(shown, SweepFileKind::Csv);
    EXPECT_NE(csv.find("\n28500000,100,2200,0,2200.000,0.000,99,0.95556,0.39,beyond the "
                       "feedline's loss\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(sweepFileText(shown, SweepFileKind::Touchstone)
                  .find("\n! 28500000 Hz: beyond the feedline's loss\n"),
              std::string::npos);
    const auto back = readSweepFile("a.csv", csv);
    ASSERT_TRUE(std::holds_alternative<SweepRecord>(back)) << std::get<FileError>(back).what;
    for (SweepPoint& point : shown.points) {
        point.lineLoss.reset();  // the files do not hold it
    }
    EXPECT_EQ(std::get<SweepRecord>(back).points, shown.points);
}

// A 10 m sweep with every point beyond the loss, kept at the antenna: the memory reads back
// and is shown at the meter, as the meter read it, saying why; with the window's feedline
// or without one.
TEST(BeyondTheLoss, AMemoryOfNothingElseIsShownAtTheMeterAndSaysWhy) {
    const std::vector<Cable> cables = shippedCables();
    const Feedline feedline{*cableNamed(cables, "RG-58"), 20.0};
    SweepRecord swept = tenMetreSweep();
    swept.points = {swept.points[1]};
    const SweepRecord kept = recordAtPlane(swept, Plane::Antenna, &feedline);
    ASSERT_FALSE(kept.hasReadings());
    const auto back = readMemoryFile(writeMemoryFile({"10m", true, 0, kept}), "memory-001.csv");
    ASSERT_TRUE(std::holds_alternative<Memory>(back)) << std::get<FileError>(back).what;
    for (const Feedline* line : {&feedline, static_cast<const Feedline*>(nullptr)}) {
        std::string why;
        const SweepRecord shown =
            memoryAtPlane(std::get<Memory>(back).record, Plane::Antenna, line, why);
        EXPECT_EQ(shown.plane, Plane::Meter);
        EXPECT_EQ(shown.points.at(0).reading, swept.points[0].reading);
        EXPECT_EQ(why, "at the meter: no point has a value at the antenna through 20 m of RG-58");
    }
    std::string why;
    memoryAtPlane(tenMetreSweep(), Plane::Antenna, &feedline, why);
    EXPECT_EQ(why, "");
}

}  // namespace
}  // namespace zm
