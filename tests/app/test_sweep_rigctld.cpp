// SPDX-License-Identifier: GPL-3.0-or-later
// Sweeps through a real rigctld running Hamlib's dummy rig, and its FT-817 backend on an
// emulated radio; the waits are recorded, not slept. Plans that cross a band edge key no
// point outside the band plan.

#include <QComboBox>
#include <QLineEdit>
#include <QTcpServer>

#include "history/history_store.h"
#include "results/sweep_csv.h"
#include "sweep/rigctld_client.h"
#include "sweep/rigctld_protocol.h"
#include "tests/support/cat_sim_process.h"
#include "tests/support/rigctld_process.h"
#include "tests/support/sweep_command_process.h"
#include "tests/support/watched_rig.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* kRecord = ";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";

// Kills rigctld when the sweep has made a given number of pauses.
class KillingSleeper : public Sleeper {
public:
    KillingSleeper(RigctldProcess& rigctld, int killAtPause)
        : m_rigctld(rigctld), m_killAt(killAtPause) {}
    void sleep(std::chrono::milliseconds) override {
        if (++m_pauses == m_killAt) {
            onTestThread([this] { m_rigctld.kill(); });
        }
    }

private:
    RigctldProcess& m_rigctld;
    int m_killAt;
    int m_pauses = 0;
};

class RigctldSweepTest : public WindowTest, public ::testing::WithParamInterface<bool> {
protected:
    RigctldProcess rigctld;
    bool vfoMode = false;

    // Starts rigctld and the window on it; false (test skipped) without Hamlib's utilities.
    bool startStation(bool rigPtt = true, int killAtPause = 0) {
        vfoMode = GetParam();
        std::string whyNot;
        if (RigctldProcess::executable().empty()) {
            return false;
        }
        if (!rigctld.start({.vfoMode = vfoMode, .rigPtt = rigPtt}, whyNot)) {
            ADD_FAILURE() << whyNot;
            return false;
        }
        Devices devices = fakeDevices();
        devices.rigServers = std::make_unique<RigctldServerFactory>("127.0.0.1", rigctld.port());
        if (killAtPause > 0) {
            devices.sweepSleeper = std::make_unique<KillingSleeper>(rigctld, killAtPause);
        }
        createWindow(std::move(devices));
        start();
        comm->answers = {kRecord};
        choosePlotMode(*window, 2);
        return true;
    }
    std::string rig(const char* command, const char* key) {
        return readBack(rigctld.port(), vfoMode, command, key);
    }
    void choose(QComboBox* list, int index, void (frmMain::*handler)()) {
        list->setCurrentIndex(index);
        (window.get()->*handler)();
    }
};

TEST_P(RigctldSweepTest, SweepLeavesTheRigOnTheLastPointUnkeyedInTheChosenMode) {
    if (!startStation()) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    // The radio as another program left it: XIT and RIT on, transmitting on VFO B.
    for (const auto& [command, arguments] :
         {std::pair{"U", "XIT 1"}, std::pair{"U", "RIT 1"}, std::pair{"S", "1 VFOB"}}) {
        ASSERT_NE(exchange(rigctld.port(), vfoMode, command, arguments).find("RPRT 0"),
                  std::string::npos);
    }
    choose(window->controls().Combo4, 1, &frmMain::Combo4_Click);  // AM
    choose(window->controls().Combo2, 1, &frmMain::Combo2_Click);  // Z & Phase
    window->controls().Text3->setText("14.1");
    window->cmdRun_Click();
    EXPECT_TRUE(messages->shown.empty()) << messages->shown.front();
    EXPECT_EQ(rig("f", "Frequency"), "14100000");
    EXPECT_EQ(rig("t", "PTT"), "0");
    EXPECT_EQ(rig("m", "Mode"), "AM");
    EXPECT_EQ(rig("u XIT", ""), "0");
    EXPECT_EQ(rig("u RIT", ""), "0");
    EXPECT_EQ(rig("s", "Split"), "0");
    EXPECT_EQ(cellValue(window->planBoxes().grid().at(3, 4)), 50.0);
    EXPECT_TRUE(window->timer1Enabled());
}

