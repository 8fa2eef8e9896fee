// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep run against a recording rig, a scripted meter and a recording sleep.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "history/history_store.h"
#include "tests/app/sweep_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAre;

TEST_F(SweepTest, EveryPointIsTunedKeyedReadAndUnkeyedInOrder) {
    chooseCarrier(0);
    window->controls().Text3->setText("14.05");
    guard->log = &log;
    log.clear();
    window->cmdRun_Click();
    // The meter first, unkeyed, then the radio.
    EXPECT_THAT(log,
                ElementsAre("Output ;P?", "Pause 200", "create", "GetTransceiver", "Guard start",
                            "SetMode 2", "SetOptionB 0", "SetOptionA 0", "SetSplit 0",
                            "SetFrequency 14", "Pause 200", "SetMode 2", "Guard keying", "SetPTT 1",
                            "Guard keying", "Pause 1000", "Output ;P?", "Pause 200", "SetPTT 0",
                            "Guard unkeyed", "SetFrequency 14.05", "Pause 200", "SetMode 2",
                            "Guard keying", "SetPTT 1", "Guard keying", "Pause 1000", "Output ;P?",
                            "Pause 200", "SetPTT 0", "Guard unkeyed", "Guard finish"));
    EXPECT_TRUE(window->timer1Enabled());
    EXPECT_TRUE(messages->shown.empty());
}

