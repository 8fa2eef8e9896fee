// SPDX-License-Identifier: GPL-3.0-or-later
// The client against a stand-in for rigctld that answers from a script, to provoke what a
// real rigctld seldom does: silence, garbage, a hang-up, an answer in pieces, a radio
// without RIT.

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <mutex>
#include <optional>
#include <thread>

#include "sweep/rigctld_client.h"
#include "sweep/rigctld_protocol.h"

namespace zm {
namespace {

struct Reply {
    enum class Kind { Send, SendBytewise, Silent, HangUp };
    Kind kind = Kind::Silent;
    std::string text;
};
Reply send(std::string text) {
    return {Reply::Kind::Send, std::move(text)};
}
Reply bytewise(std::string text) {
    return {Reply::Kind::SendBytewise, std::move(text)};
}
const Reply kSilent{Reply::Kind::Silent, {}};
const Reply kHangUp{Reply::Kind::HangUp, {}};

// Accepts one connection after the other and answers the n-th request line, counted over
// all of them, with replies[n]; past the end of the script it stays silent.
class ScriptedServer {
public:
    explicit ScriptedServer(std::vector<Reply> replies) : m_replies(std::move(replies)) {
        m_listenFd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
            ::listen(m_listenFd, 1) == 0 &&
            ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            m_port = ntohs(address.sin_port);
        }
        m_thread = std::thread([this] { serve(); });
    }
    ~ScriptedServer() {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
            ::shutdown(m_listenFd, SHUT_RDWR);
            if (m_clientFd >= 0) {
                ::shutdown(m_clientFd, SHUT_RDWR);
            }
        }
        m_thread.join();
        ::close(m_listenFd);
    }
    quint16 port() const { return m_port; }
    std::vector<std::string> received() {
        std::lock_guard lock(m_mutex);
        return m_received;
    }

private:
    void serve() {
        for (;;) {
            const int fd = ::accept(m_listenFd, nullptr, nullptr);
            {
                std::lock_guard lock(m_mutex);
                if (fd < 0 || m_stopping) {
                    if (fd >= 0) {
                        ::close(fd);
                    }
                    return;
                }
                m_clientFd = fd;
            }
            answer(fd);
            std::lock_guard lock(m_mutex);
            ::close(fd);
            m_clientFd = -1;
        }
    }

    void answer(int fd) {
        std::string line;
        char c = 0;
        while (::recv(fd, &c, 1, 0) == 1) {
            if (c != '\n') {
                line += c;
                continue;
            }
            std::size_t index = 0;
            {
                std::lock_guard lock(m_mutex);
                index = m_received.size();
                m_received.push_back(std::exchange(line, {}));
            }
            const Reply reply = index < m_replies.size() ? m_replies[index] : kSilent;
            if (reply.kind == Reply::Kind::HangUp) {
                return;
            }
            if (reply.kind == Reply::Kind::Send) {
                ::send(fd, reply.text.data(), reply.text.size(), MSG_NOSIGNAL);
            }
            if (reply.kind == Reply::Kind::SendBytewise) {
                for (const char byte : reply.text) {
                    ::send(fd, &byte, 1, MSG_NOSIGNAL);
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                }
            }
        }
    }

    std::vector<Reply> m_replies;
    int m_listenFd = -1;
    quint16 m_port = 0;
    std::thread m_thread;
    std::mutex m_mutex;
    bool m_stopping = false;
    int m_clientFd = -1;
    std::vector<std::string> m_received;
};

const Reply kPlainMode = send("0\n");

struct ConnectCase {
    const char* name;
    Reply chkVfoReply;
    const char* whyNotPart;
    const char* whatToDo;
};
void PrintTo(const ConnectCase& row, std::ostream* out) {
    *out << row.name;
}

class RigctldConnect : public ::testing::TestWithParam<ConnectCase> {};

TEST_P(RigctldConnect, FailsWithAReasonWhenTheServerIsNotRigctld) {
    // The client tries three times when the server hangs up at once.
    ScriptedServer server({GetParam().chkVfoReply, GetParam().chkVfoReply, GetParam().chkVfoReply});
    RigctldServerFactory factory("127.0.0.1", server.port());
    std::string whyNot;
    EXPECT_EQ(factory.create(whyNot), nullptr);
    EXPECT_NE(whyNot.find(GetParam().whyNotPart), std::string::npos) << whyNot;
    EXPECT_NE(whyNot.find(GetParam().whatToDo), std::string::npos) << whyNot;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RigctldConnect,
    ::testing::Values(
        // A rigctld of the user's that hangs, as Hamlib 4.5.4 does on a radio switched off
        // and on: the program cannot start it again, the user must.
        ConnectCase{"Silent", kSilent, "gave no answer within 2 s",
                    "; the rigctld that you run there no longer answers: end it and start it "
                    "again"},
        ConnectCase{"HangsUp", kHangUp, "closed the connection at once",
                    "; start rigctld for your radio on port"},
        ConnectCase{"WebServer", send("HTTP/1.1 400 Bad Request\r\n\r\n"),
                    "does not answer as rigctld does (it answered \"HTTP/1.1 400",
                    "; start rigctld for your radio on port"}),
    [](const auto& info) { return std::string(info.param.name); });

