// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The chart as the benchmarks time it: the window's chart band, 7935 x 4455 twips at 15
// twips a pixel, shown and exposed on the offscreen platform before anything is timed; a
// 288-point sweep of a wire and five memories of it, and the timing of some work.

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <complex>
#include <functional>
#include <string>
#include <vector>

#include "chart/qt_chart_control.h"
#include "chart/trace_points.h"
#include "results/memory_file.h"
#include "results/sweep_record.h"
#include "sweep/plot_grid.h"
#include "sweep/sweep_plan.h"

namespace zm::bench {

inline constexpr int kChartWidthPx = 529;
inline constexpr int kChartHeightPx = 297;
inline constexpr int kPoints = 288;  // 0 to 14.35 MHz in 50 kHz steps
inline constexpr double kStepMHz = 0.05;
inline constexpr int kMemories = 5;

inline void showChartBand(QtChartControl& chart) {
    QWidget* view = chart.widget();
    view->resize(kChartWidthPx, kChartHeightPx);
    view->show();
    QApplication::processEvents();
}

// A wire resonant at 7.1 MHz, fed through 50 ohm: SWR and phase change all along the span.
inline SweepRecord wireSweep(std::int64_t offsetHz) {
    SweepRecord record;
    for (int i = 0; i < kPoints; ++i) {
        const double mhz = i * kStepMHz + offsetHz / 1e6 + 0.01;
        const double ratio = mhz / 7.1;
        const double r = 60.0 * ratio * ratio;
        const double x = 900.0 * (ratio - 1.0 / ratio);
        const double z = std::hypot(r, x);
        const double rho =
            std::abs(std::complex<double>(r - 50.0, x) / std::complex<double>(r + 50.0, x));
        record.points.push_back(
            {std::llround(i * kStepMHz * 1e6) + offsetHz,
             PointReading{100.0, z, std::atan2(x, r) * 57.29577951308232, (1 + rho) / (1 - rho)}});
    }
    return record;
}

inline PlotGrid gridOf(const SweepRecord& record) {
    PlotGrid grid;
    grid.reallocate(kPoints);
    for (int row = 1; row <= kPoints; ++row) {
        grid.at(row, 1) = frequencyLabel(row, 0.0, kStepMHz);
        for (int series = 1; series <= QtChartControl::kSeriesCount; ++series) {
            grid.at(row, series + 1) =
                seriesValue(*record.points[static_cast<std::size_t>(row - 1)].reading, series);
        }
    }
    return grid;
}

// Five earlier sweeps of the wire, each 10 kHz further off.
inline std::vector<Memory> fiveMemories() {
    std::vector<Memory> memories;
    for (int i = 0; i < kMemories; ++i) {
        memories.push_back({"wire " + std::to_string(i + 1), true, i, wireSweep(10000 * (i + 1))});
    }
    return memories;
}

struct Figures {
    double medianMs;
    double p95Ms;
};

inline Figures timed(const std::function<void(int run)>& work, int runs = 101) {
    std::vector<double> millis;
    for (int run = 0; run < runs; ++run) {
        const auto started = std::chrono::steady_clock::now();
        work(run);
        millis.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count());
    }
    std::sort(millis.begin(), millis.end());
    return {millis[millis.size() / 2], millis[millis.size() * 95 / 100]};
}

}  // namespace zm::bench
