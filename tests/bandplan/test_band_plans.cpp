// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "bandplan/band_plan_file.h"
#include "bandplan/carrier_rule.h"

namespace zm {
namespace {

// The plans as the program ships them, beside it in the build.
const std::vector<BandPlan>& shippedPlans() {
    static const std::vector<BandPlan> plans = [] {
        const char* build = std::getenv("ZM_BUILD_DIR");
        std::ifstream file(std::string(build ? build : ".") + "/band-plans.ini");
        std::stringstream text;
        text << file.rdbuf();
        const BandPlansRead read = readBandPlans(text.str());
        EXPECT_EQ(read.damage, "");
        return read.plans;
    }();
    return plans;
}

const BandPlan& shipped(const char* key) {
    static const BandPlan none;
    const BandPlan* plan = planWithKey(shippedPlans(), key);
    EXPECT_NE(plan, nullptr) << key;
    return plan ? *plan : none;
}

struct PublishedBand {
    const char* plan;
    const char* band;
    std::vector<BandSegment> segments;
    friend void PrintTo(const PublishedBand& c, std::ostream* os) {
        *os << c.plan << " " << c.band;
    }
};

class ShippedPlanTable : public ::testing::TestWithParam<PublishedBand> {};

TEST_P(ShippedPlanTable, HoldsThePublishedEdges) {
    const PublishedBand& c = GetParam();
    const BandPlan& plan = shipped(c.plan);
    const auto band = std::find_if(plan.bands.begin(), plan.bands.end(),
                                   [&](const Band& b) { return b.name == c.band; });
    ASSERT_NE(band, plan.bands.end());
    EXPECT_EQ(band->segments, c.segments);
}

INSTANTIATE_TEST_SUITE_P(
    Published, ShippedPlanTable,
    ::testing::Values(PublishedBand{"iaru1", "160m", {{1810000, 2000000}}},
                      PublishedBand{"iaru1", "80m", {{3500000, 3800000}}},
                      PublishedBand{"iaru2", "80m", {{3500000, 4000000}}},
                      PublishedBand{"iaru3", "80m", {{3500000, 3900000}}},
                      PublishedBand{"iaru1", "40m", {{7000000, 7200000}}},
                      PublishedBand{"iaru2", "40m", {{7000000, 7300000}}},
                      PublishedBand{"iaru3", "40m", {{7000000, 7200000}}},
                      PublishedBand{"iaru2", "60m", {{5351500, 5366500}}},
                      PublishedBand{
                          "us-general", "20m", {{14025000, 14150000}, {14225000, 14350000}}},
                      PublishedBand{"us-general", "40m", {{7025000, 7125000}, {7175000, 7300000}}},
                      PublishedBand{"us-extra",
                                    "60m",
                                    {{5332000, 5332000},
                                     {5348000, 5348000},
                                     {5358500, 5358500},
                                     {5373000, 5373000},
                                     {5405000, 5405000}}}));

// "any" is the default: every region's allocations lie in it, the design's 14.0 to 14.35 MHz
// included.
TEST(ShippedPlans, AnyHoldsEveryRegionsAllocations) {
    for (const char* region : {"iaru1", "iaru2", "iaru3"}) {
        for (const Band& band : shipped(region).bands) {
            for (const BandSegment& segment : band.segments) {
                EXPECT_TRUE(carrierFits(shipped("any"), segment.lowHz, 0) &&
                            carrierFits(shipped("any"), segment.highHz, 0))
                    << region << " " << band.name;
            }
        }
    }
    std::vector<std::string> keys;
    for (const BandPlan& plan : shippedPlans()) {
        keys.push_back(plan.key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"any", "iaru1", "iaru2", "iaru3", "us-extra",
                                              "us-general"}));
}

struct InsideCase {
    const char* name;
    const char* plan;
    std::int64_t carrierHz;
    std::int64_t sidebandHz;
    bool fits;
    friend void PrintTo(const InsideCase& c, std::ostream* os) { *os << c.name; }
};

class InsideRuleTable : public ::testing::TestWithParam<InsideCase> {};

TEST_P(InsideRuleTable, CarrierAndSidebandsMustLieInOneSegment) {
    const InsideCase& c = GetParam();
    EXPECT_EQ(carrierFits(shipped(c.plan), c.carrierHz, c.sidebandHz), c.fits);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, InsideRuleTable,
    ::testing::Values(
        InsideCase{"UpperEdgeIsInside", "iaru1", 7200000, 0, true},
        InsideCase{"OneHundredHertzAboveIsOutside", "iaru1", 7200100, 0, false},
        InsideCase{"LowerEdgeIsInside", "iaru1", 7000000, 0, true},
        InsideCase{"OneHertzBelowIsOutside", "iaru1", 6999999, 0, false},
        InsideCase{"AmTwoKilohertzInsideTheEdgeIsOutside", "iaru1", 7198000, kAmSidebandHz, false},
        InsideCase{"AmSidebandOnTheEdgeIsInside", "iaru1", 7197000, kAmSidebandHz, true},
        InsideCase{"BetweenGeneralSubBandsIsOutside", "us-general", 14200000, 0, false},
        InsideCase{"ChannelCentreIsInside", "us-general", 5358500, 0, true},
        InsideCase{"BesideTheChannelCentreIsOutside", "us-general", 5358501, 0, false},
        InsideCase{"AmNeverFitsAChannel", "us-general", 5358500, kAmSidebandHz, false},
        InsideCase{"BroadcastersAreOutsideAny", "any", 7350000, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CarrierRule, RefusalNamesTheNearestBandAndItsSegments) {
    EXPECT_EQ(nothingToSweepMessage(shipped("iaru1"), 7250000, 7600000, 0),
              "Nothing to sweep: 7.250 to 7.600 MHz lies outside the 40m band of IARU Region 1 "
              "(7.000 to 7.200 MHz). Choose a band in the Band menu, or the licence plan in "
              "Setup.");
    EXPECT_EQ(nothingToSweepMessage(shipped("us-general"), 5340000, 5340000, kAmSidebandHz),
              "Nothing to sweep: 5.340 MHz, with sidebands 3 kHz either side, lies outside the "
              "60m band of US General class (5.332, 5.348, 5.3585, 5.373 and 5.405 "
              "MHz). Choose a band in the Band menu, or the licence plan in Setup.");
    EXPECT_EQ(bandMenuText(shipped("us-general").bands.at(3)), "40m  7.025 – 7.300 MHz");
}

struct DamageCase {
    const char* name;
    const char* text;
    const char* damage;
    friend void PrintTo(const DamageCase& c, std::ostream* os) { *os << c.name; }
};

class DamagedPlansTable : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedPlansTable, GiveNoPlanAndTheFirstFault) {
    const BandPlansRead read = readBandPlans(GetParam().text);
    EXPECT_EQ(read.damage, GetParam().damage);
    EXPECT_TRUE(read.plans.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedPlansTable,
    ::testing::Values(
        DamageCase{"Empty", "# nothing\n", "it holds no [plan]"},
        DamageCase{"BandBeforeAnyPlan", "40m=7000000-7200000\n",
                   "line 1: 40m=7000000-7200000 stands before any [plan]"},
        DamageCase{"KilohertzWhereHertzBelong", "[own]\r\n40m=7000-7200.5\r\n",
                   "line 2: 40m=7000-7200.5: \"7000-7200.5\" is neither a segment low-high nor "
                   "a channel, in whole Hz"},
        DamageCase{"Downwards", "[own]\n40m=7200000-7000000\n",
                   "line 2: 40m=7200000-7000000: 7200000-7000000 runs downwards"},
        DamageCase{"SegmentsOverlap", "[own]\n40m=7000000-7200000,7100000-7300000\n",
                   "line 2: 40m=7000000-7200000,7100000-7300000: 7100000-7300000 does not lie "
                   "above the segment before it"},
        DamageCase{"BandsOverlap", "[own]\n30m=7100000-7300000\n40m=7000000-7200000\n",
                   "line 2: 30m overlaps 40m in [own]"},
        DamageCase{"BandTwice", "[own]\n40m=7000000-7100000\n40m=7150000-7200000\n",
                   "line 3: 40m is given twice in [own] (first on line 2)"},
        DamageCase{"PlanWithoutBands", "[own]\ntitle=Mine\n[iaru9]\n4m=70000000-70500000\n",
                   "line 1: [own] holds no band"},
        DamageCase{"BlankInAPlanKey", "[my plan]\n",
                   "line 1: [my plan] is no plan's key: "
                   "lower-case letters, digits and - only"},
        DamageCase{"Garbage", "[own]\n4m 70000000\n",
                   "line 2: \"4m 70000000\" is neither a [plan], a band line nor a comment"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
