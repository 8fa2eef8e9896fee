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
#include "sweep/band_boxes.h"
#include "sweep/rigctld_protocol.h"
#include "sweep/sweep_plan.h"

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

const Band& bandOf(const char* plan, const char* name) {
    const BandPlan& shippedPlan = shipped(plan);
    const auto band = std::find_if(shippedPlan.bands.begin(), shippedPlan.bands.end(),
                                   [&](const Band& b) { return b.name == name; });
    EXPECT_NE(band, shippedPlan.bands.end()) << plan << " " << name;
    return band != shippedPlan.bands.end() ? *band : shippedPlan.bands.front();
}

// The Band menu's plan as the boxes read it, point by point as the run tunes it.
std::vector<std::int64_t> plannedHz(const BandBoxes& boxes, double stepMHz) {
    const double startMHz = boxes.startHz / 1e6;
    std::vector<std::int64_t> points;
    for (int i = 1; i <= pointCountFor(startMHz, boxes.stopHz / 1e6, stepMHz).value_or(0); ++i) {
        points.push_back(rigFrequencyHz(sweepPointMHz(i, startMHz, stepMHz)).value_or(0));
    }
    return points;
}

struct BandMenuCase {
    const char* plan;
    const char* band;
    double stepMHz;
    std::string item;                   // the menu's text
    std::vector<std::string> boxes;     // start and stop; none for Sweep my bands
    std::vector<std::int64_t> keyedHz;  // the points planned inside the band
    int outside;                        // the points planned in a gap of the band
    friend void PrintTo(const BandMenuCase& c, std::ostream* os) {
        *os << c.plan << " " << c.band << " " << c.stepMHz;
    }
};

class BandMenuTable : public ::testing::TestWithParam<BandMenuCase> {};

TEST_P(BandMenuTable, PlansOnTheBoxesGridInsideTheBand) {
    const BandMenuCase& c = GetParam();
    const Band& band = bandOf(c.plan, c.band);
    EXPECT_EQ(bandMenuItemText(band, 0), c.item);
    const BandBoxes boxes = bandBoxes(band, c.stepMHz, 0);
    if (c.boxes.empty()) {
        EXPECT_EQ(boxes.kind, BandBoxes::Kind::SweepMyBands);
        return;
    }
    EXPECT_EQ((std::vector{boxText(boxes.startHz), boxText(boxes.stopHz)}), c.boxes);
    std::vector<std::int64_t> keyed;
    int outside = 0;
    for (const std::int64_t hz : plannedHz(boxes, c.stepMHz)) {
        (carrierFits(shipped(c.plan), hz, 0) ? keyed.push_back(hz) : void(++outside));
    }
    EXPECT_EQ(keyed, c.keyedHz);
    EXPECT_EQ(outside, c.outside);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, BandMenuTable,
    ::testing::Values(
        BandMenuCase{
            "iaru1",
            "20m",
            0.05,
            "20m  14.000 – 14.350 MHz",
            {"14.00", "14.35"},
            {14000000, 14050000, 14100000, 14150000, 14200000, 14250000, 14300000, 14350000},
            0},
        // 18.16 would plan a third point, at 18.17.
        BandMenuCase{"iaru1",
                     "17m",
                     0.05,
                     "17m  18.068 – 18.168 MHz",
                     {"18.07", "18.12"},
                     {18070000, 18120000},
                     0},
        BandMenuCase{"iaru1",
                     "17m",
                     0.01,
                     "17m  18.068 – 18.168 MHz",
                     {"18.07", "18.16"},
                     {18070000, 18080000, 18090000, 18100000, 18110000, 18120000, 18130000,
                      18140000, 18150000, 18160000},
                     0},
        BandMenuCase{"iaru1",
                     "160m",
                     0.05,
                     "160m  1.810 – 2.000 MHz",
                     {"1.81", "1.96"},
                     {1810000, 1860000, 1910000, 1960000},
                     0},
        BandMenuCase{"iaru2",
                     "60m",
                     0.05,
                     "60m  5.3515 – 5.3665 MHz (one point at 5.36)",
                     {"5.36", "5.36"},
                     {5360000},
                     0},
        // The sub-bands' gap is shaded and its points skipped, as for any plan.
        BandMenuCase{"us-general",
                     "80m",
                     0.05,
                     "80m  3.525 – 4.000 MHz",
                     {"3.53", "3.98"},
                     {3530000, 3580000, 3830000, 3880000, 3930000, 3980000},
                     4},
        // The stop box shows the last point planned, not the band's edge it falls short of.
        BandMenuCase{"us-general",
                     "40m",
                     0.05,
                     "40m  7.025 – 7.300 MHz",
                     {"7.03", "7.28"},
                     {7030000, 7080000, 7180000, 7230000, 7280000},
                     1},
        BandMenuCase{"us-general",
                     "20m",
                     0.05,
                     "20m  14.025 – 14.350 MHz",
                     {"14.03", "14.33"},
                     {14030000, 14080000, 14130000, 14230000, 14280000, 14330000},
                     1},
        BandMenuCase{"us-general",
                     "15m",
                     0.1,
                     "15m  21.025 – 21.450 MHz",
                     {"21.03", "21.43"},
                     {21030000, 21130000, 21330000, 21430000},
                     1},
        BandMenuCase{
            "us-general", "60m", 0.05, "60m  5.332 – 5.405 MHz (Sweep my bands)", {}, {}, 0}));

// Every band of every shipped plan, in every step the list offers and a typed one, in CW and
// in AM: the boxes stand on their grid, the first point on the lower box and inside, the last
// within the grid's step of the upper box, and no point beyond the band's top.
TEST(BandMenu, NoPlannedPointLiesBeyondAnyShippedBand) {
    for (const BandPlan& plan : shippedPlans()) {
        for (const Band& band : plan.bands) {
            for (const double stepMHz : {0.001, 0.003, 0.01, 0.025, 0.05, 0.1, 0.2, 0.25, 0.5}) {
                for (const std::int64_t sidebandHz : {std::int64_t{0}, kAmSidebandHz}) {
                    const BandBoxes boxes = bandBoxes(band, stepMHz, sidebandHz);
                    if (boxes.kind == BandBoxes::Kind::SweepMyBands) {
                        EXPECT_EQ(band.segments.front().lowHz, band.segments.front().highHz)
                            << plan.key << " " << band.name;  // only the channels
                        continue;
                    }
                    const std::vector<std::int64_t> points = plannedHz(boxes, stepMHz);
                    ASSERT_FALSE(points.empty()) << plan.key << " " << band.name;
                    EXPECT_EQ(boxes.startHz % 10000, 0);
                    EXPECT_EQ(boxes.stopHz % 10000, 0);
                    EXPECT_EQ(points.front(), boxes.startHz);
                    EXPECT_TRUE(carrierFits(plan, points.front(), sidebandHz));
                    const std::int64_t topHz =
                        carrierStretches(BandPlan{{}, {}, {band}}, sidebandHz).back().highHz;
                    EXPECT_LT(std::llabs(points.back() - boxes.stopHz), 10000)
                        << plan.key << " " << band.name << " " << stepMHz << " " << sidebandHz;
                    EXPECT_LE(points.back(), topHz)
                        << plan.key << " " << band.name << " " << stepMHz << " " << sidebandHz;
                }
            }
        }
    }
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
