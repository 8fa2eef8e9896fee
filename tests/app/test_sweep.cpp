// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep run against a recording rig, a scripted meter and a recording sleep.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/support/recording_transceiver.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::string noReadingAt(const char* mhz) {
    return std::string("The sweep stopped at ") + mhz +
           " MHz: the meter gave no usable answer in three tries while the radio was keyed, so it "
           "cannot tell whether power goes out. Check the meter's cable and port (Setup, Diag "
           "shows what it answers), then press Run again.";
}

std::string noPowerAt(const char* mhz) {
    return std::string("The sweep stopped at ") + mhz +
           " MHz: the meter reads no power while the radio is keyed. Check that the radio is on, "
           "may transmit on this band, and that its output passes through the meter, then press "
           "Run again.";
}

constexpr const char* kFiftyOhms = ";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";
constexpr const char* kNoPower = ";    0.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";
constexpr const char* kTooMuch = ";  150.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";

class SweepTest : public WindowTest {
protected:
    RecordingRigServerFactory* rig = nullptr;

    void SetUp() override {
        Devices devices = fakeDevices();
        auto factory = std::make_unique<RecordingRigServerFactory>(log);
        rig = factory.get();
        devices.rigServers = std::move(factory);
        createWindow(std::move(devices));
        start();
        comm->answers = {kFiftyOhms};
        choosePlotMode(2);
        log.clear();
    }
    void choosePlotMode(int mode) { test::choosePlotMode(*window, mode); }
    void chooseCarrier(int index) {
        window->controls().Combo4->setCurrentIndex(index);
        window->Combo4_Click();
    }
    double cell(int row, int column) const { return cellValue(window->plotGrid().at(row, column)); }
};

TEST_F(SweepTest, EveryPointIsTunedKeyedReadAndUnkeyedInOrder) {
    chooseCarrier(0);
    window->controls().Text3->setText("14.05");
    guard->log = &log;
    log.clear();
    window->cmdRun_Click();
    EXPECT_THAT(
        log,
        ElementsAre("create", "GetTransceiver", "Guard start", "SetMode 2", "SetOptionB 0",
                    "SetOptionA 0", "SetSplit 0", "SetFrequency 14", "Pause 200", "SetMode 2",
                    "Guard keying", "SetPTT 1", "Guard keying", "Pause 1000", "Output ;P?",
                    "Pause 200", "SetPTT 0", "Guard unkeyed", "SetFrequency 14.05", "Pause 200",
                    "SetMode 2", "Guard keying", "SetPTT 1", "Guard keying", "Pause 1000",
                    "Output ;P?", "Pause 200", "SetPTT 0", "Guard unkeyed", "Guard finish"));
    EXPECT_TRUE(window->timer1Enabled());
    EXPECT_TRUE(messages->shown.empty());
}

TEST_F(SweepTest, StartUpPlanTunesToTheLabelledFrequencies) {
    const int handOversBefore = chart->dataHandOvers;
    window->cmdRun_Click();
    const std::vector<double>& tuned = rig->frequenciesMHz();
    ASSERT_EQ(tuned.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        const double label = std::stod(std::get<std::string>(window->plotGrid().at(i + 1, 1)));
        EXPECT_NEAR(tuned[i], label, 4e-15) << i;  // one unit in the last place
    }
    EXPECT_EQ(chart->dataHandOvers - handOversBefore, 8);  // the grid after each point
}

TEST_F(SweepTest, SinglePointSweepKeysOnce) {
    window->controls().Text3->setText("14.0");
    window->cmdRun_Click();
    EXPECT_EQ(std::count(log.begin(), log.end(), "SetPTT 1"), 1);
    EXPECT_THAT(rig->frequenciesMHz(), ElementsAre(14.0));
}

TEST_F(SweepTest, EachModeFillsItsOwnColumnsAndKeepsTheOthers) {
    choosePlotMode(0);
    window->cmdRun_Click();
    EXPECT_NEAR(cell(1, 2), 43.302, 1e-3);
    EXPECT_NEAR(cell(8, 3), 24.998, 1e-3);
    choosePlotMode(1);
    window->cmdRun_Click();
    EXPECT_NEAR(cell(3, 2), 43.302, 1e-3);  // the R+jX sweep is still there
    EXPECT_EQ(cell(3, 4), 50.0);
    EXPECT_EQ(cell(3, 6), -30.0);
    choosePlotMode(3);
    window->cmdRun_Click();
    EXPECT_EQ(std::get<Fixed4>(window->plotGrid().at(5, 5)).tenThousandths(), 15000);
    choosePlotMode(4);
    window->cmdRun_Click();
    EXPECT_NEAR(cell(2, 7), 0.26795, 1e-5);  // |Gamma| of 50 ohm at -30 degrees, not Z / 100
    EXPECT_EQ(chart->lastData.at(2, 7), window->plotGrid().at(2, 7));
}

