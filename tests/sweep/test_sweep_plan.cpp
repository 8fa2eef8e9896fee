// SPDX-License-Identifier: GPL-3.0-or-later

#include "numbers/number_text.h"
#include "sweep/band_sweeps.h"
#include "sweep/carrier_mode.h"
#include "sweep/rigctld_protocol.h"
#include "sweep/sweep_plan.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace zm {
namespace {

struct PlanCase {
    const char* name;
    double startMHz;
    double stopMHz;
    double stepMHz;
    int points;
    std::string firstLabel;
    std::string lastLabel;
    friend void PrintTo(const PlanCase& c, std::ostream* os) { *os << c.name; }
};

class PlanTable : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanTable, CountsPointsAndLabelsTheEnds) {
    const PlanCase& c = GetParam();
    const auto points = pointCountFor(c.startMHz, c.stopMHz, c.stepMHz);
    ASSERT_TRUE(points.has_value());
    EXPECT_EQ(*points, c.points);
    EXPECT_EQ(frequencyLabel(1, c.startMHz, c.stepMHz), c.firstLabel);
    EXPECT_EQ(frequencyLabel(*points, c.startMHz, c.stepMHz), c.lastLabel);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, PlanTable,
    ::testing::Values(
        PlanCase{"StartUpPlanJustUnderEightGivesEight", 14.0, 14.35, 0.05, 8, "14 ", "14.35 "},
        PlanCase{"StartEqualStopGivesOnePoint", 14.2, 14.2, 0.05, 1, "14.2 ", "14.2 "},
        PlanCase{"StopBelowStartStillRisesFromStart", 14.35, 14.0, 0.05, 8, "14.35 ", "14.7 "},
        PlanCase{"EightPointFourRoundsDownShortOfStop", 14.0, 14.37, 0.05, 8, "14 ", "14.35 "},
        PlanCase{"EightPointSixRoundsUpPastStop", 14.0, 14.38, 0.05, 9, "14 ", "14.4 "},
        PlanCase{"TwoAndAHalfRoundsToEvenTwo", 14.0, 14.75, 0.5, 2, "14 ", "14.5 "},
        PlanCase{"OneAndAHalfRoundsToEvenTwo", 14.0, 14.25, 0.5, 2, "14 ", "14.5 "},
        PlanCase{"StartFromZeroWhenBoxHoldsNoNumber", 0.0, 14.35, 0.05, 288, "0 ", "14.35 "},
        PlanCase{"LargestPlanTheCounterRunsThrough", 0.0, 1638.25, 0.05, 32766, "0 ", "1638.25 "},
        PlanCase{"NegativeStartLabelsWithSign", -0.1, 0.1, 0.05, 5, "-0.1 ", "0.1 "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SweepPlan, StartUpPlanLabelsEveryRow) {
    const char* expected[] = {"14 ",   "14.05 ", "14.1 ", "14.15 ",
                              "14.2 ", "14.25 ", "14.3 ", "14.35 "};
    for (int row = 1; row <= 8; ++row) {
        EXPECT_EQ(frequencyLabel(row, 14.0, 0.05), expected[row - 1]) << "row " << row;
    }
}

TEST(SweepPlan, FromZeroLabelsRunInWholeSteps) {
    EXPECT_EQ(frequencyLabel(2, 0.0, 0.05), "0.05 ");
    EXPECT_EQ(frequencyLabel(3, 0.0, 0.05), "0.1 ");
    EXPECT_EQ(frequencyLabel(4, 0.0, 0.05), "0.15 ");
}

// 15 significant digits hide the binary error of (i - 1) x 0.05 in every row of the largest
// plan; 17 would show labels like "0.15000000000000002 ".
TEST(SweepPlan, EveryLabelOfTheLargestPlanHasAtMostTwoDecimals) {
    for (int row = 1; row <= kMaxPointCount; ++row) {
        const std::string label = frequencyLabel(row, 0.0, 0.05);
        const auto point = label.find('.');
        const std::size_t decimals = point == std::string::npos ? 0 : label.size() - point - 2;
        ASSERT_LE(decimals, 2u) << "row " << row << ": \"" << label << '"';
        ASSERT_EQ(label.back(), ' ');
    }
}

struct RefusedCase {
    const char* name;
    double startMHz;
    double stopMHz;
    double stepMHz;
    friend void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }
};

class RefusedPlanTable : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedPlanTable, GivesNoCount) {
    const RefusedCase& c = GetParam();
    EXPECT_FALSE(pointCountFor(c.startMHz, c.stopMHz, c.stepMHz).has_value());
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(Plans, RefusedPlanTable,
                         ::testing::Values(RefusedCase{"OnePointBeyondTheCounter", 0.0, 1638.3,
                                                       0.05},
                                           RefusedCase{"StartFarAboveStop", 1e9, 14.35, 0.05},
                                           RefusedCase{"SpanBeyondAnyInteger", -1e300, 1e300, 0.05},
                                           RefusedCase{"InfiniteStart", kInf, 14.35, 0.05},
                                           RefusedCase{"InfiniteBothEnds", kInf, kInf, 0.05},
                                           RefusedCase{"NaNStop", 14.0, kNaN, 0.05},
                                           RefusedCase{"ZeroStep", 14.0, 14.35, 0.0},
                                           RefusedCase{"NegativeStep", 14.0, 14.0, -0.05},
                                           RefusedCase{"NaNStep", 14.0, 14.35, kNaN},
                                           RefusedCase{"InfiniteStep", 14.0, 14.35, kInf}),
                         [](const auto& info) { return std::string(info.param.name); });

struct NumberCase {
    const char* name;
    double value;
    const char* text;
    friend void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }
};

