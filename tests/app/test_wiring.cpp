// SPDX-License-Identifier: GPL-3.0-or-later
// Each control, menu entry and the poll timer reach their handler through their real
// signals: mouse clicks, keys, triggered menu entries and the timer's own ticks. The other
// window tests call the handlers directly and would pass with any of them unwired.

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <functional>

#include "app/version.h"
#include "tests/support/process_events_until.h"
#include "tests/support/recording_transceiver.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

using namespace std::chrono_literals;
using ::testing::Contains;
using ::testing::Not;

constexpr const char* kGood = ";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50";

// Pauses and chart hand-overs are logged with the state of Timer1 at that moment, so that a
// row can tell whether polling was suspended while its handler worked: "Pause, Timer1 off".
struct TimerNote {
    CallLog& log;
    std::function<bool()> timerOn;
    void operator()(const char* what) const {
        log.push_back(std::string(what) + ", Timer1 " + (timerOn() ? "on" : "off"));
    }
};

class TimerNotingSleeper : public Sleeper {
public:
    explicit TimerNotingSleeper(TimerNote note) : m_note(std::move(note)) {}
    void sleep(std::chrono::milliseconds) override {
        onTestThread([this] { m_note("Pause"); });
    }

private:
    TimerNote m_note;
};

class TimerNotingChart : public RecordingChart {
public:
    explicit TimerNotingChart(TimerNote note) : m_note(std::move(note)) {}
    void setChartData(const PlotGrid& grid) override {
        m_note("Chart");
        RecordingChart::setChartData(grid);
    }

private:
    TimerNote m_note;
};

// What a row acts on and looks at.
struct Station {
    frmMain& window;
    const FormControls& form;
    FakeSerialComm& comm;
    RecordingChart& chart;
    RecordingMessageBoxes& messages;
    ScriptedFileDialog& fileDialog;
    RecordingPrinter& printer;
    RecordingRigServerFactory& rig;
    ScriptedStationDialogs& stationDialogs;
    CallLog& log;
};

bool logged(const Station& s, const std::string& entry) {
    return std::find(s.log.begin(), s.log.end(), entry) != s.log.end();
}

struct WiringRow {
    const char* name;
    std::function<void(Station&)> act;
    std::function<void(Station&)> check;
};

void PrintTo(const WiringRow& row, std::ostream* out) {
    *out << row.name;
}

