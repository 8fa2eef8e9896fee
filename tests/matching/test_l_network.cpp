// SPDX-License-Identifier: GPL-3.0-or-later
// The L-networks for hand-worked loads, each built from its printed values and put back
// into its load: the transmitter must then see 50 + j0 ohm.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <sstream>

#include "matching/l_network.h"
#include "matching/match_text.h"
#include "numbers/number_text.h"

namespace zm {
namespace {

using ::testing::ElementsAreArray;

// At 10^8 rad/s a reactance of 50 ohm is 500 nH or 200 pF: the values come out round.
constexpr double kRoundHz = 1e8 / (2.0 * std::numbers::pi);

// What the transmitter sees through the network, from the components' values alone: the
// antenna's end first, a series part added to Z, a shunt part's admittance to Y.
std::complex<double> inputImpedance(std::complex<double> load, const LNetwork& network,
                                    double frequencyHz) {
    const double omega = 2.0 * std::numbers::pi * frequencyHz;
    std::complex<double> z = load;
    for (auto part = network.components.rbegin(); part != network.components.rend(); ++part) {
        const double value = part->valueAt(frequencyHz);
        const std::complex<double> own(0.0,
                                       part->isInductor() ? omega * value : -1.0 / (omega * value));
        z = part->placement == Placement::Series ? z + own : 1.0 / (1.0 / z + 1.0 / own);
    }
    return z;
}

std::vector<std::string> linesAfterThePoint(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    lines.erase(lines.begin());
    return lines;
}

struct LoadCase {
    const char* name;
    std::complex<double> loadOhms;
    MatchVerdict verdict;
    std::vector<std::string> lines;  // after the point's line
    std::vector<std::string> forms;
    friend void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }
};

class LoadTable : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadTable, ListsEveryNetworkAndEachGivesFiftyOhm) {
    const LoadCase& c = GetParam();
    const MatchResult match = matchLoad(c.loadOhms);
    EXPECT_EQ(match.verdict, c.verdict);
    EXPECT_THAT(linesAfterThePoint(matchText(kRoundHz, c.loadOhms, match)),
                ElementsAreArray(c.lines));
    std::vector<std::string> forms;
    for (const LNetwork& network : match.networks) {
        forms.push_back(network.form());
        const std::complex<double> seen = inputImpedance(c.loadOhms, network, kRoundHz);
        EXPECT_LE(std::abs(seen - 50.0), 0.005 * 50.0)
            << networkLine(network, kRoundHz) << " gives " << seen;
        const auto path = matchPath(c.loadOhms, network, 16);
        EXPECT_EQ(path.front(), reflectionCoefficient(c.loadOhms));
        EXPECT_LT(std::abs(path.back()), 1e-9);
    }
    EXPECT_THAT(forms, ElementsAreArray(c.forms));
}

INSTANTIATE_TEST_SUITE_P(
    Loads, LoadTable,
    ::testing::Values(
        // R below 50: only the series part at the antenna works, to +-j25 and G = 1/50.
        LoadCase{"TwentyFiveOhm",
                 25.0,
                 MatchVerdict::Networks,
                 {"shunt C 200 pF, series L 250 nH", "shunt L 500 nH, series C 400 pF"},
                 {"low-pass", "high-pass"}},
        // R above 50: only the shunt part at the antenna works, to G = 0.01 +- j0.01.
        LoadCase{"HundredOhm",
                 100.0,
                 MatchVerdict::Networks,
                 {"series L 500 nH, shunt C 100 pF", "series C 200 pF, shunt L 1.00 uH"},
                 {"low-pass", "high-pass"}},
        // On the R = 50 circle: a series C alone; the shunt C of the other way round moves
        // it to 50 - j50 first.
        LoadCase{"FiftyPlusJFifty",
                 {50.0, 50.0},
                 MatchVerdict::Networks,
                 {"series L 500 nH, shunt C 200 pF", "series C 200 pF"},
                 {"low-pass", ""}},
        // Both ways work: four networks, two of them of one kind of part only.
        LoadCase{"TenMinusJThirty",
                 {10.0, -30.0},
                 MatchVerdict::Networks,
                 {"series L 500 nH, shunt L 500 nH", "series C 200 pF, shunt L 250 nH",
                  "shunt C 400 pF, series L 500 nH", "shunt L 250 nH, series L 100 nH"},
                 {"", "high-pass", "low-pass", ""}},
        LoadCase{"AlreadyFiftyOhm",
                 {51.0, 1.0},
                 MatchVerdict::AlreadyMatched,
                 {"SWR 1.03: no matching network needed"},
                 {}},
        LoadCase{"PureReactance",
                 {0.0, 100.0},
                 MatchVerdict::CannotMatch,
                 {"no L-network can match this point: its resistance is 0 or below (a pure "
                  "reactance, or a faulty reading)"},
                 {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MatchText, NamesThePointThenGivesValuesAtItsFrequency) {
    const std::complex<double> load(25.0, 0.0);
    EXPECT_EQ(matchText(14050000.0, load, matchLoad(load)),
              "14.050 MHz: 25.0 + j0.0 ohm\n"
              "shunt C 227 pF, series L 283 nH\n"
              "shunt L 566 nH, series C 453 pF\n");
    EXPECT_EQ(matchPointLine(14050000.0, {64.2, -87.5}), "14.050 MHz: 64.2 - j87.5 ohm");
}

struct SignificantCase {
    double value;
    const char* text;
};

TEST(ThreeSignificant, RoundsOnceAndCarriesIntoTheNextDecade) {
    for (const SignificantCase& c : {SignificantCase{456.3, "456"},
                                     {1.234, "1.23"},
                                     {999.7, "1000"},
                                     {9.996, "10.0"},
                                     {0.012345, "0.0123"},
                                     {1.0, "1.00"},
                                     {12345.0, "12300"}}) {
        EXPECT_EQ(threeSignificant(c.value), c.text) << c.value;
    }
}

}  // namespace
}  // namespace zm