// A radio that says which antenna socket it uses, where station.ini ties that socket to an
// antenna: the sweep is that antenna's, in its file and its history, and the antenna is the
// one in use from then on.
TEST_P(RigctldSweepTest, SweepIsForTheAntennaOfTheRadiosSocket) {
    writeConfig("[antennas]\nin_use=40m dipole\nant2=20m yagi\n", "station.ini");
    if (!startStation()) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    ASSERT_NE(exchange(rigctld.port(), vfoMode, "Y", "2 0").find("RPRT 0"), std::string::npos);
    window->controls().Text3->setText("14.1");
    window->cmdRun_Click();
    EXPECT_TRUE(messages->shown.empty()) << messages->shown.front();
    window->results().copySweep();
    ASSERT_FALSE(clipboard->copied.empty());
    EXPECT_THAT(clipboard->copied.back(), HasSubstr("\n# antenna: 20m yagi\n"));
    std::string problem;
    const auto kept = HistoryStore(configDir.path().toStdString()).list({}, problem);
    ASSERT_EQ(kept.size(), 1u) << problem;
    EXPECT_EQ(kept.front().antenna, "20m yagi");
    EXPECT_THAT(readConfig("station.ini").toStdString(), HasSubstr("in_use=20m yagi"));
}

TEST_P(RigctldSweepTest, RefusedKeyingEndsWithOneMessageAndPollingOn) {
    if (!startStation(/*rigPtt=*/false)) {
        GTEST_SKIP() << "rigctld is not installed";
    }
    window->cmdRun_Click();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_NE(messages->shown[0].find("-P"), std::string::npos) << messages->shown[0];
    EXPECT_TRUE(window->timer1Enabled());
}

TEST_P(RigctldSweepTest, ServerKilledWhileKeyedEndsWithOneMessage) {
    // Pauses: 1 the meter's answer, 2 after tuning, 3 keyed before the poll: rigctld dies
    // with the rig keyed.
    if (!startStation(true, 3)) {
        GTEST_SKIP() << "rigctld is not installed";
    }
    window->cmdRun_Click();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_NE(messages->shown[0].find("could not be unkeyed"), std::string::npos)
        << messages->shown[0];
    EXPECT_TRUE(window->timer1Enabled());
}

class NoServerSweepTest : public WindowTest {};

TEST_F(NoServerSweepTest, OneMessageSaysWhatToStartAndPollingResumes) {
    QTcpServer closed;  // a port that was free a moment ago and now has nobody on it
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    Devices devices = fakeDevices();
    devices.rigServers = std::make_unique<RigctldServerFactory>("127.0.0.1", port);
    createWindow(std::move(devices));
    start();
    comm->answers = {kRecord};
    log.clear();
    choosePlotMode(*window, 2);
    window->cmdRun_Click();
    const std::string p = std::to_string(port);
    EXPECT_THAT(messages->shown,
                ElementsAre("The sweep stopped. No rig-control server answers at 127.0.0.1:" + p +
                            "; start rigctld for your radio on port " + p +
                            " (see README). Check the radio and rigctld, then press Run again."));
    EXPECT_THAT(log, ElementsAre("Output ;P?", "Pause 200"));  // the meter asked, nothing keyed
    EXPECT_TRUE(window->timer1Enabled());
}

INSTANTIATE_TEST_SUITE_P(Rigctld, RigctldSweepTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "VfoMode" : "Plain"; });

struct BandEdgeCase {
    const char* name;
    const char* plan;
    const char* startMHz;
    const char* stopMHz;
    int carrierIndex;  // 0 CW, 1 AM
    std::vector<std::int64_t> keyedHz;
    std::vector<std::int64_t> skippedHz;
    std::string said;            // the notice above the chart, or the refusal
    const char* band = nullptr;  // chosen in the Band menu in place of the boxes' text
};
void PrintTo(const BandEdgeCase& row, std::ostream* out) {
    *out << row.name;
}

class BandPlanSweepTest : public WindowTest, public ::testing::WithParamInterface<BandEdgeCase> {
protected:
    // The row's band plan, carrier mode, and band or boxes, chosen in the window.
    void planInWindow(const BandEdgeCase& c) {
        window->mnuBandPlan_Click(c.plan);
        window->controls().Combo4->setCurrentIndex(c.carrierIndex);
        window->Combo4_Click();
        if (c.band) {
            for (const Band& band : window->bandPlans().plan().bands) {
                if (band.name == c.band) {
                    window->mnuBand_Click(band);
                }
            }
        } else {
            window->controls().Text2->setText(c.startMHz);
            window->controls().Text3->setText(c.stopMHz);
        }
    }
};