// Connects to a scripted server and hands out its transceiver.
struct ScriptedRig {
    explicit ScriptedRig(std::vector<Reply> replies) : server(std::move(replies)) {
        std::string whyNot;
        rig = factory.create(whyNot);
        EXPECT_NE(rig, nullptr) << whyNot;
        if (rig) {
            EXPECT_EQ(rig->GetTransceiver(trx), kRigOk);
        }
    }
    ScriptedServer server;
    RigctldServerFactory factory{"127.0.0.1", server.port()};
    std::unique_ptr<RigServer> rig;
    std::shared_ptr<Transceiver> trx;
};

int tune(Transceiver& t) {
    return t.SetFrequency(14.05);
}
int modeZero(Transceiver& t) {
    return t.SetMode(0);
}
int ritOff(Transceiver& t) {
    return t.SetOptionB(0);
}
int xitOff(Transceiver& t) {
    return t.SetOptionA(0);
}
int splitOff(Transceiver& t) {
    return t.SetSplit(0);
}

struct CallCase {
    const char* name;
    bool vfoMode;
    int (*call)(Transceiver&);
    Reply reply;
    int status;
    const char* sent;  // the request line, "" for none
    const char* lastErrorPart;
    std::vector<Reply> laterReplies = {};  // to the requests after the first
    std::vector<std::string> laterSent = {};
};
void PrintTo(const CallCase& row, std::ostream* out) {
    *out << row.name;
}

class RigctldCall : public ::testing::TestWithParam<CallCase> {};

TEST_P(RigctldCall, AnswersWithTheRightStatus) {
    const CallCase& row = GetParam();
    std::vector<Reply> replies{send(row.vfoMode ? "1\n" : "0\n"), row.reply};
    replies.insert(replies.end(), row.laterReplies.begin(), row.laterReplies.end());
    ScriptedRig scripted(replies);
    ASSERT_NE(scripted.trx, nullptr);

    EXPECT_EQ(row.call(*scripted.trx), row.status);
    EXPECT_NE(scripted.trx->lastError().find(row.lastErrorPart), std::string::npos)
        << scripted.trx->lastError();
    std::vector<std::string> sent{"\\chk_vfo"};
    if (*row.sent != '\0') {
        sent.emplace_back(row.sent);
    }
    sent.insert(sent.end(), row.laterSent.begin(), row.laterSent.end());
    EXPECT_EQ(scripted.server.received(), sent);
}

const std::string kTuned = "set_freq: 14050000\n";

