// SPDX-License-Identifier: GPL-3.0-or-later
// The window with station.ini: a damaged file is reported once, as is a damaged bands.ini,
// the user's own band plan, and with "server=own" the
// window runs rigctld itself (the real guard and Hamlib's dummy rig): a sweep stops, naming
// rigctld's end, when rigctld dies under it, and Run names what keeps rigctld from starting.

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "tests/support/process_events_until.h"
#include "tests/support/station_window_fixture.h"

namespace zm::test {
namespace {

class StationRadioTest : public StationWindowTest {
protected:
    void SetUp() override {
        m_terminal = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ::grantpt(m_terminal);
        ::unlockpt(m_terminal);
    }
    void TearDown() override {
        window.reset();
        ::close(m_terminal);
    }

    // A pseudo-terminal for the radio's device; Hamlib's dummy rig leaves it alone.
    std::string radioDevice() const { return ::ptsname(m_terminal); }

    // Hamlib's dummy rig on the device.
    RigctldRunner* createWindowRunningRigctld(const std::string& device, Devices devices) {
        return StationWindowTest::createWindowRunningRigctld("model=1\ndevice=" + device + "\n",
                                                             std::move(devices));
    }

private:
    int m_terminal = -1;
};

TEST_F(StationWindowTest, ADamagedStationFileIsReportedOnceAndKeptAside) {
    writeStation("[rig]\nserver=own\nbaud=fast\n");
    start();
    window->Combo3_Click();  // start-up runs again: the file is not read again
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_NE(messages->shown[0].find("line 3"), std::string::npos) << messages->shown[0];
    EXPECT_TRUE(QFile::exists(QDir(configDir.path()).filePath("station.ini.bad")));
    EXPECT_EQ(window->station().rig.server, RigServerChoice::External);
}

// The program keys within every region's bands until the user mends the file; choosing the
// own plan again reads it afresh.
TEST_F(StationWindowTest, ADamagedOwnBandPlanIsReportedOnceKeptAsideAndAnyIsUsed) {
    writeStation("[licence]\nplan=own\n");
    writeConfig("[uk-full]\n40m=7000000-7200000\n30m=7100000-10150000\n", "bands.ini");
    start();
    window->Combo3_Click();  // start-up runs again: the file is not read again
    const std::string path = configPath("bands.ini").toStdString();
    EXPECT_THAT(
        messages->shown,
        ::testing::ElementsAre(
            "Your own band plan in " + path +
            " was not used: line 3: 30m overlaps 40m in [uk-full]. The file is kept as " + path +
            ".bad; the program uses the plan of all IARU regions until you mend it and "
            "choose it again in Setup, Band plan."));
    EXPECT_TRUE(QFile::exists(configPath("bands.ini.bad")));
    EXPECT_EQ(window->bandPlans().plan().key, "any");

    writeConfig("[uk-full]\ntitle=UK Full licence\n60m=5258500-5264000,5276000-5284000\n",
                "bands.ini");
    window->mnuBandPlan_Click("own");
    EXPECT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(window->bandPlans().plan().key, "own");
    EXPECT_EQ(window->bandPlans().plan().title, "UK Full licence");
}

// A copy of the shipped plans may be the start of one's own: the plan named [own] is used, or
// else the first, and the line above the chart says which, once.
TEST_F(StationWindowTest, ACopyOfTheShippedPlansIsTakenAsYourOwn) {
    QFile shipped(QString::fromLocal8Bit(qgetenv("ZM_BUILD_DIR")) + "/band-plans.ini");
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray copy = shipped.readAll();
    writeStation("[licence]\nplan=own\n");
    writeConfig(copy, "bands.ini");
    start();
    EXPECT_THAT(messages->shown, ::testing::IsEmpty());
    EXPECT_EQ(window->bandPlans().plan().key, "own");
    EXPECT_EQ(window->bandPlans().plan().title, "all IARU regions");
    processEventsUntil([&] { return !chart->notice.empty(); });
    EXPECT_EQ(chart->notice,
              "bands.ini holds 6 plans and none named [own]: the program keys within the first, "
              "[any] \"all IARU regions\". Name yours [own], or delete the others.");

    writeConfig(copy + "[own]\ntitle=Mine\n4m=70000000-70500000\n", "bands.ini");
    window->mnuBandPlan_Click("own");
    processEventsUntil([&] { return chart->notice.starts_with("bands.ini holds 7"); });
    EXPECT_EQ(chart->notice, "bands.ini holds 7 plans: the program keys within [own] \"Mine\".");
    EXPECT_EQ(window->bandPlans().plan().title, "Mine");
    EXPECT_FALSE(QFile::exists(configPath("bands.ini.bad")));
}

// Kills the window's rigctld in the keyed wait of the first point; the wait lets the event
// loop run, as the sweep's real one does.
class RigctldKillingSleeper : public Sleeper {
public:
    void sleep(std::chrono::milliseconds) override {
        if (++m_pauses != 2) {
            return;
        }
        onTestThread([this] {
            const int endings = rigctld->endings();
            ::kill(rigctldPid, SIGKILL);
            processEventsUntil([&] { return rigctld->endings() != endings; });
        });
    }
    RigctldRunner* rigctld = nullptr;
    pid_t rigctldPid = 0;

private:
    int m_pauses = 0;
};

pid_t childNamed(pid_t parent, const std::string& name) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string pid, comm, state;
        pid_t ppid = 0;
        stat >> pid >> comm >> state >> ppid;
        if (comm == "(" + name + ")" && ppid == parent) {
            return std::atoi(pid.c_str());
        }
    }
    return 0;
}