class GeneralNumberTable : public ::testing::TestWithParam<NumberCase> {};

TEST_P(GeneralNumberTable, Writes) {
    EXPECT_EQ(generalNumber(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, GeneralNumberTable,
    ::testing::Values(NumberCase{"WholeWithoutPoint", 14.0, "14"},
                      NumberCase{"NoTrailingZeros", 14.05, "14.05"},
                      NumberCase{"LeadingZeroKept", 0.1, "0.1"},
                      NumberCase{"NegativeZeroIsZero", -0.0, "0"},
                      NumberCase{"Negative", -3.5, "-3.5"},
                      NumberCase{"BinaryErrorHidden", 14.350000000000001, "14.35"},
                      NumberCase{"FifteenDigitsAtMost", 1.0 / 3.0, "0.333333333333333"},
                      NumberCase{"LargestWithoutExponent", 123456789012345.0, "123456789012345"},
                      NumberCase{"ExponentFromOneE15", 1e15, "1E+15"},
                      NumberCase{"SmallestWithoutExponent", 0.0001, "0.0001"},
                      NumberCase{"ExponentBelowOneE4", 0.000015, "1.5E-05"}),
    [](const auto& info) { return std::string(info.param.name); });

struct StepCase {
    const char* name;
    const char* text;
    double stepMHz;
    friend void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }
};

class StepListTable : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepListTable, ReadsMHz) {
    EXPECT_EQ(stepFromListText(GetParam().text), GetParam().stepMHz);
}

INSTANTIATE_TEST_SUITE_P(Steps, StepListTable,
                         ::testing::Values(StepCase{"Fifty", "50 kHz", 0.05},
                                           StepCase{"Hundred", "100 kHz", 0.1},
                                           StepCase{"TwoHundred", "200 kHz", 0.2},
                                           StepCase{"TwoFifty", "250 kHz", 0.25},
                                           StepCase{"FiveHundred", "500 kHz", 0.5},
                                           StepCase{"EveryUnitRemoved", "1 kHz0 kHz", 0.01},
                                           StepCase{"TypedWithoutUnit", "2.5", 0.0025},
                                           StepCase{"BlankEndsTypedStep", "1 0 kHz", 0.001},
                                           StepCase{"NoNumberIsZero", "kHz", 0.0}),
                         [](const auto& info) { return std::string(info.param.name); });

