// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the charts, made offscreen and read back as files: the PNG at its size
// whatever the window's, the SVG with the traces as paths and the legend in the screen's
// order and colours, the hover left out and left on the screen. Written to the build
// directory to be looked at: picture-<case>.png and picture-<case>.svg.

#include <QFile>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <functional>
#include <map>
#include <memory>

#include "chart/memory_colours.h"
#include "chart/plot_mode.h"
#include "chart/smith_chart.h"
#include "results/impedance.h"
#include "tests/chart/qt_chart_fixture.h"

namespace zm {
namespace {

using test::dipoleSweep;
using test::gridOf;

// What an SVG holds: for each stroke colour the points of its paths and polylines (a solid
// curve comes as one line a segment), and the texts in the order they are drawn.
struct SvgContent {
    std::map<QString, int> pointsByStroke;
    QStringList texts;
};

SvgContent readSvg(const QByteArray& svg) {
    SvgContent content;
    QXmlStreamReader xml(svg);
    QStringList strokes{QString()};  // as the groups around an element set it
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement()) {
            strokes.removeLast();
        }
        if (!xml.isStartElement()) {
            continue;
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString stroke = attributes.hasAttribute("stroke")
                                   ? attributes.value("stroke").toString()
                                   : strokes.last();
        const auto name = xml.name();
        if (name == QStringLiteral("text")) {
            content.texts.append(xml.readElementText(QXmlStreamReader::IncludeChildElements));
            continue;  // its end is read
        }
        strokes.append(stroke);
        if (name == QStringLiteral("path") || name == QStringLiteral("polyline")) {
            // A point a comma: "M10,20 L30,40" and "10,20 30,40".
            const int points = int(attributes.value(name == QStringLiteral("path") ? "d" : "points")
                                       .count(QLatin1Char(',')));
            content.pointsByStroke[stroke] += points;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return content;
}

// A window drawing the sweep and two memories, with a point hovered.
struct ShownChart {
    std::function<ChartPicture&()> picture;
    std::function<QString()> hovered;     // what hovering shows on the screen
    std::function<QStringList()> layout;  // what the screen's layout shows beside the traces
    QList<LegendEntry> legend;            // as the screen names and colours the traces
};

const std::vector<Memory> kMemories{{"Near", true, 1, dipoleSweep(25000, 60.0)},
                                    {"Hidden", false, 3, dipoleSweep(0, 90.0)},
                                    {"Far", true, 2, dipoleSweep(-25000, 40.0)}};

std::shared_ptr<ShownChart> mainChart(QSize sizePx) {
    auto chart = std::make_shared<QtChartControl>();
    chart->widget()->resize(sizePx);
    chart->setChartData(gridOf(dipoleSweep()));
    chart->setSweepRecord(dipoleSweep());
    chart->setMemories(kMemories);
    applyPlotMode(*chart, 2);
    chart->repaintNow();
    chart->hoverAt(chart->viewPositionOf(4, QPointF(3, 1.2)));
    return std::make_shared<ShownChart>(
        ShownChart{[chart]() -> ChartPicture& { return *chart; },
                   [chart] { return chart->hover().shownValues(); },
                   [chart] { return chart->axes().frequencyLabels(); },
                   {{"SWR", Qt::black, Qt::SolidLine},
                    {"Near", memoryColour(1), Qt::DashLine},
                    {"Far", memoryColour(2), Qt::DashLine}}});
}

std::shared_ptr<ShownChart> smithChart(QSize sizePx) {
    auto chart = std::make_shared<SmithChart>();
    chart->resize(sizePx);
    const SweepRecord sweep = dipoleSweep();
    chart->setSweep(sweep);
    chart->setMemories(kMemories);
    const auto& reading = *sweep.points[3].reading;
    chart->hoverAt(chart->positionOf(reflectionCoefficient(reading.impedance())));
    return std::make_shared<ShownChart>(
        ShownChart{[chart]() -> ChartPicture& { return *chart; },
                   [chart] { return chart->shownValues(); },
                   [chart] { return QStringList{chart->caption()}; },
                   {{"Sweep", Qt::black, Qt::SolidLine},
                    {"Near", memoryColour(1), Qt::DashLine},
                    {"Far", memoryColour(2), Qt::DashLine}}});
}

struct PictureCase {
    const char* name;
    std::shared_ptr<ShownChart> (*make)(QSize);
    QSize windowPx;
    friend void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }
};

class PictureTable : public ::testing::TestWithParam<PictureCase> {
protected:
    static void keep(const QByteArray& bytes, const QString& fileName) {
        const QByteArray dir = qgetenv("ZM_BUILD_DIR");
        QFile file(QString::fromLocal8Bit(dir) + "/" + fileName);
        if (!dir.isEmpty() && file.open(QIODevice::WriteOnly)) {
            file.write(bytes);
        }
    }
};

TEST_P(PictureTable, DrawnAfreshAtItsSizeWithTracesAndLegendButNoHover) {
    const PictureCase& c = GetParam();
    const std::shared_ptr<ShownChart> shown = c.make(c.windowPx);
    const QString hovered = shown->hovered();
    const QStringList layout = shown->layout();
    ASSERT_FALSE(hovered.isEmpty());
    ChartPicture& picture = shown->picture();
    ASSERT_EQ(picture.legend().size(), shown->legend.size());
    for (qsizetype i = 0; i < shown->legend.size(); ++i) {
        EXPECT_EQ(picture.legend()[i].name, shown->legend[i].name);
        EXPECT_EQ(picture.legend()[i].colour, shown->legend[i].colour);
    }

    const QString title = QStringLiteral("14.000 – 14.350 MHz (350 kHz) · 2026-12-08 14:03:22");
    const QByteArray png = picturePng(picture, title);
    keep(png, QStringLiteral("picture-%1.png").arg(c.name));
    const QImage image = QImage::fromData(png, "PNG");
    EXPECT_EQ(image.size(), QSize(1600, 1000));
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));

    const QByteArray svg = pictureSvg(picture, title);
    keep(svg, QStringLiteral("picture-%1.svg").arg(c.name));
    const QSvgRenderer renderer(svg);
    EXPECT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 1600, 1000));
    SvgContent content = readSvg(svg);
    // The title, then the legend in the screen's order; each trace's 8 points drawn as lines
    // in its colour, beside its legend's sample.
    ASSERT_GT(content.texts.size(), shown->legend.size());
    EXPECT_EQ(content.texts.front(), title);
    for (qsizetype i = 0; i < shown->legend.size(); ++i) {
        const LegendEntry& entry = shown->legend[i];
        EXPECT_EQ(content.texts[i + 1], entry.name);
        EXPECT_GE(content.pointsByStroke[entry.colour.name()], 2 + 8) << entry.name.toStdString();
    }
    EXPECT_FALSE(content.texts.join('\n').contains(QStringLiteral("RL ")));  // the hover's

    // The window shows what it showed before.
    EXPECT_EQ(shown->hovered(), hovered);
    EXPECT_EQ(shown->layout(), layout);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, PictureTable,
    ::testing::Values(PictureCase{"chart", &mainChart, {test::kChartWidthPx, test::kChartHeightPx}},
                      PictureCase{"chart-narrow", &mainChart, {260, 400}},
                      PictureCase{"smith", &smithChart, {800, 640}},
                      PictureCase{"smith-small", &smithChart, {300, 300}}),
    [](const auto& info) {
        QString name = QString::fromLatin1(info.param.name);
        return name.remove('-').toStdString();
    });

}  // namespace
}  // namespace zm
