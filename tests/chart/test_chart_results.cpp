// SPDX-License-Identifier: GPL-3.0-or-later
// What the chart shows of a sweep's results: markers for each mode, the memories, the
// values on hover, and its menu from the keyboard.

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLineSeries>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

#include "chart/chart_text_box.h"
#include "chart/label_placement.h"
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
    EXPECT_EQ(chart.markers().points(0).size(), c.markers);
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
    const QList<QPointF> drawn = chart.memories().points(0, 4);
    ASSERT_EQ(drawn.size(), 8);
    EXPECT_EQ(drawn.front(), QPointF(0.5, 3.0));
    EXPECT_EQ(drawn.back(), QPointF(7.5, 3.4));  // runs on to the frame
    EXPECT_TRUE(chart.sweep().line(4)->isVisible());
    EXPECT_EQ(chart.markers().points(1).size(), 3);
    EXPECT_TRUE(chart.markerLabels().endsWith("\n– – ant.s1p · SWR 1.20 at 14.175 MHz"));
    EXPECT_GT(pixelsOf(image, memoryColour(0)), 50);                 // its dashed SWR line
    EXPECT_THROW(chart.memories().points(1, 4), std::out_of_range);  // the hidden one

    applyPlotMode(chart, 1);  // Z scales to take in the memory's 60 ohm too
    EXPECT_GE(chart.axes().maximum(AxisId::Y), 60.0);
    chart.repaintNow();
    EXPECT_EQ(chart.memories().points(0, 3).size(), 8);

    chart.setMemories({});
    chart.repaintNow();
    EXPECT_FALSE(chart.markerLabels().contains("ant.s1p"));
}

// Two dips, at 14.08 and 14.26 MHz, from SWR 3.8 at the ends and between them, at 10 kHz.
SweepRecord twoDips(std::int64_t offsetHz = 0, double zOhms = 50.0) {
    SweepRecord record;
    for (int i = 0; i < 36; ++i) {
        const double f = i / 35.0;
        const double swr =
            std::min(3.8, 1.2 + 11.0 * std::min(std::abs(f - 0.23), std::abs(f - 0.74)));
        record.points.push_back(
            {14000000 + i * 10000 + offsetHz, PointReading{100.0, zOhms, (f - 0.5) * 60, swr}});
    }
    return record;
}

PlotGrid gridAt10kHz(const SweepRecord& record) {
    PlotGrid grid;
    grid.reallocate(static_cast<int>(record.points.size()));
    for (int row = 1; row <= grid.rows(); ++row) {
        grid.at(row, 1) = frequencyLabel(row, 14.0, 0.01);
        const PointReading& reading = *record.points[static_cast<std::size_t>(row - 1)].reading;
        for (int series = 1; series <= QtChartControl::kSeriesCount; ++series) {
            grid.at(row, series + 1) = seriesValue(reading, series);
        }
    }
    return grid;
}

// Copies of the sweep a few kHz apart, as trimming leaves them, or each on a band of its
// own, as Sweep my bands leaves them.
enum class Kept { NearBy, OtherBands };

struct MarkerBoxCase {
    const char* name;
    SweepRecord (*sweep)(std::int64_t, double);
    PlotGrid (*grid)(const SweepRecord&);
    int memories;
    Kept kept;
    int plotMode;
    int zoomPercent;
    const char* viewFamily;  // the window's font, which the box's own does not follow
    const char* foldLine;    // the last line, or none
    friend void PrintTo(const MarkerBoxCase& c, std::ostream* os) { *os << c.name; }
};

class MarkerBoxTable : public QtChartControlTest,
                       public ::testing::WithParamInterface<MarkerBoxCase> {};

