// SPDX-License-Identifier: GPL-3.0-or-later
// The Smith chart window: hovering and clicking find the nearest measured point of any trace,
// and the window keeps its size, place and grid in its own file. The pictures it writes to
// the build directory are there to be looked at: smith-grid.png, smith-zoom.png,
// smith-match.png, smith-memories.png, smith-admittance.png.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineF>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <string>
#include <vector>

#include "chart/smith_window.h"
#include "matching/l_network.h"
#include "results/impedance.h"

namespace zm {
namespace {

// A dipole resonant at `resonanceHz`, 14.0 to 14.35 MHz in 50 kHz steps: R about rOhms, X
// through zero with the slope of a loaded Q of 13.
SweepRecord dipoleSweep(double resonanceHz, double rOhms = 65.0) {
    SweepRecord record;
    for (int i = 0; i < 8; ++i) {
        const double hz = 14e6 + i * 50e3;
        const std::complex<double> z(rOhms + 20.0 * (hz - resonanceHz) / 1e6,
                                     rOhms * 13.0 * (hz / resonanceHz - resonanceHz / hz));
        const double swr = swrFromRho(std::abs(reflectionCoefficient(z)));
        record.points.push_back(
            {std::llround(hz), PointReading{100.0, std::abs(z), phaseDegreesOf(z), swr}});
    }
    return record;
}

class SmithChartTest : public ::testing::Test {
protected:
    SmithChartTest() : window(QDir(settings.path()).filePath("smith-chart.ini"), nullptr) {
        window.resize(800, 640);
        window.show();
        QApplication::processEvents();
        chart().setSweep(sweep);
    }
    SmithChart& chart() { return window.chart(); }
    QPointF positionOfPoint(const SweepRecord& record, std::size_t point) {
        return chart().positionOf(reflectionCoefficient(record.points[point].reading->impedance()));
    }
    void grab(const char* fileName) {
        const QByteArray dir = qgetenv("ZM_BUILD_DIR");
        if (!dir.isEmpty()) {
            window.grab().save(QString::fromLocal8Bit(dir) + "/" + fileName);
        }
    }

    QTemporaryDir settings;
    SmithWindow window;
    SweepRecord sweep = dipoleSweep(14.15e6);
};

TEST_F(SmithChartTest, HoverAndClickFindTheNearestPointOfAnyTraceByName) {
    grab("smith-grid.png");
    std::vector<Memory> memories;
    for (int i = 0; i < 5; ++i) {
        const std::string name = "trim " + std::to_string(i + 1);
        memories.push_back({name, true, i, dipoleSweep(14.15e6 - (i + 1) * 60e3, 60.0 - 6 * i)});
    }
    memories.push_back({"hidden", false, 5, dipoleSweep(14.3e6)});
    chart().setMemories(memories);
    grab("smith-memories.png");

    chart().hoverAt(positionOfPoint(sweep, 3) + QPointF(1, 0));
    EXPECT_TRUE(chart().shownValues().startsWith("Sweep\n14.150 MHz\nSWR "))
        << qPrintable(chart().shownValues());
    chart().hoverAt(positionOfPoint(memories[2].record, 6) + QPointF(0, 1));
    EXPECT_TRUE(chart().shownValues().startsWith("trim 3\n14.300 MHz\n"));
    chart().hoverAt(positionOfPoint(memories[5].record, 0));  // hidden: not hovered
    EXPECT_FALSE(chart().shownValues().startsWith("hidden"));

    std::optional<TracePoint> chosen;
    chart().onPointChosen = [&](const TracePoint& point) { chosen = point; };
    QTest::mouseClick(&chart(), Qt::LeftButton, {},
                      positionOfPoint(memories[0].record, 1).toPoint());
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->traceName, "trim 1");
    EXPECT_EQ(chosen->point, memories[0].record.points[1]);

