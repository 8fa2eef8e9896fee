// A sweep on the simulated station, zm480-sim following a real rigctld through a real
// pseudo-terminal, saved as CSV and as Touchstone and loaded back as a memory.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <thread>

#include "app/qt_text_files.h"
#include "meter/qt_serial_comm.h"
#include "sweep/rigctld_client.h"
#include "tests/support/rigctld_process.h"
#include "tests/support/sim_process.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

// Half a second for every wait, the poll's too: the simulator asks rigctld before it
// answers, and a busy machine must not turn a late answer into a rejected poll.
class GenerousSleeper : public Sleeper {
public:
    void sleep(std::chrono::milliseconds duration) override {
        std::this_thread::sleep_for(std::max(duration, std::chrono::milliseconds(500)));
    }
};

class SimulatedStationTest : public WindowTest {
protected:
    RigctldProcess rigctld;
    std::unique_ptr<RunningSim> sim;
    QTemporaryDir files;

    // False (the test is skipped) without Hamlib's utilities.
    bool startStation(QStringList simOptions) {
        std::string whyNot;
        if (RigctldProcess::executable().empty()) {
            return false;
        }
        if (!rigctld.start({}, whyNot)) {
            ADD_FAILURE() << whyNot;
            return false;
        }
        sim = std::make_unique<RunningSim>(
            simOptions + QStringList{"--rig", QStringLiteral("127.0.0.1:%1").arg(rigctld.port())});
        if (!sim->started()) {
            ADD_FAILURE() << "is zm480-sim built in " << buildDir().toStdString() << "?";
            return false;
        }
        Devices devices = fakeDevices();
        devices.comm = std::make_unique<QtSerialComm>(sim->configDir());
        devices.sleeper = std::make_unique<GenerousSleeper>();
        devices.sweepSleeper = std::make_unique<GenerousSleeper>();
        devices.rigServers = std::make_unique<RigctldServerFactory>("127.0.0.1", rigctld.port());
        devices.textFiles = std::make_unique<QtTextFiles>();
        devices.config = ConfigStore(sim->configDir());
        createWindow(std::move(devices));
        start();
        return true;
    }
    void sweepSwrUpTo(const char* stopMHz) {
        window->controls().Combo2->setCurrentIndex(2);
        window->Combo2_Click();
        window->controls().Text3->setText(stopMHz);
        window->cmdRun_Click();
    }
    // Saves through a menu entry into the test's folder and loads that file back.
    std::string saveAndLoadBack(QAction* ChartMenuActions::*save, const char* name) {
        sweepFileDialog->pick = QDir(files.path()).filePath(name).toStdString();
        (chart->menuActions().*save)->trigger();
        chart->menuActions().loadMemory->trigger();
        return *sweepFileDialog->pick;
    }
};

TEST_F(SimulatedStationTest, SweepSavedAsCsvAndTouchstoneLoadsBackWithTheSameValues) {
    if (!startStation({"--antenna"})) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    sweepSwrUpTo("14.15");
    ASSERT_THAT(messages->shown, ::testing::IsEmpty());
    const SweepRecord record = window->sweepRecord();
    ASSERT_EQ(record.points.size(), 4u);
    ASSERT_TRUE(record.hasReadings());

    saveAndLoadBack(&ChartMenuActions::saveCsv, "dipole.csv");
    ASSERT_EQ(chart->memories.size(), 1u) << messages->shown.front();
    EXPECT_EQ(chart->memories[0].record.points, record.points);
    EXPECT_EQ(chart->memories[0].name, "dipole.csv");

    saveAndLoadBack(&ChartMenuActions::saveTouchstone, "dipole.s1p");
    ASSERT_EQ(chart->memories.size(), 2u);
    EXPECT_EQ(chart->memories[1].name, "dipole.s1p");
    std::vector<SweepPoint> measured;
    std::copy_if(record.points.begin(), record.points.end(), std::back_inserter(measured),
                 [](const SweepPoint& point) { return point.reading.has_value(); });
    const std::vector<SweepPoint>& back = chart->memories[1].record.points;
    ASSERT_EQ(back.size(), measured.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i].frequencyHz, measured[i].frequencyHz);
        EXPECT_NEAR(back[i].reading->zOhms, measured[i].reading->zOhms, 1e-6) << i;
        EXPECT_NEAR(back[i].reading->phaseDegrees, measured[i].reading->phaseDegrees, 1e-6) << i;
        // Worked out from Z and phase, against the meter's own figure to two decimals.
        EXPECT_NEAR(back[i].reading->swr, measured[i].reading->swr, 0.02 * measured[i].reading->swr)
            << i;
    }
    EXPECT_THAT(messages->shown, ::testing::IsEmpty());
    // Kept beside the build for a look (and a spreadsheet); not part of the check.
    for (const char* name : {"dipole.csv", "dipole.s1p"}) {
        const QString kept = QDir(buildDir()).filePath(QStringLiteral("sweep-%1").arg(name));
        QFile::remove(kept);
        QFile::copy(QDir(files.path()).filePath(name), kept);
    }
}

TEST_F(SimulatedStationTest, HundredOhmLoadGivesAThirdAsS11) {
    if (!startStation({"--z", "100", "--phase", "0"})) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    sweepSwrUpTo("14.0");
    ASSERT_TRUE(window->sweepRecord().hasReadings());
    QFile file(QString::fromStdString(saveAndLoadBack(&ChartMenuActions::saveTouchstone, "r.s1p")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_THAT(file.readAll().toStdString(),
                ::testing::HasSubstr("# Hz S RI R 50\n14000000 0.333333333 0.000000000\n"));
}

}  // namespace
}  // namespace zm::test