INSTANTIATE_TEST_SUITE_P(
    Table, RigctldCall,
    ::testing::Values(
        CallCase{"Success", false, tune, send(kTuned + "RPRT 0\n"), kRigOk, "+F 14050000", ""},
        CallCase{"AnswerInPieces", false, tune, bytewise(kTuned + "RPRT 0\n"), kRigOk,
                 "+F 14050000", ""},
        CallCase{"VfoModeNamesTheVfo", true, tune, send("set_freq: currVFO 14050000\nRPRT 0\n"),
                 kRigOk, "+F currVFO 14050000", ""},
        CallCase{"ModeZeroSendsNothing", false, modeZero, kSilent, kRigOk, "", ""},
        CallCase{
            "RadioRejects", false, tune, send(kTuned + "RPRT -9\n"), -9, "+F 14050000",
            "The radio could not tune to 14.05 MHz: rigctld answered RPRT -9 (command rejected by "
            "the radio)"},
        CallCase{"NoRitIsFine", false, ritOff, send("set_func: RIT 0\nRPRT -11\n"), kRigOk,
                 "+U RIT 0", ""},
        CallCase{"NoXitIsFine", false, xitOff, send("set_func: XIT 0\nRPRT -4\n"), kRigOk,
                 "+U XIT 0", ""},
        CallCase{"NotInSplitIsOnlyAsked", false, splitOff,
                 send("get_split_vfo:\nSplit: 0\nTX VFO: VFOA\nRPRT 0\n"), kRigOk, "+s", ""},
        CallCase{"NoSplitIsFine", false, splitOff, send("get_split_vfo:\nRPRT -11\n"), kRigOk, "+s",
                 ""},
        CallCase{"XitFailureIsNot", false, xitOff, send("set_func: XIT 0\nRPRT -6\n"), -6,
                 "+U XIT 0", "input/output error"},
        // Yaesu's binary CAT answers "no change" (RPRT -9) to switching off what is off.
        CallCase{"RitAlreadyOffIsFine", false, ritOff, send("set_func: RIT 0\nRPRT -9\n"), kRigOk,
                 "+U RIT 0", ""},
        CallCase{"XitRefusedAndUnreadableIsFine",
                 false,
                 xitOff,
                 send("set_func: XIT 0\nRPRT -9\n"),
                 kRigOk,
                 "+U XIT 0",
                 "",
                 {send("get_func: XIT\nRPRT -1\n")},
                 {"+u XIT"}},
        CallCase{"XitReadBackOnStops",
                 false,
                 xitOff,
                 send("set_func: XIT 0\nRPRT -9\n"),
                 kRigStillOn,
                 "+U XIT 0",
                 "The radio still reports XIT on after rigctld switched it off: switch XIT (the "
                 "transmit offset) off on the radio",
                 {send("get_func: XIT\n1\nRPRT 0\n")},
                 {"+u XIT"}},
        CallCase{"SplitReadBackOnStops",
                 false,
                 splitOff,
                 send("get_split_vfo:\nSplit: 1\nTX VFO: VFOB\nRPRT 0\n"),
                 kRigStillOn,
                 "+s",
                 "The radio still reports split on after rigctld switched it off: switch split "
                 "off on the radio",
                 {send("set_split_vfo: 0 VFOA\nRPRT 0\n"),
                  send("get_split_vfo:\nSplit: 1\nTX VFO: VFOB\nRPRT 0\n")},
                 {"+S 0 VFOA", "+s"}},
        CallCase{"Silence", false, tune, kSilent, kRigTimedOut, "+F 14050000",
                 "no answer within 2 s"},
        CallCase{"HangUp", false, tune, kHangUp, kRigConnectionLost, "+F 14050000",
                 "closed the connection"},
        CallCase{"Garbage", false, tune, send("bogus\n"), kRigUnparsableAnswer, "+F 14050000",
                 "answered \"bogus | \""},
        CallCase{"AnswerToAnotherCommand", false, tune, send("set_mode: CW 0\nRPRT 0\n"),
                 kRigUnparsableAnswer, "+F 14050000", "not an answer to \"+F 14050000\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RigctldCall, ConnectionDroppedOnArrivalIsTriedAgain) {
    ScriptedRig scripted({kHangUp, kPlainMode, send("set_freq: 14050000\nRPRT 0\n")});
    ASSERT_NE(scripted.trx, nullptr);
    EXPECT_EQ(scripted.trx->SetFrequency(14.05), kRigOk) << scripted.trx->lastError();
    EXPECT_EQ(scripted.server.received(),
              (std::vector<std::string>{"\\chk_vfo", "\\chk_vfo", "+F 14050000"}));
}

TEST(RigctldCall, AfterATimeoutLaterCallsFailAtOnceWithoutSending) {
    ScriptedRig scripted({kPlainMode, kSilent, send("set_mode: CW 0\nRPRT 0\n")});
    ASSERT_NE(scripted.trx, nullptr);
    ASSERT_EQ(scripted.trx->SetFrequency(14.05), kRigTimedOut);
    // A late "RPRT 0" for the tuning would otherwise pass for the next call's answer.
    EXPECT_EQ(scripted.trx->SetMode(2), kRigConnectionLost);
    EXPECT_NE(scripted.trx->lastError().find("earlier failure: rigctld at 127.0.0.1:"),
              std::string::npos)
        << scripted.trx->lastError();
    std::shared_ptr<Transceiver> another;
    EXPECT_EQ(scripted.rig->GetTransceiver(another), kRigConnectionLost);
    EXPECT_EQ(scripted.server.received(), (std::vector<std::string>{"\\chk_vfo", "+F 14050000"}));
}

TEST(RigctldCall, UnkeyAfterATimeoutConnectsAgainSoTheRadioStopsSending) {
    ScriptedRig scripted({kPlainMode, kSilent, kPlainMode, send("set_ptt: 0\nRPRT 0\n")});
    ASSERT_NE(scripted.trx, nullptr);
    ASSERT_EQ(scripted.trx->SetPTT(1), kRigTimedOut);
    EXPECT_EQ(scripted.trx->SetPTT(0), kRigOk) << scripted.trx->lastError();
    EXPECT_EQ(scripted.server.received(),
              (std::vector<std::string>{"\\chk_vfo", "+T 1", "\\chk_vfo", "+T 0"}));
}

}  // namespace
}  // namespace zm