TEST_F(SweepTest, WithoutAPlotModeNothingIsKeyedAndOneMessageSaysWhatToDo) {
    window->controls().Combo2->setCurrentIndex(-1);
    window->cmdRun_Click();
    EXPECT_TRUE(log.empty());
    EXPECT_THAT(messages->shown, ElementsAre("Choose what to plot in the list beside Run (R+jX, "
                                             "Z & Phase, SWR or RHO), then press Run again."));
    EXPECT_TRUE(window->timer1Enabled());
}

TEST_F(SweepTest, NoServerStopsBeforeKeyingWithOneMessage) {
    rig->failCall(1, -1, "No rig-control server answers at 127.0.0.1:4532");
    window->cmdRun_Click();
    EXPECT_THAT(log, ElementsAre("create"));
    EXPECT_THAT(messages->shown,
                ElementsAre("The sweep stopped. No rig-control server answers at 127.0.0.1:4532. "
                            "Check the radio and rigctld, then press Run again."));
    EXPECT_TRUE(window->timer1Enabled());
}

TEST_F(SweepTest, RefusalWhileKeyedUnkeysAndSaysWhatFailed) {
    // create, GetTransceiver, 4 set-up calls, then SetFrequency, SetMode, SetPTT 1: the
    // 9th call fails after the transmitter was keyed.
    rig->failCall(9);
    window->cmdRun_Click();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log.back(), "SetPTT 0");
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0],
              "The sweep stopped. The radio rejected the command. Check the radio and rigctld, "
              "then press Run again.");
    EXPECT_TRUE(window->timer1Enabled());
    EXPECT_EQ(guard->ownLog.back(), "Guard finish");
}

TEST_F(SweepTest, FailedUnkeyIsTriedOnceMore) {
    rig->failCall(10);  // SetPTT 0 of the first point
    window->cmdRun_Click();
    EXPECT_EQ(std::count(log.begin(), log.end(), "SetPTT 0"), 2);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].find("could not be unkeyed"), std::string::npos);
}

// A radio that no guard watches is never keyed: were the window killed, nothing would
// unkey it.
TEST_F(SweepTest, WithoutAWorkingGuardNothingIsKeyed) {
    for (const bool guardStarts : {false, true}) {
        guard->startSucceeds = guardStarts;
        guard->alive = false;
        log.clear();
        messages->shown.clear();
        window->cmdRun_Click();
        EXPECT_EQ(std::count(log.begin(), log.end(), "SetPTT 1"), 0) << guardStarts;
        ASSERT_EQ(messages->shown.size(), 1u) << guardStarts;
        EXPECT_TRUE(messages->shown[0].starts_with("The sweep stopped. The PTT guard"))
            << messages->shown[0];
        EXPECT_TRUE(window->timer1Enabled());
    }
}

TEST_F(SweepTest, EscapeInTheKeyedWaitUnkeysAtOnceAndKeepsThePointsSoFar) {
    int keyedWaits = 0;
    sweepSleeper->during = [&](std::chrono::milliseconds wait) {
        if (wait.count() == 1000 && ++keyedWaits == 2) {
            QTest::keyClick(window.get(), Qt::Key_Escape);
        }
    };
    window->cmdRun_Click();
    EXPECT_EQ(std::count(log.begin(), log.end(), "SetFrequency 14.05"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "SetFrequency 14.1"), 0);
    // The second point is unkeyed straight after its wait, without reading the meter.
    EXPECT_THAT(std::vector(log.end() - 3, log.end()),
                ElementsAre("SetPTT 1", "Pause 1000", "SetPTT 0"));
    EXPECT_EQ(guard->ownLog.back(), "Guard finish");
    EXPECT_EQ(std::get<Fixed4>(window->plotGrid().at(1, 5)).tenThousandths(), 15000);
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_TRUE(window->timer1Enabled());
    EXPECT_FALSE(window->sweepRunning());
}