TEST_P(BandPlanSweepTest, KeysNoPointOutsideThePlanAndLeavesItsRowWithoutValues) {
    if (RigctldProcess::executable().empty()) {
        GTEST_SKIP() << "rigctld is not installed";
    }
    const BandEdgeCase& c = GetParam();
    RigctldProcess rigctld;
    std::string whyNot;
    ASSERT_TRUE(rigctld.start({}, whyNot)) << whyNot;
    // Each request as it goes out to rigctld: "F 7250000" (the whole hertz sent), "T 1".
    CallLog sent;
    Devices devices = fakeDevices();
    devices.rigServers = std::make_unique<WatchedRigServers>(
        rigctld.port(),
        RigWatcher{
            .tuning =
                [&](double frequencyMHz) {
                    sent.push_back("F " + std::to_string(rigFrequencyHz(frequencyMHz).value_or(0)));
                },
            .keying = [&](int transmit) { sent.push_back("T " + std::to_string(transmit)); }});
    createWindow(std::move(devices));
    start();
    comm->answers = {kRecord};
    planInWindow(c);
    window->cmdRun_Click();

    std::vector<std::int64_t> keyedHz;
    std::int64_t tunedHz = 0;
    for (const std::string& call : sent) {
        if (call.starts_with("F ")) {
            tunedHz = std::stoll(call.substr(2));
        } else if (call == "T 1") {
            keyedHz.push_back(tunedHz);
        }
    }
    EXPECT_EQ(keyedHz, c.keyedHz);
    if (c.keyedHz.empty()) {
        EXPECT_THAT(messages->shown, ElementsAre(c.said));
        EXPECT_TRUE(sent.empty());  // refused before anything went to the radio
        EXPECT_TRUE(chart->lastRecord.empty());
        return;
    }
    EXPECT_TRUE(messages->shown.empty()) << messages->shown.front();
    EXPECT_EQ(sweepNotice(), c.said);
    std::vector<std::int64_t> skippedHz;
    for (std::size_t i = 0; i < window->sweepModel().record().points.size(); ++i) {
        const SweepPoint& point = window->sweepModel().record().points[i];
        if (point.skipped == SkipReason::OutsideBandPlan) {
            skippedHz.push_back(point.frequencyHz);
            EXPECT_TRUE(std::holds_alternative<std::monostate>(
                window->planBoxes().grid().at(static_cast<int>(i) + 1, 5)));
            EXPECT_NE(writeSweepCsv(window->sweepModel().record())
                          .find(std::to_string(point.frequencyHz) + ",,,,,,,,,outside band plan\n"),
                      std::string::npos);
        }
    }
    EXPECT_EQ(skippedHz, c.skippedHz);
    EXPECT_EQ(readBack(rigctld.port(), false, "t", "PTT"), "0");
}

