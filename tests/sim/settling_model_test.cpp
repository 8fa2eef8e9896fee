// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/settling_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

namespace zm::sim {
namespace {

using std::chrono::milliseconds;

// The meter's average over its window, summed numerically from the radio's rising power,
// not from the closed form under test.
double averagedRise(double keyedS, double riseS, double windowS) {
    constexpr int kSteps = 20000;
    const auto instant = [&](double t) {
        return t < 0.0 ? 0.0 : riseS > 0.0 ? 1.0 - std::exp(-t / riseS) : 1.0;
    };
    if (windowS <= 0.0) {
        return instant(keyedS);
    }
    double sum = 0.0;
    const double step = windowS / kSteps;
    for (int i = 0; i < kSteps; ++i) {
        sum += instant(keyedS - windowS + (i + 0.5) * step);
    }
    return sum / kSteps;
}

struct SettlingCase {
    const char* name;
    int riseMs;
    int windowMs;
    int keyedMs;
    friend void PrintTo(const SettlingCase& c, std::ostream* os) { *os << c.name; }
};

class SettlingTable : public ::testing::TestWithParam<SettlingCase> {};

TEST_P(SettlingTable, ReadingIsTheWindowsAverageOfTheRisingPower) {
    const SettlingCase& c = GetParam();
    const SettlingModel model{milliseconds(c.riseMs), milliseconds(c.windowMs), 0.0};
    const MeterValues settled{100.0, 57.0, -40.0, 1.14};
    const double part = averagedRise(c.keyedMs / 1000.0, c.riseMs / 1000.0, c.windowMs / 1000.0);
    const MeterValues shown = partOf(settled, settledPart(milliseconds(c.keyedMs), model));
    EXPECT_NEAR(shown.power, 100.0 * part, 1e-4);
    EXPECT_NEAR(shown.zOhms, 57.0 * part, 1e-4);
    EXPECT_NEAR(shown.phaseDegrees, -40.0 * part, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Models, SettlingTable,
                         ::testing::Values(SettlingCase{"AtKeyDownNothing", 30, 300, 0},
                                           SettlingCase{"DefaultFirstUsefulReading", 30, 300, 200},
                                           SettlingCase{"DefaultWindowJustFull", 30, 300, 300},
                                           SettlingCase{"DefaultAlmostThere", 30, 300, 400},
                                           SettlingCase{"SlowHalfWay", 150, 600, 400},
                                           SettlingCase{"SlowAtTheFixedWait", 150, 600, 1000},
                                           SettlingCase{"NoWindowIsTheRiseAlone", 30, 0, 50},
                                           SettlingCase{"NoRiseIsTheWindowFilling", 0, 300, 150},
                                           SettlingCase{"InstantMeter", 0, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm::sim
