// SPDX-License-Identifier: GPL-3.0-or-later
// The client against a real rigctld running Hamlib's dummy rig. What the client set is read
// back over a second connection, as another program would see the radio.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <cmath>
#include <functional>

#include "sweep/rigctld_client.h"
#include "sweep/rigctld_protocol.h"
#include "tests/support/rigctld_process.h"

namespace zm {
namespace {

using test::exchange;
using test::readBack;
using test::RigctldProcess;

// Starts rigctld and connects, or skips or fails the test when that cannot be done.
#define START_RIGCTLD(...)                  \
    startRigctld(__VA_ARGS__);              \
    if (IsSkipped() || HasFatalFailure()) { \
        return;                             \
    }

class RigctldClientTest : public ::testing::Test {
protected:
    void startRigctld(RigctldProcess::Options options = {}) {
        if (RigctldProcess::executable().empty()) {
            GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
        }
        std::string whyNot;
        ASSERT_TRUE(m_rigctld.start(options, whyNot)) << whyNot;
        m_vfoMode = options.vfoMode;
        m_factory = std::make_unique<RigctldServerFactory>("127.0.0.1", m_rigctld.port());
        m_server = m_factory->create(whyNot);
        ASSERT_NE(m_server, nullptr) << whyNot;
        ASSERT_EQ(m_server->GetTransceiver(m_trx), kRigOk) << m_server->lastError();
        ASSERT_NE(m_trx, nullptr);
    }
    std::string get(const std::string& request, const std::string& key) {
        return readBack(m_rigctld.port(), m_vfoMode, request, key);
    }

    RigctldProcess m_rigctld;
    bool m_vfoMode = false;
    std::unique_ptr<RigctldServerFactory> m_factory;
    std::unique_ptr<RigServer> m_server;
    std::shared_ptr<Transceiver> m_trx;
};

struct StateCase {
    const char* name;
    const char* otherProgramSets;  // e.g. "U XIT 1": the radio's state before the call, or ""
    std::function<int(Transceiver&)> call;
    const char* readCommand;
    const char* key;
    const char* value;
};
void PrintTo(const StateCase& row, std::ostream* out) {
    *out << row.name;
}

class RigctldClientState : public RigctldClientTest,
                           public ::testing::WithParamInterface<std::tuple<StateCase, bool>> {};

// Each row runs after "SetMode 2, SetFrequency 14.0", in plain and in VFO mode (-o).
TEST_P(RigctldClientState, LeavesTheRadioInThatState) {
    const auto& [row, vfoMode] = GetParam();
    START_RIGCTLD({.vfoMode = vfoMode});
    ASSERT_EQ(m_trx->SetMode(2), kRigOk) << m_trx->lastError();
    ASSERT_EQ(m_trx->SetFrequency(14.0), kRigOk) << m_trx->lastError();
    if (*row.otherProgramSets != '\0') {
        const std::string setting = row.otherProgramSets;
        ASSERT_NE(exchange(m_rigctld.port(), vfoMode, setting.substr(0, 1), setting.substr(2))
                      .find("RPRT 0"),
                  std::string::npos);
        ASSERT_NE(get(row.readCommand, row.key), row.value) << "the call would change nothing";
    }

    EXPECT_EQ(row.call(*m_trx), kRigOk) << m_trx->lastError();
    EXPECT_EQ(m_trx->lastError(), "");
    EXPECT_EQ(get(row.readCommand, row.key), row.value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RigctldClientState,
    ::testing::Combine(
        ::testing::Values(
            StateCase{"TunesToTheFrequency", "",
                      [](Transceiver& t) { return t.SetFrequency(14.05); }, "f", "Frequency",
                      "14050000"},
            StateCase{"TunesToTheNearestHertz", "",
                      [](Transceiver& t) { return t.SetFrequency(7.0123456789); }, "f", "Frequency",
                      "7012346"},
            StateCase{"SelectsAm", "", [](Transceiver& t) { return t.SetMode(4); }, "m", "Mode",
                      "AM"},
            StateCase{"SelectsRttyForFsk", "", [](Transceiver& t) { return t.SetMode(9); }, "m",
                      "Mode", "RTTY"},
            StateCase{"ModeZeroKeepsTheMode", "", [](Transceiver& t) { return t.SetMode(0); }, "m",
                      "Mode", "CW"},
            StateCase{"Keys", "", [](Transceiver& t) { return t.SetPTT(1); }, "t", "PTT", "1"},
            StateCase{"KeysAndUnkeys", "", [](Transceiver& t) { return t.SetPTT(1) + t.SetPTT(0); },
                      "t", "PTT", "0"},
            StateCase{"SwitchesXitOff", "U XIT 1", [](Transceiver& t) { return t.SetOptionA(0); },
                      "u XIT", "", "0"},
            StateCase{"SwitchesRitOff", "U RIT 1", [](Transceiver& t) { return t.SetOptionB(0); },
                      "u RIT", "", "0"},
            StateCase{"SwitchesSplitOff", "S 1 VFOB", [](Transceiver& t) { return t.SetSplit(0); },
                      "s", "Split", "0"}),
        ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) ? "_VfoMode" : "");
    });

TEST_F(RigctldClientTest, RefusesValuesItCannotSendAndStaysUsable) {
    START_RIGCTLD();
    ASSERT_EQ(m_trx->SetFrequency(14.1), kRigOk);
    const std::vector<std::pair<const char*, std::function<int(Transceiver&)>>> refused = {
        {"unknown mode", [](Transceiver& t) { return t.SetMode(7); }},
        {"NaN frequency", [](Transceiver& t) { return t.SetFrequency(std::nan("")); }},
        {"negative frequency", [](Transceiver& t) { return t.SetFrequency(-14.0); }},
        {"PTT 2", [](Transceiver& t) { return t.SetPTT(2); }},
        {"XIT 100", [](Transceiver& t) { return t.SetOptionA(100); }},
        {"split on", [](Transceiver& t) { return t.SetSplit(1); }},
    };
    for (const auto& [what, call] : refused) {
        EXPECT_EQ(call(*m_trx), kRigRefusedArgument) << what;
        EXPECT_NE(m_trx->lastError(), "") << what;
    }
    EXPECT_EQ(get("f", "Frequency"), "14100000");
    EXPECT_EQ(get("t", "PTT"), "0");
    EXPECT_EQ(m_trx->SetFrequency(14.2), kRigOk) << m_trx->lastError();
    EXPECT_EQ(get("f", "Frequency"), "14200000");
}

TEST_F(RigctldClientTest, RadioRefusalGivesTheRprtCode) {
    // Without -P RIG the dummy rig has no PTT and answers "set_ptt: 1 / RPRT -1".
    START_RIGCTLD({.rigPtt = false});
    EXPECT_EQ(m_trx->SetPTT(1), -1);
    EXPECT_EQ(m_trx->lastError(),
              "The radio could not key the transmitter: rigctld answered RPRT -1 (invalid "
              "parameter); start rigctld with the radio's PTT type (-P RIG, see README)");
    EXPECT_EQ(m_trx->SetFrequency(14.3), kRigOk) << "a refusal must not break the connection";
    EXPECT_EQ(m_trx->lastError(), "");
}

TEST_F(RigctldClientTest, KilledServerFailsTheCallAndEveryLaterOne) {
    START_RIGCTLD();
    ASSERT_EQ(m_trx->SetFrequency(14.0), kRigOk);
    m_rigctld.kill();

    EXPECT_EQ(m_trx->SetPTT(1), kRigConnectionLost);
    EXPECT_NE(m_trx->lastError().find("closed the connection"), std::string::npos)
        << m_trx->lastError();
    // The unkey tries a new connection, and nothing answers.
    EXPECT_EQ(m_trx->SetPTT(0), kRigConnectionLost);
    EXPECT_NE(m_trx->lastError().find("connecting again failed: no rig-control server answers"),
              std::string::npos)
        << m_trx->lastError();
    EXPECT_EQ(m_trx->SetFrequency(14.1), kRigConnectionLost);
    EXPECT_NE(m_trx->lastError().find("earlier failure"), std::string::npos) << m_trx->lastError();

    std::shared_ptr<Transceiver> another;
    EXPECT_EQ(m_server->GetTransceiver(another), kRigConnectionLost);
    EXPECT_NE(m_server->lastError(), "");
    std::string whyNot;
    EXPECT_EQ(m_factory->create(whyNot), nullptr);
    EXPECT_NE(whyNot.find("No rig-control server answers"), std::string::npos) << whyNot;
}

quint16 portNobodyListensOn() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort();
}

