// SPDX-License-Identifier: GPL-3.0-or-later
// Every way a sweep ends, through the engine alone against a real rigctld running Hamlib's
// dummy rig: whatever ended it, the radio reads back unkeyed, the PTT guard hears that the
// sweep is over, the radio's claim is free for another copy of the program, and the next
// sweep of the same station runs through.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <stdexcept>

#include "engine/sweep_engine.h"
#include "station/radio_claims.h"
#include "tests/support/fake_station.h"
#include "tests/support/recording_reports.h"
#include "tests/support/rigctld_process.h"
#include "tests/support/watched_rig.h"

namespace zm::test {
namespace {

constexpr const char* kFiftyOhms = ";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";
constexpr const char* kNoPower = ";    0.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";

// Once a call named `after` has come back from rigctld (the radio has acted on it), `fault`
// runs: a client failing in a way nobody foresaw.
struct RigFault {
    std::string after;  // "SetPTT 1", "SetFrequency", ...; empty: none
    int times = 1;      // the fault comes on this call of that name
    std::function<void()> fault = [] {};
    int calls = 0;
};

// The meter's driver failing under the sweep.
class FaultyMeter : public FakeSerialComm {
public:
    using FakeSerialComm::FakeSerialComm;
    bool throws = false;
    std::string input() override {
        if (throws) {
            throw std::runtime_error("the serial driver failed");
        }
        return FakeSerialComm::input();
    }
};

class EngineExitTest;

struct ExitCase {
    const char* name;
    std::function<void(EngineExitTest&)> arrange;
    SweepEnd end;
    int keyDowns;
    std::string messageStart;  // how the user is told; empty: nothing
};
void PrintTo(const ExitCase& c, std::ostream* out) {
    *out << c.name;
}

class EngineExitTest : public ::testing::TestWithParam<ExitCase> {
public:
    RigctldProcess rigctld;
    CallLog log;
    FaultyMeter meter{log};
    RecordingSleeper sleeper{log};
    RecordingPttGuard guard;
    ProgramRadioClaims claims;
    ProgramRadioClaims otherSweep;  // another copy's, which some rows have sweep meanwhile
    std::atomic<bool> signalled{false};
    SweepStop stop{&sleeper, &signalled};
    RigFault fault;
    std::unique_ptr<WatchedRigServers> rig;
    SweepRequest request{
        .plan = {14.0, 14.05, 0.05, 2, 2},  // two points in CW
        .plotMode = 2,
        .bandPlan = {"test", "the test plan", {{"20m", {{14'000'000, 14'350'000}}}}},
        .sweep = {},
        .rig = {},
        .feedline = std::nullopt,
        .shownPlane = Plane::Meter};

    // In the keyed wait of the first point.
    void duringKeyedWait(std::function<void()> act) {
        sleeper.during = [act = std::move(act)](std::chrono::milliseconds wait) {
            if (wait.count() == 1000) {
                act();
            }
        };
    }
    void rigFault(std::string after, std::function<void()> act, int times = 1) {
        fault = {std::move(after), times, std::move(act)};
    }

protected:
    void SetUp() override {
        if (RigctldProcess::executable().empty()) {
            GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
        }
        std::string whyNot;
        ASSERT_TRUE(rigctld.start({}, whyNot)) << whyNot;
        rig = std::make_unique<WatchedRigServers>(
            rigctld.port(), RigWatcher{.answered = [this](const std::string& call) {
                if (call == fault.after && ++fault.calls == fault.times) {
                    fault.fault();
                }
            }});
        request.rig.port = rigctld.port();
        meter.opened = true;
        meter.answers = {kFiftyOhms};
    }

