// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's context menu in the window: the sweep record, copy and save, the memories.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "results/sweep_csv.h"
#include "tests/support/recording_transceiver.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;

constexpr const char* kFiftyOhms = ";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";
constexpr const char* kHundredOhms = ";  100.0,100.0,  0.0 R 100.0 X   0.0 SW2.00";

class ResultsMenuTest : public WindowTest {
protected:
    void SetUp() override { openWindow(); }
    // The window on fresh fakes, with config.ini and memories/ as the last one left them.
    void openWindow() {
        window.reset();
        Devices devices = fakeDevices();
        devices.rigServers = std::make_unique<RecordingRigServerFactory>(log);
        createWindow(std::move(devices));
        start();
        comm->answers = {kFiftyOhms};
    }
    // Three points, 14.0 to 14.1 MHz, in the SWR 3:1 mode.
    void sweep() {
        window->controls().Combo2->setCurrentIndex(2);
        window->Combo2_Click();
        window->controls().Text3->setText("14.1");
        window->cmdRun_Click();
    }
    const ChartMenuActions& menu() const { return chart->menuActions(); }
    std::vector<bool> exportsEnabled() const {
        return {menu().copySweep->isEnabled(), menu().saveCsv->isEnabled(),
                menu().saveTouchstone->isEnabled(), menu().keepMemory->isEnabled()};
    }
    // Notes the timer whenever the dialog or a message is up.
    std::vector<bool> timerWhileShown;
    void watchTimer() {
        const auto note = [this] { timerWhileShown.push_back(window->timer1Enabled()); };
        sweepFileDialog->whileShown = note;
        messages->whileShown = note;
    }
};

TEST_F(ResultsMenuTest, ExportsWaitForASweepAndGoWithClearOrAReplan) {
    EXPECT_THAT(exportsEnabled(), ElementsAre(false, false, false, false));
    EXPECT_TRUE(menu().loadMemory->isEnabled());
    EXPECT_TRUE(menu().memories->isEnabled());
    sweep();
    EXPECT_THAT(exportsEnabled(), ElementsAre(true, true, true, true));
    window->cmdClear_Click();
    EXPECT_THAT(exportsEnabled(), ElementsAre(false, false, false, false));
    EXPECT_TRUE(chart->lastRecord.empty());
    sweep();
    window->controls().Text2->setText("14.05");
    EXPECT_TRUE(window->sweepModel().record().empty());
}

TEST_F(ResultsMenuTest, RecordHoldsEachPointWithTheReadingOfARereadPoll) {
    // The meter's unkeyed check, the first point; the second point's poll gets no answer.
    comm->answers = {kFiftyOhms, kFiftyOhms, "", kHundredOhms};
    sweep();
    const SweepRecord& record = window->sweepModel().record();
    ASSERT_EQ(record.points.size(), 3u);
    EXPECT_EQ(record.points[0].frequencyHz, 14000000);
    EXPECT_EQ(record.points[0].reading, (PointReading{100.0, 50.0, -30.0, 1.5}));
    // Read again while keyed: its own reading, not the one the meter reading still held.
    EXPECT_EQ(record.points[1].frequencyHz, 14050000);
    EXPECT_EQ(record.points[1].reading, (PointReading{100.0, 100.0, 0.0, 2.0}));
    EXPECT_EQ(record.points[1].taken, (PointTaking{PointTaking::How::FixedWait, 2}));
    EXPECT_EQ(record.points[2].reading, (PointReading{100.0, 100.0, 0.0, 2.0}));
    EXPECT_EQ(std::get<Fixed4>(window->planBoxes().grid().at(2, 5)), Fixed4::fromDouble(2.0));
    EXPECT_EQ(chart->lastRecord.points, record.points);
    EXPECT_EQ(record.notes.stopMHz, 14.1);
}

TEST_F(ResultsMenuTest, NewSweepStartsANewRecord) {
    sweep();
    comm->answers = {kHundredOhms};
    window->cmdRun_Click();
    ASSERT_EQ(window->sweepModel().record().points.size(), 3u);
    EXPECT_EQ(window->sweepModel().record().points[0].reading->zOhms, 100.0);
}

struct SaveCase {
    const char* name;
    QAction* ChartMenuActions::*entry;
    SweepFileKind kind;
    const char* suffix;
    friend void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }
};

class SaveTable : public ResultsMenuTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveTable, WritesTheChosenFileWithPollingAtRest) {
    const SaveCase& c = GetParam();
    sweep();
    watchTimer();
    sweepFileDialog->pick = std::string("/data/ant.") + c.suffix;
    (menu().*c.entry)->trigger();
    ASSERT_EQ(sweepFileDialog->requests.size(), 1u);
    EXPECT_EQ(sweepFileDialog->requests[0].defaultSuffix, c.suffix);
    EXPECT_EQ(textFiles->files.at(*sweepFileDialog->pick),
              sweepFileText(window->sweepModel().record(), c.kind));
    EXPECT_THAT(timerWhileShown, ElementsAre(false));
    EXPECT_THAT(messages->shown, IsEmpty());
    EXPECT_TRUE(window->timer1Enabled());
}

