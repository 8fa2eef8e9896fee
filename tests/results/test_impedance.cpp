// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/impedance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace zm {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct LoadCase {
    const char* name;
    double zOhms;
    double phaseDegrees;
    std::complex<double> impedance;
    std::complex<double> gamma;
    double returnLossDb;
    double swr;
    friend void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }
};

class LoadTable : public ::testing::TestWithParam<LoadCase> {};

// Worked by hand: Gamma = (Z - 50) / (Z + 50), RL = -20 log10 |Gamma|,
// SWR = (1 + |Gamma|) / (1 - |Gamma|).
TEST_P(LoadTable, GivesImpedanceReflectionReturnLossAndSwr) {
    const LoadCase& c = GetParam();
    const std::complex<double> z = impedanceFromPolar(c.zOhms, c.phaseDegrees);
    EXPECT_NEAR(z.real(), c.impedance.real(), 1e-9);
    EXPECT_NEAR(z.imag(), c.impedance.imag(), 1e-9);
    const std::complex<double> gamma = reflectionCoefficient(z);
    EXPECT_NEAR(gamma.real(), c.gamma.real(), 1e-12);
    EXPECT_NEAR(gamma.imag(), c.gamma.imag(), 1e-12);
    const double rho = std::abs(gamma);
    if (std::isinf(c.returnLossDb)) {
        EXPECT_EQ(returnLossDb(rho), c.returnLossDb);
    } else {
        EXPECT_NEAR(returnLossDb(rho), c.returnLossDb, 1e-4);
    }
    if (std::isinf(c.swr)) {
        EXPECT_EQ(swrFromRho(rho), c.swr);
    } else {
        EXPECT_NEAR(swrFromRho(rho), c.swr, 1e-4);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Loads, LoadTable,
    ::testing::Values(
        LoadCase{"MatchedFiftyOhmReflectsNothing", 50.0, 0.0, {50.0, 0.0}, {0.0, 0.0}, kInf, 1.0},
        LoadCase{
            "TwentyFiveOhmIsSwrTwoBelow", 25.0, 0.0, {25.0, 0.0}, {-1.0 / 3, 0.0}, 9.5424, 2.0},
        LoadCase{"HundredOhmIsSwrTwoAbove", 100.0, 0.0, {100.0, 0.0}, {1.0 / 3, 0.0}, 9.5424, 2.0},
        // |Z| = 50 sqrt 2 at 45 degrees: Gamma = j50 / (100 + j50) = 0.2 + j0.4.
        LoadCase{
            "FiftyPlusJFifty", 70.710678118654752, 45.0, {50.0, 50.0}, {0.2, 0.4}, 6.9897, 2.6180},
        // The meter's sign of the phase is the sign of X: 43.30 - j25.00.
        LoadCase{"NegativePhaseIsCapacitive",
                 50.0,
                 -30.0,
                 {43.301270189, -25.0},
                 {0.0, -0.26794919243112},
                 11.43895,
                 1.7321},
        LoadCase{"ShortReflectsEverything", 0.0, 0.0, {0.0, 0.0}, {-1.0, 0.0}, 0.0, kInf}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Impedance, OpenHasNoFiniteImpedanceAndReflectsEverything) {
    EXPECT_FALSE(impedanceFromReflection({1.0, 0.0}, 50.0).has_value());
    const double rho = std::abs(reflectionCoefficient({1e12, 0.0}));
    EXPECT_NEAR(rho, 1.0, 1e-9);
    EXPECT_EQ(swrFromRho(1.0), kInf);
    EXPECT_EQ(returnLossDb(1.0), 0.0);
}

}  // namespace
}  // namespace zm
