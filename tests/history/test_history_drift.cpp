// SPDX-License-Identifier: GPL-3.0-or-later
// A sweep against the reference of its antenna and band: compared where both read and at a
// plane both can be brought to, so that a new feedline, another plan or the other plane shown
// is no drift, and a moved resonance or a worse SWR is.

#include <gtest/gtest.h>

#include <cmath>

#include "history/history_store.h"
#include "tests/history/history_sweeps.h"
#include "tests/history/temp_folder.h"

namespace zm {
namespace {

using test::dipoleEntry;
using test::DipoleSweep;

struct DriftCase {
    const char* name;
    DipoleSweep reference;
    DipoleSweep sweep;
    std::optional<double> resonanceKHz;  // against the reference, within 1 kHz; none: not compared
    std::vector<std::string> beyond;
    const char* line;  // in the line
};

void PrintTo(const DriftCase& row, std::ostream* out) {
    *out << row.name;
}

class SweepDriftTest : public ::testing::TestWithParam<DriftCase> {};

TEST_P(SweepDriftTest, IsMeasuredWhereBothSweepsCanBeCompared) {
    test::TempFolder folder;
    HistoryStore history(folder.path());
    ASSERT_TRUE(history.record(dipoleEntry(GetParam().reference)).id);
    DipoleSweep later = GetParam().sweep;
    later.taken = {GetParam().reference.taken.utcSeconds + 86400 * 7, 120};
    const auto id = history.record(dipoleEntry(later)).id;
    ASSERT_TRUE(id);

    std::string problem;
    const auto drift = history.drift(*id, HistorySettings{}, problem);
    ASSERT_TRUE(drift) << problem;
    EXPECT_FALSE(drift->isReference);
    ASSERT_EQ(drift->reference.has_value(), GetParam().resonanceKHz.has_value()) << drift->line;
    if (drift->reference) {
        ASSERT_TRUE(drift->reference->resonanceKHz()) << drift->line;
        EXPECT_NEAR(*drift->reference->resonanceKHz(), *GetParam().resonanceKHz, 1.0);
    }
    EXPECT_EQ(drift->beyond, GetParam().beyond) << drift->line;
    EXPECT_NE(drift->line.find(GetParam().line), std::string::npos) << drift->line;
    EXPECT_EQ(drift->line.find('\n'), std::string::npos);
}

// Behind 20 m of RG-58 the dipole's resonance at the meter is far from its own.
INSTANTIATE_TEST_SUITE_P(
    History, SweepDriftTest,
    ::testing::Values(
        DriftCase{"ResonanceMovedBeyondTheLimit",
                  {},
                  {.shiftKHz = -22},
                  -22,
                  {"resonance"},
                  "20m dipole, 20m: resonance 14.153 MHz, 22 kHz below the reference of "
                  "21 Sep 2026; lowest SWR 1.14, reference 1.14. The resonance has drifted "
                  "more than 15 kHz."},
        DriftCase{"WithinTheLimits", {}, {.shiftKHz = 5}, 5, {}, "5 kHz above the reference"},
        DriftCase{"LossierAntenna",
                  {},
                  {.addedOhms = 25},
                  0,
                  {"lowest_swr"},
                  "The lowest SWR has drifted more than 0.3."},
        DriftCase{"NarrowerPlanComparedWhereBothRead",
                  {},
                  {.startMHz = 14.1, .stopMHz = 14.3, .shiftKHz = 3},
                  3,
                  {},
                  "(compared at the meter over 14.100 – 14.300 MHz: the plan differs from "
                  "the reference's)"},
        DriftCase{"FeedlineAddedComparedAtTheAntenna",
                  {},
                  {.feedline = test::rg58()},
                  0,
                  {},
                  "(compared at the antenna over 14.000 – 14.350 MHz: the feedline differs"},
        DriftCase{"OtherPlaneShownComparedAtTheSweepsPlane",
                  {.feedline = test::rg58()},
                  {.feedline = test::rg58(), .shownPlane = Plane::Antenna},
                  0,
                  {},
                  "compared at the antenna over 14.000 – 14.350 MHz: the plane shown differs"},
        DriftCase{"NoFrequencyInCommon",
                  {},
                  {.startMHz = 7.0, .stopMHz = 7.2},
                  std::nullopt,
                  {},
                  "not compared with the reference of 21 Sep 2026: the two sweeps read no "
                  "frequency in common"}),
    [](const auto& info) { return std::string(info.param.name); });

// Marked, else the first that completed, else the first; the previous sweep is the one just
// before, whatever was recorded later.
TEST(SweepDrift, TheReferenceIsTheMarkedElseTheFirstCompleted) {
    test::TempFolder folder;
    HistoryStore history(folder.path());
    const auto at = [](int day) { return SweepTime{1790000000 + day * 86400, 120}; };
    SweepEntry stopped = dipoleEntry({.taken = at(0)});
    stopped.ending = {SweepEnding::How::Stopped, "no power"};
    const auto first = history.record(stopped).id;
    const auto completed = history.record(dipoleEntry({.shiftKHz = 4, .taken = at(1)})).id;
    const auto latest = history.record(dipoleEntry({.shiftKHz = 30, .taken = at(3)})).id;
    const auto imported = history.record(dipoleEntry({.shiftKHz = 8, .taken = at(2)})).id;
    ASSERT_TRUE(first && completed && latest && imported);

    std::string problem;
    EXPECT_EQ(history.reference("20M DIPOLE", "20m", problem), completed) << problem;
    auto drift = history.drift(*latest, HistorySettings{}, problem);
    ASSERT_TRUE(drift && drift->reference && drift->previous);
    EXPECT_EQ(drift->reference->otherId, *completed);
    EXPECT_EQ(drift->previous->otherId, *imported);
    EXPECT_NE(drift->line.find("; resonance 22 kHz above the previous sweep of 23 Sep 2026"),
              std::string::npos)
        << drift->line;

    ASSERT_TRUE(history.markReference(*imported, problem)) << problem;
    EXPECT_EQ(history.reference("20m dipole", "20m", problem), imported);
    drift = history.drift(*imported, HistorySettings{}, problem);
    ASSERT_TRUE(drift);
    EXPECT_TRUE(drift->isReference);
    EXPECT_EQ(drift->line,
              "20m dipole, 20m: the reference sweep; resonance 14.183 MHz, lowest "
              "SWR 1.14");

    const auto trend =
        history.trend("20m dipole", "20m", HistorySettings{.resonanceKHz = 20}, problem);
    ASSERT_EQ(trend.size(), 4u) << problem;
    EXPECT_EQ(trend[2].sweep.id, *imported);
    EXPECT_TRUE(trend[2].sweep.marked);
    EXPECT_FALSE(trend[2].againstReference);
    EXPECT_EQ(trend[3].beyond, std::vector<std::string>{"resonance"});
    EXPECT_NEAR(*trend[3].againstReference->resonanceKHz(), 22.0, 1.0);

    ASSERT_TRUE(history.remove(*imported, problem));
    EXPECT_FALSE(history.remove(*imported, problem));
    EXPECT_EQ(problem, "");
    EXPECT_EQ(history.reference("20m dipole", "20m", problem), completed);
}

// Renamed, an antenna keeps its sweeps; a name that another antenna has is refused.
TEST(SweepDrift, ARenamedAntennaKeepsItsHistory) {
    test::TempFolder folder;
    HistoryStore history(folder.path());
    ASSERT_TRUE(history.record(dipoleEntry({})).id);
    std::string problem;
    ASSERT_TRUE(history.addAntenna("  40m loop\n", problem)) << problem;
    EXPECT_EQ(history.antennas(problem), (std::vector<std::string>{"20m dipole", "40m loop"}));
    EXPECT_FALSE(history.renameAntenna("20m dipole", "40M LOOP", problem));
    EXPECT_EQ(problem, "There is an antenna named 40M LOOP already: choose another name.");
    problem.clear();
    ASSERT_TRUE(history.renameAntenna("20m dipole", "Garden dipole", problem)) << problem;
    const auto sweeps = history.list({.antenna = "garden dipole"}, problem);
    ASSERT_EQ(sweeps.size(), 1u);
    EXPECT_EQ(sweeps[0].antenna, "Garden dipole");
    EXPECT_EQ(sweeps[0].points, 36);
}

}  // namespace
}  // namespace zm
