// SPDX-License-Identifier: GPL-3.0-or-later
// How far a long run has come: the bands and points so far in, the line the window shows out.

#include "sweep/sweep_progress.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace zm {
namespace {

// One step of a run: a sweep begins, keying at most `keys` points, or a point is done.
struct Step {
    enum { Begin, Keyed, Skipped } what;
    double seconds = 0.0;  // a keyed point's
    int keys = 0;
};

struct ProgressCase {
    const char* name;
    std::vector<SweepProgress::Band> bands;
    std::vector<Step> steps;
    bool shown;
    const char* text;
    friend void PrintTo(const ProgressCase& c, std::ostream* os) { *os << c.name; }
};

const ProgressCase kCases[] = {
    {"a short Run says nothing",
     {{"", 8}},
     {{Step::Begin, 0.0, 8}, {Step::Keyed, 1.5}, {Step::Keyed, 1.5}},
     false,
     "Point 2 of 8 · about 10 s left"},
    {"a Run over a minute counts its points and the time left",
     {{"", 36}},
     {{Step::Begin, 0.0, 36}, {Step::Keyed, 2.0}, {Step::Keyed, 2.0}},
     true,
     "Point 2 of 36 · about 1 min 10 s left"},
    {"skipped points take no time and leave none",
     {{"", 36}},
     {{Step::Begin, 0.0, 31}, {Step::Skipped}, {Step::Keyed, 2.0}, {Step::Keyed, 2.0}},
     true,
     "Point 3 of 36 · about 1 min left"},
    {"the bands after this one count all their points",
     {{"80m", 20}, {"40m", 20}, {"20m", 20}},
     {{Step::Begin, 0.0, 20}, {Step::Keyed, 3.0}, {Step::Begin, 0.0, 20}, {Step::Keyed, 1.0}},
     true,
     "40m, band 2 of 3 · point 1 of 20 · about 1 min 20 s left"},
    {"a band passed over still counts as one",
     {{"60m", 147}, {"40m", 20}},
     {{Step::Begin, 0.0, 0}, {Step::Begin, 0.0, 20}},
     true,
     "40m, band 2 of 2 · point 0 of 20"},
    {"hours and minutes beyond an hour",
     {{"", 2000}},
     {{Step::Begin, 0.0, 2000}, {Step::Keyed, 2.0}},
     true,
     "Point 1 of 2000 · about 1 h 7 min left"},
    // A point of the whole time left, beside the roundings' edges.
    {"just under an hour",
     {{"", 2}},
     {{Step::Begin, 0.0, 2}, {Step::Keyed, 3595.0}},
     true,
     "Point 1 of 2 · about 59 min 55 s left"},
    {"an hour once rounded",
     {{"", 2}},
     {{Step::Begin, 0.0, 2}, {Step::Keyed, 3596.0}},
     true,
     "Point 1 of 2 · about 1 h 0 min left"},
    {"the minutes carry into the hours",
     {{"", 2}},
     {{Step::Begin, 0.0, 2}, {Step::Keyed, 7141.0}},
     true,
     "Point 1 of 2 · about 2 h 0 min left"},
    {"the last seconds before two hours",
     {{"", 2}},
     {{Step::Begin, 0.0, 2}, {Step::Keyed, 7195.0}},
     true,
     "Point 1 of 2 · about 2 h 0 min left"},
    {"a second beyond two hours",
     {{"", 2}},
     {{Step::Begin, 0.0, 2}, {Step::Keyed, 7201.0}},
     true,
     "Point 1 of 2 · about 2 h 1 min left"},
};

class SweepProgressTest : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(SweepProgressTest, SaysHowFarTheRunIs) {
    const ProgressCase& c = GetParam();
    SweepProgress progress(c.bands);
    for (const Step& step : c.steps) {
        if (step.what == Step::Begin) {
            progress.sweepBegun();
            progress.keysAtMost(step.keys);
        } else {
            progress.pointDone(step.what == Step::Keyed, step.seconds);
        }
    }
    EXPECT_EQ(progress.worthShowing(), c.shown);
    EXPECT_EQ(progress.text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Runs, SweepProgressTest, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace zm
