// SPDX-License-Identifier: GPL-3.0-or-later
// bench-pictures: how long each picture of a 288-point sweep with five 288-point memories
// takes on the offscreen platform, and how large it is: the chart and the Smith chart as
// PNG (1600 x 1000) and SVG, the one-page report with both charts, and File, Print of a
// window-sized widget holding the chart, into a PDF file.
//   png chart points=288 memories=5 median_ms=... p95_ms=... bytes=...
// With a folder as its argument it leaves the pictures there to be looked at.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <cstdio>

#include "bench/bench_chart.h"
#include "chart/chart_picture.h"
#include "chart/plot_mode.h"
#include "chart/smith_chart.h"
#include "dialogs/pdf_report.h"
#include "dialogs/qt_window_printer.h"

namespace {

using zm::bench::Figures;
using zm::bench::timed;

constexpr int kRuns = 21;
constexpr int kSmithSizePx = 560;
const QString kTitle = QStringLiteral("0.000 – 14.350 MHz (14350 kHz) · 2026-12-08 14:03:22");

void print(const char* what, const char* chart, const Figures& figures, qint64 bytes) {
    std::printf("%s %s points=%d memories=%d median_ms=%.1f p95_ms=%.1f bytes=%lld\n", what, chart,
                zm::bench::kPoints, zm::bench::kMemories, figures.medianMs, figures.p95Ms,
                static_cast<long long>(bytes));
}

void keep(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.path());

    // The window's client area, roughly: the chart at its band above a strip of controls.
    QWidget window;
    window.resize(545, 440);
    auto* layout = new QVBoxLayout(&window);
    zm::QtChartControl chart;
    layout->addWidget(chart.widget());
    layout->addStretch();
    window.show();
    QApplication::processEvents();
    const zm::SweepRecord sweep = zm::bench::wireSweep(0);
    chart.setChartData(zm::bench::gridOf(sweep));
    chart.setSweepRecord(sweep);
    chart.setMemories(zm::bench::fiveMemories());
    // Region 1's bands in the sweep's span, unshaded as the window shows them.
    chart.setInsideStretches({{1'810'000, 2'000'000},
                              {3'500'000, 3'800'000},
                              {7'000'000, 7'200'000},
                              {10'100'000, 10'150'000},
                              {14'000'000, 14'350'000}});
    zm::applyPlotMode(chart, 2);
    chart.repaintNow();

    zm::SmithChart smith;
    smith.resize(kSmithSizePx, kSmithSizePx);
    smith.setSweep(sweep);
    smith.setMemories(zm::bench::fiveMemories());

    const struct {
        const char* name;
        zm::ChartPicture* picture;
    } charts[] = {{"chart", &chart}, {"smith", &smith}};
    for (const auto& c : charts) {
        QByteArray png;
        const Figures pngTime =
            timed([&](int) { png = zm::picturePng(*c.picture, kTitle); }, kRuns);
        print("png", c.name, pngTime, png.size());
        keep(folder, QString("%1.png").arg(c.name), png);
        QByteArray svg;
        const Figures svgTime =
            timed([&](int) { svg = zm::pictureSvg(*c.picture, kTitle); }, kRuns);
        print("svg", c.name, svgTime, svg.size());
        keep(folder, QString("%1.svg").arg(c.name), svg);
    }

    const zm::ReportText text{kTitle, QStringLiteral("Wire at 12 m, five earlier sweeps"),
                              QStringLiteral("ZM-480 Plot 1.2 · 2026-12-08 14:05"),
                              chart.traceFeatures()};
    QByteArray pdf;
    const Figures pdfTime = timed([&](int) { pdf = zm::reportPdf(text, chart, &smith); }, kRuns);
    print("pdf", "report", pdfTime, pdf.size());
    keep(folder, QStringLiteral("report.pdf"), pdf);

    const QString printed = folder.filePath(QStringLiteral("print.pdf"));
    zm::QtWindowPrinter printer = zm::QtWindowPrinter::toPdfFile(printed);
    std::string whyNot;
    bool printedAll = true;
    const Figures printTime =
        timed([&](int) { printedAll = printer.printWindow(window, whyNot) && printedAll; }, kRuns);
    print("print", "window", printTime, QFile(printed).size());
    if (!printedAll) {
        std::fprintf(stderr, "printing failed: %s\n", whyNot.c_str());
        return 1;
    }
    return 0;
}
