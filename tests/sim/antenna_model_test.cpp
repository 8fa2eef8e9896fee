// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/antenna_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

namespace zm::sim {
namespace {

struct BandCase {
    const char* name;
    double frequencyMHz;
    double swr;
    double tolerance;
};

void PrintTo(const BandCase& row, std::ostream* out) {
    *out << row.name;
}

class DipoleAcrossBandTest : public ::testing::TestWithParam<BandCase> {};

TEST_P(DipoleAcrossBandTest, SwrAsOnTheAir) {
    const LoadReading reading = readingOf(dipoleImpedance(GetParam().frequencyMHz));
    EXPECT_NEAR(reading.swr, GetParam().swr, GetParam().tolerance);
}

INSTANTIATE_TEST_SUITE_P(TwentyMetres, DipoleAcrossBandTest,
                         ::testing::Values(BandCase{"BandBottomAboutThree", 14.0, 3.0, 0.2},
                                           BandCase{"ResonanceAboutOne", 14.175, 1.15, 0.15},
                                           BandCase{"BandTopAboutThree", 14.35, 3.0, 0.2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DipoleModel, ResonantInsideBandWithFiftyToSixtyFiveOhms) {
    const Impedance atResonance = dipoleImpedance(14.175);
    EXPECT_NEAR(atResonance.reactanceOhms, 0.0, 1e-9);
    EXPECT_GE(atResonance.resistanceOhms, 50.0);
    EXPECT_LE(atResonance.resistanceOhms, 65.0);
    EXPECT_LT(dipoleImpedance(14.0).reactanceOhms, 0.0);  // capacitive below resonance
    EXPECT_GT(dipoleImpedance(14.35).reactanceOhms, 0.0);
}

// What the meter shows must be one load: |Z| and phase give back R and X, and the SWR is
// the one of rho = (Z - 50) / (Z + 50).
TEST(LoadReading, PhaseAndSwrAgreeWithImpedance) {
    for (double mhz : {14.0, 14.1, 14.175, 14.25, 14.35}) {
        const Impedance load = dipoleImpedance(mhz);
        const LoadReading reading = readingOf(load);
        const std::complex<double> z(load.resistanceOhms, load.reactanceOhms);
        EXPECT_NEAR(reading.zOhms, std::abs(z), 1e-9);
        const double radians = reading.phaseDegrees * std::numbers::pi / 180.0;
        EXPECT_NEAR(reading.zOhms * std::cos(radians), load.resistanceOhms, 1e-9) << mhz;
        EXPECT_NEAR(reading.zOhms * std::sin(radians), load.reactanceOhms, 1e-9) << mhz;
        const double rho = std::abs((z - 50.0) / (z + 50.0));
        EXPECT_NEAR((reading.swr - 1.0) / (reading.swr + 1.0), rho, 1e-9) << mhz;
    }
}

TEST(LoadReading, MatchedShortAndOpenLoads) {
    EXPECT_DOUBLE_EQ(readingOf({50.0, 0.0}).swr, 1.0);
    EXPECT_DOUBLE_EQ(readingOf({100.0, 0.0}).swr, 2.0);
    EXPECT_DOUBLE_EQ(readingOf({25.0, 0.0}).swr, 2.0);
    EXPECT_TRUE(std::isinf(readingOf({0.0, 0.0}).swr));
    EXPECT_TRUE(std::isinf(readingOf({0.0, 30.0}).swr));  // pure reactance reflects all
}

TEST(LoadReading, PolarLoadComesBackAsGiven) {
    const LoadReading reading = readingOf(impedanceFromPolar(75.0, -30.0));
    EXPECT_NEAR(reading.zOhms, 75.0, 1e-9);
    EXPECT_NEAR(reading.phaseDegrees, -30.0, 1e-9);
}

}  // namespace
}  // namespace zm::sim
