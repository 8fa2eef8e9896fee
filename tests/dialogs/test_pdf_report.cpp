// SPDX-License-Identifier: GPL-3.0-or-later
// The one-page report, read back with poppler: the page of the locale's paper, vector
// throughout, and its text holding the marker table's values as the chart's markers write
// them. Written to the build directory to be looked at: report-<case>.pdf.

#include "dialogs/pdf_report.h"

#include <gmock/gmock.h>

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "chart/plot_mode.h"
#include "chart/smith_chart.h"
#include "results/result_texts.h"
#include "tests/chart/qt_chart_fixture.h"

namespace zm {
namespace {

using test::dipoleSweep;
using test::gridOf;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;

// What a program wrote; what it complained of goes to `complaints`.
QString outputOf(const QString& program, const QStringList& arguments,
                 QString* complaints = nullptr) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    if (complaints) {
        *complaints = QString::fromUtf8(process.readAllStandardError());
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct PaperCase {
    const char* name;
    QLocale locale;
    const char* pageSize;  // as pdfinfo gives it, landscape
    bool smithChartOpen;
    friend void PrintTo(const PaperCase& c, std::ostream* os) { *os << c.name; }
};

class ReportTable : public ::testing::TestWithParam<PaperCase> {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            GTEST_SKIP() << "poppler-utils is not installed";
        }
        QLocale::setDefault(GetParam().locale);
    }
    void TearDown() override { QLocale::setDefault(m_locale); }

    QLocale m_locale;
};

TEST_P(ReportTable, OnePageOfTheLocalesPaperWithTheMarkerTableAsText) {
    const PaperCase& c = GetParam();
    QtChartControl chart;
    chart.widget()->resize(test::kChartWidthPx, test::kChartHeightPx);
    const SweepRecord swept = dipoleSweep();
    chart.setChartData(gridOf(swept));
    chart.setSweepRecord(swept);
    chart.setMemories({{"Before trimming", true, 1, dipoleSweep(-60000, 70.0)}});
    applyPlotMode(chart, 2);
    chart.repaintNow();
    SmithChart smith;
    smith.resize(800, 640);
    smith.setSweep(swept);

    const ReportText text{QStringLiteral("14.000 – 14.350 MHz (350 kHz) · 2026-12-08 14:03:22"),
                          QStringLiteral("Dipole at 12 m, after trimming"),
                          QStringLiteral("ZM-480 Plot 1.2 · 2026-12-08 14:05"),
                          chart.traceFeatures()};
    const QByteArray pdf = reportPdf(text, chart, c.smithChartOpen ? &smith : nullptr);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();
    const QByteArray buildDir = qgetenv("ZM_BUILD_DIR");
    if (!buildDir.isEmpty()) {
        QFile::remove(QString::fromLocal8Bit(buildDir) + "/report-" + c.name + ".pdf");
        QFile::copy(path, QString::fromLocal8Bit(buildDir) + "/report-" + c.name + ".pdf");
    }

    const QString info = outputOf(QStringLiteral("pdfinfo"), {path});
    EXPECT_THAT(info.toStdString(), ContainsRegex("Pages: +1\n"));
    EXPECT_THAT(info.toStdString(), ContainsRegex(std::string("Page size: +") + c.pageSize));
    // Vector throughout: not one picture in it.
    EXPECT_EQ(outputOf(QStringLiteral("pdfimages"), {"-list", path}).count('\n'), 2);

    QString complaints;
    const std::string words =
        outputOf(QStringLiteral("pdftotext"), {path, "-"}, &complaints).toStdString();
    EXPECT_TRUE(complaints.isEmpty()) << complaints.toStdString();
    for (const QString& line : {text.title, text.comment, text.footer}) {
        EXPECT_THAT(words, HasSubstr(line.toStdString()));
    }
    ASSERT_EQ(text.traces.size(), 2u);
    for (const TraceFeatures& trace : text.traces) {
        SCOPED_TRACE(trace.name);
        const MarkerCells cells = markerCells(trace.features);
        for (const std::string& cell :
             {trace.name, cells.lowestSwr, cells.atMHz, cells.band, cells.widthKHz, cells.q}) {
            EXPECT_FALSE(cell.empty());
            EXPECT_THAT(words, HasSubstr(cell));
        }
    }
    // The same values as the chart's marker box.
    const MarkerCells sweep = markerCells(text.traces[0].features);
    EXPECT_TRUE(chart.markerLabels().startsWith(
        QString::fromStdString("SWR " + sweep.lowestSwr + " at " + sweep.atMHz + " MHz\n2:1 " +
                               sweep.band + ", " + sweep.widthKHz + " kHz, Q " + sweep.q)))
        << chart.markerLabels().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Locales, ReportTable,
    ::testing::Values(PaperCase{"A4", QLocale(QLocale::German, QLocale::Germany),
                                "842 x 595 pts \\(A4\\)", true},
                      PaperCase{"Letter", QLocale(QLocale::English, QLocale::UnitedStates),
                                "792 x 612 pts \\(letter\\)", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
