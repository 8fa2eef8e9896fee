// SPDX-License-Identifier: GPL-3.0-or-later
// One station, one window: the program started twice with the same settings folder (a double
// click too many on the menu entry), as the desktop starts it, a copy of the built program in a
// folder of its own with config.ini and the meter's link beside it.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>

#include "station/port_holders.h"
#include "tests/support/process_events_until.h"
#include "tests/support/sim_process.h"

namespace zm::test {
namespace {

const QByteArray kConfig =
    "Position-Left=1215\r\nPosition-Top=1170\r\nComPort=1\r\nHeight=6645\r\nmnuNormal=True\r\n"
    "mnuDiag=False\r\nListIndex=2\r\nListIndex=0\r\n";

class Copy {
public:
    Copy() {
        for (const char* program : {"zm480-plot", "zm480-ptt-guard"}) {
            QFile::copy(QDir(buildDir()).filePath(program), m_folder.filePath(program));
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

}  // namespace
}  // namespace zm::test
