// SPDX-License-Identifier: GPL-3.0-or-later
// The station comes and goes under the open window, as real ones do: the meter's adapter and
// the radio's CAT port pulled and plugged back. A simulator stopped and started again at the
// same link is that: its pseudo-terminal goes, and a new one comes behind the same name.

#include <QLabel>
#include <filesystem>

#include "meter/qt_serial_comm.h"
#include "tests/support/cat_sim_process.h"
#include "tests/support/process_events_until.h"
#include "tests/support/sim_process.h"
#include "tests/support/station_window_fixture.h"

namespace zm::test {
namespace {

using State = RigctldRunner::State;

class ReplugTest : public StationWindowTest {
protected:
    std::string folderPath(const char* name) const {
        return QDir(configDir.path()).filePath(name).toStdString();
    }
    QString rawLine() const { return window->controls().Label31->text(); }
};

// Unplugged while idle: the lamp turns red with a line that says so, no box; plugged back, the
// port is opened again by itself and polling resumes.
TEST_F(ReplugTest, MeterUnpluggedAndPluggedBackWhileIdle) {
    const QString link = QString::fromStdString(folderPath("ports/com1"));
    auto meter = std::make_unique<RunningSim>(link, QStringList{});
    ASSERT_TRUE(meter->started());
    const std::string device = std::filesystem::read_symlink(link.toStdString()).string();
    Devices devices = fakeDevices();
    devices.comm = std::make_unique<QtSerialComm>(configDir.path());
    createWindow(std::move(devices));
    start();
    ASSERT_TRUE(processEventsUntil([&] { return lampOn(); }));

    meter.reset();
    ASSERT_TRUE(processEventsUntil([&] { return rawLine().startsWith("Meter unplugged"); }));
    const QLabel* line = window->controls().Label31;
    EXPECT_EQ(line->toolTip().toStdString(),
              "Meter unplugged: " + device + " is gone; polling resumes when it is back");
    EXPECT_LE(QFontMetrics(line->font()).horizontalAdvance(rawLine()), line->width())
        << rawLine().toStdString();  // shown whole, not cut by the lamp
    EXPECT_FALSE(lampOn());

    meter = std::make_unique<RunningSim>(link, QStringList{"--z", "75", "--noise", "0"});
    ASSERT_TRUE(processEventsUntil([&] { return lampOn(); }));
    EXPECT_EQ(readout().at(1), "75.0");
    EXPECT_TRUE(messages->shown.empty()) << messages->shown.front();
}

// The radio switched off and on (Hamlib's FT-817 backend on the emulated radio): its rigctld
// is stopped while the device is gone, and a Run pressed as the radio comes back waits for the
// new rigctld and sweeps, the window never started again.
TEST_F(ReplugTest, RadioSwitchedOffAndOnThenRunWaitsAndSweeps) {
    const std::string link = folderPath("cat");
    const QStringList atLink{"--link", QString::fromStdString(link)};
    auto radio = std::make_unique<RunningCatSim>(atLink);
    ASSERT_TRUE(radio->started());
    RigctldRunner* rigctld =
        createWindowRunningRigctld("model=1020\ndevice=" + link + "\nbaud=38400\n", fakeDevices());
    if (!rigctld) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    ASSERT_TRUE(processEventsUntil([&] { return rigctld->answering(); })) << rigctld->problem();
    EXPECT_EQ(window->windowTitle(), "ZM-480 Plot - rigctld answers");

    radio.reset();
    ASSERT_TRUE(processEventsUntil([&] {
        return rigctld->state() == State::WaitingForDevice && rigctldsOnPort(rigPort()).empty();
    }));
    EXPECT_EQ(window->windowTitle(), "ZM-480 Plot - waiting for the radio's device");

    radio = std::make_unique<RunningCatSim>(atLink);
    ASSERT_TRUE(radio->started());
    window->cmdRun_Click();
    EXPECT_TRUE(messages->shown.empty()) << messages->shown.front();
    const auto said = radio->transcript();
    EXPECT_EQ(std::ranges::count_if(
                  said, [](const std::string& line) { return line.starts_with("ptt on"); }),
              window->sweepModel().plan().PointCount);
    EXPECT_EQ(window->windowTitle(), "ZM-480 Plot - rigctld answers");
}

// The radio switched off while its CAT cable stays plugged in (the emulated FT-817 behind
// Hamlib's FT-817 backend): the title names it, Run gives the cause and keys nothing, and the
// radio switched on again is seen without a Run.
TEST_F(ReplugTest, RadioOffBehindAPresentCableIsNamedAndSeenWhenOnAgain) {
    const std::string link = folderPath("cat");
    RunningCatSim radio({"--off", "--link", QString::fromStdString(link)});
    ASSERT_TRUE(radio.started());
    RigctldRunner* rigctld =
        createWindowRunningRigctld("model=1020\ndevice=" + link + "\nbaud=38400\n", fakeDevices());
    if (!rigctld) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    // Hamlib's backend tries the silent radio for some 6 s as rigctld opens it.
    ASSERT_TRUE(processEventsUntil([&] { return rigctld->state() == State::RadioSilent; },
                                   std::chrono::seconds(60)))
        << rigctld->problem();
    EXPECT_EQ(window->windowTitle(), "ZM-480 Plot - the radio does not answer");

    window->cmdRun_Click();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_THAT(messages->shown[0],
                ::testing::StartsWith("The sweep stopped. The radio does not answer rigctld: "
                                      "check that it is switched on"));
    const auto said = radio.transcript();
    EXPECT_EQ(std::ranges::count_if(
                  said, [](const std::string& line) { return !line.starts_with("ignored"); }),
              0);

    radio.pressPowerButton();
    ASSERT_TRUE(processEventsUntil([&] { return rigctld->answering(); }, std::chrono::seconds(30)));
    EXPECT_EQ(window->windowTitle(), "ZM-480 Plot - rigctld answers");
}

}  // namespace
}  // namespace zm::test