TEST_P(SaveTable, FailedWriteIsOneMessageNamingTheFile) {
    const SaveCase& c = GetParam();
    sweep();
    watchTimer();
    sweepFileDialog->pick = std::string("/data/ant.") + c.suffix;
    textFiles->failWrites = "No space left on device";
    (menu().*c.entry)->trigger();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_THAT(messages->shown[0], HasSubstr(*sweepFileDialog->pick + " (No space left"));
    EXPECT_THAT(timerWhileShown, ElementsAre(false, false));
    EXPECT_TRUE(window->timer1Enabled());
}

INSTANTIATE_TEST_SUITE_P(Formats, SaveTable,
                         ::testing::Values(SaveCase{"Csv", &ChartMenuActions::saveCsv,
                                                    SweepFileKind::Csv, "csv"},
                                           SaveCase{"Touchstone", &ChartMenuActions::saveTouchstone,
                                                    SweepFileKind::Touchstone, "s1p"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ResultsMenuTest, CopyPutsTheCsvOnTheClipboard) {
    sweep();
    menu().copySweep->trigger();
    EXPECT_THAT(clipboard->copied, ElementsAre(writeSweepCsv(window->sweepModel().record())));
}

// Whatever the window's size: images of 1600 x 1000, SVG for a name ending in .svg, a
// report from the File menu or the chart's; the title names the sweep and the radio.
TEST_F(ResultsMenuTest, PicturesAndTheReportGoToTheChosenFilesWithPollingAtRest) {
    writeConfig("[rig]\nmodel=1\n", "station.ini");  // Hamlib's dummy rig
    openWindow();
    sweep();
    window->resize(300, 200);
    watchTimer();
    sweepFileDialog->pick = "/data/ant.png";
    menu().saveImage->trigger();
    EXPECT_EQ(
        QImage::fromData(QByteArray::fromStdString(textFiles->files.at("/data/ant.png"))).size(),
        QSize(1600, 1000));
    sweepFileDialog->pick = "/data/ant.svg";
    menu().saveImage->trigger();
    const std::string& svg = textFiles->files.at("/data/ant.svg");
    EXPECT_THAT(svg, MatchesRegex("^<\\?xml.*"));
    EXPECT_THAT(svg, HasSubstr("14.000 – 14.100 MHz (100 kHz) · " +
                               window->sweepModel().record().notes.takenAt +
                               " · Antenna 1 · Hamlib Dummy"));
    menu().copyImage->trigger();
    ASSERT_EQ(clipboard->images.size(), 1u);
    EXPECT_EQ(clipboard->images[0].size(), QSize(1600, 1000));

    sweepFileDialog->comment = "after trimming";
    for (QAction* entry : {window->controls().mnuSaveReport, menu().saveReport}) {
        sweepFileDialog->pick = "/data/report.pdf";
        textFiles->files.clear();
        entry->trigger();
        EXPECT_EQ(textFiles->files.at("/data/report.pdf").substr(0, 5), "%PDF-");
    }
    ASSERT_EQ(sweepFileDialog->requests.size(), 4u);
    EXPECT_EQ(sweepFileDialog->requests[0].suggestedName, "sweep.png");
    EXPECT_EQ(sweepFileDialog->requests[2].suggestedName, "sweep-report.pdf");
    EXPECT_THAT(timerWhileShown, ElementsAre(false, false, false, false));
    EXPECT_THAT(messages->shown, IsEmpty());
    EXPECT_TRUE(window->timer1Enabled());
}

// Memories outlast Clear, a re-plan and a restart, shown or hidden, by the names given them.
TEST_F(ResultsMenuTest, MemoriesAreKeptHiddenRenamedDeletedAndReadBackAfterARestart) {
    sweep();
    menu().keepMemory->trigger();
    comm->answers = {kHundredOhms};
    window->cmdRun_Click();
    menu().keepMemory->trigger();
    ASSERT_EQ(chart->memories.size(), 2u);
    EXPECT_THAT(chart->memories[0].name, MatchesRegex("[0-9]{2}:[0-9]{2} 14.000-14.100 MHz"));
    EXPECT_NE(chart->memories[0].colour, chart->memories[1].colour);
    window->cmdClear_Click();
    window->controls().Text3->setText("14.35");
    EXPECT_EQ(chart->memories.size(), 2u);

    menu().memories->trigger();
    QListWidget* list = window->memoriesPart().dialog()->list();
    ASSERT_EQ(list->count(), 2);
    list->item(1)->setCheckState(Qt::Unchecked);
    list->item(1)->setText("  hundred ohm\n");
    EXPECT_FALSE(chart->memories[1].shown);
    list->setCurrentRow(0);
    for (QPushButton* button : window->memoriesPart().dialog()->findChildren<QPushButton*>()) {
        if (button->text() == "Delete") {
            button->click();
        }
    }
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "hundred ohm");

    openWindow();
    ASSERT_EQ(window->memoriesPart().memories().size(), 1u);
    EXPECT_EQ(chart->memories.size(), 1u);
    const Memory& back = window->memoriesPart().memories()[0];
    EXPECT_EQ(back.name, "hundred ohm");
    EXPECT_FALSE(back.shown);
    ASSERT_EQ(back.record.points.size(), 3u);
    EXPECT_EQ(back.record.points[0].reading, (PointReading{100.0, 100.0, 0.0, 2.0}));
    EXPECT_THAT(messages->shown, IsEmpty());
}

// A file damaged outside the program is told once, with its fault, and never written over.
TEST_F(ResultsMenuTest, DamagedMemoryIsReportedOnceAndLeftWhereItIs) {
    sweep();
    menu().keepMemory->trigger();
    const QString folder = QDir(configDir.path()).filePath("memories");
    const QByteArray damage = "frequency_hz,power,z_ohm,phase_deg,swr\n14000000,100,50,0,x\n";
    QFile file(QDir(folder).filePath("memory-002.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(damage);
    file.close();

    openWindow();
    EXPECT_EQ(window->memoriesPart().memories().size(), 1u);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_THAT(messages->shown[0], HasSubstr("memory-002.csv: line 2: swr \"x\" is not a number"));
    window->Combo3_Click();  // start-up again, as a port choice runs it: no second message
    sweep();
    menu().keepMemory->trigger();
    EXPECT_EQ(messages->shown.size(), 1u);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damage);
    EXPECT_TRUE(QFile::exists(QDir(folder).filePath("memory-003.csv")));
}

// "Match this point" at a hovered 25 ohm point: the networks listed, the chosen one's path
// on the Smith chart, and the whole text copied by the button and by Ctrl+C.
TEST_F(ResultsMenuTest, MatchThisPointListsTheNetworksDrawsThePathAndCopiesThem) {
    const SweepPoint point{14050000, PointReading{100.0, 25.0, 0.0, 2.0}};
    chart->pointAtMenu = TracePoint{"Sweep", point};
    window->controls().mnuSmithChart->trigger();
    menu().matchPoint->trigger();
    MatchDialog* dialog = window->results().matchDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->list()->count(), 2);
    // On the Smith chart: the load, then 48 steps along each part.
    EXPECT_EQ(window->results().smithWindow()->chart().matchPath().size(), 97u);
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == "Copy") {
            button->click();
        }
    }
    QApplication::setActiveWindow(dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog->list(), Qt::Key_C, Qt::ControlModifier);
    const std::string text =
        "14.050 MHz: 25.0 + j0.0 ohm\n"
        "shunt C 227 pF, series L 283 nH\n"
        "shunt L 566 nH, series C 453 pF\n";
    EXPECT_THAT(clipboard->copied, ElementsAre(text, text));
    dialog->close();
    EXPECT_TRUE(window->results().smithWindow()->chart().matchPath().empty());
}