// The box stands whole on the chart, clear of every curve and marker, its lines inside its
// frame, and leaves the value labels room. Written to the build directory to be looked at:
// marker-box-<case>.png.
TEST_P(MarkerBoxTable, HidesNoTraceAndHoldsItsLines) {
    const MarkerBoxCase& c = GetParam();
    const std::int64_t bandStartsHz[] = {1810000,  3500000,  7000000, 10100000,
                                         18068000, 21000000, 24890000};
    const SweepRecord sweep = c.sweep(0, 50.0);
    std::vector<Memory> memories;
    for (int i = 0; i < c.memories; ++i) {
        const std::int64_t offsetHz =
            c.kept == Kept::NearBy ? (i - 2) * 7000 : bandStartsHz[i] - 14000000;
        memories.push_back(
            {"memory " + std::to_string(i + 1), true, i, c.sweep(offsetHz, 55.0 + i)});
    }
    chart.widget()->setFont(QFont(QString::fromLatin1(c.viewFamily), 10));
    chart.setZoom(*Zoom::ofPercent(c.zoomPercent));
    chart.setChartData(c.grid(sweep));
    chart.setSweepRecord(sweep);
    chart.setMemories(memories);
    applyPlotMode(chart, c.plotMode);
    grab((std::string("marker-box-") + c.name + ".png").c_str());

    const QRectF box = chart.markerBoxArea();
    ASSERT_FALSE(box.isEmpty());
    EXPECT_TRUE(QRectF(chart.widget()->rect()).contains(box));
    std::vector<Polyline> curves;
    const auto add = [&](int series, const QList<QPointF>& values) {
        Polyline curve;
        for (const QPointF& value : values) {
            const QPointF at = chart.viewPositionOf(series, value);
            curve.push_back({at.x(), at.y()});
        }
        curves.push_back(curve);
    };
    for (int series = 1; series <= QtChartControl::kSeriesCount; ++series) {
        if (chart.sweep().isShown(series)) {
            add(series, chart.sweep().points(series));
            for (std::size_t memory = 0; memory < memories.size(); ++memory) {
                add(series, chart.memories().points(memory, series));
            }
        }
    }
    const int markerSeries = c.plotMode == 0 ? 2 : 4;
    for (std::size_t trace = 0; trace <= memories.size(); ++trace) {
        for (const QPointF& marker : chart.markers().points(trace)) {
            add(markerSeries, {marker});
        }
    }
    EXPECT_EQ(coveredLength({box.left(), box.top(), box.width(), box.height()}, curves), 0.0);

    const QStringList lines = chart.markerLabels().split('\n');
    EXPECT_EQ(lines.back().startsWith('+') ? lines.back().toStdString() : "",
              c.foldLine ? c.foldLine : "");
    EXPECT_FALSE(chart.axes().valueAxis(AxisId::Y)->labelsTruncated());  // no "…" up the axis
    EXPECT_FALSE(chart.axes().valueAxis(AxisId::Y2)->labelsTruncated());

    // The same lines in a box of their own, drawn at the zoom on a view of the window's font.
    QGraphicsScene scene;
    auto* alone = new ChartTextBox;
    QList<ChartTextBox::Line> ink;
    for (const QString& line : lines) {
        ink.append({line, Qt::black});
    }
    alone->setLines(ink);
    scene.addItem(alone);
    scene.setSceneRect(-20, -20, alone->size().width() + 40, alone->size().height() + 40);
    QGraphicsView view(&scene);
    view.setFont(chart.widget()->font());
    view.setFrameShape(QFrame::NoFrame);
    view.setTransform(QTransform::fromScale(c.zoomPercent / 100.0, c.zoomPercent / 100.0));
    view.resize((scene.sceneRect().size() * c.zoomPercent / 100.0).toSize() + QSize(2, 2));
    const QImage image = view.grab().toImage();
    const QRect frame = view.mapFromScene(alone->boundingRect()).boundingRect();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!frame.adjusted(-1, -1, 1, 1).contains(x, y)) {
                ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    SweepsAndMemories, MarkerBoxTable,
    ::testing::Values(MarkerBoxCase{"DipAloneInAFreeCorner", &dipoleSweep, &gridOf, 0, Kept::NearBy,
                                    2, 100, "DejaVu Sans", nullptr},
                      MarkerBoxCase{"TwoDipsFiveMemories", &twoDips, &gridAt10kHz, 5, Kept::NearBy,
                                    2, 100, "DejaVu Sans", "+1 memory"},
                      MarkerBoxCase{"MyBandsSevenMemories", &dipoleSweep, &gridOf, 7,
                                    Kept::OtherBands, 2, 100, "Liberation Sans", "+3 memories"},
                      MarkerBoxCase{"ResonancesSevenMemories", &twoDips, &gridAt10kHz, 7,
                                    Kept::NearBy, 0, 100, "DejaVu Sans Mono", "+3 memories"},
                      MarkerBoxCase{"SmallChartFoldsToItsRoom", &twoDips, &gridAt10kHz, 5,
                                    Kept::NearBy, 2, 150, "URW Bookman", "+5 memories"}),
    [](const auto& info) { return std::string(info.param.name); });

// Written to the build directory to be looked at: chart-hover.png.
TEST_F(ChartResultsTest, HoverShowsTheNearestPointOfEitherTrace) {
    sweep.points[5].reading.reset();  // its poll was rejected
    chart.setSweepRecord(sweep);
    chart.setMemories({{"ant.s1p", true, 0, dipoleSweep(25000, 60.0)}});
    applyPlotMode(chart, 2);
    grab("chart-hover.png");
    chart.hoverAt(chart.viewPositionOf(4, QPointF(3, 1.2)) + QPointF(2, 2));
    EXPECT_TRUE(chart.hover().shownValues().startsWith("Sweep\n14.150 MHz\nSWR 1.20\n"))
        << chart.hover().shownValues().toStdString();
    grab("chart-hover.png");
    chart.hoverAt(chart.viewPositionOf(4, QPointF(3.5, 1.2)));
    EXPECT_TRUE(chart.hover().shownValues().startsWith("ant.s1p\n14.175 MHz\n"));
    chart.hoverAt(chart.viewPositionOf(4, QPointF(5, 2.2)));
    EXPECT_EQ(chart.hover().shownValues(), "Sweep\n14.250 MHz\nno reading");
    chart.hoverAt(QPointF(1, 1));  // beside the plot area
    EXPECT_TRUE(chart.hover().shownValues().isEmpty());
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