// Clicks and keys mid-sweep would start a second sweep, clear the points measured so far
// or re-plan the grid under the running sweep: all are dropped, and no poll interleaves.
TEST_F(SweepTest, InputDuringASweepIsDroppedAndTimer1StaysOff) {
    const FormControls& form = window->controls();
    int waits = 0;
    bool timerRan = false;
    sweepSleeper->during = [&](std::chrono::milliseconds) {
        timerRan = timerRan || window->timer1Enabled();
        if (++waits == 9) {  // the keyed wait of the third point
            QTest::mouseClick(form.cmdRun, Qt::LeftButton);
            QTest::mouseClick(form.cmdClear, Qt::LeftButton);
            QTest::keyClicks(form.Text2, "1");
            QTest::keyClick(form.Combo2, Qt::Key_Down);
        }
    };
    window->cmdRun_Click();
    EXPECT_EQ(std::count(log.begin(), log.end(), "SetPTT 1"), 8);
    EXPECT_FALSE(timerRan);
    EXPECT_EQ(form.Text2->text(), "14.0");
    EXPECT_EQ(window->plan().StartFreq, 14.0);
    EXPECT_EQ(form.Combo2->currentIndex(), 2);
    EXPECT_EQ(std::get<Fixed4>(window->plotGrid().at(1, 5)).tenThousandths(), 15000);
    QApplication::processEvents();  // nothing was queued for after the sweep either
    EXPECT_EQ(std::count(log.begin(), log.end(), "SetPTT 1"), 8);
}

TEST_F(SweepTest, CloseButtonMidSweepUnkeysThenClosesAndSaves) {
    QFile::remove(configPath());
    int waits = 0;
    sweepSleeper->during = [&](std::chrono::milliseconds) {
        if (++waits == 2) {  // keyed, first point
            window->close();
        }
    };
    window->cmdRun_Click();
    EXPECT_THAT(log, ElementsAre("create", "GetTransceiver", "SetMode 0", "SetOptionB 0",
                                 "SetOptionA 0", "SetSplit 0", "SetFrequency 14", "Pause 200",
                                 "SetMode 0", "SetPTT 1", "Pause 1000", "SetPTT 0"));
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(readConfig().count("\r\n"), 8);
}

// Each keyed reading inside the power window, in both ways of settling: a two-point sweep
// (14.0 and 14.05 MHz) with the meter's answers in turn, the last one repeating.
struct PowerWindowCase {
    const char* name;
    SettleMode settle;
    std::optional<double> maxPowerW;
    std::deque<std::string> answers;
    std::string message;
    std::size_t pointsKept;
    std::string firstTaken;              // how the first point was taken, as the CSV says it
    std::vector<std::string> lastKeyed;  // the log from the last key-down on
    int escapeAtPause = 0;               // Escape during this wait of the sweep; 0: none
    friend void PrintTo(const PowerWindowCase& c, std::ostream* os) { *os << c.name; }
};

class PowerWindowTable : public SweepTest, public ::testing::WithParamInterface<PowerWindowCase> {};

TEST_P(PowerWindowTable, KeepsOrStopsAsTheReadingsSay) {
    const PowerWindowCase& c = GetParam();
    sweepSettingsDialog->choice = SweepSettings{c.settle, c.maxPowerW};
    window->mnuSweepSettings_Click();
    window->controls().Text3->setText("14.05");
    comm->answers = c.answers;
    int pauses = 0;
    sweepSleeper->during = [&](std::chrono::milliseconds) {
        if (++pauses == c.escapeAtPause) {
            QTest::keyClick(window.get(), Qt::Key_Escape);
        }
    };
    guard->log = &log;
    log.clear();
    window->cmdRun_Click();

    if (c.message.empty()) {
        EXPECT_THAT(messages->shown, ::testing::IsEmpty());
    } else {
        EXPECT_THAT(messages->shown, ElementsAre(c.message));
    }
    const SweepRecord& record = window->sweepRecord();
    ASSERT_EQ(record.points.size(), c.pointsKept);
    if (c.pointsKept > 0) {
        EXPECT_EQ(takingField(*record.points[0].taken), c.firstTaken);
        EXPECT_TRUE(record.points.back().reading.has_value());
    }
    const auto lastKeyDown = std::find(log.rbegin(), log.rend(), "SetPTT 1").base() - 1;
    EXPECT_THAT(std::vector(lastKeyDown, log.end()), ElementsAreArray(c.lastKeyed));
    EXPECT_TRUE(window->timer1Enabled());
}

