// SPDX-License-Identifier: GPL-3.0-or-later
// When a keyed point's readings have settled: readings in, the reading that settles out.

#include "sweep/settle_rule.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace zm {
namespace {

using Readings = std::vector<std::optional<SettleSample>>;

// Power 100 W into a load whose Z and phase come up as the readings go on.
Readings zSteps(std::initializer_list<double> zOhms) {
    Readings readings;
    for (const double z : zOhms) {
        readings.push_back(SettleSample{100.0, z, -48.0});
    }
    return readings;
}

struct SettleCase {
    const char* name;
    Readings readings;
    int settledAt;  // the reading after which the point is taken; 0: none of them
    friend void PrintTo(const SettleCase& c, std::ostream* os) { *os << c.name; }
};

class SettleTable : public ::testing::TestWithParam<SettleCase> {};

TEST_P(SettleTable, TakesThePointAtTheFirstSettledReading) {
    SettleRule rule;
    int settledAt = 0;
    for (std::size_t i = 0; i < GetParam().readings.size() && settledAt == 0; ++i) {
        settledAt = rule.settledAfter(GetParam().readings[i]) ? int(i) + 1 : 0;
    }
    EXPECT_EQ(settledAt, GetParam().settledAt);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, SettleTable,
    ::testing::Values(
        // The default simulated meter (30 ms rise, 300 ms window), read every 0.2 s.
        SettleCase{"DefaultMeterAtTheFourthReading",
                   {SettleSample{0.0, 0.0, 0.0}, SettleSample{56.7, 32.3, -27.2},
                    SettleSample{99.6, 56.8, -47.8}, SettleSample{100.0, 57.0, -48.0},
                    SettleSample{100.0, 57.0, -48.0}},
                   4},
        // 18 % of the distance to 100 ohm a reading: the last two agree within 1 % from
        // 96.3 on, while the meter is still more than 2 % away.
        SettleCase{"SlowDriftIsNeverTakenForSettled", zSteps({94.5, 95.5, 96.3, 97.0, 97.5, 98.0}),
                   0},
        // The same drift with the meter's noise on it (0.2 % of Z): steps that seem to halve,
        // or to turn, while the meter is still 3 % away.
        SettleCase{"NoisySlowDriftLooksHalvingButIsNotSettled",
                   zSteps({95.0, 96.1, 96.6, 97.3, 97.7, 98.2}), 0},
        SettleCase{"NoisySlowDriftLooksTurnedButIsNotSettled",
                   zSteps({95.0, 96.2, 96.1, 97.3, 97.6, 98.0}), 0},
        // 150 ms rise, 600 ms window: still 1.7 % short at the fixed wait's reading.
        SettleCase{"SlowMeterHasNotSettledByTheLimit",
                   {SettleSample{0.0, 0.0, 0.0}, SettleSample{14.9, 8.5, -7.2},
                    SettleSample{43.4, 24.7, -20.8}, SettleSample{75.5, 43.0, -36.2},
                    SettleSample{93.5, 53.3, -44.9}, SettleSample{98.3, 56.0, -47.2}},
                   0},
        SettleCase{"NoiseAroundTheFinalValueSettles",
                   {SettleSample{100.0, 57.0, -48.0}, SettleSample{100.2, 57.1, -47.9},
                    SettleSample{99.9, 56.9, -48.1}},
                   3},
        SettleCase{"ReadingsWithoutPowerNeverSettle", Readings(5, SettleSample{0.0, 0.0, 0.0}), 0},
        // A rejected poll neither counts nor starts the comparison again.
        SettleCase{"RejectedPollIsSkipped",
                   {SettleSample{0.0, 0.0, 0.0}, SettleSample{56.7, 32.3, -27.2}, std::nullopt,
                    SettleSample{100.0, 57.0, -48.0}, SettleSample{100.0, 57.0, -48.0}},
                   5},
        // One degree, not 1 % of the phase: the last three span 0.4 degrees.
        SettleCase{"PhaseWithinOneDegree",
                   {SettleSample{100.0, 57.0, -40.0}, SettleSample{100.0, 57.0, -46.0},
                    SettleSample{100.0, 57.0, -47.9}, SettleSample{100.0, 57.0, -48.2},
                    SettleSample{100.0, 57.0, -48.3}},
                   5},
        // Below 50 ohm 1 % is less than half an ohm: the half ohm holds.
        SettleCase{"LowZWithinHalfAnOhm", zSteps({10.5, 10.6, 10.7}), 3}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