    chart().setMemories({});
    const std::complex<double> load = sweep.points[0].reading->impedance();
    chart().setMatchPath(matchPath(load, matchLoad(load).networks[0], 48));
    chart().hoverAt(positionOfPoint(sweep, 0));
    grab("smith-match.png");
    chart().zoomAt(chart().positionOf(0.0), 4.0);
    EXPECT_EQ(chart().zoom(), 4.0);
    grab("smith-zoom.png");
}

// Zoomed in, a trace may pass the top left corner: a new sweep or new memories leave no
// point hovered there while the mouse is elsewhere.
TEST_F(SmithChartTest, NewTracesLeaveNothingHoveredWhenZoomedIn) {
    chart().zoomAt(chart().positionOf(0.0), 8.0);
    const QPointF middle = chart().positionOf(0.0);
    const double pixelsPerUnit = chart().positionOf(1.0).x() - middle.x();
    const std::complex<double> gamma((12.0 - middle.x()) / pixelsPerUnit,
                                     (middle.y() - 12.0) / pixelsPerUnit);
    const std::complex<double> z = kReferenceOhms * (1.0 + gamma) / (1.0 - gamma);
    SweepRecord corner = sweep;
    corner.points[0].reading =
        PointReading{100.0, std::abs(z), phaseDegreesOf(z), swrFromRho(std::abs(gamma))};
    ASSERT_LT(QLineF(positionOfPoint(corner, 0), QPointF(12, 12)).length(), 1.0);

    chart().setSweep(corner);
    EXPECT_TRUE(chart().shownValues().isEmpty()) << qPrintable(chart().shownValues());
    chart().setSweep(sweep);
    chart().setMemories({{"corner", true, 0, corner}});
    EXPECT_TRUE(chart().shownValues().isEmpty()) << qPrintable(chart().shownValues());
}

TEST_F(SmithChartTest, WindowKeepsItsSizeAndGridInItsOwnFile) {
    window.resize(700, 650);
    window.findChildren<QComboBox*>().front()->setCurrentIndex(1);
    window.findChildren<QComboBox*>().back()->setCurrentIndex(1);
    grab("smith-adm-ohms.png");
    chart().zoomAt(chart().positionOf({-0.3, -0.3}), 6.0);
    grab("smith-adm-zoom.png");
    chart().showWhole();
    window.findChildren<QComboBox*>().back()->setCurrentIndex(0);
    window.findChildren<QComboBox*>().front()->setCurrentIndex(2);  // both grids
    grab("smith-admittance.png");
    window.close();
    SmithWindow again(QDir(settings.path()).filePath("smith-chart.ini"), nullptr);
    EXPECT_EQ(again.size(), QSize(700, 650));
    EXPECT_EQ(again.chart().grid(), SmithChart::Grid::Both);
}

// A report's Smith chart stands narrow beside its marker table: however many memories its
// legend box names, the box keeps left of the chart's rim, the only black it draws here.
TEST(SmithChartPicture, LegendBoxKeepsLeftOfTheChart) {
    SmithChart chart;
    std::vector<Memory> memories;
    for (int i = 1; i <= 5; ++i) {
        memories.push_back({"Dipole before trimming, take " + std::to_string(i), true, i,
                            dipoleSweep(14.1e6 + i * 20e3)});
    }
    chart.setMemories(memories);
    QImage image(380, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    chart.paintPicture(painter, QRectF(0, 0, 380, 300));
    painter.end();
    const QByteArray dir = qgetenv("ZM_BUILD_DIR");
    if (!dir.isEmpty()) {
        image.save(QString::fromLocal8Bit(dir) + "/smith-report-memories.png");
    }
    const auto grey = [](QColor c) { return std::abs(c.red() - 160) < 30 && c.red() == c.blue(); };
    int boxRight = -1;  // the right end of the box's top border
    for (int x = 0; x < image.width(); ++x) {
        if (grey(image.pixelColor(x, 4))) {
            boxRight = x;
        }
    }
    int rimLeft = image.width();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < rimLeft; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 60 && c.green() < 60 && c.blue() < 60) {
                rimLeft = x;
            }
        }
    }
    ASSERT_GT(boxRight, 100);
    EXPECT_LT(boxRight, rimLeft);
}

}  // namespace
}  // namespace zm
