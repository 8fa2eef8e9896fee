// SPDX-License-Identifier: GPL-3.0-or-later
// The refine rule against each simulated antenna's model, read as the meter would report
// it: the same answers as the full grid, every point keyed an open grid point and keyed
// once, and far fewer key-downs.

#include "sweep/refine_rule.h"

#include <gtest/gtest.h>

#include <vector>

#include "sim/antenna_choice.h"
#include "sweep/grid_answers.h"
#include "tests/support/refine_grid.h"

namespace zm {
namespace {

std::vector<RefinePoint> fullGrid(const char* antenna, double startMHz, double stepMHz,
                                  int points) {
    return test::fullGrid(*sim::namedAntenna(antenna), startMHz, stepMHz, points);
}

// Keys what the rule asks for; the number of key-downs.
int refine(const std::vector<RefinePoint>& full, std::vector<RefinePoint>& keyed) {
    const test::RefineRun run = test::refineOver(full, keyed);
    EXPECT_FALSE(run.keyedAgainOrClosed);
    return run.keyDowns;
}

struct AntennaPlan {
    const char* name;
    const char* antenna;
    double startMHz;
    double stepKHz;
    int points;
    int mostKeyDowns;
    friend void PrintTo(const AntennaPlan& c, std::ostream* os) { *os << c.name; }
};

class RefineAgainstAntennas : public ::testing::TestWithParam<AntennaPlan> {};

TEST_P(RefineAgainstAntennas, AnswersAsTheFullGridWithFewKeyDowns) {
    const AntennaPlan& plan = GetParam();
    const std::vector<RefinePoint> full =
        fullGrid(plan.antenna, plan.startMHz, plan.stepKHz / 1000.0, plan.points);
    std::vector<RefinePoint> keyed(full.size());
    const int keyDowns = refine(full, keyed);
    EXPECT_EQ(gridAnswersOf(keyed), gridAnswersOf(full));
    EXPECT_LE(keyDowns, plan.mostKeyDowns);
}

// Around each antenna's resonances, about 36, 101 and 288 points; at most 0.4 of the
// points keyed at 36 and 0.15 at 288, but for the fan dipole at 36 points, whose answers
// alone need 22 of its 36 points keyed.
INSTANTIATE_TEST_SUITE_P(
    Simulated, RefineAgainstAntennas,
    ::testing::Values(AntennaPlan{"Dipole36", "dipole", 14.0, 10.0, 36, 14},
                      AntennaPlan{"Dipole101", "dipole", 14.0, 3.5, 101, 40},
                      AntennaPlan{"Dipole281", "dipole", 14.0, 1.25, 281, 42},
                      AntennaPlan{"Loop36", "loop", 7.0, 6.0, 36, 14},
                      AntennaPlan{"Loop101", "loop", 7.0, 2.0, 101, 40},
                      AntennaPlan{"Loop287", "loop", 7.0, 0.7, 287, 43},
                      AntennaPlan{"Multiband36", "multiband", 3.5, 8.5, 36, 14},
                      AntennaPlan{"Multiband101", "multiband", 3.5, 3.0, 101, 40},
                      AntennaPlan{"Multiband287", "multiband", 3.5, 1.05, 287, 43},
                      AntennaPlan{"Fan36", "fan", 3.5, 8.5, 36, 26},
                      AntennaPlan{"Fan101", "fan", 3.5, 3.0, 101, 40},
                      AntennaPlan{"Fan287", "fan", 3.5, 1.05, 287, 43}),
    [](const auto& info) { return std::string(info.param.name); });

// Points outside the band plan are never asked for, the others are refined as before; a
// one-point plan keys its point and ends.
TEST(RefineRule, ClosedPointsAreNeverKeyedAndTinyPlansEnd) {
    const std::vector<RefinePoint> full = fullGrid("dipole", 14.0, 0.01, 36);
    std::vector<RefinePoint> open = full;
    std::vector<RefinePoint> keyed(full.size());
    for (int closed = 20; closed <= 30; ++closed) {
        open[static_cast<std::size_t>(closed)] = RefinePoint{std::nullopt, false};
        keyed[static_cast<std::size_t>(closed)].keyable = false;
    }
    refine(full, keyed);
    EXPECT_EQ(gridAnswersOf(keyed), gridAnswersOf(open));

    std::vector<RefinePoint> one(1);
    EXPECT_EQ(nextPointToKey(one), 0);
    one[0].reading = full[0].reading;
    EXPECT_EQ(nextPointToKey(one), std::nullopt);
    EXPECT_EQ(nextPointToKey({}), std::nullopt);
}

}  // namespace
}  // namespace zm
