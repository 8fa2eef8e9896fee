// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/marker_box.h"

#include <QChart>
#include <QFontMetricsF>
#include <QValueAxis>
#include <QXYSeries>
#include <algorithm>
#include <cmath>

namespace zm {

namespace {

constexpr qreal kBoxMarginPx = 6.0;    // from the plot area's edges
constexpr qreal kClearancePx = 4.0;    // from any curve: a marker's radius
constexpr double kLabelGridPx = 12.0;  // between the places tried beyond the corners
constexpr qreal kBandGapPx = 4.0;      // under the frequency axis's title
constexpr qreal kLabelGapPx = 3.0;     // between value labels: Qt hides one of two within 2.2 px
const QColor kFoldInk(0, 0, 0);

}  // namespace

QString moreMemoriesLine(qsizetype memories) {
    return QStringLiteral("+%1 %2").arg(memories).arg(memories == 1 ? "memory" : "memories");
}

MarkerBox::MarkerBox(QChart& chart) : m_chart(chart), m_box(new ChartTextBox(&chart)) {
    m_box->setZValue(kOverSeriesZ);
}

void MarkerBox::setLines(QList<ChartTextBox::Line> sweep, QList<ChartTextBox::Line> memories) {
    m_sweepLines = std::move(sweep);
    m_memoryLines = std::move(memories);
    m_box->setLines(linesWith(kMostMemoryLines));
}

QList<ChartTextBox::Line> MarkerBox::linesWith(qsizetype memoryLines) const {
    QList<ChartTextBox::Line> lines = m_sweepLines;
    lines += m_memoryLines.mid(0, memoryLines);
    if (m_memoryLines.size() > memoryLines) {
        lines.append({moreMemoriesLine(m_memoryLines.size() - memoryLines), kFoldInk});
    }
    return lines;
}

QRectF MarkerBox::area() const {
    return m_box->isVisible() ? QRectF(m_box->pos(), m_box->size()) : QRectF();
}

bool MarkerBox::place() {
    // The plot area as it is without the band, which reaches as far up and further down.
    const QRectF whole = m_chart.plotArea().adjusted(0, 0, 0, m_bandPx);
    m_box->setWidthLimit(ChartTextBox::kAnyWidth);
    m_box->setLines(linesWith(kMostMemoryLines));
    if (!m_box->isVisible()) {
        return setBand(0);
    }
    if (const std::optional<QPointF> inside = freePlaceInside(whole)) {
        m_box->setPos(*inside);
        return setBand(0);
    }
    const QMarginsF around = QMarginsF(m_chart.margins()) - QMarginsF(0, 0, 0, m_bandPx);
    const QSizeF chart = m_chart.size();
    m_box->setWidthLimit(chart.width() - around.left() - around.right());
    const qreal room = bandRoom(whole);
    for (qsizetype lines = std::min(kMostMemoryLines, m_memoryLines.size());
         lines > 0 && m_box->size().height() + kBandGapPx > room; --lines) {
        m_box->setLines(linesWith(lines - 1));
    }
    const QSizeF size = m_box->size();
    const qreal right = chart.width() - around.right() - size.width();
    m_box->setPos(std::clamp(whole.left(), around.left(), std::max(around.left(), right)),
                  chart.height() - around.bottom() - size.height());
    return setBand(size.height() + kBandGapPx);
}

// A corner or the middle of an edge, the top right first, where a label is looked for, or
// any other place the curves leave free; none when they leave none.
std::optional<QPointF> MarkerBox::freePlaceInside(const QRectF& whole) const {
    const QSizeF size = m_box->size() + QSizeF(2 * kClearancePx, 2 * kClearancePx);
    const qreal inset = kBoxMarginPx - kClearancePx;
    const QRectF area = whole.adjusted(inset, inset, -inset, -inset);
    if (size.width() > area.width() || size.height() > area.height()) {
        return std::nullopt;
    }
    const std::vector<ScreenBox> candidates =
        labelPlaces({area.left(), area.top(), area.width(), area.height()}, size.width(),
                    size.height(), kLabelGridPx);
    const std::vector<Polyline> curves = drawnCurves(whole);
    const ScreenBox& chosen = candidates[leastCoveringBox(candidates, curves)];
    if (coveredLength(chosen, curves) > 0.0) {
        return std::nullopt;
    }
    return QPointF(chosen.left + kClearancePx, chosen.top + kClearancePx);
}

// The lines and markers shown, in pixels, as they stand in `whole`: the value axes map
// linearly, so a taller plot area stretches them down from its top.
std::vector<Polyline> MarkerBox::drawnCurves(const QRectF& whole) const {
    const QRectF shown = m_chart.plotArea();
    const double stretch = shown.height() > 0.0 ? whole.height() / shown.height() : 1.0;
    std::vector<Polyline> curves;
    for (QAbstractSeries* series : m_chart.series()) {
        const auto* drawn = qobject_cast<const QXYSeries*>(series);
        if (!drawn || !drawn->isVisible()) {
            continue;
        }
        const bool markers = series->type() == QAbstractSeries::SeriesTypeScatter;
        Polyline curve;
        for (const QPointF& point : drawn->points()) {
            const QPointF at = m_chart.mapToPosition(point, series);
            curve.push_back({at.x(), whole.top() + (at.y() - whole.top()) * stretch});
            if (markers) {
                curves.push_back(std::move(curve));  // a marker stands alone
                curve = {};
            }
        }
        curves.push_back(std::move(curve));
    }
    return curves;
}

// What the plot's height can give up: its value labels keep a line each between their
// ticks (the axes elide none, so closer ticks would run their labels together).
qreal MarkerBox::bandRoom(const QRectF& whole) const {
    qreal needed = 0.0;
    for (const QAbstractAxis* axis : m_chart.axes(Qt::Vertical)) {
        if (const auto* values = qobject_cast<const QValueAxis*>(axis)) {
            const qreal line = QFontMetricsF(values->labelsFont()).height() + kLabelGapPx;
            needed = std::max(needed, (values->tickCount() - 1) * line);
        }
    }
    return whole.height() - needed;
}

// The band is the chart's bottom margin beyond its own.
bool MarkerBox::setBand(qreal heightPx) {
    const int band = static_cast<int>(std::ceil(heightPx));
    if (band == m_bandPx) {
        return false;
    }
    QMargins margins = m_chart.margins();
    margins.setBottom(margins.bottom() - m_bandPx + band);
    m_bandPx = band;
    m_chart.setMargins(margins);
    return true;
}

}  // namespace zm
