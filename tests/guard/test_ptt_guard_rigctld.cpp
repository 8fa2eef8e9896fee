// SPDX-License-Identifier: GPL-3.0-or-later
// The guard program and the window's side of it against a real rigctld with Hamlib's dummy
// rig, which answers "t" with the PTT state as any program on the station sees it. rigctld
// itself leaves the transmitter keyed when a client that keyed goes away.

#include <gtest/gtest.h>
#include <sys/types.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "sweep/process_ptt_guard.h"
#include "tests/support/rigctld_process.h"

namespace zm {
namespace {

using test::exchange;
using test::readBack;
using test::RigctldProcess;

// Bounds for waiting on a condition, never a measure of speed (scripts/measure-ptt-guard is).
constexpr std::chrono::seconds kConditionWait{10};
constexpr std::chrono::milliseconds kConditionPoll{20};

std::string built(const std::string& relative) {
    const char* buildDir = std::getenv("ZM_BUILD_DIR");
    return std::string(buildDir ? buildDir : ".") + "/" + relative;
}

std::string guardProgram() {
    return built("zm480-ptt-guard");
}

struct GuardProcess {
    pid_t pid;
    pid_t parent;
    char state;  // 'S' sleeping, 'Z' ended but not reaped ...
};

std::optional<GuardProcess> guardProcess(const std::filesystem::path& procEntry) {
    std::ifstream statFile(procEntry / "stat");
    std::string stat;
    std::getline(statFile, stat);
    const auto nameEnd = stat.rfind(')');
    if (stat.find("(zm480-ptt-guard)") == std::string::npos || nameEnd == std::string::npos) {
        return std::nullopt;
    }
    GuardProcess guard{std::atoi(procEntry.filename().c_str()), 0, '?'};
    std::istringstream(stat.substr(nameEnd + 1)) >> guard.state >> guard.parent;
    return guard;
}

// The zm480-ptt-guard processes whose parent is `parent`.
std::vector<GuardProcess> guardsOf(pid_t parent) {
    std::vector<GuardProcess> guards;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const auto guard = guardProcess(entry.path());
        if (guard && guard->parent == parent) {
            guards.push_back(*guard);
        }
    }
    return guards;
}

// Ended: gone, or a zombie that its new parent has not reaped yet.
bool ended(const GuardProcess& guard) {
    const auto now = guardProcess("/proc/" + std::to_string(guard.pid));
    return !now || now->state == 'Z';
}

// The states of the guards this process started and has not reaped: "" when none is left.
std::string guardChildStates() {
    std::string states;
    for (const GuardProcess& guard : guardsOf(::getpid())) {
        states += guard.state;
    }
    return states;
}

// Waits, bounded, until done() holds; whether it did.
template <typename Condition>
bool waitUntil(Condition done) {
    const QDeadlineTimer deadline(kConditionWait);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(kConditionPoll.count());
    }
    return true;
}

class PttGuardRigctld : public ::testing::Test {
protected:
    void SetUp() override {
        if (RigctldProcess::executable().empty()) {
            GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
        }
        std::string whyNot;
        ASSERT_TRUE(m_rigctld.start({}, whyNot)) << whyNot;
    }
    std::string ptt() { return readBack(m_rigctld.port(), false, "t", "PTT"); }

    RigctldProcess m_rigctld;
};

// tests/keyed-window: the real ProcessPttGuard and rig client, keyed, then hung.
class KeyedWindow {
public:
    bool start(quint16 rigctldPort) {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QString::fromStdString(built("tests/keyed-window")),
                        {QString::fromStdString(guardProgram()), QString::number(rigctldPort)});
        const bool keyed =
            m_process.waitForStarted() && waitUntil([this] {
                m_process.waitForReadyRead(static_cast<int>(kConditionPoll.count()));
                return m_process.peek(5) == "keyed" || m_process.state() != QProcess::Running;
            }) &&
            m_process.peek(5) == "keyed";
        m_guards = guardsOf(static_cast<pid_t>(m_process.processId()));
        return keyed && m_guards.size() == 1;
    }
    void signal(int number) { ::kill(static_cast<pid_t>(m_process.processId()), number); }
    // Kills the window; whether its guard then ended (bounded wait).
    bool end() {
        m_process.kill();
        m_process.waitForFinished();
        const bool guardsEnded =
            waitUntil([this] { return std::all_of(m_guards.begin(), m_guards.end(), ended); });
        // One that did not end must not outlive the test: it would hold ctest's output open.
        for (const GuardProcess& guard : m_guards) {
            if (!ended(guard)) {
                ::kill(guard.pid, SIGKILL);
            }
        }
        return guardsEnded;
    }
    ~KeyedWindow() { end(); }