TEST_F(SweepTest, StartUpPlanTunesToTheLabelledFrequencies) {
    const int handOversBefore = chart->dataHandOvers;
    window->cmdRun_Click();
    const std::vector<double>& tuned = rig->frequenciesMHz();
    ASSERT_EQ(tuned.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        const double label =
            std::stod(std::get<std::string>(window->planBoxes().grid().at(i + 1, 1)));
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
    EXPECT_EQ(std::get<Fixed4>(window->planBoxes().grid().at(5, 5)).tenThousandths(), 15000);
    choosePlotMode(4);
    window->cmdRun_Click();
    EXPECT_NEAR(cell(2, 7), 0.26795, 1e-5);  // |Gamma| of 50 ohm at -30 degrees, not Z / 100
    EXPECT_EQ(chart->lastData.at(2, 7), window->planBoxes().grid().at(2, 7));
}

TEST_F(SweepTest, WithoutAPlotModeNothingIsKeyedAndOneMessageSaysWhatToDo) {
    window->controls().Combo2->setCurrentIndex(-1);
    window->cmdRun_Click();
    EXPECT_TRUE(log.empty());
    EXPECT_THAT(messages->shown, ElementsAre("Choose what to plot in the list beside Run (R+jX, "
                                             "Z & Phase, SWR or RHO), then press Run again."));
    EXPECT_TRUE(window->timer1Enabled());
}

// A config.ini of an earlier version may say -1: the radio would transmit in whatever mode
// it was left in, USB with no audio putting out no power.
TEST_F(SweepTest, WithoutACarrierModeNothingIsKeyedAndOneMessageSaysWhatToDo) {
    window->controls().Combo4->setCurrentIndex(-1);
    window->cmdRun_Click();
    EXPECT_TRUE(log.empty());
    EXPECT_THAT(messages->shown,
                ElementsAre("Choose the carrier mode, CW, AM or FSK, in the list beside the port "
                            "list (Setup, Diag shows it), then press Run again."));
    EXPECT_TRUE(window->timer1Enabled());
}

// The shipped plans missing, or damaged: said once at start, and Run keys nothing.
TEST_F(WindowTest, WithoutTheShippedBandPlansRunSendsNothingToTheRadio) {
    Devices devices = fakeDevices();
    devices.bandPlanFile = configPath("band-plans.ini");  // there is none
    devices.rigServers = std::make_unique<RecordingRigServerFactory>(log);
    createWindow(std::move(devices));
    start();
    test::choosePlotMode(*window, 2);
    log.clear();
    window->cmdRun_Click();
    EXPECT_TRUE(log.empty());
    ASSERT_EQ(messages->shown.size(), 2u);
    EXPECT_NE(messages->shown[0].find("band-plans.ini could not be used: it cannot be read"),
              std::string::npos)
        << messages->shown[0];
    EXPECT_EQ(messages->shown[1],
              "Nothing to sweep: no band plan could be read, so Run keys the transmitter nowhere. "
              "Install ZM-480 Plot again, or choose your own band plan (bands.ini) in Setup, Band "
              "plan.");
}

TEST_F(SweepTest, NoServerStopsBeforeKeyingWithOneMessage) {
    rig->failCall(1, -1, "No rig-control server answers at 127.0.0.1:4532");
    window->cmdRun_Click();
    EXPECT_THAT(log, ElementsAre("Output ;P?", "Pause 200", "create"));
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

// A fault nobody foresaw, thrown from the rig client with the transmitter keyed: the sweep
// unkeys and says so, polling resumes, and the next Run sweeps.
TEST_F(SweepTest, ExceptionWhileKeyedUnkeysAndTheNextRunSweeps) {
    window->controls().Text3->setText("14.05");
    rig->throwAtCall(9, "bad_alloc");  // SetPTT 1 of the first point
    window->cmdRun_Click();
    EXPECT_EQ(log.back(), "SetPTT 0");
    EXPECT_THAT(messages->shown,
                ElementsAre("The sweep stopped on a fault of the program (bad_alloc). Press Run "
                            "again; if it happens again, report it with what you did just "
                            "before."));
    EXPECT_EQ(guard->ownLog.back(), "Guard finish");
    EXPECT_FALSE(window->sweepRunning());
    EXPECT_TRUE(window->timer1Enabled());

    log.clear();
    window->cmdRun_Click();
    EXPECT_EQ(std::count(log.begin(), log.end(), "SetPTT 1"), 2);
    EXPECT_EQ(messages->shown.size(), 1u);
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
    EXPECT_EQ(std::get<Fixed4>(window->planBoxes().grid().at(1, 5)).tenThousandths(), 15000);
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_TRUE(window->timer1Enabled());
    EXPECT_FALSE(window->sweepRunning());
}

// A refined sweep of a flat curve keys its first pass, both ends and the middle, and the
// neighbour of the first lowest SWR. One that Escape stops keeps the point it took; the rows
// it never reached are not "not needed", so the curve breaks there.
TEST_F(SweepTest, RefinedSweepKeysItsFirstPassAndAStopLeavesTheRestUnreached) {
    sweepSettingsDialog->choice =
        SweepSettings{SettleMode::Fixed, std::nullopt, PlanPoints::Refine};
    window->mnuSweepSettings_Click();
    const auto tuned = [this] {
        std::vector<std::string> frequencies;
        std::copy_if(log.begin(), log.end(), std::back_inserter(frequencies),
                     [](const std::string& call) { return call.starts_with("SetFrequency"); });
        log.clear();
        return frequencies;
    };
    const auto notNeeded = [this] {
        const std::vector<SweepPoint>& points = window->sweepModel().record().points;
        return std::count_if(points.begin(), points.end(), [](const SweepPoint& point) {
            return point.skipped == SkipReason::NotNeeded;
        });
    };
    window->cmdRun_Click();
    EXPECT_THAT(tuned(), ElementsAre("SetFrequency 14", "SetFrequency 14.2", "SetFrequency 14.35",
                                     "SetFrequency 14.05"));
    EXPECT_EQ(notNeeded(), 4);
    EXPECT_EQ(sweepNotice(), "Keyed 4 of 8 points");

    int keyedWaits = 0;
    sweepSleeper->during = [&](std::chrono::milliseconds wait) {
        if (wait.count() == 1000 && ++keyedWaits == 2) {
            QTest::keyClick(window.get(), Qt::Key_Escape);
        }
    };
    window->cmdRun_Click();
    EXPECT_THAT(tuned(), ElementsAre("SetFrequency 14", "SetFrequency 14.2"));
    const std::vector<SweepPoint>& points = window->sweepModel().record().points;
    ASSERT_EQ(points.size(), 8u);
    EXPECT_TRUE(points[0].reading);
    EXPECT_EQ(std::count_if(points.begin(), points.end(),
                            [](const SweepPoint& point) { return point.reading.has_value(); }),
              1);
    EXPECT_EQ(notNeeded(), 0);
    EXPECT_EQ(sweepNotice(), "Keyed 1 of 8 points");
    EXPECT_TRUE(messages->shown.empty());
}

// Clicks and keys mid-sweep would start a second sweep, clear the points measured so far,
// re-plan the grid or replace the station's devices under the running sweep: all are
// dropped, and no poll interleaves.
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
            window->mnuStation_Click();  // as a screen reader's action reaches the menu
        }
    };
    window->cmdRun_Click();
    EXPECT_EQ(std::count(log.begin(), log.end(), "SetPTT 1"), 8);
    EXPECT_FALSE(timerRan);
    EXPECT_TRUE(stationDialogs->shown.empty());  // the station's devices stay the sweep's
    EXPECT_EQ(form.Text2->text(), "14.0");
    EXPECT_EQ(window->sweepModel().plan().StartFreq, 14.0);
    EXPECT_EQ(form.Combo2->currentIndex(), 2);
    EXPECT_EQ(std::get<Fixed4>(window->planBoxes().grid().at(1, 5)).tenThousandths(), 15000);
    QApplication::processEvents();  // nothing was queued for after the sweep either
    EXPECT_EQ(std::count(log.begin(), log.end(), "SetPTT 1"), 8);
}

