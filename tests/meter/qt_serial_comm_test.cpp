// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter/qt_serial_comm.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "meter/meter_record.h"
#include "tests/support/process_events_until.h"
#include "tests/support/pty_meter.h"

namespace zm {
namespace {

using namespace std::chrono_literals;

const std::string kRecord = ";  100.0, 50.0,-30.0, R 43.3 X-25.0 SW 1.50";

using test::processEventsUntil;

class QtSerialCommTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_comm.setCommPort(1);
        ASSERT_TRUE(m_comm.setSettings("38400,n,8,1"));
        m_comm.setInputLen(0);
        ASSERT_TRUE(m_comm.open()) << m_meter.devicePath();
    }

    // One poll as the window runs it: no event loop between query and read. The meter
    // thread answers within a millisecond or two; waiting for the answer to be in the
    // kernel after the sleep keeps a busy test machine from failing the test.
    std::string poll() {
        m_comm.clearOutBuffer();
        m_comm.clearInBuffer();
        if (!m_comm.output(kMeterQuery)) {
            return "(output failed)";
        }
        std::this_thread::sleep_for(200ms);
        m_meter.waitUntilPortHolds(kMeterRecordLength);
        return m_comm.input();
    }

    test::PtyMeter m_meter;
    QtSerialComm m_comm{QString::fromStdString(m_meter.configDir())};
};

TEST_F(QtSerialCommTest, PortNumberMapsToPortsLinkElseTtyS) {
    const std::string ports = m_meter.configDir() + "/ports/com";
    EXPECT_EQ(m_comm.routeOf(1).device, m_meter.devicePath());
    EXPECT_EQ(m_comm.routeOf(1).linkPath, ports + "1");
    EXPECT_TRUE(m_comm.routeOf(1).linked);
    EXPECT_EQ(m_comm.routeOf(2).device, "/dev/ttyS1");
    EXPECT_EQ(m_comm.routeOf(2).linkPath, ports + "2");
    EXPECT_FALSE(m_comm.routeOf(2).linked);
    EXPECT_EQ(m_comm.routeOf(16).device, "/dev/ttyS15");
    EXPECT_TRUE(m_comm.routeOf(0).device.empty());
}

TEST_F(QtSerialCommTest, QueryIsExactlyThreeBytesWithoutTerminator) {
    ASSERT_TRUE(m_comm.output(kMeterQuery));
    // The marker written next must follow the query at once: no CR or LF between.
    ASSERT_TRUE(m_comm.output("!"));
    EXPECT_EQ(m_meter.waitForSent(4), ";P?!");
}

TEST_F(QtSerialCommTest, RecordArrivingDuringSleepIsReadWholeWithoutEventLoop) {
    m_meter.answerWith(kRecord);
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(poll(), kRecord) << "poll " << round;
    }
}

TEST_F(QtSerialCommTest, InputReadsWhatTheKernelHoldsAfterTheSleep) {
    m_meter.send(kRecord);
    ASSERT_TRUE(m_meter.waitUntilPortHolds(kRecord.size()));
    EXPECT_EQ(m_comm.input(), kRecord);
    EXPECT_EQ(m_comm.input(), "");
}

TEST_F(QtSerialCommTest, ClearInBufferDiscardsLateTailStillInKernel) {
    m_meter.send("SW 1.50");
    ASSERT_TRUE(m_meter.waitUntilPortHolds(7));
    m_comm.clearInBuffer();
    EXPECT_EQ(m_comm.input(), "");
}

TEST_F(QtSerialCommTest, ClearInBufferDiscardsLateTailAlreadyReadByEventLoop) {
    m_meter.send("SW 1.50");
    ASSERT_TRUE(m_meter.waitUntilPortHolds(7));
    ASSERT_TRUE(processEventsUntil([&] { return m_meter.pendingOnPort() == 0; }));
    m_comm.clearInBuffer();
    EXPECT_EQ(m_comm.input(), "");
}

TEST_F(QtSerialCommTest, InputLengthTakesThatManyAndLeavesTheRest) {
    m_comm.setInputLen(10);
    m_meter.send(kRecord);
    ASSERT_TRUE(m_meter.waitUntilPortHolds(kRecord.size()));
    EXPECT_EQ(m_comm.input(), kRecord.substr(0, 10));
    EXPECT_EQ(m_comm.input(), kRecord.substr(10, 10));
    m_comm.setInputLen(0);
    EXPECT_EQ(m_comm.input(), kRecord.substr(20));
}

TEST_F(QtSerialCommTest, SecondOpenerOfSamePortIsRefused) {
    QtSerialComm other(QString::fromStdString(m_meter.configDir()));
    other.setCommPort(1);
    EXPECT_FALSE(other.open());
    EXPECT_FALSE(other.isOpen());
    m_comm.close();
    EXPECT_TRUE(other.open());
}

