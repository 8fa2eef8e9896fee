// SPDX-License-Identifier: GPL-3.0-or-later
// A sweep on the simulated station, zm480-sim following a real rigctld through a real
// pseudo-terminal: saved as CSV and as Touchstone and loaded back as a memory, and stopped
// where the meter reads no power or too much.

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

#include "chart/trace_points.h"
#include "feedline/reading_plane.h"
#include "meter/qt_serial_comm.h"
#include "results/result_texts.h"
#include "results/sweep_csv.h"
#include "results/sweep_features.h"
#include "settings/qt_text_files.h"
#include "sim/antenna_model.h"
#include "sweep/rigctld_client.h"
#include "tests/support/refine_grid.h"
#include "tests/support/rigctld_process.h"
#include "tests/support/sim_process.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

// Half a second for every wait, the poll's too: the simulator asks rigctld before it
// answers, and a busy machine must not turn a late answer into a rejected poll. Each wait
// is logged as asked for.
class GenerousSleeper : public Sleeper {
public:
    explicit GenerousSleeper(CallLog* log = nullptr) : m_log(log) {}
    // Runs inside each wait, as the user would act while it lasts.
    std::function<void(std::chrono::milliseconds)> during;

    void sleep(std::chrono::milliseconds duration) override {
        if (m_log) {
            m_log->push_back("Pause " + std::to_string(duration.count()));
        }
        std::this_thread::sleep_for(std::max(duration, std::chrono::milliseconds(500)));
        if (during) {
            onTestThread([&] { during(duration); });
        }
    }

private:
    CallLog* m_log;
};

class SimulatedStationTest : public WindowTest {
protected:
    RigctldProcess rigctld;
    std::unique_ptr<RunningSim> sim;
    QTemporaryDir files;
    GenerousSleeper* generousSweepSleeper = nullptr;

