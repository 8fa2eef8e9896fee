// SPDX-License-Identifier: GPL-3.0-or-later
// What the chart shows of a sweep's results: markers for each mode, the memories, the
// values on hover, and its menu from the keyboard.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLineSeries>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "chart/memory_colours.h"
#include "chart/plot_mode.h"
#include "chart/trace_points.h"
#include "tests/chart/qt_chart_fixture.h"

namespace zm {
namespace {

using test::dipoleSweep;
using test::gridOf;
using test::QtChartControlTest;

class ChartResultsTest : public QtChartControlTest {
protected:
    ChartResultsTest() {
        chart.setChartData(gridOf(sweep));
        chart.setSweepRecord(sweep);
    }
    SweepRecord sweep = dipoleSweep();
};

struct MarkerCase {
    const char* name;
    int plotMode;
    qsizetype markers;
    QString label;
    friend void PrintTo(const MarkerCase& c, std::ostream* os) { *os << c.name; }
};

class MarkerTable : public ChartResultsTest, public ::testing::WithParamInterface<MarkerCase> {};

TEST_P(MarkerTable, MarksWhatTheModeShows) {
    const MarkerCase& c = GetParam();
    applyPlotMode(chart, c.plotMode);
    chart.repaintNow();
    EXPECT_EQ(chart.markerPoints(0).size(), c.markers);
    EXPECT_EQ(chart.markerLabels(), c.label);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, MarkerTable,
    ::testing::Values(MarkerCase{"RjXResonance", 0, 1, "Resonance 14.167 MHz, R 49.6 Ω"},
                      MarkerCase{"ZAndPhaseResonance", 1, 1, "Resonance 14.167 MHz, R 49.6 Ω"},
                      MarkerCase{"SwrMinimumAndBand", 2, 3,
                                 "SWR 1.20 at 14.150 MHz\n2:1 14.083 – 14.236 MHz, 152 kHz, Q 66"},
                      MarkerCase{"SwrTenToOneTheSame", 3, 3,
                                 "SWR 1.20 at 14.150 MHz\n2:1 14.083 – 14.236 MHz, 152 kHz, Q 66"},
                      MarkerCase{"RhoNone", 4, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Written to the build directory to be looked at: chart-memories.png.
TEST_F(ChartResultsTest, ShownMemoriesAreDrawnAtTheirOwnFrequenciesWithTheirMarkers) {
    // Half a step higher: between the grid's points, the last one past the end.
    chart.setMemories({{"ant.s1p", true, 0, dipoleSweep(25000, 60.0)},
                       {"hidden", false, 1, dipoleSweep(0, 80.0)}});
    applyPlotMode(chart, 2);
    const QImage image = grab("chart-memories.png");
    const QList<QPointF> drawn = chart.drawnMemoryPoints(0, 4);
    ASSERT_EQ(drawn.size(), 8);
    EXPECT_EQ(drawn.front(), QPointF(0.5, 3.0));
    EXPECT_EQ(drawn.back(), QPointF(7.5, 3.4));  // runs on to the frame
    EXPECT_TRUE(chart.series(4)->isVisible());
    EXPECT_EQ(chart.markerPoints(1).size(), 3);
    EXPECT_TRUE(chart.markerLabels().endsWith("\n– – ant.s1p · SWR 1.20 at 14.175 MHz"));
    EXPECT_GT(pixelsOf(image, memoryColour(0)), 50);                 // its dashed SWR line
    EXPECT_THROW(chart.drawnMemoryPoints(1, 4), std::out_of_range);  // the hidden one

    applyPlotMode(chart, 1);  // Z scales to take in the memory's 60 ohm too
    EXPECT_GE(chart.axisMaximum(AxisId::Y), 60.0);
    chart.repaintNow();
    EXPECT_EQ(chart.drawnMemoryPoints(0, 3).size(), 8);

    chart.setMemories({});
    chart.repaintNow();
    EXPECT_FALSE(chart.markerLabels().contains("ant.s1p"));
}

// Written to the build directory to be looked at: chart-hover.png.
TEST_F(ChartResultsTest, HoverShowsTheNearestPointOfEitherTrace) {
    sweep.points[5].reading.reset();  // its poll was rejected
    chart.setSweepRecord(sweep);
    chart.setMemories({{"ant.s1p", true, 0, dipoleSweep(25000, 60.0)}});
    applyPlotMode(chart, 2);
    grab("chart-hover.png");
    chart.hoverAt(chart.viewPositionOf(4, QPointF(3, 1.2)) + QPointF(2, 2));
    EXPECT_TRUE(chart.shownValues().startsWith("Sweep\n14.150 MHz\nSWR 1.20\n"))
        << chart.shownValues().toStdString();
    grab("chart-hover.png");
    chart.hoverAt(chart.viewPositionOf(4, QPointF(3.5, 1.2)));
    EXPECT_TRUE(chart.shownValues().startsWith("ant.s1p\n14.175 MHz\n"));
    chart.hoverAt(chart.viewPositionOf(4, QPointF(5, 2.2)));
    EXPECT_EQ(chart.shownValues(), "Sweep\n14.250 MHz\nno reading");
    chart.hoverAt(QPointF(1, 1));  // beside the plot area
    EXPECT_TRUE(chart.shownValues().isEmpty());
}

// The keyboard way in: Ctrl+C copies and the Menu key opens the menu on the focused chart,
// in the same order every time, with the point hovered for "Match this point".
TEST_F(ChartResultsTest, FocusedChartCopiesOnCtrlCAndOpensItsMenuOnTheMenuKey) {
    QWidget* view = chart.widget();
    view->show();
    QApplication::setActiveWindow(view);
    view->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    int copies = 0;
    QObject::connect(chart.menuActions().copySweep, &QAction::triggered, [&] { ++copies; });
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copies, 1);

    QStringList entries;
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (const QAction* action : menu->actions()) {
                entries << action->text() + (action->isEnabled() ? "" : " (greyed)");
            }
            menu->close();
        }
    });
    chart.hoverAt(chart.viewPositionOf(4, QPointF(3, 1.2)));
    // The desktop turns the Menu key into this event (xcb does), as a right click too.
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5),
                              view->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(view, &menuKey);
    EXPECT_EQ(entries,
              QStringList({"Copy sweep", "Save sweep as CSV…", "Save sweep as Touchstone (.s1p)…",
                           "", "Keep as memory", "Load memory…", "Memories…", "", "Smith chart",
                           "Match this point", "", "Copy image", "Save image...",
                           "Save report as PDF..."}));
    ASSERT_TRUE(chart.menuPoint().has_value());
    EXPECT_EQ(chart.menuPoint()->point.frequencyHz, 14150000);
}

}  // namespace
}  // namespace zm
