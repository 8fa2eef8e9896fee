// The station's rigctld as the program runs it: zm480-ptt-guard --run under the window's
// ProcessRigctldRunner, against real rigctld processes: Hamlib's dummy rig, and its NET
// rigctl backend driving a dummy rig behind a second rigctld, whose PTT outlives the first.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/types.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "station/hamlib_catalog.h"
#include "station/process_rigctld_runner.h"
#include "station/station_test.h"
#include "tests/support/process_events_until.h"
#include "tests/support/rigctld_process.h"

namespace zm::test {
namespace {

std::string built(const std::string& relative) {
    const char* buildDir = std::getenv("ZM_BUILD_DIR");
    return std::string(buildDir ? buildDir : ".") + "/" + relative;
}

quint16 freeLoopbackPort() {
    QTcpServer server;
    return server.listen(QHostAddress::LocalHost, 0) ? server.serverPort() : 0;
}

// The rigctld processes listening at this port by their command line (-t PORT), whoever
// their parent is now.
std::vector<pid_t> rigctldsOnPort(quint16 port) {
    std::vector<pid_t> found;
    const std::string wanted = std::string("-t") + '\0' + std::to_string(port) + '\0';
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream file(entry.path() / "cmdline");
        const std::string commandLine((std::istreambuf_iterator<char>(file)), {});
        std::ifstream stat(entry.path() / "stat");
        std::string pid, name, state;
        stat >> pid >> name >> state;
        if (name == "(rigctld)" && state != "Z" && commandLine.find(wanted) != std::string::npos) {
            found.push_back(std::atoi(pid.c_str()));
        }
    }
    return found;
}

std::vector<std::string> dummyRig(quint16 port) {
    return {"-m", "1", "-P", "RIG", "-T", "127.0.0.1", "-t", std::to_string(port), "-v"};
}

class StationRigctld : public ::testing::Test {
protected:
    void SetUp() override {
        if (RigctldProcess::executable().empty()) {
            GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
        }
        m_port = freeLoopbackPort();
        ASSERT_NE(m_port, 0);
    }

    std::unique_ptr<ProcessRigctldRunner> runner(
        const std::string& guard = built("zm480-ptt-guard")) {
        return std::make_unique<ProcessRigctldRunner>(guard, "rigctld");
    }

    quint16 m_port = 0;
};

TEST_F(StationRigctld, RestartsAKilledRigctldAnswersTheTestAndLeavesNoneAtTheEnd) {
    auto rigctld = runner();
    rigctld->start(dummyRig(m_port), m_port);
    ASSERT_TRUE(processEventsUntil([&] { return rigctld->answering(); })) << rigctld->problem();
    const auto first = rigctldsOnPort(m_port);
    ASSERT_EQ(first.size(), 1U);

    std::string answer;
    auto test = std::make_unique<StationTest>(rigctld.get(), m_port, installedRigModels(),
                                              [&](std::string text) { answer = std::move(text); });
    test->start();
    ASSERT_TRUE(processEventsUntil([&] { return !answer.empty(); }));
    EXPECT_EQ(answer, "Dummy answers: 145.000000 MHz, FM");
    test.reset();

    ::kill(first.front(), SIGKILL);
    EXPECT_TRUE(processEventsUntil([&] { return rigctld->endings() == 1; }));
    EXPECT_EQ(rigctld->lastEnd(), "it was killed by signal 9 (Killed)");
    EXPECT_TRUE(processEventsUntil([&] {
        return rigctld->answering() && rigctldsOnPort(m_port).size() == 1 &&
               rigctldsOnPort(m_port) != first;
    }));

    rigctld.reset();  // the program's end
    EXPECT_TRUE(rigctldsOnPort(m_port).empty());
}

// The window dies with the transmitter keyed: the guards unkey through the station's rigctld,
// which then ends.
TEST_F(StationRigctld, KillOfAKeyedWindowUnkeysAndThenEndsItsRigctld) {
    RigctldProcess radio;
    std::string whyNot;
    ASSERT_TRUE(radio.start({}, whyNot)) << whyNot;
    QProcess window;
    window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    window.start(QString::fromStdString(built("tests/keyed-window")),
                 {QString::fromStdString(built("zm480-ptt-guard")), QString::number(m_port),
                  QString::number(radio.port())});
    ASSERT_TRUE(processEventsUntil([&] {
        window.waitForReadyRead(20);
        return window.peek(5) == "keyed" || window.state() != QProcess::Running;
    }));
    ASSERT_EQ(window.peek(5), "keyed");
    ASSERT_EQ(readBack(radio.port(), false, "t", "PTT"), "1");
    ASSERT_EQ(rigctldsOnPort(m_port).size(), 1U);

    window.kill();
    window.waitForFinished();

    EXPECT_TRUE(processEventsUntil([&] { return rigctldsOnPort(m_port).empty(); }));
    EXPECT_EQ(readBack(radio.port(), false, "t", "PTT"), "0");
}

// What stands in the way of a start is said in plain words, with what to do.
struct Obstacle {
    const char* name;
    // Prepares the obstacle; gives the settings' device and the text expected in problem().
    std::function<std::pair<std::string, std::string>(quint16 port, std::vector<pid_t>& holders)>
        prepare;
    bool unprivileged = false;  // the guard runs as nobody
};
void PrintTo(const Obstacle& row, std::ostream* out) {
    *out << row.name;
}

// A pseudo-terminal's device, as a USB adapter's would be: root's, group tty, mode 620.
std::string freePseudoTerminal() {
    static int master = -1;
    if (master < 0) {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ::grantpt(master);
        ::unlockpt(master);
    }
    return ::ptsname(master);
}

pid_t holdInSleep(const std::string& device) {
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY);
        ::dup2(fd, STDIN_FILENO);
        ::execlp("sleep", "sleep", "60", nullptr);
        ::_exit(127);
    }
    ::usleep(200000);  // until sleep has the device open
    return child;
}