    // False (the test is skipped) without Hamlib's utilities. station.ini holds
    // `stationIni` when it is not empty.
    bool startStation(QStringList simOptions, QByteArray stationIni = {}) {
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
        if (!stationIni.isEmpty()) {
            QFile file(QDir(sim->configDir()).filePath("station.ini"));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(stationIni) > 0);
        }
        Devices devices = fakeDevices();
        devices.comm = std::make_unique<QtSerialComm>(sim->configDir());
        devices.sleeper = std::make_unique<GenerousSleeper>();
        auto sweepWaits = std::make_unique<GenerousSleeper>(&log);
        generousSweepSleeper = sweepWaits.get();
        devices.sweepSleeper = std::move(sweepWaits);
        devices.rigServers = std::make_unique<RigctldServerFactory>("127.0.0.1", rigctld.port());
        devices.textFiles = std::make_unique<QtTextFiles>();
        devices.config = ConfigStore(sim->configDir());
        devices.programFolder = buildDir();  // its cables.list
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
    const SweepRecord record = window->sweepModel().record();
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
    if (!startStation({"--z", "100", "--phase", "0", "--noise", "0"})) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    sweepSwrUpTo("14.0");
    ASSERT_TRUE(window->sweepModel().record().hasReadings());
    QFile file(QString::fromStdString(saveAndLoadBack(&ChartMenuActions::saveTouchstone, "r.s1p")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_THAT(file.readAll().toStdString(),
                ::testing::HasSubstr("# Hz S RI R 50\n14000000 0.333333333 0.000000000\n"));
}

// The small loop on 7.0 to 7.1 MHz in 5 kHz steps, refined: exactly the points the rule asks
// for from what the meter reports (the same readings as the loop's model through the
// meter's record), each keyed once on the plan's grid; every other row is in the record and
// the CSV as "not needed", and the chart joins across them and says how many were keyed.
TEST_F(SimulatedStationTest, RefinedSweepKeysOnlyThePointsTheRuleAsksFor) {
    if (!startStation({"--antenna", "loop", "--noise", "0"}, "[sweep]\npoints=refine\n")) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    guard->log = &log;
    window->controls().Text2->setText("7.0");
    window->controls().Combo1->setEditText("5");
    window->Combo1_Validate();
    sweepSwrUpTo("7.1");
    ASSERT_THAT(messages->shown, ::testing::IsEmpty());

    const std::vector<RefinePoint> model = fullGrid(*sim::namedAntenna("loop"), 7.0, 0.005, 21);
    std::vector<RefinePoint> expected(model.size());
    const int keyDowns = refineOver(model, expected).keyDowns;
    const SweepRecord& record = window->sweepModel().record();
    ASSERT_EQ(record.points.size(), 21u);
    std::string notNeededRows;
    for (std::size_t i = 0; i < record.points.size(); ++i) {
        const SweepPoint& point = record.points[i];
        EXPECT_EQ(point.frequencyHz, 7'000'000 + static_cast<std::int64_t>(i) * 5'000);
        EXPECT_EQ(point.reading.has_value(), expected[i].reading.has_value()) << i;
        EXPECT_EQ(point.skipped,
                  point.reading ? std::nullopt : std::optional(SkipReason::NotNeeded))
            << i;
        if (!point.reading) {
            notNeededRows += std::to_string(point.frequencyHz) + ",,,,,,,,,not needed\n";
        }
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "Guard unkeyed"), keyDowns);
    EXPECT_LT(keyDowns, 21);
    const std::string csv = writeSweepCsv(record);
    const auto rows = csv.begin() + static_cast<std::ptrdiff_t>(csv.find("\n7000000,") + 1);
    EXPECT_EQ(std::count(rows, csv.end(), '\n'), 21);  // one row a point of the plan
    std::string csvNotNeeded;
    for (std::size_t at = csv.find(",not needed\n"); at != std::string::npos;
         at = csv.find(",not needed\n", at + 1)) {
        const std::size_t rowStart = csv.rfind('\n', at) + 1;
        csvNotNeeded += csv.substr(rowStart, at - rowStart) + ",not needed\n";
    }
    EXPECT_EQ(csvNotNeeded, notNeededRows);
    EXPECT_EQ(chart->lastRecord.points, record.points);
    EXPECT_EQ(sweepNotice(), "Keyed " + std::to_string(keyDowns) + " of 21 points");
    EXPECT_EQ(readBack(rigctld.port(), false, "t", "PTT"), "0");
}

// Sweep my bands under the US General class: each band a sweep of its own from edge to edge,
// through the same band plan check as Run (the middle points, in the gaps of 40 m and 20 m,
// are neither tuned nor keyed), kept as a memory; Escape ends the whole run and keeps what
// is done; the Bands window sums it up, the boxes' plan is in force again and the chart shows
// what it showed before, with the memories.
TEST_F(SimulatedStationTest, SweepMyBandsKeepsEachBandAsAMemoryAndEscapeKeepsWhatIsDone) {
    if (!startStation({"--antenna"}, "[licence]\nplan=us-general\n")) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    choosePlotMode(*window, 2);
    window->cmdRun_Click();
    const PlotGrid gridBefore = chart->lastData;
    const SweepRecord recordBefore = chart->lastRecord;
    const std::string noticeBefore = chart->notice;
    ASSERT_TRUE(recordBefore.hasReadings());
    bandsDialog->choice = BandsSettings{{"40m", "20m", "15m"}, 3};
    int keyedWaits = 0;
    std::string progressAt20m;
    generousSweepSleeper->during = [&](std::chrono::milliseconds wait) {
        if (wait.count() == 1000 && ++keyedWaits == 3) {  // 20m's first point keyed
            progressAt20m = window->accessibleDescription().toStdString();
            EXPECT_THAT(chart->notice, ::testing::EndsWith("\n" + progressAt20m));
        }
        if (wait.count() == 1000 && keyedWaits == 4) {  // 20m's second point keyed
            QTest::keyClick(window.get(), Qt::Key_Escape);
        }
    };
    window->mnuSweepMyBands_Click();
    EXPECT_THAT(progressAt20m, ::testing::StartsWith("20m, band 2 of 3 · point 0 of 3 · about "));
    EXPECT_TRUE(window->accessibleDescription().isEmpty());

    EXPECT_THAT(messages->shown, ::testing::IsEmpty());
    ASSERT_EQ(bandsDialog->shown.size(), 1u);
    EXPECT_EQ(bandsDialog->shown[0].key, "us-general");
    const auto taken = [](const Memory& memory) {
        std::vector<std::pair<std::int64_t, bool>> points;
        for (const SweepPoint& point : memory.record.points) {
            points.emplace_back(point.frequencyHz, point.reading.has_value());
        }
        return points;
    };
    const std::vector<Memory>& kept = window->memoriesPart().memories();
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_THAT(kept[0].name, ::testing::StartsWith("40m "));
    EXPECT_THAT(taken(kept[0]),
                ::testing::ElementsAre(std::pair{7025000, true}, std::pair{7162500, false},
                                       std::pair{7300000, true}));
    EXPECT_THAT(kept[1].name, ::testing::StartsWith("20m "));
    EXPECT_THAT(taken(kept[1]),
                ::testing::ElementsAre(std::pair{14025000, true}, std::pair{14187500, false}));
    EXPECT_EQ(readBack(rigctld.port(), false, "t", "PTT"), "0");
    EXPECT_EQ(window->sweepModel().plan().StartFreq, 14.0);
    EXPECT_EQ(window->sweepModel().plan().StopFreq, 14.35);
    EXPECT_EQ(window->sweepModel().plan().PointCount, 8);
    EXPECT_EQ(chart->lastData.rows(), gridBefore.rows());
    for (int row = 1; row <= gridBefore.rows(); ++row) {
        for (int column = 1; column <= PlotGrid::kColumns; ++column) {
            EXPECT_EQ(chart->lastData.at(row, column), gridBefore.at(row, column)) << row;
        }
    }
    EXPECT_EQ(chart->lastRecord.points, recordBefore.points);
    EXPECT_EQ(chart->notice, noticeBefore);
    EXPECT_EQ(chart->memories.size(), 2u);
    generousSweepSleeper->during = nullptr;  // a Run after the stopped run sweeps again
    log.clear();
    window->cmdRun_Click();
    EXPECT_THAT(messages->shown, ::testing::IsEmpty());
    // Keyed all 8 points but 14.0 and 14.2 MHz, outside the General class's 20 m.
    EXPECT_EQ(std::count(log.begin(), log.end(), "Pause 1000"), 6);
    EXPECT_EQ(readBack(rigctld.port(), false, "t", "PTT"), "0");
    QFile station(QDir(sim->configDir()).filePath("station.ini"));
    ASSERT_TRUE(station.open(QIODevice::ReadOnly));
    EXPECT_THAT(station.readAll().toStdString(),
                ::testing::HasSubstr("[bands]\nsweep=40m,20m,15m\npoints=3\n"));

    BandsWindow* bands = window->findChild<BandsWindow*>();
    ASSERT_NE(bands, nullptr);
    EXPECT_TRUE(bands->isVisible());
    EXPECT_EQ(bands->panelCount(), 2);
    QApplication::setActiveWindow(bands);
    ASSERT_TRUE(QTest::qWaitForWindowActive(bands));
    QTest::keySequence(bands, QKeySequence::Copy);
    ASSERT_EQ(clipboard->copied.size(), 1u);
    EXPECT_EQ(clipboard->copied[0], bands->text());
    EXPECT_THAT(clipboard->copied[0], ::testing::StartsWith("Band  Lowest SWR  at "));
    EXPECT_THAT(clipboard->copied[0], ::testing::HasSubstr("\n40m "));
    EXPECT_THAT(clipboard->copied[0], ::testing::HasSubstr("\n20m "));

    // Its picture is drawn, not left white: the 20m panel's curve is there.
    bands->pictureActions().copyImage->trigger();
    ASSERT_EQ(clipboard->images.size(), 1u);
    const QImage picture = clipboard->images[0];
    EXPECT_EQ(picture.size(), kPictureSizePx);
    int inked = 0;
    for (int y = 0; y < picture.height(); y += 4) {
        for (int x = 0; x < picture.width(); x += 4) {
            inked += qGray(picture.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 500);
}

// The simulated dipole behind 20 m of RG-58, and the same feedline set in the window: at the
// antenna every point is the dipole again, in the record the charts draw and in every cell
// of the grid the sweep filled; at the meter they are what the meter read.
TEST_F(SimulatedStationTest, FeedlineTakenOutGivesTheAntennaBack) {
    if (!startStation({"--antenna", "--noise", "0", "--feedline", "RG-58:20"},
                      "[feedline]\ncable=RG-58\nlength_m=20\nshow=antenna\n")) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    window->controls().Combo2->setCurrentIndex(0);  // R+jX
    window->Combo2_Click();
    window->controls().Text3->setText("14.35");
    window->cmdRun_Click();
    ASSERT_THAT(messages->shown, ::testing::IsEmpty());
    const SweepRecord& shown = chart->lastRecord;
    ASSERT_EQ(shown.points.size(), 8u);
    EXPECT_EQ(shown.plane, Plane::Antenna);
    EXPECT_EQ(shown.feedline, "20 m of RG-58");
    for (std::size_t i = 0; i < shown.points.size(); ++i) {
        const SweepPoint& point = shown.points[i];
        ASSERT_TRUE(point.reading && point.lineLoss) << i;
        const sim::Impedance dipole = sim::dipoleImpedance(double(point.frequencyHz) / 1e6);
        // The meter's fields hold one decimal: a tenth of an ohm at the meter, a little more
        // once the cable's loss is taken out.
        EXPECT_NEAR(point.reading->impedance().real(), dipole.resistanceOhms, 0.5) << i;
        EXPECT_NEAR(point.reading->impedance().imag(), dipole.reactanceOhms, 0.5) << i;
        EXPECT_NEAR(cellValue(chart->lastData.at(int(i) + 1, 2)), seriesValue(*point.reading, 1),
                    1e-9)
            << i;
        EXPECT_GT(std::abs(window->sweepModel().record().points[i].reading->impedance() -
                           point.reading->impedance()),
                  1.0)
            << i;
    }
    // The readout stays the meter's; its tooltip has the antenna at the last point.
    EXPECT_THAT(window->controls().Text5->toolTip().toStdString(),
                ::testing::StartsWith("At the antenna, through 20 m of RG-58\n14.350 MHz\n"));
    const SweepFeatures features = findFeatures(shown);
    ASSERT_EQ(features.resonances.size(), 1u);
    EXPECT_NEAR(features.resonances[0].frequencyHz, 14.175e6, 5e3);

    // A memory kept now keeps the antenna; shown at the meter it is turned once, forward.
    chart->menuActions().keepMemory->trigger();
    window->controls().mnuAtMeter->trigger();
    ASSERT_EQ(window->memoriesPart().memories().size(), 1u);
    EXPECT_EQ(window->memoriesPart().memories()[0].record.plane, Plane::Antenna);
    EXPECT_LT(std::abs(chart->memories[0].record.points[3].reading->impedance() -
                       window->sweepModel().record().points[3].reading->impedance()),
              1e-6);
    EXPECT_EQ(chart->lastRecord.plane, Plane::Meter);
    EXPECT_EQ(chart->lastRecord.points[3].reading, window->sweepModel().record().points[3].reading);
    EXPECT_EQ(cellValue(chart->lastData.at(4, 2)), cellValue(window->planBoxes().grid().at(4, 2)));
    QFile ini(QDir(sim->configDir()).filePath("station.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_THAT(ini.readAll().toStdString(), ::testing::HasSubstr("show=meter\n"));
}

// The same dipole straight on the meter and swept on 10 m, with station.ini still saying 20 m
// of RG-58 lie between: the meter's SWR of 99 is more reflection than that cable returns from
// any antenna. At the antenna every point is a gap that says why, in the record, the grid and
// the CSV, and the window says so above the chart; the sweep and the CSV keep what the meter
// read.
TEST_F(SimulatedStationTest, ReadingsBeyondTheFeedlinesLossAreGapsAtTheAntenna) {
    if (!startStation({"--antenna", "--noise", "0"},
                      "[feedline]\ncable=RG-58\nlength_m=20\nshow=antenna\n")) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    window->controls().Text2->setText("28.0");
    window->controls().Combo1->setEditText("100");
    window->Combo1_Validate();
    sweepSwrUpTo("28.5");
    ASSERT_THAT(messages->shown, ::testing::IsEmpty());
    const SweepRecord& shown = chart->lastRecord;
    ASSERT_EQ(shown.points.size(), 6u);
    EXPECT_EQ(beyondLossNotice(shown),
              "6 points read more reflection than 20 m of RG-58 can return: check the cable and "
              "length in Setup, Feedline");
    const auto csv = readSweepCsv(writeSweepCsv(shown));
    ASSERT_TRUE(std::holds_alternative<SweepRecord>(csv));
    for (std::size_t i = 0; i < shown.points.size(); ++i) {
        EXPECT_EQ(shown.points[i].skipped, SkipReason::BeyondFeedlineLoss) << i;
        EXPECT_TRUE(std::holds_alternative<std::monostate>(chart->lastData.at(int(i) + 1, 5))) << i;
        EXPECT_TRUE(window->sweepModel().record().points[i].reading) << i;
        // The CSV's row keeps what the meter read, and says why it has no value at the antenna.
        const SweepPoint& row = std::get<SweepRecord>(csv).points.at(i);
        EXPECT_EQ(row.skipped, SkipReason::BeyondFeedlineLoss) << i;
        EXPECT_EQ(row.meterReading, window->sweepModel().record().points[i].reading) << i;
    }
    EXPECT_EQ(swrMarkerLines(findFeatures(window->sweepModel().record())),
              std::vector<std::string>{"SWR above 10 everywhere"});
}

// A radio that sends nothing, or too much, from 14.1 MHz up: the sweep from 14.0 stops there.
struct PowerStopCase {
    const char* name;
    QByteArray stationIni;
    QStringList simOptions;
    std::string message;
    friend void PrintTo(const PowerStopCase& c, std::ostream* os) { *os << c.name; }
};

class PowerStopTable : public SimulatedStationTest,
                       public ::testing::WithParamInterface<PowerStopCase> {};

TEST_P(PowerStopTable, UnkeysAtOnceKeepsThePointsAndSaysWhy) {
    const PowerStopCase& c = GetParam();
    if (!startStation(c.simOptions, c.stationIni)) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    guard->log = &log;
    sweepSwrUpTo("14.15");
    EXPECT_THAT(messages->shown, ::testing::ElementsAre(c.message));
    const SweepRecord& record = window->sweepModel().record();
    ASSERT_EQ(record.points.size(), 2u);
    EXPECT_EQ(record.points[1].frequencyHz, 14050000);
    EXPECT_TRUE(record.points[0].reading && record.points[1].reading);
    // The reading that stopped it was the last thing done keyed; nothing was tuned or keyed
    // after it.
    ASSERT_GE(log.size(), 3u);
    EXPECT_THAT(std::vector(log.end() - 3, log.end()),
                ::testing::ElementsAre("Pause 200", "Guard unkeyed", "Guard finish"));
    EXPECT_EQ(readBack(rigctld.port(), false, "t", "PTT"), "0");
    EXPECT_EQ(readBack(rigctld.port(), false, "f", "Frequency"), "14100000");
}

INSTANTIATE_TEST_SUITE_P(
    Station, PowerStopTable,
    ::testing::Values(
        PowerStopCase{"NoPowerBeyondABandEdge",
                      "[sweep]\nsettle=fixed\n",
                      {"--antenna", "--power-from", "14.1:0"},
                      "The sweep stopped at 14.100 MHz: the meter reads no power while the radio "
                      "is keyed. Check that the radio is on, may transmit on this band, and that "
                      "its output passes through the meter, then press Run again."},
        PowerStopCase{"TooMuchPowerWhileSettling",
                      "[sweep]\nsettle=readings\nmax_power_w=120\n",
                      {"--antenna", "--power-from", "14.1:150", "--noise", "0"},
                      "The sweep stopped at 14.100 MHz: the meter reads 150.0 W while the radio "
                      "is keyed, above the power ceiling of 120 W. Turn the radio's power down "
                      "below 120 W (or raise the ceiling in Setup, Sweep settings), then press "
                      "Run again."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm::test
