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
    bool unkey;
    bool exit;
    Deadline deadline;
    bool notice;
};
void PrintTo(const WatchCase& row, std::ostream* out) {
    *out << row.name;
}

// What the guard does at one event; the lines of one read count as one event.
GuardAction feed(GuardWatch& watch, const std::string& event) {
    if (event == kGone) {
        return watch.onWindowGone();
    }
    if (event == kDeadlinePassed) {
        return watch.onDeadline();
    }
    if (event == kSigterm) {
        return watch.onTerminate();
    }
    GuardAction combined;
    for (const GuardAction& action : watch.onBytes(event)) {
        combined.unkey |= action.unkey;
        combined.exit |= action.exit;
        combined.deadline = action.deadline == Deadline::Keep ? combined.deadline : action.deadline;
        combined.notice += action.notice;
    }
    return combined;
}

class GuardDecides : public ::testing::TestWithParam<WatchCase> {};

TEST_P(GuardDecides, AtTheLastEvent) {
    const WatchCase& row = GetParam();
    GuardWatch watch;
    GuardAction last;
    for (const std::string& event : row.events) {
        last = feed(watch, event);
    }
    EXPECT_EQ(last.unkey, row.unkey);
    EXPECT_EQ(last.exit, row.exit);
    EXPECT_EQ(last.deadline, row.deadline);
    EXPECT_EQ(!last.notice.empty(), row.notice) << last.notice;
}

INSTANTIATE_TEST_SUITE_P(
    Table, GuardDecides,
    ::testing::Values(
        WatchCase{"KeyingStartsTheDeadline", {"keying\n"}, false, false, Deadline::Start, false},
        WatchCase{"UnkeyedStopsIt", {"keying\n", "unkeyed\n"}, false, false, Deadline::Stop, false},
        WatchCase{
            "WindowGoneWhileKeyedUnkeys", {"keying\n", kGone}, true, true, Deadline::Keep, true},
        WatchCase{"WindowGoneWhileUnkeyedEndsQuietly",
                  {"keying\n", "unkeyed\n", kGone},
                  false,
                  true,
                  Deadline::Keep,
                  false},
        WatchCase{
            "WindowGoneBeforeItKeyedEndsQuietly", {kGone}, false, true, Deadline::Keep, false},
        WatchCase{"EndEndsQuietly",
                  {"keying\n", "unkeyed\n", "end\n"},
                  false,
                  true,
                  Deadline::Keep,
                  false},
        WatchCase{
            "EndWhileKeyedUnkeysFirst", {"keying\n", "end\n"}, true, true, Deadline::Keep, true},
        WatchCase{"DeadlineUnkeysAndKeepsWatching",
                  {"keying\n", kDeadlinePassed},
                  true,
                  false,
                  Deadline::Start,
                  true},
        WatchCase{"LaterDeadlinesUnkeyAgainWithoutANotice",
                  {"keying\n", kDeadlinePassed, kDeadlinePassed},
                  true,
                  false,
                  Deadline::Start,
                  false},
        WatchCase{"WindowWakingAfterADeadlineIsBelieved",
                  {"keying\n", kDeadlinePassed, "unkeyed\n", kGone},
                  false,
                  true,
                  Deadline::Keep,
                  false},
        // It may have keyed after the guard's unkey went out.
        WatchCase{"WindowGoneAfterADeadlineUnkeysAgain",
                  {"keying\n", kDeadlinePassed, kGone},
                  true,
                  true,
                  Deadline::Keep,
                  true},
        WatchCase{
            "SigtermWhileKeyedUnkeys", {"keying\n", kSigterm}, true, true, Deadline::Keep, true},
        WatchCase{"SigtermWhileUnkeyedEndsQuietly", {kSigterm}, false, true, Deadline::Keep, false},
        WatchCase{"UnknownWordCountsAsKeying", {"kyeing\n"}, false, false, Deadline::Start, true},
        WatchCase{"UnknownWordThenWindowGoneUnkeys",
                  {"unkeyed\n", "KEYING\n", kGone},
                  true,
                  true,
                  Deadline::Keep,
                  true},
        WatchCase{"OverlongLineCountsAsKeying",
                  {std::string(100000, 'x') + "\n"},
                  false,
                  false,
                  Deadline::Start,
                  true},
        WatchCase{
            "WordSplitAcrossReads", {"key", "ing\n", kGone}, true, true, Deadline::Keep, true},
        WatchCase{
            "TwoWordsInOneRead", {"keying\nunkeyed\n", kGone}, false, true, Deadline::Keep, false},
        WatchCase{"CarriageReturnBeforeTheNewline",
                  {"keying\r\n", "unkeyed\r\n"},
                  false,
                  false,
                  Deadline::Stop,
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
