// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/qt_chart_control.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCategoryAxis>
#include <QChartView>
#include <QFontMetricsF>
#include <QLineSeries>
#include <QTest>
#include <QTextDocumentFragment>
#include <QValueAxis>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/plot_mode.h"
#include "sweep/plot_grid.h"
#include "sweep/sweep_plan.h"
#include "tests/chart/qt_chart_fixture.h"
#include "tests/support/process_events_until.h"

namespace zm {
namespace {

using test::distinct;

// The SWR curve's lines of two points or more, and its dots.
std::pair<int, int> swrLinesAndDots(QtChartControl& chart) {
    std::pair<int, int> drawn{0, 0};
    for (const QAbstractSeries* series :
         static_cast<QChartView*>(chart.widget())->chart()->series()) {
        const auto* line = qobject_cast<const QLineSeries*>(series);
        if (line && line->pen().color() == Qt::black && line->count() > 0) {
            ++(line->count() == 1 && line->pointsVisible() ? drawn.second : drawn.first);
        }
    }
    return drawn;
}
using test::QtChartControlTest;
using test::sweptGrid;

TEST_F(QtChartControlTest, DesignTimeChartTakesEveryPlotMode) {
    EXPECT_EQ(chart.axes().frequencyTitle(), "Frequency - MHz");
    for (int mode = -1; mode <= kPlotModeCount; ++mode) {
        EXPECT_NO_THROW(applyPlotMode(chart, mode)) << "mode " << mode;
    }
}

TEST_F(QtChartControlTest, SeriesKeepTheLegendColoursAndTheirAxes) {
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::black, Qt::magenta, Qt::cyan};
    for (int series = 1; series <= QtChartControl::kSeriesCount; ++series) {
        QLineSeries* line = chart.sweep().line(series);
        EXPECT_EQ(line->pen().color(), colours[series - 1]) << "series " << series;
        const AxisId axis = (series == 2 || series == 5) ? AxisId::Y2 : AxisId::Y;
        EXPECT_TRUE(line->attachedAxes().contains(chart.axes().valueAxis(axis)))
            << "series " << series;
    }
    EXPECT_EQ(chart.axes().valueAxis(AxisId::Y)->alignment(), Qt::AlignLeft);
    EXPECT_EQ(chart.axes().valueAxis(AxisId::Y2)->alignment(), Qt::AlignRight);
}

TEST_F(QtChartControlTest, HandedOverGridIsDrawnPointByPoint) {
    chart.setChartData(sweptGrid(8, 14.0, distinct));
    chart.repaintNow();
    for (int series = 1; series <= QtChartControl::kSeriesCount; ++series) {
        const QList<QPointF> points = chart.sweep().points(series);
        ASSERT_EQ(points.size(), 8) << "series " << series;
        for (int row = 1; row <= 8; ++row) {
            EXPECT_EQ(points[row - 1], QPointF(row - 1, distinct(row, series + 1)));
        }
    }
    EXPECT_EQ(chart.axes().frequencyLabels(),
              QStringList({"14", "14.05", "14.1", "14.15", "14.2", "14.25", "14.3", "14.35"}));
}

// The US General class's 20 m on 14.0 to 14.35 MHz: 14.0 and 14.2 are outside the plan and
// were skipped, the sweep stopped after 14.25. No line runs to 0 or across a gap; 14.25,
// alone, is a dot; what lies outside the plan is shaded. Written to the build directory to
// be looked at: chart-band-plan.png.
TEST_F(QtChartControlTest, GapsBreakTheLinesALonePointIsADotAndOutsideIsShaded) {
    PlotGrid grid = sweptGrid(8, 14.0, [](int, int) { return 1.5; });
    SweepRecord record;
    for (int row = 1; row <= 8; ++row) {
        const bool skipped = row == 1 || row == 5;
        if (skipped || row > 6) {
            for (int column = 2; column <= PlotGrid::kColumns; ++column) {
                grid.at(row, column) = Cell();
            }
        }
        if (row <= 6) {
            record.points.push_back(
                {.frequencyHz = 14'000'000 + (row - 1) * 50'000,
                 .reading = std::nullopt,
                 .skipped = skipped ? std::optional(SkipReason::OutsideBandPlan) : std::nullopt});
        }
    }
    chart.setInsideStretches({{14'025'000, 14'150'000}, {14'225'000, 14'350'000}});
    chart.setSweepRecord(record);
    chart.setChartData(grid);
    applyPlotMode(chart, 2);
    chart.setNotice(
        "2 of 8 points lie outside the bands of US General class (shaded): they are "
        "not keyed.");
    grab("chart-band-plan.png");
    EXPECT_EQ(chart.sweep().points(4), QList<QPointF>({{1, 1.5}, {2, 1.5}, {3, 1.5}, {5, 1.5}}));
    EXPECT_EQ(swrLinesAndDots(chart), (std::pair{1, 1}));
    EXPECT_EQ(chart.shading().stretches(), (std::vector<AxisStretch>{{0.0, 0.5}, {3.0, 4.5}}));

    // A point the antenna has no value for: the record's own notice follows the window's.
    record.feedline = "20 m of RG-58";
    record.points[1] = {.frequencyHz = 14'050'000,
                        .reading = std::nullopt,
                        .skipped = SkipReason::BeyondFeedlineLoss};
    chart.setSweepRecord(record);
    EXPECT_EQ(chart.notice().text().toStdString(),
              "2 of 8 points lie outside the bands of US General class (shaded): they are not "
              "keyed. 1 point reads more reflection than 20 m of RG-58 can return: check the "
              "cable and length in Setup, Feedline");
}

// A notice wider than the chart is wrapped at its words rather than cut, each line on its own,
// and what looks like markup is shown as it is.
TEST_F(QtChartControlTest, ALongNoticeIsWrappedWholeAndShownAsText) {
    const QString notice =
        "31 of 101 points lie outside the bands of <b>my licence</b> & the national 4 m band "
        "of my country (shaded): they are not keyed.\nKeyed 14 of 101 points";
    chart.setNotice(notice.toStdString());
    grab("chart-notice.png");
    const QFontMetricsF metrics(static_cast<QChartView*>(chart.widget())->chart()->titleFont());
    QStringList shown;
    for (const QString& line : chart.notice().asDrawn().split("<br>")) {
        shown << QTextDocumentFragment::fromHtml(line).toPlainText();
        EXPECT_LT(metrics.horizontalAdvance(shown.back()), test::kChartWidthPx - 20)
            << shown.back().toStdString();
    }
    EXPECT_GT(shown.size(), 2);
    EXPECT_EQ(shown.back().toStdString(), "Keyed 14 of 101 points");
    EXPECT_EQ(shown.join(' ').toStdString(), QString(notice).replace('\n', ' ').toStdString());
    EXPECT_EQ(chart.shownNotice(), notice.toStdString());
}

// A refined sweep keyed 14.0, 14.15 and 14.25 and stopped before 14.2: its line runs
// across the two rows it did not need, breaks at the row it never reached, and 14.25 is a dot.
TEST_F(QtChartControlTest, RefinedSweepIsJoinedAcrossTheRowsItDidNotNeed) {
    PlotGrid grid = sweptGrid(6, 14.0, [](int row, int) { return double(row); });
    SweepRecord record;
    for (int row = 1; row <= 6; ++row) {
        const bool keyed = row == 1 || row == 4 || row == 6;
        if (!keyed) {
            for (int column = 2; column <= PlotGrid::kColumns; ++column) {
                grid.at(row, column) = Cell();
            }
        }
        record.points.push_back({.frequencyHz = 14'000'000 + (row - 1) * 50'000,
                                 .reading = std::nullopt,
                                 .skipped = row == 2 || row == 3
                                                ? std::optional(SkipReason::NotNeeded)
                                                : std::nullopt});
    }
    chart.setSweepRecord(record);
    chart.setChartData(grid);
    applyPlotMode(chart, 2);
    chart.repaintNow();
    EXPECT_EQ(chart.sweep().points(4), QList<QPointF>({{0, 1}, {3, 4}, {5, 6}}));
    EXPECT_EQ(swrLinesAndDots(chart), (std::pair{1, 1}));
}

TEST_F(QtChartControlTest, ReplanOfTheSameSizeRelabels) {
    chart.setChartData(sweptGrid(8, 14.0, distinct));
    chart.repaintNow();
    chart.setChartData(sweptGrid(8, 7.0, distinct));
    chart.repaintNow();
    ASSERT_FALSE(chart.axes().frequencyLabels().isEmpty());
    EXPECT_EQ(chart.axes().frequencyLabels().front(), "7");
    EXPECT_EQ(chart.axes().frequencyLabels().back(), "7.35");
}

// 14, 14.1, 14.2 ... label every point at 100 kHz, and every other point at 50 kHz.
TEST_F(QtChartControlTest, SameLabelTextsAtOtherPointsMoveThere) {
    PlotGrid coarse;
    coarse.reallocate(8);
    PlotGrid fine;
    fine.reallocate(16);
    for (int row = 1; row <= 16; ++row) {
        fine.at(row, 1) = frequencyLabel(row, 14.0, 0.05);
        if (row <= 8) {
            coarse.at(row, 1) = frequencyLabel(row, 14.0, 0.1);
        }
    }
    chart.setChartData(coarse);
    chart.repaintNow();
    chart.setChartData(fine);
    chart.repaintNow();
    ASSERT_EQ(chart.axes().frequencyLabels().front(), "14");
    ASSERT_EQ(chart.axes().frequencyLabels()[1], "14.1");
    EXPECT_EQ(chart.axes().frequencyAxis()->endValue("14.1"), 2.0);
}

struct ChartModeCase {
    const char* name;
    int plotMode;
    QString leftTitle;
    QString rightTitle;
    std::vector<int> shown;
    std::optional<std::pair<double, double>> fixedRange;
    int tickCount;  // fixed modes only
    friend void PrintTo(const ChartModeCase& c, std::ostream* os) { *os << c.name; }
};

class ChartModeTable : public QtChartControlTest,
                       public ::testing::WithParamInterface<ChartModeCase> {};

// Each mode starts from another, so that nothing is left over from the mode before.
TEST_P(ChartModeTable, SetsTitlesScalesAndLines) {
    const ChartModeCase& c = GetParam();
    chart.setChartData(sweptGrid(8, 14.0, distinct));
    applyPlotMode(chart, (c.plotMode + 2) % kPlotModeCount);
    applyPlotMode(chart, c.plotMode);
    EXPECT_EQ(chart.axes().title(AxisId::Y), c.leftTitle);
    EXPECT_EQ(chart.axes().title(AxisId::Y2), c.rightTitle);
    for (int series = 1; series <= QtChartControl::kSeriesCount; ++series) {
        const bool expected = std::find(c.shown.begin(), c.shown.end(), series) != c.shown.end();
        EXPECT_EQ(chart.sweep().isShown(series), expected) << "series " << series;
    }
    for (const AxisId axis : {AxisId::Y, AxisId::Y2}) {
        if (c.fixedRange) {
            EXPECT_EQ(chart.axes().minimum(axis), c.fixedRange->first);
            EXPECT_EQ(chart.axes().maximum(axis), c.fixedRange->second);
            EXPECT_EQ(chart.axes().tickCount(axis), c.tickCount);
            EXPECT_EQ(chart.axes().minorTickCount(axis), 0);
        }
    }
    if (!c.fixedRange) {
        // Scaled to the shown data: R, Z 21..48 on the left, X, phase 31..68 on the right.
        const double left = c.plotMode == 0 ? 21.0 : 41.0;
        const double right = c.plotMode == 0 ? 31.0 : 61.0;
        EXPECT_LE(chart.axes().minimum(AxisId::Y), left);
        EXPECT_GE(chart.axes().maximum(AxisId::Y), left + 7);
        EXPECT_LT(chart.axes().maximum(AxisId::Y), left + 30);
        EXPECT_LE(chart.axes().minimum(AxisId::Y2), right);
        EXPECT_GE(chart.axes().maximum(AxisId::Y2), right + 7);
        EXPECT_LT(chart.axes().maximum(AxisId::Y2), right + 30);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ChartModeTable,
    ::testing::Values(ChartModeCase{"RjX", 0, "R OHMS", "X OHMS", {1, 2}, std::nullopt, 0},
                      ChartModeCase{"ZAndPhase", 1, "Z OHMS", "Z DEGREES", {3, 5}, std::nullopt, 0},
                      ChartModeCase{"SwrThreeToOne", 2, "SWR", "SWR", {4}, std::pair{1.0, 3.0}, 11},
                      ChartModeCase{"SwrTenToOne", 3, "SWR", "SWR", {4}, std::pair{1.0, 10.0}, 10},
                      ChartModeCase{"Rho", 4, "RHO", "RHO", {6}, std::pair{0.0, 1.0}, 11}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QtChartControlTest, RhoThenSwrShowsOneToThree) {
    applyPlotMode(chart, 4);
    applyPlotMode(chart, 2);
    EXPECT_EQ(chart.axes().minimum(AxisId::Y), 1.0);
    EXPECT_EQ(chart.axes().maximum(AxisId::Y), 3.0);
    EXPECT_EQ(chart.axes().minimum(AxisId::Y2), 1.0);
    EXPECT_EQ(chart.axes().maximum(AxisId::Y2), 3.0);
}

TEST_F(QtChartControlTest, FixedValuesOutsideTheScaleLeaveItAlone) {
    applyPlotMode(chart, 2);
    chart.setChartData(sweptGrid(8, 14.0, [](int, int) { return 25.0; }));
    EXPECT_EQ(chart.axes().minimum(AxisId::Y), 1.0);
    EXPECT_EQ(chart.axes().maximum(AxisId::Y), 3.0);
}

TEST_F(QtChartControlTest, ClearedGridScalesZeroToOneAndBackToAutomatic) {
    applyPlotMode(chart, 4);
    applyPlotMode(chart, 0);
    chart.setChartData(sweptGrid(8, 14.0, [](int, int) { return 0.0; }));
    EXPECT_EQ(chart.axes().minimum(AxisId::Y), 0.0);
    EXPECT_EQ(chart.axes().maximum(AxisId::Y), 1.0);
}

TEST_F(QtChartControlTest, LargestPlanDrawsBoundedPointsWithPeaksAndDips) {
    PlotGrid grid = sweptGrid(kMaxPointCount, 0.0, [](int, int) { return 1.5; });
    grid.at(12345, 5) = Fixed4::fromDouble(9.75);  // SWR peak
    grid.at(30001, 3) = -400.0;                    // X dip
    chart.setShowLine(4, true);
    chart.setChartData(grid);
    chart.repaintNow();
    for (int series = 1; series <= QtChartControl::kSeriesCount; ++series) {
        EXPECT_LE(chart.sweep().points(series).size(), 2 * QtChartControl::kDecimateBuckets);
    }
    EXPECT_TRUE(chart.sweep().points(4).contains(QPointF(12344, 9.75)));
    EXPECT_TRUE(chart.sweep().points(2).contains(QPointF(30000, -400.0)));
    EXPECT_LE(chart.axes().frequencyLabels().size(), QtChartControl::kMostFrequencyLabels);
    EXPECT_EQ(chart.axes().frequencyLabels().front(), "0");
}

TEST_F(QtChartControlTest, PaintDrawsDataHandedOverWithoutRepaintNow) {
    chart.setChartData(sweptGrid(8, 14.0, distinct));
    chart.widget()->grab();
    EXPECT_EQ(chart.sweep().points(6).size(), 8);
    EXPECT_EQ(chart.axes().frequencyLabels().size(), 8);
}

// A sweep hands each point over while the chart is on screen; in the SWR modes the scales
// stay as they are, so nothing but the hand-over itself asks for the paint that draws it.
TEST_F(QtChartControlTest, ShownChartPaintsEachHandOverByItself) {
    applyPlotMode(chart, 2);
    chart.widget()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chart.widget()));
    for (const int rows : {3, 8}) {
        chart.setChartData(sweptGrid(rows, 14.0, [](int, int) { return 1.5; }));
        EXPECT_TRUE(test::processEventsUntil([&] {
            return chart.sweep().points(4).size() == rows;
        })) << rows
            << " points";
    }
}

TEST_F(QtChartControlTest, SeriesHiddenDuringAHandOverIsDrawnWhenShown) {
    applyPlotMode(chart, 0);  // Z hidden
    chart.setChartData(sweptGrid(8, 14.0, distinct));
    chart.repaintNow();
    applyPlotMode(chart, 1);
    chart.repaintNow();
    ASSERT_EQ(chart.sweep().points(3).size(), 8);
    EXPECT_EQ(chart.sweep().points(3)[7], QPointF(7, distinct(8, 4)));
}

// Written to the build directory to be looked at: chart-rho.png, chart-rjx.png.
TEST_F(QtChartControlTest, PaintsOnlyTheShownSeriesInTheirColours) {
    chart.setChartData(sweptGrid(40, 14.0, [](int row, int column) {
        // R rises, X falls, RHO rises from 0.2.
        return column == 2 ? 50.0 + row : column == 3 ? 30.0 - row : 0.2 + row / 80.0;
    }));
    applyPlotMode(chart, 4);
    const QImage rho = grab("chart-rho.png");
    EXPECT_GT(pixelsOf(rho, Qt::cyan), 100);
    EXPECT_EQ(pixelsOf(rho, Qt::red), 0);
    applyPlotMode(chart, 0);
    const QImage rjx = grab("chart-rjx.png");
    EXPECT_GT(pixelsOf(rjx, Qt::red), 100);
    EXPECT_GT(pixelsOf(rjx, Qt::green), 100);
    EXPECT_EQ(pixelsOf(rjx, Qt::cyan), 0);
}

TEST(QtChartControlLifetime, UseAfterTheWindowIsGoneIsReportedNotRun) {
    QtChartControl chart;
    {
        QWidget window;
        chart.widget()->setParent(&window);
    }
    EXPECT_THROW(applyPlotMode(chart, 0), std::logic_error);
    EXPECT_THROW(chart.setChartData(sweptGrid(8, 14.0, distinct)), std::logic_error);
    EXPECT_NO_THROW(chart.repaintNow());
}

TEST(QtChartControlLifetime, ViewOutlivesTheControlInItsWindow) {
    QWidget window;
    auto chart = std::make_unique<QtChartControl>();
    chart->widget()->setParent(&window);
    chart->setChartData(sweptGrid(8, 14.0, distinct));
    chart.reset();
    EXPECT_FALSE(window.grab().isNull());
}

}  // namespace
}  // namespace zm