    SweepOutcome sweep(RecordingReports& reports) {
        SweepEngine engine({meter, *rig, guard, sleeper, &claims, nullptr}, reports, stop);
        return engine.run(request);
    }
};

TEST_P(EngineExitTest, LeavesTheRadioUnkeyedTheGuardFinishedAndTheClaimFree) {
    const ExitCase& c = GetParam();
    c.arrange(*this);
    RecordingReports reports;
    const SweepOutcome outcome = sweep(reports);

    EXPECT_EQ(outcome.end, c.end);
    EXPECT_EQ(outcome.keyDowns, c.keyDowns);
    EXPECT_THAT(outcome.message, ::testing::StartsWith(c.messageStart));
    EXPECT_EQ(c.messageStart.empty(), outcome.message.empty()) << outcome.message;
    ASSERT_TRUE(reports.outcome.has_value());  // the last report, whatever happened
    EXPECT_EQ(reports.outcome->end, outcome.end);
    EXPECT_EQ(readBack(rigctld.port(), false, "t", "PTT"), "0");
    EXPECT_EQ(guard.ownLog.back(), "Guard finish");
    otherSweep.release();
    ProgramRadioClaims otherCopy;
    pid_t holder = 0;
    EXPECT_TRUE(otherCopy.claim(rigctld.port(), "", holder)) << "held by " << holder;
    otherCopy.release();

    // The next sweep, with the fault gone, runs through.
    fault = {};
    meter.throws = false;
    meter.answers = {kFiftyOhms};
    sleeper.during = nullptr;
    signalled = false;
    stop.clear();
    request.plan = {14.0, 14.05, 0.05, 2, 2};
    RecordingReports next;
    const SweepOutcome again = sweep(next);
    EXPECT_EQ(again.end, SweepEnd::Completed) << again.message;
    EXPECT_EQ(again.keyDowns, 2);
    EXPECT_EQ(readBack(rigctld.port(), false, "t", "PTT"), "0");
}

const auto kRuntimeError = [] { throw std::runtime_error("the client lost its buffer"); };

INSTANTIATE_TEST_SUITE_P(
    Engine, EngineExitTest,
    ::testing::Values(
        ExitCase{"EveryPointTaken", [](EngineExitTest&) {}, SweepEnd::Completed, 2, ""},
        ExitCase{"EscapeWhileKeyed",
                 [](EngineExitTest& t) { t.duringKeyedWait([&t] { t.stop.request(); }); },
                 SweepEnd::Asked, 1, ""},
        ExitCase{"StopSignalWhileKeyed",
                 [](EngineExitTest& t) { t.duringKeyedWait([&t] { t.signalled = true; }); },
                 SweepEnd::Asked, 1, ""},
        ExitCase{"NothingInsideTheBandPlan",
                 [](EngineExitTest& t) {
                     t.request.plan = {7.25, 7.3, 0.05, 2, 2};
                 },
                 SweepEnd::NothingToSweep, 0, "Nothing to sweep: 7.250 to 7.300 MHz"},
        ExitCase{"RadioHeldByAnotherCopy",
                 [](EngineExitTest& t) {
                     pid_t holder = 0;
                     ASSERT_TRUE(t.otherSweep.claim(t.rigctld.port(), "", holder));
                 },
                 SweepEnd::NotReady, 0, "Another ZM-480 Plot"},
        // Nothing behind /dev/ttyS0, which opens on most PCs: no key-down without a record.
        ExitCase{"MeterSilentKeysNothing", [](EngineExitTest& t) { t.meter.answers = {""}; },
                 SweepEnd::NotReady, 0,
                 "The meter does not answer on Com01, so nothing was keyed.\nTried /dev/ttyS0 "
                 "for Com01, as there is no link /home/op/O'Brien shack/ports/com1. For a USB "
                 "adapter, make one: mkdir -p '/home/op/O'\\''Brien shack/ports' && ln -sf"},
        ExitCase{"OtherDeviceOnTheMetersLinkKeysNothing",
                 [](EngineExitTest& t) {
                     t.meter.linked = true;
                     t.meter.answers = {"$GPGGA,123519,4807.038,N"};
                 },
                 SweepEnd::NotReady, 0,
                 "The meter does not answer on Com01 (what came back is no meter record), so "
                 "nothing was keyed.\nTried /dev/ttyUSB0 for Com01, where the link"},
        // The idle poll's lamp takes the third answer as this check does.
        ExitCase{"MeterAnswersTheThirdPoll",
                 [](EngineExitTest& t) {
                     t.meter.answers = {"", ";garbled", kFiftyOhms};
                 },
                 SweepEnd::Completed, 2, ""},
        ExitCase{"NoPowerWhileKeyed", [](EngineExitTest& t) { t.meter.answers = {kNoPower}; },
                 SweepEnd::Stopped, 1, "The sweep stopped at 14.000 MHz: the meter reads no power"},
        ExitCase{"RigClientThrowsOnceKeyed",
                 [](EngineExitTest& t) { t.rigFault("SetPTT 1", kRuntimeError); }, SweepEnd::Failed,
                 1, "The sweep stopped on a fault of the program (the client lost its buffer)"},
        ExitCase{"RigClientThrowsSomethingElseWhileTuning",
                 [](EngineExitTest& t) {
                     t.rigFault(
                         "SetFrequency", [] { throw 42; }, 2);
                 },
                 SweepEnd::Failed, 1, "The sweep stopped on a fault of the program (of an unknown"},
        ExitCase{"MeterThrowsWhileKeyed",
                 [](EngineExitTest& t) { t.duringKeyedWait([&t] { t.meter.throws = true; }); },
                 SweepEnd::Failed, 1,
                 "The sweep stopped on a fault of the program (the serial driver failed)"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm::test
