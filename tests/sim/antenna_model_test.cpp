// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/antenna_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "sim/antenna_choice.h"
#include "sim/sim_options.h"
#include "sim/touchstone_antenna.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace zm::sim {
namespace {

struct BandCase {
    const char* name;
    const char* antenna;
    double frequencyMHz;
    double swr;
    double tolerance;
};

void PrintTo(const BandCase& row, std::ostream* out) {
    *out << row.name;
}

class AntennaAcrossBandTest : public ::testing::TestWithParam<BandCase> {};

// What --help and the models' comments promise of each antenna.
TEST_P(AntennaAcrossBandTest, SwrAsOnTheAir) {
    const auto antenna = namedAntenna(GetParam().antenna);
    ASSERT_TRUE(antenna);
    const LoadReading reading = readingOf((*antenna)(GetParam().frequencyMHz));
    EXPECT_NEAR(reading.swr, GetParam().swr, GetParam().tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Antennas, AntennaAcrossBandTest,
    ::testing::Values(BandCase{"DipoleBandBottomAboutThree", "dipole", 14.0, 3.0, 0.2},
                      BandCase{"DipoleResonanceAboutOne", "dipole", 14.175, 1.15, 0.15},
                      BandCase{"DipoleBandTopAboutThree", "dipole", 14.35, 3.0, 0.2},
                      BandCase{"LoopDip", "loop", 7.0545, 1.03, 0.02},
                      BandCase{"LoopTwoToOneBelow", "loop", 7.047, 2.0, 0.1},
                      BandCase{"LoopTwoToOneAbove", "loop", 7.062, 2.0, 0.1},
                      BandCase{"LoopTenThirtyTwoKilohertzBelow", "loop", 7.0225, 10.0, 0.5},
                      BandCase{"LoopTenThirtyTwoKilohertzAbove", "loop", 7.0865, 10.0, 0.5},
                      BandCase{"MultibandEightyMetres", "multiband", 3.614, 1.2, 0.02},
                      BandCase{"MultibandBetweenEightyAndForty", "multiband", 5.136, 26.6, 0.5},
                      BandCase{"MultibandTenMetres", "multiband", 28.399, 1.6, 0.02},
                      BandCase{"FanCwDip", "fan", 3.548, 1.18, 0.02},
                      BandCase{"FanHumpBetween", "fan", 3.629, 2.96, 0.02},
                      BandCase{"FanPhoneDip", "fan", 3.7115, 1.18, 0.02}),
    [](const auto& info) { return std::string(info.param.name); });

// Weather moves the resonance: --shift 20 puts the dipole's 20 kHz higher, and --drift -30 takes
// it 15 kHz lower again in half an hour.
TEST(AntennaAcrossBand, ShiftAndDriftMoveTheResonance) {
    const auto options = std::get<SimOptions>(parseSimOptions({"--shift", "20", "--drift", "-30"}));
    const auto resonantAt = [&](double mhz, std::chrono::minutes running) {
        return readingOf(dipoleImpedance(options.antennaMHz(mhz, running))).phaseDegrees;
    };
    EXPECT_NEAR(resonantAt(14.195, std::chrono::minutes(0)), 0.0, 0.1);
    EXPECT_NEAR(resonantAt(14.180, std::chrono::minutes(30)), 0.0, 0.1);
    EXPECT_LT(resonantAt(14.175, std::chrono::minutes(0)), -1.0);  // capacitive below it
}

// Between a file's points the reflection coefficient runs straight: 25 and 100 ohm are
// Gamma -1/3 and 1/3, so halfway is 50 ohm (a straight Z would give 62.5); outside the
// file the nearest end holds.
TEST(TouchstoneAntenna, InterpolatesGammaBetweenTheFilesPoints) {
    const auto read = TouchstoneAntenna::fromText(
        "! Z normalised to 50 ohm\n# MHz Z RI R 50\n7.0 0.5 0\n7.1 2 0\n7.2 1 1\n");
    ASSERT_TRUE(std::holds_alternative<TouchstoneAntenna>(read)) << std::get<std::string>(read);
    const TouchstoneAntenna& antenna = std::get<TouchstoneAntenna>(read);
    const auto near = [&](double mhz, double r, double x) {
        const Impedance z = antenna.impedanceAt(mhz);
        EXPECT_NEAR(z.resistanceOhms, r, 1e-9) << mhz;
        EXPECT_NEAR(z.reactanceOhms, x, 1e-9) << mhz;
    };
    near(7.0, 25.0, 0.0);
    near(7.05, 50.0, 0.0);
    near(7.2, 50.0, 50.0);
    near(6.5, 25.0, 0.0);
    near(8.0, 50.0, 50.0);
}

TEST(TouchstoneAntenna, FileItCannotUseIsNamedWithWhatIsWrong) {
    EXPECT_THAT(std::get<std::string>(TouchstoneAntenna::fromText("# MHz S MA R 50\n7 1 0\n")),
                ::testing::HasSubstr("no point"));  // an open alone
    EXPECT_THAT(std::get<std::string>(TouchstoneAntenna::fromText("# MHz S MA R 50\n7 x 0\n")),
                ::testing::HasSubstr("line 2"));
    try {
        antennaFor("/nonexistent/lop");
        ADD_FAILURE() << "an unknown name is no antenna";
    } catch (const std::runtime_error& error) {
        EXPECT_THAT(error.what(), ::testing::HasSubstr("dipole, loop, multiband, fan"));
    }
}

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
