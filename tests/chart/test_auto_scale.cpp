// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/auto_scale.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>
#include <string>

namespace zm {
namespace {

struct ScaleCase {
    const char* name;
    double lowest;
    double highest;
    double minimum;
    double maximum;
    friend void PrintTo(const ScaleCase& c, std::ostream* os) { *os << c.name; }
};

class AutoScaleTable : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(AutoScaleTable, RoundsOutwards) {
    const ScaleCase& c = GetParam();
    const AxisRange range = autoScaleRange(c.lowest, c.highest);
    EXPECT_DOUBLE_EQ(range.minimum, c.minimum);
    EXPECT_DOUBLE_EQ(range.maximum, c.maximum);
    if (c.lowest <= c.highest) {
        EXPECT_LE(range.minimum, c.lowest);
        EXPECT_GE(range.maximum, c.highest);
    }
    EXPECT_GE(range.majorDivisions, 2);
    EXPECT_LE(range.majorDivisions, 10);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Ranges, AutoScaleTable,
    ::testing::Values(ScaleCase{"AllZeroShowsZeroToOne", 0.0, 0.0, 0.0, 1.0},
                      ScaleCase{"NoDataShowsZeroToOne", 1.0, -1.0, 0.0, 1.0},
                      ScaleCase{"NaNShowsZeroToOne", kNaN, 5.0, 0.0, 1.0},
                      ScaleCase{"ResistanceBand", 42.0, 61.0, 40.0, 65.0},
                      ScaleCase{"PositiveDataStopsAtZero", 0.0, 98.0, 0.0, 100.0},
                      ScaleCase{"NegativeDataStopsAtZero", -98.0, 0.0, -100.0, 0.0},
                      ScaleCase{"ReactanceAcrossZero", -30.0, 20.0, -40.0, 40.0},
                      ScaleCase{"FlatLineGetsRoom", 50.0, 50.0, 44.0, 56.0},
                      ScaleCase{"SmallPhaseAngles", 0.12, 0.31, 0.1, 0.35}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AutoScale, DivisionsMatchTheRoundStep) {
    const AxisRange range = autoScaleRange(42.0, 61.0);
    const double step = (range.maximum - range.minimum) / range.majorDivisions;
    EXPECT_DOUBLE_EQ(step, 5.0);
}

}  // namespace
}  // namespace zm