// zm480-sweep, given the boxes' text and the step list's as the window shows them, keys the
// same points, through a rigctld of its own finding (the settings folder's), on the meter of
// zm480-sim; a plan with nothing to key ends it with status 4.
TEST_P(BandPlanSweepTest, TheCommandKeysWhatTheWindowKeys) {
    if (RigctldProcess::executable().empty()) {
        GTEST_SKIP() << "rigctld is not installed";
    }
    const BandEdgeCase& c = GetParam();
    CommandStation station;
    std::string whyNot;
    ASSERT_TRUE(station.start(whyNot)) << whyNot;
    writeCommandSettings(station.folder(), station.rigAtProxy());
    createWindow(fakeDevices());
    start();
    planInWindow(c);
    const SweepCommandResult swept = runSweepCommand(
        {"--settings", station.folder(), "--plan", c.plan, "--mode", c.carrierIndex ? "AM" : "CW",
         "--start", window->controls().Text2->text(), "--stop", window->controls().Text3->text(),
         "--step", window->controls().Combo1->currentText(), "-o", "-"});
    EXPECT_EQ(station.proxy->keyedHz(), c.keyedHz) << swept.err;
    EXPECT_EQ(swept.exitCode, c.keyedHz.empty() ? 4 : 0) << swept.err;
    EXPECT_EQ(readBack(station.rigctld.port(), false, "t", "PTT"), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Rigctld, BandPlanSweepTest,
    ::testing::Values(
        BandEdgeCase{"Region1CwKeysUpToTheEdge",
                     "iaru1",
                     "7.1",
                     "7.3",
                     0,
                     {7100000, 7150000, 7200000},
                     {7250000, 7300000},
                     "2 of 5 points lie outside the bands of IARU Region 1 (shaded): they are not "
                     "keyed."},
        BandEdgeCase{"Region1AmKeepsItsSidebandsInside",
                     "iaru1",
                     "7.1",
                     "7.2",
                     1,
                     {7100000, 7150000},
                     {7200000},
                     "1 of 3 points lie outside the bands of IARU Region 1 (shaded): they are not "
                     "keyed."},
        BandEdgeCase{"GeneralClassSkipsTheGapBetweenItsSubBands",
                     "us-general",
                     "14.1",
                     "14.25",
                     0,
                     {14100000, 14150000, 14250000},
                     {14200000},
                     "1 of 4 points lie outside the bands of US General class (shaded): they are "
                     "not keyed."},
        BandEdgeCase{
            "AnyKeysTheStartUpPlanAsBefore",
            "any",
            "14.0",
            "14.35",
            0,
            {14000000, 14050000, 14100000, 14150000, 14200000, 14250000, 14300000, 14350000},
            {},
            ""},
        // The Band menu plans on the boxes' two decimals, inside the band.
        BandEdgeCase{
            "BandMenuKeysEveryPointOf17m", "iaru1", "", "", 0, {18070000, 18120000}, {}, "", "17m"},
        BandEdgeCase{"BandMenuKeysTheOnePointOf60m", "iaru2", "", "", 0, {5360000}, {}, "", "60m"},
        BandEdgeCase{"BandMenuSkipsOnlyTheGapOfGeneralClass80m",
                     "us-general",
                     "",
                     "",
                     0,
                     {3530000, 3580000, 3830000, 3880000, 3930000, 3980000},
                     {3630000, 3680000, 3730000, 3780000},
                     "4 of 10 points lie outside the bands of US General class (shaded): they "
                     "are not keyed.",
                     "80m"},
        BandEdgeCase{
            "Region1RefusesTheBroadcastersBand",
            "iaru1",
            "7.25",
            "7.6",
            0,
            {},
            {},
            "Nothing to sweep: 7.250 to 7.600 MHz lies outside the 40m band of IARU Region "
            "1 (7.000 to 7.200 MHz). Choose a band in the Band menu, or the licence plan "
            "in Setup."}),
    [](const auto& info) { return std::string(info.param.name); });

struct Ft817Case {
    const char* name;
    QStringList radioOptions;               // how the user left the radio
    std::vector<std::string> switchesSeen;  // the clarifier and split commands it received
    std::string endState;
};
void PrintTo(const Ft817Case& row, std::ostream* out) {
    *out << row.name;
}

class Ft817SweepTest : public WindowTest, public ::testing::WithParamInterface<Ft817Case> {};

// Hamlib's FT-817 backend, a binary CAT of five-byte commands, on the emulated radio: the
// start-up plan's 8 points go out on their frequencies, however the radio was left.
TEST_P(Ft817SweepTest, SweepsEveryPointOnItsFrequencyAndEndsUnkeyed) {
    if (RigctldProcess::executable().empty()) {
        GTEST_SKIP() << "rigctld is not installed";
    }
    RunningCatSim radio(GetParam().radioOptions);
    ASSERT_TRUE(radio.started());
    RigctldProcess rigctld;
    std::string whyNot;
    ASSERT_TRUE(rigctld.start({.model = 1020, .device = radio.device(), .baud = 38400}, whyNot))
        << whyNot;
    Devices devices = fakeDevices();
    devices.rigServers = std::make_unique<RigctldServerFactory>("127.0.0.1", rigctld.port());
    createWindow(std::move(devices));
    start();
    comm->answers = {kRecord};
    choosePlotMode(*window, 2);
    window->cmdRun_Click();
    EXPECT_TRUE(messages->shown.empty()) << messages->shown.front();

    radio.stop();
    std::vector<std::string> keying;
    std::vector<std::string> switches;
    for (const std::string& line : radio.transcript()) {
        if (line.starts_with("ptt")) {
            keying.push_back(line);
        } else if (line.starts_with("clarifier") || line.starts_with("split")) {
            switches.push_back(line);
        }
    }
    std::vector<std::string> planned;
    for (int point = 0; point < 8; ++point) {
        planned.push_back("ptt on " + std::to_string(14'000'000 + point * 50'000));
        planned.push_back("ptt off");
    }
    EXPECT_EQ(keying, planned);
    EXPECT_EQ(switches, GetParam().switchesSeen);
    EXPECT_EQ(radio.transcript().back(), "state: " + GetParam().endState);
}

INSTANTIATE_TEST_SUITE_P(
    Rigctld, Ft817SweepTest,
    ::testing::Values(
        // The clarifier off, as it usually is: the radio answers "no change" (F0) and
        // rigctld RPRT -9 to the switch-off.
        Ft817Case{"ClarifierOff",
                  {},
                  {"clarifier off (no change)"},
                  "vfo a 14350000 CW, vfo b 7100000 USB, on a, ptt off, clarifier off 0, split "
                  "off, lock off"},
        // Split would send every point on VFO B's 7.1 MHz.
        Ft817Case{"ClarifierAndSplitOn",
                  {"--clarifier", "on", "--clarifier-offset", "500", "--split", "on"},
                  {"clarifier off", "split off"},
                  "vfo a 14350000 CW, vfo b 7100000 USB, on a, ptt off, clarifier off 500, split "
                  "off, lock off"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm::test
