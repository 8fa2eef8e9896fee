// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "chart/label_placement.h"
#include "chart/trace_points.h"

namespace zm {
namespace {

struct PositionCase {
    const char* name;
    const char* firstLabel;
    const char* lastLabel;
    int rows;
    double frequencyHz;
    std::optional<double> position;
    friend void PrintTo(const PositionCase& c, std::ostream* os) { *os << c.name; }
};

class PositionTable : public ::testing::TestWithParam<PositionCase> {};

TEST_P(PositionTable, PlacesFrequenciesBetweenTheLabelledRows) {
    const PositionCase& c = GetParam();
    const auto position =
        FrequencyPositions(c.firstLabel, c.lastLabel, c.rows).positionOf(c.frequencyHz);
    ASSERT_EQ(position.has_value(), c.position.has_value());
    if (position) {
        EXPECT_NEAR(*position, *c.position, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grids, PositionTable,
    ::testing::Values(
        PositionCase{"RowFrequencyIsItsRow", "14 ", "14.35 ", 8, 14100000, 2.0},
        PositionCase{"BetweenRowsIsBetween", "14 ", "14.35 ", 8, 14125000, 2.5},
        PositionCase{"OutsideTheSpanRunsOn", "14 ", "14.35 ", 8, 13900000, -2.0},
        PositionCase{"OneRowPlacesOnlyItsOwnFrequency", "14.2 ", "14.2 ", 1, 14200000, 0.0},
        PositionCase{"OneRowPlacesNoOther", "14.2 ", "14.2 ", 1, 14250000, std::nullopt},
        PositionCase{"UnlabelledGridPlacesNothing", "", "", 8, 14000000, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// 50 ohm at -30 degrees is 43.30 - j25.00 ohm: at the meter R and X are magnitudes, as the
// meter shows them; at the antenna X keeps its sign, so a capacitive antenna is seen so.
TEST(SeriesValue, XHasItsSignAtTheAntennaOnly) {
    const PointReading reading{100.0, 50.0, -30.0, 1.5};
    EXPECT_NEAR(seriesValue(reading, 1), 43.301, 1e-3);
    EXPECT_NEAR(seriesValue(reading, 2), 25.0, 1e-9);
    EXPECT_NEAR(seriesValue(reading, 1, Plane::Antenna), 43.301, 1e-3);
    EXPECT_NEAR(seriesValue(reading, 2, Plane::Antenna), -25.0, 1e-9);
    EXPECT_EQ(seriesValue(reading, 5, Plane::Antenna), -30.0);
}

// A rising line through a 100 x 100 area, as an SWR arm from bottom left to top right.
const std::vector<Polyline> kRisingArm{{{0, 100}, {100, 0}}};

TEST(LabelPlacement, TakesTheCornerTheCurveLeavesFree) {
    const std::vector<ScreenBox> corners{
        {70, 0, 30, 20}, {0, 0, 30, 20}, {70, 80, 30, 20}, {0, 80, 30, 20}};
    EXPECT_EQ(leastCoveringBox(corners, kRisingArm), 1u);  // top left
}

TEST(LabelPlacement, PlacesBeyondTheCornersFindTheFreeMiddle) {
    // A V from the top corners down to the bottom middle leaves the middle of the left
    // and right edges free, and no corner.
    const std::vector<Polyline> vee{{{0, 0}, {50, 100}, {100, 0}}, {{0, 100}, {100, 100}}};
    const auto places = labelPlaces({0, 0, 100, 100}, 20, 20, 10);
    const ScreenBox& chosen = places[leastCoveringBox(places, vee)];
    EXPECT_EQ(coveredLength(chosen, vee), 0.0);
    EXPECT_GE(places.size(), 6u + 81u);
}

TEST(LabelPlacement, OfEqualPlacesTakesTheFirst) {
    const std::vector<ScreenBox> free{{0, 0, 10, 10}, {90, 90, 10, 10}};
    EXPECT_EQ(leastCoveringBox(free, {}), 0u);
    EXPECT_NEAR(coveredLength({40, 40, 20, 20}, kRisingArm), 20 * std::sqrt(2.0), 1e-9);
}

}  // namespace
}  // namespace zm
