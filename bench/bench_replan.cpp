// SPDX-License-Identifier: GPL-3.0-or-later
// bench-replan: one re-plan as the window runs it on every keystroke in the start or stop box,
// timed on the offscreen platform for growing plans, and the memory the largest plan adds.
//   replan points=288 median_ms=... rss_mb=...
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <vector>

#include "bench/bench_chart.h"
#include "chart/plot_mode.h"
#include "chart/qt_chart_control.h"
#include "sweep/plot_grid.h"
#include "sweep/sweep_plan.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kStepMHz = 0.05;

struct PlanSize {
    int points;
    double startMHz;
    double stopMHz;
    int runs;
};

double residentMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

void clearPlot(zm::PlotGrid& grid, zm::QtChartControl& chart) {
    for (int column = 2; column <= zm::PlotGrid::kColumns; ++column) {
        for (int row = 1; row <= grid.rows(); ++row) {
            grid.at(row, column) = 0.0;
        }
    }
    chart.setChartData(grid);
}

// PlanSweep followed by the ClearPlot every caller adds, then the paint a keystroke causes.
bool replan(zm::PlotGrid& grid, zm::QtChartControl& chart, double startMHz, double stopMHz) {
    const std::optional<int> points = zm::pointCountFor(startMHz, stopMHz, kStepMHz);
    if (!points) {
        return false;
    }
    grid.reallocate(*points);
    clearPlot(grid, chart);
    for (int row = 1; row <= *points; ++row) {
        grid.at(row, 1) = zm::frequencyLabel(row, startMHz, kStepMHz);
    }
    clearPlot(grid, chart);
    chart.repaintNow();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zm::QtChartControl chart;
    zm::bench::showChartBand(chart);  // the window is shown and exposed before anyone types
    zm::applyPlotMode(chart, 0);
    zm::PlotGrid grid;
    const double baselineMiB = residentMiB();

    const PlanSize sizes[] = {{8, 14.0, 14.35, 41},
                              {288, 0.0, 14.35, 41},
                              {3000, 0.0, 149.95, 21},
                              {zm::kMaxPointCount, 0.0, 1638.25, 11}};
    for (const PlanSize& size : sizes) {
        std::vector<double> millis;
        for (int run = 0; run < size.runs; ++run) {
            // Every other run one step higher: new labels each time, as typing gives.
            const double shiftMHz = (run % 2) * kStepMHz;
            const auto started = Clock::now();
            if (!replan(grid, chart, size.startMHz + shiftMHz, size.stopMHz + shiftMHz)) {
                std::fprintf(stderr, "plan of %d points refused\n", size.points);
                return 1;
            }
            millis.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - started).count());
        }
        if (grid.rows() != size.points) {
            std::fprintf(stderr, "planned %d points, not %d\n", grid.rows(), size.points);
            return 1;
        }
        std::nth_element(millis.begin(), millis.begin() + millis.size() / 2, millis.end());
        std::printf("replan points=%d median_ms=%.2f rss_mb=%.1f\n", size.points,
                    millis[millis.size() / 2], residentMiB() - baselineMiB);
    }
    return 0;
}
