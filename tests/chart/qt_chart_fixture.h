// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window's chart on its own, at the size of the window's chart band, for the chart tests.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "chart/qt_chart_control.h"
#include "chart/trace_points.h"
#include "results/sweep_record.h"
#include "sweep/plot_grid.h"
#include "sweep/sweep_plan.h"

namespace zm::test {

// The chart band of the window: 7935 x 4455 twips at 15 twips a pixel.
constexpr int kChartWidthPx = 529;
constexpr int kChartHeightPx = 297;

// Labels as the plan writes them; values as a sweep writes them, SWR as the meter's Fixed4.
inline PlotGrid sweptGrid(int rows, double startMHz, double (*value)(int row, int column)) {
    PlotGrid grid;
    grid.reallocate(rows);
    for (int row = 1; row <= rows; ++row) {
        grid.at(row, 1) = frequencyLabel(row, startMHz, 0.05);
        for (int column = 2; column <= PlotGrid::kColumns; ++column) {
            const double v = value(row, column);
            grid.at(row, column) = column == 5 ? Cell{Fixed4::fromDouble(v)} : Cell{v};
        }
    }
    return grid;
}

inline double distinct(int row, int column) {
    return column * 10.0 + row;
}

// A dipole-like sweep at 14.0 .. 14.35 MHz: SWR down to 1.2 at 14.15 and up again, the phase
// from capacitive to inductive between 14.15 and 14.2; Z 50 ohm throughout.
inline SweepRecord dipoleSweep(std::int64_t offsetHz = 0, double zOhms = 50.0) {
    const double swr[] = {3.0, 2.4, 1.8, 1.2, 1.5, 2.2, 2.8, 3.4};
    const double phase[] = {-40.0, -30.0, -20.0, -5.0, 10.0, 20.0, 30.0, 40.0};
    SweepRecord record;
    for (int i = 0; i < 8; ++i) {
        record.points.push_back(
            {14000000 + i * 50000 + offsetHz, PointReading{100.0, zOhms, phase[i], swr[i]}});
    }
    return record;
}

// The grid a sweep of the record in every mode would leave.
inline PlotGrid gridOf(const SweepRecord& record) {
    PlotGrid grid;
    grid.reallocate(static_cast<int>(record.points.size()));
    for (int row = 1; row <= grid.rows(); ++row) {
        grid.at(row, 1) = frequencyLabel(row, 14.0, 0.05);
        const auto& reading = record.points[static_cast<std::size_t>(row - 1)].reading;
        for (int series = 1; series <= QtChartControl::kSeriesCount; ++series) {
            grid.at(row, series + 1) = reading ? seriesValue(*reading, series) : 0.0;
        }
    }
    return grid;
}

class QtChartControlTest : public ::testing::Test {
protected:
    QtChartControlTest() { chart.widget()->resize(kChartWidthPx, kChartHeightPx); }

    QImage grab(const char* fileName) {
        chart.repaintNow();
        const QImage image = chart.widget()->grab().toImage();
        const QByteArray dir = qgetenv("ZM_BUILD_DIR");
        if (!dir.isEmpty()) {
            image.save(QString::fromLocal8Bit(dir) + "/" + fileName);
        }
        return image;
    }
    static int pixelsOf(const QImage& image, QColor colour) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += image.pixelColor(x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }

    QtChartControl chart;
};

}  // namespace zm::test
