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

using zm::bench::Figures;
using zm::bench::fiveMemories;
using zm::bench::gridOf;
using zm::bench::kMemories;
using zm::bench::kPoints;
using zm::bench::timed;
using zm::bench::wireSweep;

constexpr int kSmithSizePx = 560;  // the Smith window's first size

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
            const double value = std::clamp(
                zm::seriesValue(*sweep.points[point].reading, mode.series),
                chart.axes().minimum(zm::AxisId::Y), chart.axes().maximum(zm::AxisId::Y));
            chart.hoverAt(chart.viewPositionOf(mode.series, QPointF(point, value)));
            chart.repaintNow();
        });
        if (chart.hover().shownValues().isEmpty()) {
            std::fprintf(stderr, "hovering showed no values in %s\n", mode.name);
            return 1;
        }
        print("redraw", mode.name, redraw);
        print("hover", mode.name, hover);
    }
    return benchSmith(sweep);
}