TEST_F(QtSerialCommTest, OpenFailsWhenLinkTargetIsMissing) {
    std::filesystem::create_symlink("/dev/zm-no-such-tty",
                                    std::filesystem::path(m_meter.configDir()) / "ports/com3");
    QtSerialComm other(QString::fromStdString(m_meter.configDir()));
    other.setCommPort(3);
    EXPECT_EQ(other.routeOf(3).device, "/dev/zm-no-such-tty");
    EXPECT_FALSE(other.open());
    EXPECT_FALSE(other.isOpen());
    EXPECT_FALSE(other.output(kMeterQuery));
    EXPECT_EQ(other.input(), "");
}

TEST_F(QtSerialCommTest, SettingsReachTheLine) {
    const termios line = m_meter.lineSettings();
    EXPECT_EQ(cfgetospeed(&line), B38400);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & (PARENB | CSTOPB), 0u);

    EXPECT_TRUE(m_comm.setSettings("9600,N,8,2"));
    const termios changed = m_meter.lineSettings();
    EXPECT_EQ(cfgetospeed(&changed), B9600);
    EXPECT_EQ(changed.c_cflag & CSTOPB, static_cast<tcflag_t>(CSTOPB));
    EXPECT_TRUE(m_comm.isOpen());
}

TEST_F(QtSerialCommTest, SettingsTheDeviceRefusesKeepThePreviousOnes) {
    EXPECT_FALSE(m_comm.setSettings("9600,x,8,1"));  // no such parity
    // A pty always has 8 data bits and no parity, like a USB adapter without 7-bit mode.
    EXPECT_FALSE(m_comm.setSettings("9600,e,7,1"));
    const termios line = m_meter.lineSettings();
    EXPECT_EQ(cfgetospeed(&line), B38400);
    ASSERT_TRUE(m_comm.isOpen());
    m_meter.answerWith(kRecord);
    EXPECT_EQ(poll(), kRecord);
}

TEST_F(QtSerialCommTest, UnpluggedDeviceFailsNextOutputAndClosesPort) {
    m_meter.unplug();
    m_comm.clearOutBuffer();
    m_comm.clearInBuffer();
    const bool sent = m_comm.output(kMeterQuery);
    const std::string received = m_comm.input();
    EXPECT_FALSE(sent && !received.empty());
    EXPECT_FALSE(m_comm.isOpen());
    EXPECT_FALSE(m_comm.output(kMeterQuery));
    EXPECT_EQ(m_comm.input(), "");
    for (int round = 0; round < 20; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_FALSE(m_comm.isOpen());
}

TEST_F(QtSerialCommTest, UnpluggedDeviceIsClosedByEventLoopWithoutErrorStorm) {
    m_meter.unplug();
    ASSERT_TRUE(processEventsUntil([&] { return !m_comm.isOpen(); }));
    for (int round = 0; round < 20; ++round) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_FALSE(m_comm.isOpen());
    EXPECT_FALSE(m_comm.output(kMeterQuery));
}

TEST_F(QtSerialCommTest, ReopensAfterUnplugOnceDeviceIsBack) {
    m_meter.unplug();
    ASSERT_TRUE(processEventsUntil([&] { return !m_comm.isOpen(); }));
    test::PtyMeter replacement;
    QtSerialComm comm(QString::fromStdString(replacement.configDir()));
    ASSERT_TRUE(comm.open());
    replacement.answerWith(kRecord);
    ASSERT_TRUE(comm.output(kMeterQuery));
    ASSERT_TRUE(replacement.waitUntilPortHolds(kRecord.size()));
    EXPECT_EQ(comm.input(), kRecord);
}

TEST_F(QtSerialCommTest, FloodIsDrainedButOnlyPartKept) {
    constexpr std::size_t kFloodBytes = 1024 * 1024;
    std::atomic<bool> written{false};
    std::thread writer([&] {
        m_meter.send(std::string(kFloodBytes, 'x'));
        written = true;
    });
    std::size_t largest = 0;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while ((!written.load() || m_meter.pendingOnPort() > 0) &&
           std::chrono::steady_clock::now() < deadline) {
        largest = std::max(largest, m_comm.input().size());
        std::this_thread::sleep_for(5ms);
    }
    const bool drained = written.load() && m_meter.pendingOnPort() == 0;
    m_meter.unplug();  // lets a writer stuck on a full line give up
    writer.join();
    ASSERT_TRUE(drained);
    largest = std::max(largest, m_comm.input().size());
    EXPECT_GT(largest, 0u);
    EXPECT_LE(largest, 64u * 1024u);
}

}  // namespace
}  // namespace zm
