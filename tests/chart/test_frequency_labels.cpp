// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/frequency_labels.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace zm {
namespace {

struct LabelCase {
    const char* name;
    int points;
    int room;
    int stride;
    int labels;
    friend void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.name; }
};

class LabelledPointsTable : public ::testing::TestWithParam<LabelCase> {};

TEST_P(LabelledPointsTable, EveryNthPointFromTheFirst) {
    const LabelCase& c = GetParam();
    const std::vector<int> positions = labelledPoints(c.points, c.room);
    ASSERT_EQ(static_cast<int>(positions.size()), c.labels);
    for (int i = 0; i < c.labels; ++i) {
        EXPECT_EQ(positions[static_cast<std::size_t>(i)], i * c.stride);
    }
}

INSTANTIATE_TEST_SUITE_P(Labels, LabelledPointsTable,
                         ::testing::Values(LabelCase{"StartUpPlanLabelsEveryPoint", 8, 10, 1, 8},
                                           LabelCase{"ExactlyAsManyAsRoom", 10, 10, 1, 10},
                                           LabelCase{"OneMoreThanRoomHalves", 11, 10, 2, 6},
                                           LabelCase{"TwentyPointsInTenLabels", 20, 10, 2, 10},
                                           LabelCase{"FromZeroEveryTwoAndAHalfMHz", 288, 10, 50, 6},
                                           LabelCase{"LargestPlanInTwenty", 32766, 20, 2000, 17},
                                           LabelCase{"SinglePoint", 1, 10, 1, 1},
                                           LabelCase{"NoPoints", 0, 10, 1, 0},
                                           LabelCase{"NoRoomStillLabelsTheFirst", 5, 0, 5, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