void key(QWidget* widget, Qt::Key key) {
    QTest::keyClick(widget, key);
}
void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
}
// Gives a widget the keyboard focus in the active window, as a click or Tab would.
void focusIn(frmMain& window, QWidget* widget) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    widget->setFocus();
}
// One notch of the wheel, towards the user, over the middle of the widget.
void wheelDown(QWidget* widget) {
    const QPointF middle = QRectF(widget->rect()).center();
    QWheelEvent wheel(middle, widget->mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}
// Arrow-down through the list to its last entry, each entry chosen on the way.
void chooseLast(QComboBox* list) {
    for (int i = list->currentIndex(); i < list->count() - 1; ++i) {
        key(list, Qt::Key_Down);
    }
}

const WiringRow kRows[] = {
    {"TimerTicksEvery200msAndPollsWithItselfOff",
     [](Station& s) { ASSERT_TRUE(processEventsUntil([&] { return logged(s, "Output ;P?"); })); },
     [](Station& s) {
         EXPECT_EQ(s.window.readout().pollInterval(), 200ms);
         // The answer is taken 0.2 s after the query, in the event loop, with Timer1 off.
         EXPECT_FALSE(s.window.timer1Enabled());
         EXPECT_TRUE(processEventsUntil([&] { return s.window.timer1Enabled(); }));
         EXPECT_EQ(s.window.readout().lastResponse(), kGood);
     }},
    {"RunSweepsWithTheTimerOffToTheEnd",
     [](Station& s) {
         key(s.form.Combo2, Qt::Key_Down);  // "R+jX": Run plots only in a plot mode
         s.log.clear();
         click(s.form.cmdRun);
     },
     [](Station& s) {
         EXPECT_EQ(s.rig.frequenciesMHz().size(), 8u);
         EXPECT_THAT(s.log, Contains("Pause, Timer1 off"));
         EXPECT_THAT(s.log, Not(Contains("Pause, Timer1 on")));
         EXPECT_TRUE(s.window.timer1Enabled());
     }},
    {"StepListReplansAndLeavesTheTimerAlone", [](Station& s) { chooseLast(s.form.Combo1); },
     [](Station& s) {
         EXPECT_EQ(s.window.sweepModel().plan().StepFreq, 0.025);
         EXPECT_THAT(s.log, Contains("Chart, Timer1 on"));
         EXPECT_THAT(s.log, Not(Contains("Chart, Timer1 off")));
     }},
    {"TypedStepTakesEffectOnEnter",
     [](Station& s) {
         focusIn(s.window, s.form.Combo1);  // inline completion works on the focused field only
         s.form.Combo1->lineEdit()->clear();
         QTest::keyClicks(s.form.Combo1->lineEdit(), "2");  // not "200 kHz" completed
         key(s.form.Combo1->lineEdit(), Qt::Key_Return);
     },
     [](Station& s) {
         EXPECT_EQ(s.window.sweepModel().plan().StepFreq, 0.002);
         EXPECT_EQ(s.form.Combo1->currentText(), "2 kHz");
     }},
    {"TypedStepTakesEffectWhenTheFieldLosesFocus",
     [](Station& s) {
         focusIn(s.window, s.form.Combo1);
         s.form.Combo1->lineEdit()->clear();
         QTest::keyClicks(s.form.Combo1->lineEdit(), "3");
         s.form.Text2->setFocus();
     },
     [](Station& s) {
         EXPECT_EQ(s.window.sweepModel().plan().StepFreq, 0.003);
         EXPECT_EQ(s.form.Combo1->currentText(), "3 kHz");
     }},
    {"WheelPassingOverTheStepListChangesNothing",
     [](Station& s) {
         focusIn(s.window, s.form.Text2);
         s.form.Combo1->setCurrentIndex(0);  // "50 kHz": a wheel would go on to "100 kHz"
         wheelDown(s.form.Combo1);
     },
     [](Station& s) {
         EXPECT_EQ(s.form.Combo1->currentText(), "50 kHz");
         EXPECT_EQ(s.window.sweepModel().plan().StepFreq, 0.05);
         EXPECT_TRUE(s.form.Text2->hasFocus());
     }},
    {"WheelChangesTheFocusedStepList",
     [](Station& s) {
         focusIn(s.window, s.form.Combo1);
         s.form.Combo1->setCurrentIndex(0);
         wheelDown(s.form.Combo1);
     },
     [](Station& s) { EXPECT_EQ(s.window.sweepModel().plan().StepFreq, 0.1); }},
    {"CarrierListSetsTheModeAndLeavesTheTimerAlone", [](Station& s) { chooseLast(s.form.Combo4); },
     [](Station& s) { EXPECT_EQ(s.window.sweepModel().plan().CarrierMode, 9); }},
    {"StartBoxReplansWithTheTimerOff", [](Station& s) { QTest::keyClicks(s.form.Text2, "5"); },
     [](Station& s) {
         EXPECT_EQ(s.window.sweepModel().plan().StartFreq, 14.05);
         EXPECT_THAT(s.log, Contains("Chart, Timer1 off"));
         EXPECT_THAT(s.log, Not(Contains("Chart, Timer1 on")));
     }},
    {"StopBoxReplansWithTheTimerOff", [](Station& s) { key(s.form.Text3, Qt::Key_Backspace); },
     [](Station& s) {
         EXPECT_EQ(s.window.sweepModel().plan().StopFreq, 14.3);
         EXPECT_THAT(s.log, Contains("Chart, Timer1 off"));
         EXPECT_THAT(s.log, Not(Contains("Chart, Timer1 on")));
     }},
    {"PlotModeListSetsUpTheChart", [](Station& s) { chooseLast(s.form.Combo2); },
     [](Station& s) { EXPECT_THAT(s.chart.plotCalls, Contains("Y title RHO")); }},
    {"PortListOpensTheChosenPort", [](Station& s) { key(s.form.Combo3, Qt::Key_Down); },
     [](Station& s) {
         EXPECT_EQ(s.comm.port, 2);
         EXPECT_THAT(s.log, Contains("Open 2"));
     }},
    {"PortListRenamesDevicesAsTheUserMovesThroughIt",
     [](Station& s) {
         s.comm.linked = true;  // a link made in ports/ while the program runs
         s.form.Combo3->showPopup();
         key(s.form.Combo3->view(), Qt::Key_Down);
         s.form.Combo3->hidePopup();
     },
     [](Station& s) {
         EXPECT_EQ(s.form.Combo3->itemData(0, Qt::ToolTipRole).toString(),
                   "Com01: /dev/ttyUSB0 (link ports/com1)");
     }},
    {"ClearBlanksThePlotAndLeavesTheTimerAlone", [](Station& s) { click(s.form.cmdClear); },
     [](Station& s) { EXPECT_THAT(s.log, ::testing::ElementsAre("Chart, Timer1 on")); }},
    {"OpenShowsTheDialogWithItsFileTypes", [](Station& s) { s.form.mnuOpen->trigger(); },
     [](Station& s) {
         EXPECT_EQ(s.fileDialog.shows, 1);
         EXPECT_EQ(s.fileDialog.Filter, fileFilter(FileMenuEntry::Open));
     }},
    {"SaveAsShowsTheDialogWithItsFileTypes", [](Station& s) { s.form.MnuSaveAs->trigger(); },
     [](Station& s) {
         EXPECT_EQ(s.fileDialog.shows, 1);
         EXPECT_EQ(s.fileDialog.Filter, fileFilter(FileMenuEntry::SaveAs));
     }},
    {"PrintPrintsTheWindow", [](Station& s) { s.form.mnuPrint->trigger(); },
     [](Station& s) { EXPECT_EQ(s.printer.prints, 1); }},
    {"NormalSetsItsHeight", [](Station& s) { s.form.mnuNormal->trigger(); },
     [](Station& s) {
         EXPECT_EQ(s.window.windowZoom().heightTwips(), WindowZoom::kNormalHeightTwips);
         EXPECT_TRUE(s.form.mnuNormal->isChecked());
     }},
    {"DiagSetsItsHeight", [](Station& s) { s.form.mnuDiag->trigger(); },
     [](Station& s) {
         EXPECT_EQ(s.window.windowZoom().heightTwips(), WindowZoom::kDiagHeightTwips);
         EXPECT_TRUE(s.form.mnuDiag->isChecked());
     }},
    {"AboutShowsTheAboutBox", [](Station& s) { s.form.mnuAbout->trigger(); },
     [](Station& s) {
         ASSERT_EQ(s.messages.shown.size(), 1u);
         EXPECT_NE(s.messages.shown[0].find("ZM-480 Plot"), std::string::npos);
         EXPECT_NE(s.messages.shown[0].find("Version " + std::string(kVersion)), std::string::npos);
     }},
    {"IndexDoesNothing", [](Station& s) { s.form.mnuIndex->trigger(); },
     [](Station& s) {
         EXPECT_TRUE(s.messages.shown.empty());
         EXPECT_EQ(s.fileDialog.shows + s.printer.prints, 0);
         EXPECT_TRUE(s.window.isVisible());
     }},
    {"StationKeepsTheChosenRadio",
     [](Station& s) {
         RigSettings rig;
         rig.port = 4600;  // a rigctld that the user starts there
         s.stationDialogs.choice = StationChoice{"", rig};
         s.form.mnuStation->trigger();
     },
     [](Station& s) {
         ASSERT_EQ(s.stationDialogs.shown.size(), 1u);
         EXPECT_EQ(s.stationDialogs.shown[0].meterPortName, "Com01");
         EXPECT_EQ(s.window.station().rig.port, 4600);
         EXPECT_TRUE(s.messages.shown.empty());
     }},
    {"ExitClosesTheWindow", [](Station& s) { s.form.mnuExit->trigger(); },
     [](Station& s) { EXPECT_FALSE(s.window.isVisible()); }},
};

class Wiring : public WindowTest, public ::testing::WithParamInterface<WiringRow> {
protected:
    RecordingRigServerFactory* rig = nullptr;

    void SetUp() override {
        Devices devices = fakeDevices();
        const TimerNote note{log, [this] { return window && window->timer1Enabled(); }};
        devices.sleeper = std::make_unique<TimerNotingSleeper>(note);
        devices.sweepSleeper = std::make_unique<TimerNotingSleeper>(note);
        auto notingChart = std::make_unique<TimerNotingChart>(note);
        chart = notingChart.get();
        devices.chart = std::move(notingChart);
        auto factory = std::make_unique<RecordingRigServerFactory>(log);
        rig = factory.get();
        devices.rigServers = std::move(factory);
        createWindow(std::move(devices));
        start();
        comm->answers = {kGood};
        log.clear();
    }
};

TEST_P(Wiring, ReachesItsHandler) {
    Station station{*window,     window->controls(), *comm, *chart,          *messages,
                    *fileDialog, *printer,           *rig,  *stationDialogs, log};
    GetParam().act(station);
    GetParam().check(station);
    if (window->isVisible()) {
        EXPECT_TRUE(window->timer1Enabled());  // every path ends with polling on
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, Wiring, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm::test