TEST_F(StationRadioTest, RunsItsOwnRigctldAndStopsASweepThatLosesIt) {
    Devices devices = fakeDevices();
    auto sleeperOwned = std::make_unique<RigctldKillingSleeper>();
    RigctldKillingSleeper& killer = *sleeperOwned;
    devices.sweepSleeper = std::move(sleeperOwned);
    RigctldRunner* runner = createWindowRunningRigctld(radioDevice(), std::move(devices));
    if (!runner) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    RigctldRunner& rigctld = *runner;
    killer.rigctld = runner;
    ASSERT_TRUE(processEventsUntil([&] { return rigctld.answering(); })) << rigctld.problem();

    killer.rigctldPid = childNamed(childNamed(::getpid(), "zm480-ptt-guard"), "rigctld");
    ASSERT_NE(killer.rigctldPid, 0);
    window->cmdRun_Click();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_NE(messages->shown[0].find("The sweep stopped: rigctld ended under it (it was killed "
                                      "by signal 9 (Killed))"),
              std::string::npos)
        << messages->shown[0];

    ASSERT_TRUE(processEventsUntil([&] { return rigctld.answering(); }));
    window->cmdRun_Click();  // on the restarted rigctld
    EXPECT_EQ(messages->shown.size(), 1u) << messages->shown.back();
    window.reset();
    EXPECT_EQ(childNamed(::getpid(), "zm480-ptt-guard"), 0);
}

// The radio is not plugged in when the window opens: Run says so at once, rather than to
// start rigctld by hand, and a Test once it is plugged in tries again at once instead of
// repeating what stood in the way until the next start.
TEST_F(StationRadioTest, RunSaysWhatStopsItsOwnRigctldAndTestTriesAgainAtOnce) {
    const std::string device = QDir(configDir.path()).filePath("radio").toStdString();
    RigctldRunner* rigctld = createWindowRunningRigctld(device, fakeDevices());
    if (!rigctld) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    ASSERT_TRUE(processEventsUntil([&] { return !rigctld->problem().empty(); }));
    window->cmdRun_Click();
    ASSERT_FALSE(messages->shown.empty());
    EXPECT_EQ(messages->shown.back(),
              "The sweep stopped. The radio's device " + device +
                  " is not there: switch the radio on and plug in its cable (rigctld starts as "
                  "soon as it is back), or, if its name changed, choose it again in Setup, "
                  "Station. Check the radio and rigctld, then press Run again.");

    std::filesystem::create_symlink(radioDevice(), device);
    window->mnuStation_Click();  // the dialog's Test, then Cancel
    std::string answer;
    stationDialogs->shown.at(0).test(window->station().rig,
                                     [&](std::string text) { answer = std::move(text); });
    ASSERT_TRUE(processEventsUntil([&] { return !answer.empty(); }));
    EXPECT_EQ(answer, "Dummy answers: 145.000000 MHz, FM");
}

}  // namespace
}  // namespace zm::test
