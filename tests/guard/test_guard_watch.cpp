// SPDX-License-Identifier: GPL-3.0-or-later
// The guard's decisions, one situation a row: what the window said and what happened, in
// order, and what the guard does at the last event.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "guard/guard_watch.h"

namespace zm {
namespace {

using Deadline = GuardAction::Deadline;

// Anything else in a row's events is bytes from the window.
constexpr const char* kGone = "<window gone>";
constexpr const char* kDeadlinePassed = "<deadline>";
constexpr const char* kSigterm = "<SIGTERM>";

struct WatchCase {
    const char* name;
    std::vector<std::string> events;
    const char* does;  // e.g. "unkey exit notice"; "" for nothing
};
void PrintTo(const WatchCase& row, std::ostream* out) {
    *out << row.name;
}

std::string describe(const GuardAction& action) {
    std::string does;
    does += action.unkey ? " unkey" : "";
    does += action.exit ? " exit" : "";
    does += action.deadline == Deadline::Start ? " start" : "";
    does += action.deadline == Deadline::Stop ? " stop" : "";
    does += action.notice.empty() ? "" : " notice";
    return does.empty() ? does : does.substr(1);
}

// What the guard does at one event; the lines of one read count as one event.
std::string feed(GuardWatch& watch, const std::string& event) {
    if (event == kGone) {
        return describe(watch.onWindowGone());
    }
    if (event == kDeadlinePassed) {
        return describe(watch.onDeadline());
    }
    if (event == kSigterm) {
        return describe(watch.onTerminate());
    }
    std::string does;
    for (const GuardAction& action : watch.onBytes(event)) {
        does += (does.empty() ? "" : " ") + describe(action);
    }
    return does;
}

class GuardDecides : public ::testing::TestWithParam<WatchCase> {};

TEST_P(GuardDecides, AtTheLastEvent) {
    GuardWatch watch;
    std::string does;
    for (const std::string& event : GetParam().events) {
        does = feed(watch, event);
    }
    EXPECT_EQ(does, GetParam().does);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GuardDecides,
    ::testing::Values(
        WatchCase{"KeyingStartsTheDeadline", {"keying\n"}, "start"},
        WatchCase{"UnkeyedStopsIt", {"keying\n", "unkeyed\n"}, "stop"},
        WatchCase{"WindowGoneWhileKeyedUnkeys", {"keying\n", kGone}, "unkey exit notice"},
        WatchCase{"WindowGoneWhileUnkeyedEndsQuietly", {"keying\n", "unkeyed\n", kGone}, "exit"},
        WatchCase{"WindowGoneBeforeItKeyedEndsQuietly", {kGone}, "exit"},
        WatchCase{"EndEndsQuietly", {"keying\n", "unkeyed\n", "end\n"}, "exit"},
        WatchCase{"EndWhileKeyedUnkeysFirst", {"keying\n", "end\n"}, "unkey exit notice"},
        WatchCase{
            "DeadlineUnkeysAndKeepsWatching", {"keying\n", kDeadlinePassed}, "unkey start notice"},
        WatchCase{"LaterDeadlinesUnkeyAgainWithoutANotice",
                  {"keying\n", kDeadlinePassed, kDeadlinePassed},
                  "unkey start"},
        WatchCase{"WindowWakingAfterADeadlineIsBelieved",
                  {"keying\n", kDeadlinePassed, "unkeyed\n", kGone},
                  "exit"},
        // It may have keyed after the guard's unkey went out.
        WatchCase{"WindowGoneAfterADeadlineUnkeysAgain",
                  {"keying\n", kDeadlinePassed, kGone},
                  "unkey exit notice"},
        WatchCase{"SigtermWhileKeyedUnkeys", {"keying\n", kSigterm}, "unkey exit notice"},
        WatchCase{"SigtermWhileUnkeyedEndsQuietly", {kSigterm}, "exit"},
        WatchCase{"UnknownWordCountsAsKeying", {"kyeing\n"}, "start notice"},
        WatchCase{"UnknownWordThenWindowGoneUnkeys",
                  {"unkeyed\n", "KEYING\n", kGone},
                  "unkey exit notice"},
        WatchCase{"OverlongLineCountsAsKeying", {std::string(100000, 'x') + "\n"}, "start notice"},
        WatchCase{"WordSplitAcrossReads", {"key", "ing\n", kGone}, "unkey exit notice"},
        WatchCase{"TwoWordsInOneRead", {"keying\nunkeyed\n"}, "start stop"},
        WatchCase{"CarriageReturnBeforeTheNewline", {"keying\r\n", "unkeyed\r\n"}, "stop"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
