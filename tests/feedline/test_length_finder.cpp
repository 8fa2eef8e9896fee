// SPDX-License-Identifier: GPL-3.0-or-later
// The length finder on sweeps of an open or shorted cable: the lengths it finds through a
// meter's noise, and the sweeps it refuses, saying what to sweep instead.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <random>
#include <sstream>
#include <string>

#include "feedline/length_finder.h"
#include "feedline/transmission_line.h"
#include "results/impedance.h"

namespace zm {
namespace {

const Cable& rg58() {
    static const Cable cable{
        "RG-58", 50.0, 0.66, {}, fitLossModel({{1, 1.13}, {10, 3.67}, {50, 8.55}, {100, 12.5}}),
        ""};
    return cable;
}

// The meter's noise on |Z| and on the phase, one standard deviation.
struct Noise {
    double zShare = 0.0;
    double phaseDegrees = 0.0;
};

// The cable's own sweep as the meter reads it, far end open or shorted, from `fromMHz` up
// in `stepMHz` steps.
SweepRecord cableSweep(double lengthM, FarEnd end, double fromMHz, double toMHz, double stepMHz,
                       Noise noise = {}) {
    std::mt19937 random(480);
    std::normal_distribution<double> normal;
    SweepRecord record;
    for (double mhz = fromMHz; mhz <= toMHz + 1e-9; mhz += stepMHz) {
        const std::complex<double> z =
            meterImpedanceOf(end == FarEnd::Open ? 1e15 : 0.0, {rg58(), lengthM}, mhz * 1e6);
        const double zOhms = std::abs(z) * (1.0 + noise.zShare * normal(random));
        const double phase = phaseDegreesOf(z) + noise.phaseDegrees * normal(random);
        record.points.push_back(
            {std::llround(mhz * 1e6), PointReading{std::nullopt, zOhms, phase, 1.0}});
    }
    return record;
}

struct StubCase {
    double lengthM;
    FarEnd end;
    friend void PrintTo(const StubCase& c, std::ostream* os) {
        *os << c.lengthM << " m " << (c.end == FarEnd::Open ? "open" : "shorted");
    }
};

class NoisyStub : public ::testing::TestWithParam<StubCase> {};

// 1.8 to 30 MHz in 100 kHz steps, through 2 % of |Z| and 1 degree of phase noise.
TEST_P(NoisyStub, IsFoundToAFewCentimetres) {
    const StubCase& c = GetParam();
    const auto fit =
        findLength(cableSweep(c.lengthM, c.end, 1.8, 30.0, 0.1, {0.02, 1.0}), rg58(), c.end);
    ASSERT_TRUE(std::holds_alternative<LengthFit>(fit)) << std::get<std::string>(fit);
    EXPECT_NEAR(std::get<LengthFit>(fit).lengthM, c.lengthM, std::max(0.02, 0.002 * c.lengthM));
}

INSTANTIATE_TEST_SUITE_P(
    Feedline, NoisyStub,
    ::testing::Values(StubCase{0.5, FarEnd::Open}, StubCase{0.5, FarEnd::Shorted},
                      StubCase{7.3, FarEnd::Open}, StubCase{23.4, FarEnd::Shorted},
                      StubCase{75.0, FarEnd::Open}, StubCase{200.0, FarEnd::Open},
                      StubCase{200.0, FarEnd::Shorted}),
    [](const auto& info) {
        // "Open0m5", "Shorted200m"
        std::ostringstream name;
        name << (info.param.end == FarEnd::Open ? "Open" : "Shorted") << info.param.lengthM;
        std::string text = name.str();
        const std::size_t point = text.find('.');
        return point == std::string::npos ? text + "m" : text.replace(point, 1, "m");
    });

TEST(LengthFinder, TakesTheReadingsInTheOrderOfTheirFrequencies) {
    SweepRecord falling = cableSweep(23.4, FarEnd::Open, 1.8, 30.0, 0.1);
    std::reverse(falling.points.begin(), falling.points.end());
    const auto fit = findLength(falling, rg58(), FarEnd::Open);
    ASSERT_TRUE(std::holds_alternative<LengthFit>(fit)) << std::get<std::string>(fit);
    EXPECT_NEAR(std::get<LengthFit>(fit).lengthM, 23.4, 0.01);
    EXPECT_NEAR(std::get<LengthFit>(fit).electricalLengthM, 23.4 / 0.66, 0.01);
}

struct RefusalCase {
    const char* name;
    SweepRecord sweep;
    FarEnd askedFor;
    std::string says;
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
};

class Refusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, SaysWhatToSweepInstead) {
    const RefusalCase& c = GetParam();
    const auto fit = findLength(c.sweep, rg58(), c.askedFor);
    ASSERT_TRUE(std::holds_alternative<std::string>(fit))
        << "found " << std::get<LengthFit>(fit).lengthM << " m";
    EXPECT_NE(std::get<std::string>(fit).find(c.says), std::string::npos)
        << std::get<std::string>(fit);
}

SweepRecord oneReading() {
    SweepRecord record = cableSweep(23.4, FarEnd::Open, 14.0, 14.0, 0.1);
    record.points.push_back({14100000, std::nullopt});
    return record;
}

INSTANTIATE_TEST_SUITE_P(
    Feedline, Refusal,
    ::testing::Values(
        // 1 MHz steps tell no more than 75 m electrically, 49.5 m of RG-58.
        RefusalCase{"LongCableInCoarseSteps", cableSweep(100.0, FarEnd::Open, 1.8, 30.0, 1.0),
                    FarEnd::Open, "sweep 1.8 to 29.8 MHz in 100 kHz steps"},
        RefusalCase{"LongerCableInCoarseSteps", cableSweep(120.0, FarEnd::Open, 1.8, 30.0, 1.0),
                    FarEnd::Open, "sweep 1.8 to 29.8 MHz in 100 kHz steps"},
        RefusalCase{"LongNoisyCableInCoarseSteps",
                    cableSweep(100.0, FarEnd::Open, 1.8, 30.0, 1.0, {0.02, 1.0}), FarEnd::Open,
                    "sweep 1.8 to 29.8 MHz in 100 kHz steps"},
        RefusalCase{"NarrowBand", cableSweep(23.4, FarEnd::Open, 14.0, 14.1, 0.1), FarEnd::Open,
                    "sweep a wider band, e.g. 1.8 to 30 MHz"},
        // From 2 MHz every 1 MHz step turns a cable 150 m longer electrically by whole turns.
        RefusalCase{"LengthsTheStepCannotTellApart",
                    cableSweep(23.4 + 150.0 * 0.66, FarEnd::Open, 2.0, 30.0, 1.0), FarEnd::Open,
                    "in 100 kHz steps"},
        RefusalCase{"OtherFarEnd", cableSweep(23.4, FarEnd::Open, 1.8, 30.0, 0.1), FarEnd::Shorted,
                    "check that its far end is shorted"},
        RefusalCase{"OneReading", oneReading(), FarEnd::Open, "fewer than two readings"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