class StationObstacle : public StationRigctld, public ::testing::WithParamInterface<Obstacle> {};

TEST_P(StationObstacle, IsNamedWithWhatToDo) {
    if (GetParam().unprivileged && ::geteuid() != 0) {
        GTEST_SKIP() << "only root can run the guard as another user";
    }
    std::vector<pid_t> holders;
    QTcpServer other;
    RigctldProcess sameModel;
    const auto [device, expected] = GetParam().prepare(m_port, holders);
    std::string guard = built("zm480-ptt-guard");
    QTemporaryDir folder;
    if (GetParam().unprivileged) {
        guard = folder.filePath("guard-as-nobody").toStdString();
        std::ofstream(guard) << "#!/bin/sh\nexec setpriv --reuid=65534 --regid=65534 "
                                "--clear-groups "
                             << built("zm480-ptt-guard") << " \"$@\"\n";
        std::filesystem::permissions(guard, std::filesystem::perms::owner_all |
                                                std::filesystem::perms::others_read |
                                                std::filesystem::perms::others_exec);
        QFile::setPermissions(
            folder.path(), QFile::permissions(folder.path()) | QFile::ExeOther | QFile::ReadOther);
    }
    auto rigctld = runner(guard);
    std::vector<std::string> arguments = dummyRig(m_port);
    arguments.insert(arguments.begin() + 2, {"-r", device});
    rigctld->start(arguments, m_port);

    EXPECT_TRUE(processEventsUntil([&] { return !rigctld->problem().empty(); }));
    EXPECT_NE(rigctld->problem().find(expected), std::string::npos) << rigctld->problem();
    EXPECT_FALSE(rigctld->answering());
    for (const pid_t holder : holders) {
        ::kill(holder, SIGKILL);
        ::waitpid(holder, nullptr, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StationObstacle,
    ::testing::Values(
        Obstacle{"Missing",
                 [](quint16, std::vector<pid_t>&) {
                     return std::pair<std::string, std::string>(
                         "/dev/ttyUSB97",
                         "The radio's device /dev/ttyUSB97 is not plugged in, or "
                         "its name changed: choose it again in Setup, Station");
                 }},
        Obstacle{"NotPermitted",
                 [](quint16, std::vector<pid_t>&) {
                     const std::string device = freePseudoTerminal();
                     return std::pair<std::string, std::string>(
                         device, "Your user may not open the radio's device " + device +
                                     ": add yourself to the dialout group: sudo usermod -aG "
                                     "dialout $USER, then log out and in");
                 },
                 true},
        Obstacle{"HeldByAnotherProgram",
                 [](quint16, std::vector<pid_t>& holders) {
                     const std::string device = freePseudoTerminal();
                     holders.push_back(holdInSleep(device));
                     return std::pair<std::string, std::string>(
                         device, "sleep (process " + std::to_string(holders.back()) + ") holds " +
                                     device + ": close that program, or end it with: kill " +
                                     std::to_string(holders.back()));
                 }},
        Obstacle{"PortTakenByAnotherProgram",
                 [](quint16 port, std::vector<pid_t>& holders) {
                     const pid_t listener = ::fork();
                     if (listener == 0) {
                         ::execlp("python3", "python3", "-c",
                                  ("import socket,time;s=socket.socket();s.setsockopt(socket."
                                   "SOL_SOCKET,socket.SO_REUSEADDR,1);s.bind(('127.0.0.1'," +
                                   std::to_string(port) + "));s.listen();time.sleep(60)")
                                      .c_str(),
                                  nullptr);
                         ::_exit(127);
                     }
                     holders.push_back(listener);
                     ::usleep(500000);
                     return std::pair<std::string, std::string>(
                         freePseudoTerminal(), "rigctld's port " + std::to_string(port) +
                                                   " on 127.0.0.1 is taken by python3 (process " +
                                                   std::to_string(listener) + "): end it (kill " +
                                                   std::to_string(listener) +
                                                   "), or choose another port in Setup, "
                                                   "Station");
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

// A rigctld that someone else started for the same radio on the port is used as it is.
TEST_F(StationRigctld, UsesARigctldForTheSameRadioOnItsPort) {
    RigctldProcess theirs;
    std::string whyNot;
    ASSERT_TRUE(theirs.start({.port = m_port}, whyNot)) << whyNot;
    auto rigctld = runner();
    rigctld->start(dummyRig(m_port), m_port);
    EXPECT_TRUE(processEventsUntil([&] { return rigctld->answering(); })) << rigctld->problem();
    EXPECT_EQ(rigctldsOnPort(m_port).size(), 1U);  // theirs only
}

}  // namespace
}  // namespace zm::test
