// SPDX-License-Identifier: GPL-3.0-or-later
// What the markers find in a sweep, and the texts the chart shows of it.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "results/band_report.h"
#include "results/result_texts.h"
#include "results/sweep_features.h"

namespace zm {
namespace {

// SWR and phase at 14.0, 14.1, 14.2 ... MHz; a NaN SWR is a point without a reading.
SweepRecord sweepOf(const std::vector<double>& swr, const std::vector<double>& phase = {}) {
    SweepRecord record;
    for (std::size_t i = 0; i < swr.size(); ++i) {
        SweepPoint point{14000000 + static_cast<std::int64_t>(i) * 100000, std::nullopt};
        if (!std::isnan(swr[i])) {
            point.reading = PointReading{100.0, 50.0, i < phase.size() ? phase[i] : 0.0, swr[i]};
        }
        record.points.push_back(point);
    }
    return record;
}

constexpr double kNoReading = std::numeric_limits<double>::quiet_NaN();

struct SwrCase {
    const char* name;
    SweepRecord record;
    std::vector<std::string> lines;
    friend void PrintTo(const SwrCase& c, std::ostream* os) { *os << c.name; }
};

class SwrMarkerTable : public ::testing::TestWithParam<SwrCase> {};

TEST_P(SwrMarkerTable, FindsMinimumAndTwoToOneBand) {
    const SwrCase& c = GetParam();
    EXPECT_EQ(swrMarkerLines(findFeatures(c.record)), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Sweeps, SwrMarkerTable,
    ::testing::Values(
        // 3.0 -> 1.5 crosses 2.0 two thirds of the way from 14.1 to 14.2; 1.2 -> 2.8 half way.
        SwrCase{"BandEdgesInterpolatedBetweenPoints",
                sweepOf({4.0, 3.0, 1.5, 1.2, 2.8, 3.5}),
                {"SWR 1.20 at 14.300 MHz", "2:1 14.167 – 14.350 MHz, 183 kHz, Q 55"}},
        SwrCase{"EdgeOnAPointIsThatPoint",
                sweepOf({2.0, 1.5, 2.0}),
                {"SWR 1.50 at 14.100 MHz", "2:1 14.000 – 14.200 MHz, 200 kHz, Q 50"}},
        SwrCase{"BandRunningPastTheStartHasOnlyItsUpperEdge",
                sweepOf({1.1, 1.5, 3.0}),
                {"SWR 1.10 at 14.000 MHz", "2:1 up to 14.133 MHz"}},
        SwrCase{"BandRunningPastTheEndHasOnlyItsLowerEdge",
                sweepOf({3.0, 1.5, 1.1}),
                {"SWR 1.10 at 14.200 MHz", "2:1 from 14.067 MHz up"}},
        SwrCase{"WholeSweepInsideTwoToOne",
                sweepOf({1.9, 1.5, 1.9}),
                {"SWR 1.50 at 14.100 MHz", "2:1 across the whole sweep"}},
        SwrCase{"MinimumAboveTwoHasNoBand", sweepOf({3.0, 2.5, 3.0}), {"SWR 2.50 at 14.100 MHz"}},
        // The second dip is lower: the band is the one around it, not the first one.
        SwrCase{"BandAroundTheLowestOfTwoDips",
                sweepOf({1.8, 3.0, 3.0, 1.1, 3.0}),
                {"SWR 1.10 at 14.300 MHz", "2:1 14.253 – 14.347 MHz, 95 kHz, Q 107"}},
        // A rejected poll is no reading: the line runs from 3.0 straight to 1.0.
        SwrCase{"PointsWithoutReadingArePassedOver",
                sweepOf({3.0, kNoReading, 1.0}),
                {"SWR 1.00 at 14.200 MHz", "2:1 from 14.100 MHz up"}},
        SwrCase{"NoReadingAtAllMarksNothing", sweepOf({kNoReading, kNoReading}), {}},
        // A dipole for 20 m swept on 40 m: the meter's ceiling at every point has no dip.
        SwrCase{"MeterCeilingEverywhereSaysSo",
                sweepOf({99.9, 99.9, 99.9}),
                {"SWR above 10 everywhere"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ResonanceCase {
    const char* name;
    std::vector<double> phase;
    std::vector<std::string> lines;
    friend void PrintTo(const ResonanceCase& c, std::ostream* os) { *os << c.name; }
};

class ResonanceTable : public ::testing::TestWithParam<ResonanceCase> {};

TEST_P(ResonanceTable, MarksWhereThePhaseChangesSign) {
    const ResonanceCase& c = GetParam();
    const std::vector<double> swr(c.phase.size(), 1.5);
    EXPECT_EQ(resonanceMarkerLines(findFeatures(sweepOf(swr, c.phase))), c.lines);
}

// Every point is 50 ohm, so R at a resonance is 50 cos(phase) between the two points.
INSTANTIATE_TEST_SUITE_P(
    Sweeps, ResonanceTable,
    ::testing::Values(
        ResonanceCase{"CapacitiveToInductiveInterpolated",
                      {-30.0, -10.0, 30.0},
                      {"Resonance 14.125 MHz, R 47.8 Ω"}},
        ResonanceCase{
            "ZeroPhaseOnAPointIsThatPoint", {-10.0, 0.0, 10.0}, {"Resonance 14.100 MHz, R 50.0 Ω"}},
        ResonanceCase{"EveryResonanceOfTheSweep",
                      {-20.0, 20.0, -20.0},
                      {"Resonance 14.050 MHz, R 47.0 Ω", "Resonance 14.150 MHz, R 47.0 Ω"}},
        ResonanceCase{"JumpThroughOneEightyIsNoResonance", {170.0, -170.0}, {}},
        ResonanceCase{"PhaseKeepingItsSignHasNone", {-40.0, -5.0, -20.0}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BandRowCase {
    const char* name;
    SweepRecord record;
    BandReportRow row;
    friend void PrintTo(const BandRowCase& c, std::ostream* os) { *os << c.name; }
};

class BandReportTable : public ::testing::TestWithParam<BandRowCase> {};

TEST_P(BandReportTable, SaysWhatTheMarkersFind) {
    const BandRowCase& c = GetParam();
    EXPECT_EQ(bandReportRow({"20m", c.record}), c.row);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, BandReportTable,
    ::testing::Values(BandRowCase{"BandInsideTheSweepWithItsQ",
                                  sweepOf({4.0, 3.0, 1.5, 1.2, 2.8, 3.5},
                                          {-40, -30, -20, 10, 30, 40}),
                                  {"20m", "1.20", "14.300 MHz", "183 kHz", "14.267 MHz", "55"}},
                      // Only the part inside the sweep is known: at least that much, and no Q.
                      BandRowCase{"BandRunningPastTheEndIsAtLeastWhatWasMeasured",
                                  sweepOf({3.0, 1.5, 1.1}, {-30, -20, -10}),
                                  {"20m", "1.10", "14.200 MHz", "≥ 133 kHz", "none", "–"}},
                      BandRowCase{"WholeSweepUnderTwo",
                                  sweepOf({1.9, 1.5, 1.9}, {-10, -5, -1}),
                                  {"20m", "1.50", "14.100 MHz", "whole band", "none", "–"}},
                      // Of two resonances, the one by the dip that the row is about.
                      BandRowCase{"NoBandUnderTwoAndTheResonanceNearestTheLowest",
                                  sweepOf({3.0, 2.5, 2.2, 2.9, 4.0}, {-20, 20, 10, -10, -20}),
                                  {"20m", "2.20", "14.200 MHz", "none", "14.250 MHz", "–"}},
                      BandRowCase{"MeterCeilingEverywhereSaysSo",
                                  sweepOf({99.9, 99.9, 99.9}, {80, 85, 88}),
                                  {"20m", "above 10", "–", "none", "none", "–"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Lined up for a monospaced reader: "≥" and "–" take one place each, as in the window.
TEST(BandReportText, HeadingsThenABandALineInColumns) {
    EXPECT_EQ(bandReportText({{"40m", "1.21", "7.085 MHz", "174 kHz", "7.081 MHz", "58"},
                              {"160m", "1.10", "1.999 MHz", "≥ 33 kHz", "none", "–"}}),
              "Band  Lowest SWR  at         2:1 width  Resonance  Q\n"
              "40m   1.21        7.085 MHz  174 kHz    7.081 MHz  58\n"
              "160m  1.10        1.999 MHz  ≥ 33 kHz   none       –\n");
}

TEST(BandReportText, OneScaleForEveryPanelShowsEachBandsDip) {
    const auto topFor = [](std::vector<double> lowest) {
        std::vector<BandResult> bands;
        for (const double swr : lowest) {
            bands.push_back({"b", sweepOf({swr + 1.0, swr, swr + 1.0})});
        }
        return sharedSwrTop(bands);
    };
    EXPECT_EQ(topFor({1.2, 1.9}), 3.0);
    EXPECT_EQ(topFor({1.2, 2.6}), 5.0);
    EXPECT_EQ(topFor({1.2, 4.8}), 10.0);
    EXPECT_EQ(topFor({1.2, 99.9}), 3.0);  // a band the antenna is not made for
    EXPECT_EQ(topFor({99.9}), 10.0);
}

TEST(PointValuesText, ShowsEveryValueWithTheSignOfXAndHowThePointWasTaken) {
    const SweepPoint point{14175000, PointReading{100.0, 50.0, -30.0, 1.5},
                           PointTaking{PointTaking::How::Settled, 4}};
    EXPECT_EQ(pointValuesText(point, "Sweep"),
              "Sweep\n14.175 MHz\nSWR 1.50\nZ 50.0 Ω at -30.0°\nR+jX 43.3 - j25.0 Ω\n"
              "|Γ| 0.268   RL 11.4 dB\nPwr 100.0\nSettled after 4 readings");
}

TEST(PointValuesText, MatchedLoadFromAFileHasNoPowerAndEndlessReturnLoss) {
    const SweepPoint point{14000000, PointReading{std::nullopt, 50.0, 0.0, 1.0}};
    EXPECT_EQ(pointValuesText(point, "Reference ant.s1p"),
              "Reference ant.s1p\n14.000 MHz\nSWR 1.00\nZ 50.0 Ω at 0.0°\nR+jX 50.0 + j0.0 Ω\n"
              "|Γ| 0.000   RL ∞ dB");
}

TEST(PointValuesText, PointWithoutAReadingSaysSo) {
    EXPECT_EQ(pointValuesText({14050000, std::nullopt}, "Sweep"), "Sweep\n14.050 MHz\nno reading");
}

}  // namespace
}  // namespace zm
