// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/plot_mode.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

#include "tests/chart/recording_chart_plot.h"

namespace zm {
namespace {

using Calls = std::vector<std::string>;

struct ModeCase {
    const char* name;
    int plotMode;
    Calls calls;
    friend void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }
};

class PlotModeTable : public ::testing::TestWithParam<ModeCase> {};

TEST_P(PlotModeTable, WritesTitlesScalesThenAllSixLines) {
    RecordingChartPlot plot;
    applyPlotMode(plot, GetParam().plotMode);
    EXPECT_THAT(plot.calls, ::testing::ElementsAreArray(GetParam().calls));
}

Calls fixedScale(const char* title, const char* max, const char* major, int shownSeries) {
    Calls calls{std::string("title Y ") + title, std::string("title Y2 ") + title};
    for (const char* axis : {"Y", "Y2"}) {
        const std::string a(axis);
        calls.push_back("auto " + a + " off");
        calls.push_back("min " + a + (shownSeries == 6 ? " 0" : " 1"));
        calls.push_back("max " + a + " " + max);
        calls.push_back("major " + a + " " + major);
        calls.push_back("minor " + a + " 1");
    }
    for (int series = 1; series <= 6; ++series) {
        calls.push_back("line " + std::to_string(series) +
                        (series == shownSeries ? " show" : " hide"));
    }
    return calls;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PlotModeTable,
    ::testing::Values(
        ModeCase{"RjXScalesItselfAndDrawsROnLeftXOnRight",
                 0,
                 {"title Y R OHMS", "title Y2 X OHMS", "auto Y on", "auto Y2 on", "line 1 show",
                  "line 2 show", "line 3 hide", "line 4 hide", "line 5 hide", "line 6 hide"}},
        ModeCase{"ZAndPhaseDrawsSeriesThreeAndFive",
                 1,
                 {"title Y Z OHMS", "title Y2 Z DEGREES", "auto Y on", "auto Y2 on", "line 1 hide",
                  "line 2 hide", "line 3 show", "line 4 hide", "line 5 show", "line 6 hide"}},
        ModeCase{"SwrThreeToOneWritesMinOneBeforeMaxThree", 2, fixedScale("SWR", "3", "10", 4)},
        ModeCase{"SwrTenToOneFixesOneToTenInNine", 3, fixedScale("SWR", "10", "9", 4)},
        ModeCase{"RhoFixesZeroToOneInTen", 4, fixedScale("RHO", "1", "10", 6)},
        ModeCase{"NoSelectionWritesNothing", -1, {}}, ModeCase{"PastTheListWritesNothing", 5, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
