// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The window's chart on its own, at the size of the window's chart band, for the chart tests.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "chart/qt_chart_control.h"
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
