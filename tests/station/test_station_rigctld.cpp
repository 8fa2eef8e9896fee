// SPDX-License-Identifier: GPL-3.0-or-later
// The station's rigctld as the program runs it: zm480-ptt-guard --run under the window's
// ProcessRigctldRunner, against real rigctld processes with real backends: Hamlib's NET
// rigctl driving a dummy rig behind a second rigctld, and its FT-817 backend on an emulated
// radio's CAT port; both radios' PTT outlives the rigctld that the program runs.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "station/hamlib_catalog.h"
#include "station/process_rigctld_runner.h"
#include "station/station_test.h"
#include "tests/support/cat_sim_process.h"
#include "tests/support/process_events_until.h"
#include "tests/support/rigctld_process.h"

namespace zm::test {
namespace {

std::string built(const std::string& relative) {
    const char* buildDir = std::getenv("ZM_BUILD_DIR");
    return std::string(buildDir ? buildDir : ".") + "/" + relative;
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

// A radio behind the station's rigctld, through one of Hamlib's real backends, with its PTT
// as the radio itself sees it: it outlives the rigctld that the program runs.
class Radio {
public:
    virtual ~Radio() = default;
    virtual bool start(std::string& whyNot) = 0;
    virtual std::vector<std::string> rigctldArguments(quint16 port) const = 0;
    virtual std::string ptt() = 0;               // "1" keyed, "0" not
    virtual std::string testAnswer() const = 0;  // the Test's answer
    // The radio falls silent, and answers again, behind a link that stays.
    virtual void silence() = 0;
    virtual void wake() = 0;
};

// Hamlib's NET rigctl backend, whose radio is a dummy rig behind a second rigctld.
class DummyBehindNetRigctl : public Radio {
public:
    bool start(std::string& whyNot) override { return m_rig.start({}, whyNot); }
    std::vector<std::string> rigctldArguments(quint16 port) const override {
        return {"-m", "2",
                "-r", "127.0.0.1:" + std::to_string(m_rig.port()),
                "-P", "RIG",
                "-T", "127.0.0.1",
                "-t", std::to_string(port),
                "-v"};
    }
    std::string ptt() override { return readBack(m_rig.port(), false, "t", "PTT"); }
    std::string testAnswer() const override { return "NET rigctl answers: 145.000000 MHz, FM"; }
    // The rigctld behind NET rigctl stopped: its connection stays, and nothing answers on it.
    void silence() override { signalRadio(SIGSTOP); }
    void wake() override { signalRadio(SIGCONT); }

private:
    void signalRadio(int signal) {
        for (const pid_t radio : rigctldsOnPort(m_rig.port())) {
            ::kill(radio, signal);
        }
    }

    RigctldProcess m_rig;
};

// Hamlib's FT-817 backend on the emulated radio's CAT port (zm480-cat-sim).
class EmulatedFt817 : public Radio {
public:
    bool start(std::string& whyNot) override {
        whyNot = "zm480-cat-sim did not start";
        return m_radio.started();
    }
    std::vector<std::string> rigctldArguments(quint16 port) const override {
        return {"-m", "1020",      "-r", m_radio.device(),     "-s", "38400", "-P", "RIG",
                "-T", "127.0.0.1", "-t", std::to_string(port), "-v"};
    }
    // "ptt on 14000000" or "ptt off" as the radio took the last PTT command.
    std::string ptt() override {
        const auto said = m_radio.transcript();
        const auto last = std::find_if(said.rbegin(), said.rend(), [](const std::string& line) {
            return line.starts_with("ptt ");
        });
        return last == said.rend() ? "?" : last->starts_with("ptt on") ? "1" : "0";
    }
    // The radio is on VFO A, 14.0 MHz CW, and VFO B on USB; Hamlib 4.5.4's backend reads
    // VFO B last as it opens the radio, and for a while answers "m" from what it read there.
    std::string testAnswer() const override { return "FT-817 answers: 14.000000 MHz, CW"; }
    // Its power button: switched off it answers nothing, its CAT cable staying plugged in.
    void silence() override { m_radio.pressPowerButton(); }
    void wake() override { m_radio.pressPowerButton(); }

private:
    RunningCatSim m_radio{{}};
};

struct RadioRow {
    const char* name;
    std::function<std::unique_ptr<Radio>()> make;
};
void PrintTo(const RadioRow& row, std::ostream* out) {
    *out << row.name;
}

class StationRadio : public StationRigctld, public ::testing::WithParamInterface<RadioRow> {
protected:
    void SetUp() override {
        StationRigctld::SetUp();
        if (IsSkipped()) {
            return;
        }
        m_radio = GetParam().make();
        std::string whyNot;
        ASSERT_TRUE(m_radio->start(whyNot)) << whyNot;
    }
    std::unique_ptr<Radio> m_radio;
};

// The Test starts rigctld, as a Test of new settings in Setup, Station does.
TEST_P(StationRadio, RestartsAKilledRigctldAnswersTheTestAndLeavesNoneAtTheEnd) {
    auto rigctld = runner();
    rigctld->start(m_radio->rigctldArguments(m_port), m_port);
    std::string answer;
    auto test = std::make_unique<StationTest>(rigctld.get(), m_port, installedRigModels(),
                                              [&](std::string text) { answer = std::move(text); });
    test->start();
    ASSERT_TRUE(processEventsUntil([&] { return !answer.empty(); }));
    EXPECT_EQ(answer, m_radio->testAnswer());
    test.reset();
    ASSERT_TRUE(rigctld->answering()) << rigctld->problem();
    const auto first = rigctldsOnPort(m_port);
    ASSERT_EQ(first.size(), 1U);

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

// A rigctld that answers nothing and takes no connection (SIGSTOP here) is stopped once it
// has been silent for 5 s, and started again. During a sweep it is asked nothing else.
TEST_F(StationRigctld, RestartsARigctldThatStopsAnswering) {
    auto rigctld = runner();
    rigctld->start(dummyRig(m_port), m_port);
    ASSERT_TRUE(processEventsUntil([&] { return rigctld->answering(); })) << rigctld->problem();
    rigctld->setSweeping(true);
    rigctld->recheck();  // answered by the radio's question in flight, if one is
    ASSERT_TRUE(processEventsUntil([&] { return rigctld->confirmed(); }));
    const auto stuck = rigctldsOnPort(m_port);
    ASSERT_EQ(stuck.size(), 1U);

    ::kill(stuck.front(), SIGSTOP);
    EXPECT_TRUE(
        processEventsUntil([&] { return rigctld->endings() == 1; }, std::chrono::seconds(30)));
    EXPECT_EQ(rigctld->lastEnd(), "it gave no answer for 5 s and was stopped");
    EXPECT_TRUE(processEventsUntil([&] {
        return rigctld->answering() && rigctldsOnPort(m_port).size() == 1 &&
               rigctldsOnPort(m_port) != stuck;
    }));
}

// The radio falls silent behind a link that stays, and answers again, between sweeps and then
// under a sweep's question, which waits for the backend's tries (the FT-817's take 18 s, NET
// rigctl's 20 s, hence the 10 s guards) and keeps rigctld from answering anything meanwhile:
// the title names the silence without waiting for them, never says "rigctld answers" while
// it lasts, and no rigctld is started again while the one that waits for the radio runs
// (looked at once a question has waited 5 s: the sweep's silence lasts longer).
TEST_P(StationRadio, FallsSilentAndAnswersAgainBehindItsLinkWithoutARestart) {
    using State = RigctldRunner::State;
    std::vector<State> states;  // outlives the runner, which stops as it goes
    auto rigctld = runner();
    rigctld->start(m_radio->rigctldArguments(m_port), m_port);
    ASSERT_TRUE(processEventsUntil([&] { return rigctld->answering(); })) << rigctld->problem();
    rigctld->onStateChange([&] { states.push_back(rigctld->state()); });

    m_radio->silence();
    EXPECT_TRUE(processEventsUntil([&] { return rigctld->state() == State::RadioSilent; }));
    m_radio->wake();
    EXPECT_TRUE(processEventsUntil([&] { return rigctld->answering(); }, std::chrono::seconds(30)));

    rigctld->setSweeping(true);
    m_radio->silence();
    // Past the 500 ms for which Hamlib answers from what it last read, so that the sweep's
    // question goes to the radio.
    processEventsUntil([] { return false; }, std::chrono::seconds(1));
    QTcpSocket sweep;
    sweep.connectToHost(QHostAddress::LocalHost, m_port);
    ASSERT_TRUE(sweep.waitForConnected());
    sweep.write("+f\n");
    ASSERT_TRUE(sweep.waitForBytesWritten());
    processEventsUntil([] { return false; }, std::chrono::seconds(7));
    rigctld->setSweeping(false);  // the sweep gave up on the radio
    EXPECT_TRUE(processEventsUntil([&] { return rigctld->state() == State::RadioSilent; }));
    m_radio->wake();
    EXPECT_TRUE(processEventsUntil([&] { return rigctld->answering(); }, std::chrono::seconds(30)));

    EXPECT_EQ(rigctld->endings(), 0) << rigctld->lastEnd();
    EXPECT_EQ(states, (std::vector{State::RadioSilent, State::Answering, State::RadioSilent,
                                   State::Answering}));
}

// The window dies with the transmitter keyed: the guards unkey through the station's rigctld,
// which then ends.
TEST_P(StationRadio, KillOfAKeyedWindowUnkeysAndThenEndsItsRigctld) {
    QProcess window;
    window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList arguments{QString::fromStdString(built("zm480-ptt-guard")),
                          QString::number(m_port)};
    for (const std::string& argument : m_radio->rigctldArguments(m_port)) {
        arguments << QString::fromStdString(argument);
    }
    window.start(QString::fromStdString(built("tests/keyed-window")), arguments);
    ASSERT_TRUE(processEventsUntil([&] {
        window.waitForReadyRead(20);
        return window.peek(5) == "keyed" || window.state() != QProcess::Running;
    }));
    ASSERT_EQ(window.peek(5), "keyed");
    ASSERT_EQ(m_radio->ptt(), "1");
    ASSERT_EQ(rigctldsOnPort(m_port).size(), 1U);

    window.kill();
    window.waitForFinished();

    EXPECT_TRUE(processEventsUntil([&] { return rigctldsOnPort(m_port).empty(); }));
    EXPECT_EQ(m_radio->ptt(), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Table, StationRadio,
    ::testing::Values(RadioRow{"DummyBehindNetRigctl",
                               [] { return std::make_unique<DummyBehindNetRigctl>(); }},
                      RadioRow{"EmulatedFt817", [] { return std::make_unique<EmulatedFt817>(); }}),
    [](const auto& info) { return std::string(info.param.name); });

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

// A `sleep 60` that holds what `hold` opened in the child before the exec. Returns once the
// exec has happened (the close-on-exec pipe closes then), so the holder is in place and
// named "sleep" however loaded the machine is.
pid_t sleepHolding(const std::function<void()>& hold) {
    int execed[2];
    if (::pipe2(execed, O_CLOEXEC) != 0) {
        return -1;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        hold();
        ::execlp("sleep", "sleep", "60", nullptr);
        ::_exit(127);
    }
    ::close(execed[1]);
    char byte;
    while (::read(execed[0], &byte, 1) < 0 && errno == EINTR) {
    }
    ::close(execed[0]);
    return child;
}

pid_t holdInSleep(const std::string& device) {
    return sleepHolding([&] {
        const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY);
        ::dup2(fd, STDIN_FILENO);
    });
}

pid_t listenInSleep(quint16 port) {
    return sleepHolding([port] {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        ::listen(fd, 1);
    });
}

class StationObstacle : public StationRigctld, public ::testing::WithParamInterface<Obstacle> {};

TEST_P(StationObstacle, IsNamedWithWhatToDo) {
    if (GetParam().unprivileged && ::geteuid() != 0) {
        GTEST_SKIP() << "only root can run the guard as another user";
    }
    std::vector<pid_t> holders;
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
    ::testing::Values(Obstacle{"Missing",
                               [](quint16, std::vector<pid_t>&) {
                                   return std::pair<std::string, std::string>(
                                       "/dev/ttyUSB97",
                                       "The radio's device /dev/ttyUSB97 is not there: switch the "
                                       "radio on and plug in its cable (rigctld starts as soon as "
                                       "it is back), or, if its name changed, choose it again in "
                                       "Setup, Station");
                               }},
                      Obstacle{"NotPermitted",
                               [](quint16, std::vector<pid_t>&) {
                                   const std::string device = freePseudoTerminal();
                                   return std::pair<std::string, std::string>(
                                       device,
                                       "Your user may not open the radio's device " + device +
                                           ": add yourself to the dialout group: sudo usermod -aG "
                                           "dialout $USER, then log out and in");
                               },
                               true},
                      Obstacle{"HeldByAnotherProgram",
                               [](quint16, std::vector<pid_t>& holders) {
                                   const std::string device = freePseudoTerminal();
                                   holders.push_back(holdInSleep(device));
                                   return std::pair<std::string, std::string>(
                                       device, "sleep (process " + std::to_string(holders.back()) +
                                                   ") holds " + device +
                                                   ": close that program, or end it with: kill " +
                                                   std::to_string(holders.back()));
                               }},
                      Obstacle{"PortTakenByAnotherProgram",
                               [](quint16 port, std::vector<pid_t>& holders) {
                                   const pid_t listener = listenInSleep(port);
                                   holders.push_back(listener);
                                   return std::pair<std::string, std::string>(
                                       freePseudoTerminal(),
                                       "rigctld's port " + std::to_string(port) +
                                           " on 127.0.0.1 is taken by sleep (process " +
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

// Also when it holds the radio's serial device, as a rigctld for a radio on a CAT port does.
TEST_F(StationRigctld, UsesARigctldThatHoldsTheSameRadiosDevice) {
    EmulatedFt817 radio;
    std::string whyNot;
    ASSERT_TRUE(radio.start(whyNot)) << whyNot;
    const std::vector<std::string> arguments = radio.rigctldArguments(m_port);
    RigctldProcess theirs;
    // arguments[3]: the CAT port after -r
    ASSERT_TRUE(theirs.start({.port = m_port, .model = 1020, .device = arguments[3], .baud = 38400},
                             whyNot))
        << whyNot;
    auto rigctld = runner();
    rigctld->start(arguments, m_port);
    EXPECT_TRUE(processEventsUntil([&] { return rigctld->answering(); })) << rigctld->problem();
    EXPECT_EQ(rigctldsOnPort(m_port).size(), 1U);  // theirs only
}

}  // namespace
}  // namespace zm::test
