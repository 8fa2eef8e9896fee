// The sweep run against a recording rig, a scripted meter and a recording sleep.

#include <QComboBox>
#include <QLineEdit>

#include "tests/support/recording_transceiver.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr const char* kFiftyOhms = ";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";

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
        log.clear();
    }
    void choosePlotMode(int mode) {
        window->controls().Combo2->setCurrentIndex(mode);
        window->Combo2_Click();
    }
    void chooseCarrier(int index) {
        window->controls().Combo4->setCurrentIndex(index);
        window->Combo4_Click();
    }
    double cell(int row, int column) const { return cellValue(window->plotGrid().at(row, column)); }
};

TEST_F(SweepTest, EveryPointIsTunedKeyedReadAndUnkeyedInOrder) {
    chooseCarrier(0);
    window->controls().Text3->setText("14.05");
    log.clear();
    window->cmdRun_Click();
    EXPECT_THAT(log, ElementsAre("create", "GetTransceiver", "SetMode 2", "SetOptionB 0",
                                 "SetOptionA 0", "SetFrequency 14", "Pause 200", "SetMode 2",
                                 "SetPTT 1", "Pause 1000", "Output ;P?", "Pause 200", "SetPTT 0",
                                 "SetFrequency 14.05", "Pause 200", "SetMode 2", "SetPTT 1",
                                 "Pause 1000", "Output ;P?", "Pause 200", "SetPTT 0"));
    EXPECT_TRUE(window->timer1Enabled());
    EXPECT_TRUE(messages->shown.empty());
}

TEST_F(SweepTest, StartUpPlanTunesToTheLabelledFrequencies) {
    window->cmdRun_Click();
    const std::vector<double>& tuned = rig->frequenciesMHz();
    ASSERT_EQ(tuned.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        const double label = std::stod(std::get<std::string>(window->plotGrid().at(i + 1, 1)));
        EXPECT_NEAR(tuned[i], label, 4e-15) << i;  // one unit in the last place
    }
    EXPECT_EQ(chart->repaints, 8);
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

TEST_F(SweepTest, WithoutAPlotModeThePointsAreMeasuredButNothingIsStored) {
    window->cmdRun_Click();
    EXPECT_EQ(std::count(log.begin(), log.end(), "SetPTT 0"), 8);
    for (int column = 2; column <= 7; ++column) {
        EXPECT_EQ(cell(4, column), 0.0);
    }
}

TEST_F(SweepTest, SilentMeterFillsEveryRowWithTheLastReading) {
    choosePlotMode(1);
    comm->answers = {kFiftyOhms, ""};  // one answer, then silence
    window->ReadMeter();
    window->cmdRun_Click();
    for (int row = 1; row <= 8; ++row) {
        EXPECT_EQ(cell(row, 4), 50.0) << row;
    }
}

TEST_F(SweepTest, SilentMeterBeforeAnyReadingLeavesRowsEmpty) {
    // A fresh window: nothing was ever read, so the rows get no value at all.
    window.reset();
    log.clear();
    Devices devices = fakeDevices();
    devices.rigServers = std::make_unique<RecordingRigServerFactory>(log);
    createWindow(std::move(devices));
    start();
    choosePlotMode(0);
    window->cmdRun_Click();
    EXPECT_TRUE(std::holds_alternative<std::monostate>(window->plotGrid().at(1, 2)));
    EXPECT_EQ(cellValue(chart->lastData.at(1, 2)), 0.0);
}

TEST_F(SweepTest, NoServerStopsBeforeKeyingWithOneMessage) {
    rig->failCall(1, -1, "No rig-control server answers at 127.0.0.1:4532.");
    window->cmdRun_Click();
    EXPECT_THAT(log, ElementsAre("create"));
    EXPECT_THAT(messages->shown, ElementsAre("No rig-control server answers at 127.0.0.1:4532."));
    EXPECT_TRUE(window->timer1Enabled());
}

TEST_F(SweepTest, RefusalWhileKeyedUnkeysAndSaysWhatFailed) {
    // create, GetTransceiver, 3 set-up calls, then SetFrequency, SetMode, SetPTT 1: the
    // 8th call fails after the transmitter was keyed.
    rig->failCall(8);
    window->cmdRun_Click();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log.back(), "SetPTT 0");
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0],
              "The sweep stopped. The radio rejected the command. Check the radio and rigctld, "
              "then press Run again.");
    EXPECT_TRUE(window->timer1Enabled());
}

TEST_F(SweepTest, FailedUnkeyIsTriedOnceMore) {
    rig->failCall(9);  // SetPTT 0 of the first point
    window->cmdRun_Click();
    EXPECT_EQ(std::count(log.begin(), log.end(), "SetPTT 0"), 2);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].find("could not be unkeyed"), std::string::npos);
}

}  // namespace
}  // namespace zm::test