const std::vector<std::string> kFixedPoint{"SetPTT 1",      "Guard keying", "Pause 1000",
                                           "Output ;P?",    "Pause 200",    "SetPTT 0",
                                           "Guard unkeyed", "Guard finish"};
const std::vector<std::string> kThreeReadings{
    "SetPTT 1",   "Guard keying", "Output ;P?", "Pause 200",     "Output ;P?",  "Pause 200",
    "Output ;P?", "Pause 200",    "SetPTT 0",   "Guard unkeyed", "Guard finish"};
const std::vector<std::string> kSilentThrice{
    "SetPTT 1",     "Guard keying", "Pause 1000",    "Output ;P?",   "Pause 200",
    "Guard keying", "Output ;P?",   "Pause 200",     "Guard keying", "Output ;P?",
    "Pause 200",    "SetPTT 0",     "Guard unkeyed", "Guard finish"};
const std::vector<std::string> kTwoReadings{"SetPTT 1",  "Guard keying",  "Output ;P?",
                                            "Pause 200", "Output ;P?",    "Pause 200",
                                            "SetPTT 0",  "Guard unkeyed", "Guard finish"};

std::vector<std::string> sixReadings() {
    std::vector<std::string> log{"SetPTT 1", "Guard keying"};
    for (int poll = 0; poll < 6; ++poll) {
        log.insert(log.end(), {"Output ;P?", "Pause 200"});
    }
    log.insert(log.end(), {"SetPTT 0", "Guard unkeyed", "Guard finish"});
    return log;
}

INSTANTIATE_TEST_SUITE_P(
    Sweep, PowerWindowTable,
    ::testing::Values(
        PowerWindowCase{"SilentMeterIsReadThriceThenStopsForTheLink",
                        SettleMode::Fixed,
                        std::nullopt,
                        {""},
                        noReadingAt("14.000"),
                        0,
                        "",
                        kSilentThrice},
        PowerWindowCase{"SilentAfterAReadingStopsWithoutReusingIt",
                        SettleMode::Fixed,
                        std::nullopt,
                        {kFiftyOhms, ""},
                        noReadingAt("14.050"),
                        1,
                        "fixed 1",
                        kSilentThrice},
        PowerWindowCase{"GarbledTwiceIsReadAgainAndKept",
                        SettleMode::Fixed,
                        std::nullopt,
                        {"", "", kFiftyOhms},
                        "",
                        2,
                        "fixed 3",
                        kFixedPoint},
        PowerWindowCase{"NoPowerAfterTheFixedWaitStops",
                        SettleMode::Fixed,
                        std::nullopt,
                        {kNoPower},
                        noPowerAt("14.000"),
                        0,
                        "",
                        kFixedPoint},
        PowerWindowCase{"ReadingsSettleAfterThree",
                        SettleMode::Readings,
                        std::nullopt,
                        {kNoPower, kFiftyOhms},
                        "",
                        2,
                        "settled 3",
                        kThreeReadings},
        PowerWindowCase{"ReadingsWithoutPowerAreReadToTheLimit",
                        SettleMode::Readings,
                        std::nullopt,
                        {kNoPower},
                        noPowerAt("14.000"),
                        0,
                        "",
                        sixReadings()},
        PowerWindowCase{"CeilingStopsAtTheFirstReadingAbove",
                        SettleMode::Readings,
                        120.0,
                        {kNoPower, kTooMuch},
                        "The sweep stopped at 14.000 MHz: the meter reads 150.0 W while the radio "
                        "is keyed, above the power ceiling of 120 W. Turn the radio's power down "
                        "below 120 W (or raise the ceiling in Setup, Sweep settings), then press "
                        "Run again.",
                        0,
                        "",
                        kTwoReadings},
        PowerWindowCase{"CeilingAfterTheFixedWaitKeepsThePointsBefore",
                        SettleMode::Fixed,
                        120.0,
                        {kFiftyOhms, kTooMuch},
                        "The sweep stopped at 14.050 MHz: the meter reads 150.0 W while the radio "
                        "is keyed, above the power ceiling of 120 W. Turn the radio's power down "
                        "below 120 W (or raise the ceiling in Setup, Sweep settings), then press "
                        "Run again.",
                        1,
                        "fixed 1",
                        kFixedPoint},
        PowerWindowCase{"EscapeWhileSettlingUnkeysAfterThatPoll",
                        SettleMode::Readings,
                        std::nullopt,
                        {kNoPower},
                        "",
                        0,
                        "",
                        kTwoReadings,
                        3}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm::test
