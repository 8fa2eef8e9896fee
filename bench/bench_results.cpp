// SPDX-License-Identifier: GPL-3.0-or-later
// bench-results: what a user waits for on a 288-point sweep with five 288-point memories, on
// the offscreen platform: one redraw as each sweep point brings it (the grid and the record
// handed over, markers and labels placed, painted), and one hover (the nearest point found,
// its values shown, painted), on the window's chart in three plot modes and on the Smith
// chart, whole and zoomed in; there also a notch of the mouse wheel, which draws the grid
// and the memories anew. Each should stay under a frame, 16 ms.
//   redraw mode=SWR points=288 memories=5 median_ms=... p95_ms=...
//   hover mode=SWR points=288 memories=5 median_ms=... p95_ms=...
//   redraw mode=Smith zoom=1 points=288 memories=5 median_ms=... p95_ms=...
//   wheel mode=Smith zoom=1 points=288 memories=5 median_ms=... p95_ms=...
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/bench_chart.h"
#include "chart/plot_mode.h"
#include "chart/qt_chart_control.h"
#include "chart/smith_chart.h"
#include "chart/trace_points.h"
#include "results/sweep_record.h"
#include "sweep/plot_grid.h"
#include "sweep/sweep_plan.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPoints = 288;  // 0 to 14.35 MHz in 50 kHz steps
constexpr double kStepMHz = 0.05;
constexpr int kRuns = 101;
constexpr int kMemories = 5;
constexpr int kSmithSizePx = 560;  // the Smith window's first size

// A wire resonant at 7.1 MHz, fed through 50 ohm: SWR and phase change all along the span.
zm::SweepRecord wireSweep(std::int64_t offsetHz) {
    zm::SweepRecord record;
    for (int i = 0; i < kPoints; ++i) {
        const double mhz = i * kStepMHz + offsetHz / 1e6 + 0.01;
        const double ratio = mhz / 7.1;
        const double r = 60.0 * ratio * ratio;
        const double x = 900.0 * (ratio - 1.0 / ratio);
        const double z = std::hypot(r, x);
        const double rho =
            std::abs(std::complex<double>(r - 50.0, x) / std::complex<double>(r + 50.0, x));
        record.points.push_back({std::llround(i * kStepMHz * 1e6) + offsetHz,
                                 zm::PointReading{100.0, z, std::atan2(x, r) * 57.29577951308232,
                                                  (1 + rho) / (1 - rho)}});
    }
    return record;
}

zm::PlotGrid gridOf(const zm::SweepRecord& record) {
    zm::PlotGrid grid;
    grid.reallocate(kPoints);
    for (int row = 1; row <= kPoints; ++row) {
        grid.at(row, 1) = zm::frequencyLabel(row, 0.0, kStepMHz);
        for (int series = 1; series <= zm::QtChartControl::kSeriesCount; ++series) {
            grid.at(row, series + 1) =
                zm::seriesValue(*record.points[static_cast<std::size_t>(row - 1)].reading, series);
        }
    }
    return grid;
}

struct Figures {
    double medianMs;
    double p95Ms;
};

Figures timed(const std::function<void(int run)>& work) {
    std::vector<double> millis;
    for (int run = 0; run < kRuns; ++run) {
        const auto started = Clock::now();
        work(run);
        millis.push_back(std::chrono::duration<double, std::milli>(Clock::now() - started).count());
    }
    std::sort(millis.begin(), millis.end());
    return {millis[millis.size() / 2], millis[millis.size() * 95 / 100]};
}

// Five earlier sweeps of the wire, each 10 kHz further off.
std::vector<zm::Memory> fiveMemories() {
    std::vector<zm::Memory> memories;
    for (int i = 0; i < kMemories; ++i) {
        memories.push_back({"wire " + std::to_string(i + 1), true, i, wireSweep(10000 * (i + 1))});
    }
    return memories;
}

void print(const char* what, const char* mode, const Figures& figures) {
    std::printf("%s mode=%s points=%d memories=%d median_ms=%.2f p95_ms=%.2f\n", what, mode,
                kPoints, kMemories, figures.medianMs, figures.p95Ms);
}

// The Smith chart as a sweep point redraws it, and as the mouse moves over it, whole and
// zoomed in eight times about the wire's resonance.
int benchSmith(const zm::SweepRecord& sweep) {
    zm::SmithChart smith;
    smith.resize(kSmithSizePx, kSmithSizePx);
    smith.show();
    QApplication::processEvents();
    smith.setMemories(fiveMemories());
    for (const double zoom : {1.0, 8.0}) {
        smith.showWhole();
        smith.zoomAt(smith.positionOf(0.0), zoom);
        const Figures redraw = timed([&](int) {
            smith.setSweep(sweep);
            smith.repaint();
        });
        const Figures hover = timed([&](int run) {
            const auto& reading =
                *sweep.points[static_cast<std::size_t>((run * 37) % kPoints)].reading;
            smith.hoverAt(smith.positionOf(zm::reflectionCoefficient(reading.impedance())));
            smith.repaint();
        });
        if (smith.shownValues().isEmpty()) {
            std::fprintf(stderr, "hovering showed no values on the Smith chart\n");
            return 1;
        }
        // A notch of the wheel each way: the grid and the memories are drawn anew.
        const QPointF middle = smith.positionOf(0.0);
        const Figures wheel = timed([&](int run) {
            smith.zoomAt(middle, run % 2 == 0 ? 1.25 : 0.8);
            smith.repaint();
        });
        const std::string mode = "Smith zoom=" + std::to_string(int(zoom));
        print("redraw", mode.c_str(), redraw);
        print("hover", mode.c_str(), hover);
        print("wheel", mode.c_str(), wheel);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zm::QtChartControl chart;
    zm::bench::showChartBand(chart);

    const zm::SweepRecord sweep = wireSweep(0);
    const zm::PlotGrid grid = gridOf(sweep);
    chart.setMemories(fiveMemories());
    const struct {
        const char* name;
        int plotMode;
        int series;  // hovered along; on the left axis
    } modes[] = {{"SWR", 2, 4}, {"Z&Phase", 1, 3}, {"R+jX", 0, 1}};
    for (const auto& mode : modes) {
        zm::applyPlotMode(chart, mode.plotMode);
        const Figures redraw = timed([&](int) {
            chart.setChartData(grid);
            chart.setSweepRecord(sweep);
            chart.repaintNow();
        });
        const Figures hover = timed([&](int run) {
            const int point = (run * 37) % kPoints;
            // Where the mouse can be: inside the plot area, also above an SWR off the scale.
            const double value =
                std::clamp(zm::seriesValue(*sweep.points[point].reading, mode.series),
                           chart.axisMinimum(zm::AxisId::Y), chart.axisMaximum(zm::AxisId::Y));
            chart.hoverAt(chart.viewPositionOf(mode.series, QPointF(point, value)));
            chart.repaintNow();
        });
        if (chart.shownValues().isEmpty()) {
            std::fprintf(stderr, "hovering showed no values in %s\n", mode.name);
            return 1;
        }
        print("redraw", mode.name, redraw);
        print("hover", mode.name, hover);
    }
    return benchSmith(sweep);
}