TEST(RigctldServerFactory, NothingListeningFailsFastWithTheReason) {
    const quint16 port = portNobodyListensOn();
    RigctldServerFactory factory("127.0.0.1", port);
    std::string whyNot;
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(factory.create(whyNot), nullptr);
    // A refused connection is immediate; the bound is three times the connect timeout.
    EXPECT_LT(clock.elapsed(), 3000);
    const std::string p = std::to_string(port);
    EXPECT_EQ(whyNot, "No rig-control server answers at 127.0.0.1:" + p +
                          "; start rigctld for your radio on port " + p + " (see README)");
}

TEST(RigctldServerFactory, RefusesHostsOtherThanThisComputer) {
    for (const char* host : {"192.168.1.10", "10.0.0.1", "0.0.0.0", "example.com", ""}) {
        RigctldServerFactory factory(host, 4532);
        std::string whyNot;
        EXPECT_EQ(factory.create(whyNot), nullptr) << host;
        EXPECT_NE(whyNot.find("is not this computer"), std::string::npos) << host << ": " << whyNot;
    }
}

TEST(RigctldServerFactory, AcceptsEveryLoopbackSpelling) {
    const quint16 port = portNobodyListensOn();
    for (const char* host : {"127.0.0.1", "127.0.0.2", "localhost", "::1"}) {
        RigctldServerFactory factory(host, port);
        std::string whyNot;
        EXPECT_EQ(factory.create(whyNot), nullptr) << host;
        EXPECT_NE(whyNot.find("No rig-control server answers"), std::string::npos)
            << host << ": " << whyNot;
    }
}

}  // namespace
}  // namespace zm