struct LoadCase {
    const char* name;
    std::string path;
    std::string text;  // none: no such file
    std::string says;  // empty: loads, named thus on the chart
    friend void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }
};

class LoadTable : public ResultsMenuTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadTable, LoadsOrSaysWhichLineFailedAndLeavesTheChart) {
    const LoadCase& c = GetParam();
    if (!c.text.empty()) {
        textFiles->files[c.path] = c.text;
    }
    watchTimer();
    sweepFileDialog->pick = c.path;
    menu().loadMemory->trigger();
    if (c.says.empty()) {
        EXPECT_THAT(messages->shown, IsEmpty());
        ASSERT_EQ(chart->memories.size(), 1u);
        EXPECT_EQ(chart->memories[0].name, "ant" + c.path.substr(c.path.rfind('.')));
        EXPECT_THAT(timerWhileShown, ElementsAre(false));
        menu().memories->trigger();
        for (QPushButton* button : window->memoriesPart().dialog()->findChildren<QPushButton*>()) {
            if (button->text() == "Save…") {
                button->click();
            }
        }
        ASSERT_EQ(sweepFileDialog->requests.size(), 2u);
        EXPECT_EQ(sweepFileDialog->requests[1].suggestedName, "ant.csv");
    } else {
        EXPECT_THAT(chart->memories, IsEmpty());
        EXPECT_THAT(messages->shown, ElementsAre(HasSubstr(c.path + ": " + c.says)));
        EXPECT_THAT(timerWhileShown, ElementsAre(false, false));
    }
    EXPECT_TRUE(window->timer1Enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadTable,
    ::testing::Values(
        LoadCase{"CsvOfThisProgram", "/data/ant.csv",
                 "frequency_hz,power,z_ohm,phase_deg,swr\n14000000,100,50,0,1\n", ""},
        LoadCase{"AnalysersTouchstone", "/data/ant.S1P", "# MHz S RI R 50\n14 0.2 0.4\n", ""},
        LoadCase{"BadLineIsNamed", "/data/bad.csv",
                 "frequency_hz,power,z_ohm,phase_deg,swr\n14000000,100,50,0,1\n14050000,x,50,0,1\n",
                 "line 3: power \"x\" is not a number"},
        LoadCase{"FileWithoutReadings", "/data/empty.s1p", "! nothing measured\n",
                 "the file holds no frequency points"},
        LoadCase{"MissingFile", "/data/gone.csv", "", "there is no such file"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm::test
