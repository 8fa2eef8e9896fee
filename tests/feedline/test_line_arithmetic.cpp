// SPDX-License-Identifier: GPL-3.0-or-later
// The lossy line against answers worked out by hand or published, in every unit the
// Feedline dialog takes.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>

#include "feedline/line_units.h"
#include "feedline/transmission_line.h"
#include "results/impedance.h"

namespace zm {
namespace {

constexpr double kC = 299'792'458.0;

// A 50 ohm cable of the velocity factor, losing `loss` per 100 m or 100 ft at 14 MHz, all in
// its conductors (no loss: a lossless line).
Feedline line(double length, LengthUnit lengthUnit, double vf, double loss = 0.0,
              LengthUnit lossPer = LengthUnit::Metre) {
    Cable cable{"test", 50.0, vf, {}, {}, ""};
    if (loss > 0.0) {
        cable.loss = fitLossModel({{14.0, dbPer100mFrom(loss, lossPer)}});
    }
    return {cable, metresFrom(length, lengthUnit)};
}

struct LosslessCase {
    const char* name;
    double length;
    LengthUnit unit;
    double loadOhms;
    double meterOhms;  // worked out by hand
    friend void PrintTo(const LosslessCase& c, std::ostream* os) { *os << c.name; }
};

class LosslessLine : public ::testing::TestWithParam<LosslessCase> {};

TEST_P(LosslessLine, TurnsTheLoadAsWorkedOutByHand) {
    const LosslessCase& c = GetParam();
    const std::complex<double> z = meterImpedanceOf(c.loadOhms, line(c.length, c.unit, 0.66), 14e6);
    EXPECT_NEAR(z.real(), c.meterOhms, 1e-6);
    EXPECT_NEAR(z.imag(), 0.0, 1e-6);
}

// A quarter wave of VF 0.66 at 14 MHz: 0.66 c / (4 x 14 MHz) = 3.53336 m = 11.5924 ft;
// Z = Z0^2 / Z_L = 2500 / 25 = 100 ohm.
const double kQuarterWaveM = 0.66 * kC / (4.0 * 14e6);
INSTANTIATE_TEST_SUITE_P(
    Feedline, LosslessLine,
    ::testing::Values(
        LosslessCase{"MatchedLoadStaysMatchedMetres", 13.7, LengthUnit::Metre, 50, 50},
        LosslessCase{"MatchedLoadStaysMatchedFeet", 123.4, LengthUnit::Foot, 50, 50},
        LosslessCase{"QuarterWaveTurns25Into100Metres", kQuarterWaveM, LengthUnit::Metre, 25, 100},
        LosslessCase{"QuarterWaveTurns25Into100Feet", kQuarterWaveM / 0.3048, LengthUnit::Foot, 25,
                     100}),
    [](const auto& info) { return std::string(info.param.name); });

struct OpenLineCase {
    const char* name;
    double length;
    LengthUnit lengthUnit;
    double loss;
    LengthUnit lossPer;
    double oneWayDb;  // length x loss, by hand
    friend void PrintTo(const OpenLineCase& c, std::ostream* os) { *os << c.name; }
};

class OpenLine : public ::testing::TestWithParam<OpenLineCase> {};

// The wave goes out and comes back: the return loss at the shack, against the line's own
// Z0, is twice the one-way loss. (Against 50 ohm the reactive part of Z0 moves it by up
// to a tenth of a dB.)
TEST_P(OpenLine, ReturnLossAtTheShackIsTwiceTheOneWayLoss) {
    const OpenLineCase& c = GetParam();
    const Feedline open = line(c.length, c.lengthUnit, 0.66, c.loss, c.lossPer);
    EXPECT_NEAR(lineLossAt(50.0, open, 14e6).matchedDb, c.oneWayDb, 1e-9);
    const std::complex<double> z = meterImpedanceOf(1e15, open, 14e6);
    const std::complex<double> z0 = lineConstants(open.cable, 14e6).impedanceOhms;
    EXPECT_NEAR(returnLossDb(std::abs((z - z0) / (z + z0))), 2.0 * c.oneWayDb, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Feedline, OpenLine,
    ::testing::Values(
        // 20 m at 4.6 dB/100 m: 0.92 dB.
        OpenLineCase{"MetresAndPer100m", 20, LengthUnit::Metre, 4.6, LengthUnit::Metre, 0.92},
        // 65.6 ft (19.995 m) at 1.4 dB/100 ft (4.593 dB/100 m): 0.9184 dB.
        OpenLineCase{"FeetAndPer100ft", 65.6, LengthUnit::Foot, 1.4, LengthUnit::Foot, 0.9184},
        // 100 ft (30.48 m) at 3 dB/100 m: 0.9144 dB.
        OpenLineCase{"FeetAndPer100m", 100, LengthUnit::Foot, 3, LengthUnit::Metre, 0.9144}),
    [](const auto& info) { return std::string(info.param.name); });

// scikit-rf's worked example "Transmission Line Losses on a Loaded Lossy Line": 20 m of RG-8
// (VF 0.84) losing 1.483 dB/100 m at 13.56 MHz, 400 W into a 50 ohm load: 0.2966 dB matched
// loss, 373.594 W reach the load.
TEST(LossyLine, MatchesAPublishedWorkedExample) {
    Cable rg8{"RG-8", 50.0, 0.84, {}, fitLossModel({{13.56, 1.483}}), ""};
    const LineLoss loss = lineLossAt(50.0, Feedline{rg8, 20.0}, 13.56e6);
    EXPECT_NEAR(loss.matchedDb, 0.2966, 5e-5);
    EXPECT_NEAR(400.0 * std::pow(10.0, -loss.totalDb / 10.0), 373.594, 0.01);
}

// What the meter reads for the antenna, turned back, is the antenna again: for a lossy,
// a long and a ladder line, from 1.8 to 54 MHz, near a short, a match and an open.
TEST(LossyLine, AntennaThroughTheLineAndBackIsUnchanged) {
    const Cable rg174{"RG-174", 50.0, 0.66, {}, {0.6, 0.01, {}}, ""};
    const Cable ladder{"450", 450.0, 0.91, {}, {0.01, 0.0005, {}}, ""};
    for (const Feedline& feedline :
         {Feedline{rg174, 20.0}, Feedline{rg174, 50.0}, Feedline{ladder, 33.3}}) {
        for (const double hz : {1.8e6, 14.175e6, 54e6}) {
            for (const std::complex<double> antenna :
                 {std::complex<double>(1.0, -3.0), {57.0, 12.0}, {2000.0, 900.0}}) {
                const std::complex<double> back =
                    antennaImpedanceOf(meterImpedanceOf(antenna, feedline, hz), feedline, hz);
                EXPECT_LT(std::abs(back - antenna), 1e-9 * std::abs(antenna))
                    << feedline.description() << " at " << hz << " Hz, " << antenna;
            }
        }
    }
}

}  // namespace
}  // namespace zm
