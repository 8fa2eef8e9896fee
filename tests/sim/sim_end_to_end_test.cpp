// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

#include "meter/meter_record.h"
#include "meter/qt_serial_comm.h"
#include "tests/support/sim_process.h"

namespace zm {
namespace {

using test::buildDir;
using test::RunningSim;

using namespace std::chrono_literals;

// Polls as the window does; a busy machine may let the other process answer late, so
// a few polls are allowed before giving up.
std::optional<MeterReading> pollUntilAccepted(SerialComm& comm) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        comm.clearOutBuffer();
        comm.clearInBuffer();
        if (!comm.output(kMeterQuery)) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(200ms);
        const std::string raw = comm.input();
        if (isAcceptedResponse(raw)) {
            return parseMeterRecord(raw);
        }
    }
    return std::nullopt;
}

TEST(SimEndToEnd, PolledThroughSerialLayerGivesAcceptedRecord) {
    RunningSim sim({"--z", "75", "--phase", "-30", "--power", "50", "--noise", "0"});
    ASSERT_TRUE(sim.started()) << "is zm480-sim built in " << buildDir().toStdString() << "?";
    EXPECT_TRUE(sim.banner().contains("/dev/pts/")) << sim.banner().toStdString();

    QtSerialComm comm(sim.configDir());
    comm.setCommPort(1);
    ASSERT_TRUE(comm.setSettings("38400,n,8,1"));
    ASSERT_TRUE(comm.open());
    const auto reading = pollUntilAccepted(comm);
    ASSERT_TRUE(reading.has_value());
    EXPECT_DOUBLE_EQ(*reading->Power, 50.0);
    EXPECT_DOUBLE_EQ(*reading->Z, 75.0);
    EXPECT_DOUBLE_EQ(*reading->Phase, -30.0);
    EXPECT_NEAR(reading->SWR.toDouble(), 2.0, 0.05);  // |rho| of 75 ohm at -30 degrees is 1/3
}

TEST(SimEndToEnd, SigtermEndsItCleanlyAndRemovesItsLink) {
    RunningSim sim({});
    ASSERT_TRUE(sim.started());
    ASSERT_TRUE(QFileInfo(sim.linkPath()).isSymLink());
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_FALSE(QFileInfo(sim.linkPath()).isSymLink());
}

// A loopback port nobody listens on, for rigctld to take.
quint16 freeTcpPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Sends rigctld commands and waits for one "RPRT" line each.
bool rigCommand(quint16 port, const QByteArray& commands, int replies) {
    QTcpSocket socket;
    for (int attempt = 0; attempt < 100 && socket.state() != QAbstractSocket::ConnectedState;
         ++attempt) {
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (!socket.waitForConnected(1000)) {
            socket.abort();
            std::this_thread::sleep_for(50ms);
        }
    }
    socket.write(commands);
    QByteArray answer;
    while (answer.count("RPRT 0\n") < replies && socket.waitForReadyRead(5000)) {
        answer += socket.readAll();
    }
    return answer.count("RPRT 0\n") == replies;
}

TEST(SimEndToEnd, FollowsRigctldKeyAndFrequency) {
    const QString rigctld = QStandardPaths::findExecutable("rigctld");
    if (rigctld.isEmpty()) {
        GTEST_SKIP() << "rigctld (Hamlib) is not installed";
    }
    const quint16 port = freeTcpPort();
    QProcess rig;
    rig.start(rigctld, {"-m", "1", "-P", "RIG", "-T", "127.0.0.1", "-t", QString::number(port)});
    ASSERT_TRUE(rig.waitForStarted(10000));
    ASSERT_TRUE(rigCommand(port, "F 14000000\n", 1));

    // A meter that shows the final values from key-down on.
    RunningSim sim({"--antenna", "--rig", QStringLiteral("127.0.0.1:%1").arg(port), "--rise-ms",
                    "0", "--window-ms", "0", "--noise", "0"});
    ASSERT_TRUE(sim.started());
    QtSerialComm comm(sim.configDir());
    ASSERT_TRUE(comm.open());

    const auto unkeyed = pollUntilAccepted(comm);
    ASSERT_TRUE(unkeyed.has_value());
    EXPECT_EQ(*unkeyed->Power, 0.0);
    EXPECT_EQ(unkeyed->SWR.tenThousandths(), 0);

    ASSERT_TRUE(rigCommand(port, "T 1\n", 1));
    const auto keyed = pollUntilAccepted(comm);
    ASSERT_TRUE(keyed.has_value());
    EXPECT_EQ(*keyed->Power, 100.0);
    EXPECT_NEAR(keyed->SWR.toDouble(), 3.0, 0.2);
    EXPECT_LT(*keyed->Phase, 0.0);  // below resonance the dipole is capacitive

    ASSERT_TRUE(rigCommand(port, "F 14175000\n", 1));
    const auto resonant = pollUntilAccepted(comm);
    ASSERT_TRUE(resonant.has_value());
    EXPECT_LT(resonant->SWR.toDouble(), 1.3);

    rig.terminate();
    rig.waitForFinished(10000);
}

}  // namespace
}  // namespace zm