private:
    QProcess m_process;
    std::vector<GuardProcess> m_guards;
};

struct WindowFate {
    const char* name;
    int signal;
    // rigctld restarted while the window was keyed: the guard's connection is dead, and the
    // radio, which keeps its state, is still keyed.
    bool rigctldRestarted;
};
void PrintTo(const WindowFate& row, std::ostream* out) {
    *out << row.name;
}

class GuardUnkeys : public PttGuardRigctld, public ::testing::WithParamInterface<WindowFate> {};

// SIGSTOP: the window stops answering with the key down; the guard's deadline unkeys.
TEST_P(GuardUnkeys, TheTransmitterOfAWindowThat) {
    KeyedWindow window;
    ASSERT_TRUE(window.start(m_rigctld.port()));
    ASSERT_EQ(ptt(), "1");
    if (GetParam().rigctldRestarted) {
        const quint16 port = m_rigctld.port();
        m_rigctld.kill();
        std::string whyNot;
        ASSERT_TRUE(m_rigctld.start({.port = port}, whyNot)) << whyNot;
        ASSERT_NE(exchange(port, false, "T", "1").find("RPRT 0"), std::string::npos);
    }

    window.signal(GetParam().signal);

    EXPECT_TRUE(waitUntil([this] { return ptt() == "0"; })) << "PTT still " << ptt();
    EXPECT_TRUE(window.end()) << "the guard did not end after its window";
}

INSTANTIATE_TEST_SUITE_P(Table, GuardUnkeys,
                         ::testing::Values(WindowFate{"IsKilled", SIGKILL, false},
                                           WindowFate{"IsStopped", SIGSTOP, false},
                                           WindowFate{"IsKilledAfterRigctldRestarted", SIGKILL,
                                                      true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Another program keys the radio during the sweep; the guard, told at each point that the
// window keyed and unkeyed, sends nothing at all: not then, not when the sweep ends.
TEST_F(PttGuardRigctld, StaysQuietWhileTheWindowSaysItUnkeyedAndEndsWhenTold) {
    ASSERT_NE(exchange(m_rigctld.port(), false, "T", "1").find("RPRT 0"), std::string::npos);
    {
        ProcessPttGuard guard(guardProgram(), "127.0.0.1", m_rigctld.port());
        std::string whyNot;
        ASSERT_TRUE(guard.start(whyNot)) << whyNot;
        for (int point = 1; point <= 3; ++point) {
            ASSERT_TRUE(guard.keying(whyNot)) << whyNot;
            guard.unkeyed();
        }
        guard.finish();
        EXPECT_TRUE(waitUntil([] {
            const auto guards = guardsOf(::getpid());
            return std::all_of(guards.begin(), guards.end(), ended);
        })) << "the guard did not end: "
            << guardChildStates();
    }
    EXPECT_EQ(guardChildStates(), "") << "a guard was left unreaped";
    EXPECT_EQ(ptt(), "1");
}

struct StartCase {
    const char* name;
    const char* program;  // in the build folder
    const char* rigHost;
    const char* sentence;  // part of the sentence start() gives
};
void PrintTo(const StartCase& row, std::ostream* out) {
    *out << row.name;
}

class GuardStart : public ::testing::TestWithParam<StartCase> {};

TEST_P(GuardStart, FailsWithASentenceAndLeavesNoGuardRunning) {
    const StartCase& row = GetParam();
    QTcpServer closedPort;  // a loopback port where nothing listens
    ASSERT_TRUE(closedPort.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closedPort.serverPort();
    closedPort.close();
    ProcessPttGuard guard(built(row.program), row.rigHost, port);
    std::string whyNot;

    EXPECT_FALSE(guard.start(whyNot));

    EXPECT_NE(whyNot.find(row.sentence), std::string::npos) << whyNot;
    EXPECT_FALSE(whyNot.ends_with('.')) << whyNot;
    EXPECT_EQ(guardChildStates(), "");
    EXPECT_FALSE(guard.keying(whyNot)) << "a sweep must not key without its guard";
}

INSTANTIATE_TEST_SUITE_P(
    Table, GuardStart,
    ::testing::Values(StartCase{"NoRigctldListening", "zm480-ptt-guard", "127.0.0.1",
                                "could not connect to rigctld: no rig-control server answers at "
                                "127.0.0.1:"},
                      StartCase{"ProgramMissing", "no-such-dir/zm480-ptt-guard", "127.0.0.1",
                                "was not found beside zm480-plot"},
                      StartCase{"RigOnAnotherComputer", "zm480-ptt-guard", "192.0.2.1",
                                "is not this computer"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