TEST_F(SweepTest, CloseButtonMidSweepUnkeysThenClosesAndSaves) {
    QFile::remove(configPath());
    int waits = 0;
    sweepSleeper->during = [&](std::chrono::milliseconds) {
        if (++waits == 3) {  // keyed, first point, after the meter's check and the tuning
            window->close();
        }
    };
    window->cmdRun_Click();
    EXPECT_THAT(log, ElementsAre("Output ;P?", "Pause 200", "create", "GetTransceiver", "SetMode 2",
                                 "SetOptionB 0", "SetOptionA 0", "SetSplit 0", "SetFrequency 14",
                                 "Pause 200", "SetMode 2", "SetPTT 1", "Pause 1000", "SetPTT 0"));
    EXPECT_TRUE(messages->shown.empty());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(readConfig().count("\r\n"), 8);
}

// Each Run is kept in the history under the antenna in use, and the line above the chart
// says how it stands against the first, the antenna's reference for the band.
TEST_F(SweepTest, EachRunIsKeptInTheHistoryAndComparedWithTheReference) {
    window->cmdRun_Click();
    comm->answers = {";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.40"};  // the antenna moved
    EXPECT_THAT(chart->shownNotice(), ::testing::HasSubstr("Antenna 1, 20m: the reference sweep"));
    window->cmdRun_Click();
    EXPECT_THAT(chart->shownNotice(), ::testing::HasSubstr("Antenna 1, 20m: "));
    EXPECT_THAT(chart->shownNotice(), ::testing::HasSubstr(" reference of "));

    HistoryStore history(configDir.path().toStdString());
    std::string problem;
    const std::vector<SweepSummary> kept = history.list({}, problem);
    ASSERT_EQ(kept.size(), 2u) << problem;
    for (const SweepSummary& sweep : kept) {
        EXPECT_EQ(sweep.antenna, "Antenna 1");
        EXPECT_EQ(sweep.band, "20m");
        EXPECT_EQ(sweep.keyedPoints, 8);
    }
}

}  // namespace
}  // namespace zm::test
