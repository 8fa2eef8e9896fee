// SPDX-License-Identifier: GPL-3.0-or-later
// One station, one sweep. The program started twice with the same settings folder (a double
// click too many on the menu entry), as the desktop starts it: a copy of the built program in a
// folder of its own with its band plans, config.ini and the meter's link beside it. And a Run
// while another copy, with settings of its own, sweeps with the same radio.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>
#include <optional>

#include <unistd.h>

#include "settings/settings_folder_lock.h"
#include "station/port_holders.h"
#include "station/radio_claims.h"
#include "tests/support/process_events_until.h"
#include "tests/support/recording_transceiver.h"
#include "tests/support/rigctld_process.h"
#include "tests/support/sim_process.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

const QByteArray kConfig =
    "Position-Left=1215\r\nPosition-Top=1170\r\nComPort=1\r\nHeight=6645\r\nmnuNormal=True\r\n"
    "mnuDiag=False\r\nListIndex=2\r\nListIndex=0\r\n";

class Copy {
public:
    Copy() {
        for (const char* file : {"zm480-plot", "zm480-ptt-guard", "band-plans.ini"}) {
            QFile::copy(QDir(buildDir()).filePath(file), m_folder.filePath(file));
        }
        QFile config(m_folder.filePath("config.ini"));
        config.open(QIODevice::WriteOnly);
        config.write(kConfig);
    }
    QString path(const char* name) const { return m_folder.filePath(name); }

    // A start of the program, on the offscreen platform.
    void start(QProcess& process) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(environment);
        process.start(path("zm480-plot"));
    }

private:
    QTemporaryDir m_folder;
};

std::vector<int> holders(const std::string& device) {
    std::vector<int> pids;
    for (const RunningProgram& holder : programsHolding(device)) {
        pids.push_back(holder.pid);
    }
    return pids;
}

TEST(SecondStart, SaysTheFirstRunsAndLeavesItAlone) {
    Copy copy;
    RunningSim meter(copy.path("ports/com1"), {});
    ASSERT_TRUE(meter.started());
    const std::string device =
        std::filesystem::canonical(copy.path("ports/com1").toStdString()).string();
    const QDateTime copied = QFileInfo(copy.path("config.ini")).lastModified();
    QProcess first;
    copy.start(first);
    ASSERT_TRUE(first.waitForStarted());
    const int firstPid = static_cast<int>(first.processId());
    // Start-up is over once config.ini is written and the window holds the meter again.
    ASSERT_TRUE(processEventsUntil([&] {
        return QFileInfo(copy.path("config.ini")).lastModified() != copied &&
               holders(device) == std::vector<int>{firstPid};
    }));
    const QDateTime written = QFileInfo(copy.path("config.ini")).lastModified();

    QProcess second;
    second.setReadChannel(QProcess::StandardError);
    copy.start(second);
    const QByteArray expected = "ZM-480 Plot is already running (process " +
                                QByteArray::number(firstPid) + ") with the settings in " +
                                QFileInfo(copy.path("")).canonicalFilePath().toUtf8();
    QByteArray said;
    ASSERT_TRUE(processEventsUntil([&] {
        second.waitForReadyRead(20);
        said += second.readAllStandardError();
        return said.contains(expected) || second.state() == QProcess::NotRunning;
    })) << said.toStdString();
    EXPECT_TRUE(said.contains(expected)) << said.toStdString();
    EXPECT_EQ(holders(device), std::vector<int>{firstPid});  // the meter stays the first's
    second.terminate();  // its box is up: SIGTERM closes it, as its OK button would
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 0);

    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(QFileInfo(copy.path("config.ini")).lastModified(), written);
    first.terminate();
    EXPECT_TRUE(first.waitForFinished(10000));
}

// zm480-sweep sweeps with these settings: a window started meanwhile says so, leaves the
// meter alone, and opens when the command has ended.
TEST(SecondStart, WaitsForTheCommandsSweepAndOpensThen) {
    Copy copy;
    RunningSim meter(copy.path("ports/com1"), {});
    ASSERT_TRUE(meter.started());
    const std::string device =
        std::filesystem::canonical(copy.path("ports/com1").toStdString()).string();
    std::optional<SettingsFolderLock> command(std::in_place, copy.path(""),
                                              SettingsFolderLock::Holder::Command);
    ASSERT_TRUE(command->held());

    QProcess window;
    window.setReadChannel(QProcess::StandardError);
    copy.start(window);
    const QByteArray expected = "zm480-sweep is sweeping with the settings in " +
                                QFileInfo(copy.path("")).canonicalFilePath().toUtf8() +
                                " (process " + QByteArray::number(::getpid()) + ")";
    QByteArray said;
    ASSERT_TRUE(processEventsUntil([&] {
        window.waitForReadyRead(20);
        said += window.readAllStandardError();
        return said.contains("the window opens then") || window.state() == QProcess::NotRunning;
    })) << said.toStdString();
    EXPECT_TRUE(said.contains(expected)) << said.toStdString();
    EXPECT_EQ(window.state(), QProcess::Running);
    EXPECT_THAT(holders(device), ::testing::IsEmpty());  // the meter stays the command's

    command.reset();  // the sweep has ended
    EXPECT_TRUE(processEventsUntil(
        [&] { return holders(device) == std::vector<int>{static_cast<int>(window.processId())}; }));
    window.terminate();
    EXPECT_TRUE(window.waitForFinished(10000));
}

// The other copy's sweep holds the radio at rigctld's port: this Run says so and keys nothing.
class RadioClaimTest : public WindowTest {};

TEST_F(RadioClaimTest, RunWhileAnotherCopySweepsTheRadioKeysNothing) {
    const quint16 port = freeLoopbackPort();
    writeConfig(configText("1215", "1170", "1", "6645", "True", "False", "2", "0"));
    writeConfig(QByteArray("[rig]\nport=") + QByteArray::number(port) + "\n", "station.ini");
    Devices devices = fakeDevices();
    auto rig = std::make_unique<RecordingRigServerFactory>(log);
    RecordingRigServerFactory& calls = *rig;
    devices.rigServers = std::move(rig);
    devices.radioClaims = std::make_unique<ProgramRadioClaims>();
    createWindow(std::move(devices));
    start();
    comm->answers = {";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50"};
    ProgramRadioClaims otherCopy;
    pid_t holder = 0;
    ASSERT_TRUE(otherCopy.claim(port, "", holder));

    window->cmdRun_Click();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0], "Another ZM-480 Plot (process " + std::to_string(::getpid()) +
                                      ") is sweeping with this radio (rigctld port " +
                                      std::to_string(port) +
                                      "); nothing was keyed. Press Run again once its sweep has "
                                      "ended.");
    EXPECT_EQ(calls.callCount(), 0);

    otherCopy.release();  // its sweep ended
    window->cmdRun_Click();
    EXPECT_EQ(messages->shown.size(), 1u) << messages->shown.back();
    EXPECT_EQ(calls.frequenciesMHz().size(), 8u);
}

}  // namespace
}  // namespace zm::test
