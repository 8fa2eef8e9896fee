// bench-results: what a user waits for on a 288-point sweep with a 288-point reference, on
// the offscreen platform: one redraw as each sweep point brings it (the grid and the record
// handed over, markers and labels placed, painted), and one hover (the nearest point found,
// its values shown, painted). Both should stay under a frame, 16 ms.
//   redraw mode=SWR points=288 reference=288 median_ms=... p95_ms=...
//   hover mode=SWR points=288 reference=288 median_ms=... p95_ms=...
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
#include "chart/trace_points.h"
#include "results/sweep_record.h"
#include "sweep/plot_grid.h"
#include "sweep/sweep_plan.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPoints = 288;  // 0 to 14.35 MHz in 50 kHz steps
constexpr double kStepMHz = 0.05;
constexpr int kRuns = 101;

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

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zm::QtChartControl chart;
    zm::bench::showChartBand(chart);

    const zm::SweepRecord sweep = wireSweep(0);
    const zm::PlotGrid grid = gridOf(sweep);
    chart.setReference(wireSweep(25000), "Reference: wire.s1p");
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
        std::printf("redraw mode=%s points=%d reference=%d median_ms=%.2f p95_ms=%.2f\n", mode.name,
                    kPoints, kPoints, redraw.medianMs, redraw.p95Ms);
        std::printf("hover mode=%s points=%d reference=%d median_ms=%.2f p95_ms=%.2f\n", mode.name,
                    kPoints, kPoints, hover.medianMs, hover.p95Ms);
    }
    return 0;
}