// Tuned as the run tunes them, a band's points begin on its lower edge and end on its upper
// edge to the hertz, whatever their number: a point one hertz past an edge is outside the
// plan and would be skipped, a band plan's edges lie on odd hertz (60 m from 5351.5 kHz), and
// a channel is one point.
TEST(BandSweeps, EveryBandInAnyPointCountEndsOnItsEdgesToTheHertz) {
    const BandPlan plan{"test",
                        "Test",
                        {{"160m", {{1810000, 2000000}}},
                         {"60m", {{5351500, 5366500}}},
                         {"20m", {{14025000, 14150000}, {14225000, 14350000}}},
                         {"10m", {{28000000, 29700000}}},
                         {"70cm", {{430000000, 440000000}}},
                         {"channel", {{5332000, 5332000}}}}};
    const std::vector<std::string> names{"160m", "60m", "20m", "10m", "70cm", "channel"};
    for (const int points : {3, 7, 20, 333, 500}) {
        const std::vector<BandSweep> sweeps = bandSweeps(plan, names, points);
        ASSERT_EQ(sweeps.size(), plan.bands.size());
        for (const BandSweep& sweep : sweeps) {
            const Band& band =
                *std::find_if(plan.bands.begin(), plan.bands.end(),
                              [&](const Band& b) { return b.name == sweep.bandName; });
            const int expected = band.lowestHz() == band.highestHz() ? 1 : points;
            const auto count = pointCountFor(sweep.startMHz, sweep.stopMHz, sweep.stepMHz);
            ASSERT_EQ(count, expected) << sweep.bandName << " in " << points;
            const auto hzOf = [&sweep](int i) {
                return rigFrequencyHz((sweep.startMHz - sweep.stepMHz) + i * sweep.stepMHz);
            };
            EXPECT_EQ(hzOf(1), band.lowestHz()) << sweep.bandName << " in " << points;
            EXPECT_EQ(hzOf(*count), band.highestHz()) << sweep.bandName << " in " << points;
        }
    }
}

// Every channel is a point of the plan, to the hertz, however few points are asked for.
TEST(BandSweeps, ChannelsAreEachAPoint) {
    const Band channels{"60m",
                        {{5332000, 5332000},
                         {5348000, 5348000},
                         {5358500, 5358500},
                         {5373000, 5373000},
                         {5405000, 5405000}}};
    const std::vector<BandSweep> sweeps = bandSweeps({"us", "US", {channels}}, {"60m"}, 3);
    ASSERT_EQ(sweeps.size(), 1u);
    const BandSweep& sweep = sweeps.front();
    ASSERT_EQ(pointCountFor(sweep.startMHz, sweep.stopMHz, sweep.stepMHz), 147);
    std::vector<std::int64_t> tunedHz;
    for (int i = 1; i <= 147; ++i) {
        tunedHz.push_back(rigFrequencyHz(sweepPointMHz(i, sweep.startMHz, sweep.stepMHz)).value());
    }
    for (const BandSegment& channel : channels.segments) {
        EXPECT_NE(std::find(tunedHz.begin(), tunedHz.end(), channel.lowHz), tunedHz.end())
            << channel.lowHz;
    }
}

TEST(BandSweeps, LowestBandFirstWhateverTheOrderNamedAndNamesOfOtherPlansPassedOver) {
    const BandPlan plan{
        "test", "Test", {{"10m", {{28000000, 29700000}}}, {"160m", {{1810000, 2000000}}}}};
    std::vector<std::string> order;
    for (const BandSweep& sweep : bandSweeps(plan, {"10m", "4m", "160m"}, 20)) {
        order.push_back(sweep.bandName);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"160m", "10m"}));
}

TEST(SweepPlan, CarrierModeCodesByListPosition) {
    EXPECT_EQ(carrierModeFor(0, 0), 2);  // CW
    EXPECT_EQ(carrierModeFor(1, 0), 4);  // AM
    EXPECT_EQ(carrierModeFor(2, 0), 9);  // FSK
    EXPECT_EQ(carrierModeFor(-1, 4), 4);
    EXPECT_EQ(carrierModeFor(3, 9), 9);
}

}  // namespace
}  // namespace zm
