// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped cable list and its fitted losses, the files of each plane read back, and the
// length finder on a sweep of an open or shorted cable.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "feedline/cable_list.h"
#include "feedline/length_finder.h"
#include "feedline/reading_plane.h"
#include "results/impedance.h"
#include "results/sweep_files.h"

namespace zm {
namespace {

// What the line's header states for the low-loss line against the exact one.
constexpr double kLowLossBound = 3.5e-3;

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
    EXPECT_EQ(cableNamed(cables, "450 OHM WINDOW LINE")->impedanceOhms, 450.0);
    EXPECT_EQ(cableNamed(cables, "300 ohm twin lead")->impedanceOhms, 300.0);
}

// Times Microwave print their own fit for LMR-400, 0.12229 sqrt(f) + 0.00026 f dB per 100 ft:
// ours, made from the rounded figures of their table, must land near it.
TEST(CableList, FitsTheMakersOwnModelFromItsTable) {
    const Cable* lmr400 = cableNamed(shippedCables(), "LMR-400");
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

// The low-loss line against the exact lossy line of the same R, L, G and C, for every cable
// of the list from 1.8 to 54 MHz: the bound the line's header states.
TEST(CableList, LowLossLineStaysNearTheExactLine) {
    for (const Cable& cable : shippedCables()) {
        for (double mhz = 1.8; mhz <= 54.0; mhz *= 1.05) {
            const LineConstants low = lineConstants(cable, mhz * 1e6);
            const LineConstants exact = exactLineConstants(cable, mhz * 1e6);
            EXPECT_LT(std::abs(low.impedanceOhms / exact.impedanceOhms - 1.0), kLowLossBound)
                << cable.name << " at " << mhz << " MHz";
            EXPECT_LT(std::abs(low.gammaPerM / exact.gammaPerM - 1.0), kLowLossBound)
                << cable.name << " at " << mhz << " MHz";
        }
    }
}

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

// The cable's own sweep, far end open or shorted, 1.8 to 30 MHz in 100 kHz steps.
SweepRecord cableSweep(const Feedline& feedline, FarEnd end, double fromMHz, double toMHz) {
    SweepRecord record;
    for (double mhz = fromMHz; mhz <= toMHz + 1e-9; mhz += 0.1) {
        const std::complex<double> z =
            meterImpedanceOf(end == FarEnd::Open ? 1e15 : 0.0, feedline, mhz * 1e6);
        record.points.push_back({std::llround(mhz * 1e6),
                                 PointReading{std::nullopt, std::abs(z), phaseDegreesOf(z), 1}});
    }
    return record;
}

TEST(LengthFinder, FindsTheLengthOfAnOpenOrShortedCable) {
    const Feedline feedline{rg58(), 23.4};
    for (const FarEnd end : {FarEnd::Open, FarEnd::Shorted}) {
        const auto fit = findLength(cableSweep(feedline, end, 1.8, 30.0), feedline.cable, end);
        ASSERT_TRUE(std::holds_alternative<LengthFit>(fit)) << std::get<std::string>(fit);
        EXPECT_NEAR(std::get<LengthFit>(fit).lengthM, 23.4, 0.01);
        EXPECT_NEAR(std::get<LengthFit>(fit).electricalLengthM, 23.4 / 0.66, 0.01);
    }
}

TEST(LengthFinder, RefusesASweepTooNarrowToTellLengthsApart) {
    const Feedline feedline{rg58(), 23.4};
    const auto fit =
        findLength(cableSweep(feedline, FarEnd::Open, 14.0, 14.1), feedline.cable, FarEnd::Open);
    ASSERT_TRUE(std::holds_alternative<std::string>(fit));
    EXPECT_NE(std::get<std::string>(fit).find("sweep a wider band"), std::string::npos);
}

}  // namespace
}  // namespace zm
