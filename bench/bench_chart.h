// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The chart as the benchmarks time it: the window's chart band, 7935 x 4455 twips at 15
// twips a pixel, shown and exposed on the offscreen platform before anything is timed.

#include <QApplication>
#include <QWidget>

#include "chart/qt_chart_control.h"

namespace zm::bench {

inline constexpr int kChartWidthPx = 529;
inline constexpr int kChartHeightPx = 297;

inline void showChartBand(QtChartControl& chart) {
    QWidget* view = chart.widget();
    view->resize(kChartWidthPx, kChartHeightPx);
    view->show();
    QApplication::processEvents();
}

}  // namespace zm::bench
