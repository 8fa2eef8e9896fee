// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/pdf_report.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <array>

#include "results/result_texts.h"

namespace zm {

namespace {

constexpr qreal kMarginMm = 10.0;
constexpr qreal kGapPx = 10.0;
constexpr qreal kChartShareWithSmith = 0.56;  // of the height under the title
constexpr qreal kSmithAspect = 1.35;          // its legend column beside the circle
constexpr qreal kSampleLengthPx = 22.0;
const QColor kTextInk(20, 20, 20);
const QColor kRuleInk(150, 150, 150);

// The marker table's columns: heading and share of the table's width.
struct Column {
    const char* heading;
    qreal share;
};
constexpr std::array<Column, 7> kColumns{{{"Trace", 0.17},
                                          {"Lowest SWR", 0.12},
                                          {"at MHz", 0.08},
                                          {"2:1 band", 0.21},
                                          {"Width kHz", 0.11},
                                          {"Q", 0.05},
                                          {"Resonance MHz", 0.26}}};
constexpr qreal kTablePoints = 7.5;
constexpr qreal kMostSmithShare = 0.36;  // of the page's width, beside the table

QFont fontOf(const QFont& base, qreal points, bool bold = false) {
    QFont font = base;
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// One line of text from the top left corner; the line's height.
qreal textLine(QPainter& painter, QPointF corner, qreal width, const QString& text) {
    const QFontMetricsF metrics(painter.font());
    painter.drawText(QPointF(corner.x(), corner.y() + metrics.ascent()),
                     metrics.elidedText(text, Qt::ElideRight, width));
    return metrics.height();
}

std::array<QString, kColumns.size()> rowTexts(const TraceFeatures& trace) {
    const MarkerCells cells = markerCells(trace.features);
    return {QString::fromStdString(trace.name),      QString::fromStdString(cells.lowestSwr),
            QString::fromStdString(cells.atMHz),     QString::fromStdString(cells.band),
            QString::fromStdString(cells.widthKHz),  QString::fromStdString(cells.q),
            QString::fromStdString(cells.resonances)};
}

// The headings, then a row a trace: its name after a sample of its line, in its colour.
qreal paintMarkerTable(QPainter& painter, const QRectF& area,
                       const std::vector<TraceFeatures>& traces) {
    const QFont base = painter.font();
    painter.setFont(fontOf(base, kTablePoints, true));
    const qreal rowHeight = QFontMetricsF(painter.font()).height() + 5.0;
    const auto paintRow = [&](qreal top, const auto& texts, const QColor* sample) {
        qreal left = area.left();
        for (std::size_t column = 0; column < kColumns.size(); ++column) {
            const qreal width = kColumns[column].share * area.width();
            qreal textLeft = left + 2.0;
            if (column == 0 && sample) {
                const qreal middle = top + rowHeight / 2.0;
                painter.setPen(QPen(*sample, 2.0));
                painter.drawLine(QPointF(textLeft, middle),
                                 QPointF(textLeft + kSampleLengthPx, middle));
                textLeft += kSampleLengthPx + 4.0;
            }
            painter.setPen(kTextInk);
            textLine(painter, QPointF(textLeft, top + 2.5), left + width - textLeft - 4.0,
                     texts[column]);
            left += width;
        }
    };
    std::array<QString, kColumns.size()> headings;
    for (std::size_t column = 0; column < kColumns.size(); ++column) {
        headings[column] = QString::fromLatin1(kColumns[column].heading);
    }
    qreal top = area.top();
    paintRow(top, headings, nullptr);
    top += rowHeight;
    painter.setPen(QPen(kRuleInk, 0.8));
    painter.drawLine(QPointF(area.left(), top), QPointF(area.right(), top));
    painter.setFont(fontOf(base, kTablePoints));
    for (const TraceFeatures& trace : traces) {
        if (top + rowHeight > area.bottom()) {
            break;
        }
        paintRow(top, rowTexts(trace), &trace.colour);
        top += rowHeight;
    }
    painter.setFont(base);
    return top - area.top();
}

}  // namespace

QPageSize reportPaper() {
    return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                : QPageSize::A4);
}

QByteArray reportPdf(const ReportText& text, ChartPicture& chart, ChartPicture* smithChart) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(reportPaper(), QPageLayout::Landscape,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    // Laid out in the charts' own pixels, so that their text keeps its size against them.
    writer.setResolution(pictureDotsPerInch());
    writer.setTitle(text.title);
    writer.setCreator(text.footer);
    QPainter painter(&writer);
    const QRectF page(QPointF(0, 0), QSizeF(writer.width(), writer.height()));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(kTextInk);

    qreal top = page.top();
    painter.setFont(fontOf(painter.font(), 13.0, true));
    top += textLine(painter, QPointF(page.left(), top), page.width(), text.title);
    if (!text.comment.isEmpty()) {
        painter.setFont(fontOf(painter.font(), 10.0));
        top += textLine(painter, QPointF(page.left(), top + 2.0), page.width(), text.comment) + 2.0;
    }
    painter.setFont(fontOf(painter.font(), 7.5));
    const qreal footerHeight = QFontMetricsF(painter.font()).height();
    textLine(painter, QPointF(page.left(), page.bottom() - footerHeight), page.width(),
             text.footer);

    const qreal tableRows = qreal(text.traces.size()) + 1.0;
    const qreal tableHeight =
        tableRows * (QFontMetricsF(fontOf(painter.font(), kTablePoints)).height() + 5.0);
    const qreal below = page.bottom() - footerHeight - kGapPx;
    const qreal room = below - top - kGapPx;
    const qreal chartHeight =
        smithChart ? room * kChartShareWithSmith : room - tableHeight - kGapPx;
    const QRectF chartArea(page.left(), top + kGapPx / 2.0, page.width(), chartHeight);
    paintFramedPicture(painter, chartArea, chart, QString());

    const qreal lowerTop = chartArea.bottom() + kGapPx;
    qreal tableWidth = page.width();
    if (smithChart) {
        const qreal smithHeight = below - lowerTop;
        const qreal smithWidth =
            std::min(smithHeight * kSmithAspect, page.width() * kMostSmithShare);
        tableWidth = page.width() - smithWidth - kGapPx;
        paintFramedPicture(painter,
                           QRectF(page.right() - smithWidth, lowerTop, smithWidth, smithHeight),
                           *smithChart, QString());
    }
    paintMarkerTable(painter, QRectF(page.left(), lowerTop, tableWidth, below - lowerTop),
                     text.traces);
    painter.end();
    return bytes;
}

}  // namespace zm
