// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/decimate.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <limits>
#include <vector>

namespace zm {
namespace {

std::vector<double> flat(std::size_t count, double value) {
    return std::vector<double>(count, value);
}

bool keeps(const std::vector<KeptPoint>& kept, std::size_t index, double value) {
    for (const KeptPoint& point : kept) {
        if (point.index == index && point.value == value) {
            return true;
        }
    }
    return false;
}

TEST(Decimate, ShortSeriesComesBackWhole) {
    const std::vector<double> values{3.0, 1.0, 2.0, 5.0};
    const auto kept = decimateMinMax(values, 2);
    ASSERT_EQ(kept.size(), 4u);
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(kept[i].index, i);
        EXPECT_EQ(kept[i].value, values[i]);
    }
}

struct SpikeCase {
    const char* name;
    std::size_t count;
    std::size_t buckets;
    std::size_t at;
    double value;
    friend void PrintTo(const SpikeCase& c, std::ostream* os) { *os << c.name; }
};

class SpikeTable : public ::testing::TestWithParam<SpikeCase> {};

// One sample off a flat 1.0 line, anywhere, must survive the reduction at its own position.
TEST_P(SpikeTable, SingleSampleSpikeSurvives) {
    const SpikeCase& c = GetParam();
    std::vector<double> values = flat(c.count, 1.0);
    values[c.at] = c.value;
    const auto kept = decimateMinMax(values, c.buckets);
    EXPECT_LE(kept.size(), 2 * c.buckets);
    EXPECT_TRUE(keeps(kept, c.at, c.value));
}

INSTANTIATE_TEST_SUITE_P(Spikes, SpikeTable,
                         ::testing::Values(SpikeCase{"PeakAtFirstSample", 32766, 1024, 0, 9.5},
                                           SpikeCase{"PeakAtLastSample", 32766, 1024, 32765, 9.5},
                                           SpikeCase{"DipInTheMiddle", 32766, 1024, 16383, -3.0},
                                           SpikeCase{"PeakOnABucketEdge", 10000, 100, 100, 7.0},
                                           SpikeCase{"PeakJustBeforeABucketEdge", 10000, 100, 99,
                                                     7.0},
                                           SpikeCase{"UnevenBuckets", 1001, 7, 500, 2.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Decimate, KeepsMinAndMaxOfEachBucketInOrder) {
    // Two buckets of four: the first falls, so its maximum comes first.
    const std::vector<double> values{4.0, 3.0, 2.0, 1.0, 5.0, 9.0, 6.0, 0.5, 7.0};
    const auto kept = decimateMinMax(values, 2);
    ASSERT_EQ(kept.size(), 4u);
    EXPECT_EQ(kept[0].index, 0u);
    EXPECT_EQ(kept[1].index, 3u);
    EXPECT_EQ(kept[2].index, 5u);
    EXPECT_EQ(kept[3].index, 7u);
    for (std::size_t i = 1; i < kept.size(); ++i) {
        EXPECT_LT(kept[i - 1].index, kept[i].index);
    }
}

TEST(Decimate, FlatBucketGivesOnePoint) {
    const auto kept = decimateMinMax(flat(1000, 0.0), 10);
    EXPECT_EQ(kept.size(), 10u);
}

TEST(Decimate, NaNDoesNotHideThePeak) {
    std::vector<double> values = flat(100, 1.0);
    values[0] = std::numeric_limits<double>::quiet_NaN();
    values[5] = 8.0;
    const auto kept = decimateMinMax(values, 5);
    EXPECT_TRUE(keeps(kept, 5, 8.0));
}

}  // namespace
}  // namespace zm
