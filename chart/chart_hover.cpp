// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/chart_hover.h"

#include <QChart>
#include <QGraphicsEllipseItem>
#include <QLineSeries>
#include <algorithm>
#include <cmath>

#include "chart/chart_text_box.h"
#include "chart/sweep_curves.h"
#include "results/result_texts.h"

namespace zm {

namespace {

constexpr qreal kBoxOffsetPx = 12.0;  // between the point and the corner of its values

}  // namespace

ChartHover::ChartHover(QChart& chart, const SweepCurves& sweep, const MemoryCurves& memories)
    : m_chart(chart),
      m_sweep(sweep),
      m_memories(memories),
      m_valuesBox(new ChartTextBox(&chart)),
      m_dot(new QGraphicsEllipseItem(-4.0, -4.0, 8.0, 8.0, &chart)) {
    m_valuesBox->setZValue(kOverSeriesZ + 1);
    m_dot->setPen(QPen(Qt::black, 1.5));
    m_dot->setZValue(kOverSeriesZ);
    m_dot->hide();
}

void ChartHover::at(QPointF chartPosition) {
    Hit best;
    if (m_chart.plotArea().contains(chartPosition)) {
        findNearestSweepPoint(chartPosition, best);
        for (const MemoryCurves::Drawn& memory : m_memories.shown()) {
            findNearestMemoryPoint(memory, chartPosition, best);
        }
    }
    if (best.record) {
        show(best);
    } else {
        hide();
    }
}

// Sweep point i stands at row i of the grid, where the grid's curves are drawn.
void ChartHover::findNearestSweepPoint(QPointF chartPosition, Hit& best) const {
    const std::size_t points = std::min(m_sweep.record().points.size(), m_sweep.rows());
    if (points == 0) {
        return;
    }
    const double x = m_chart.mapToValue(chartPosition, m_sweep.line(1)).x();
    const auto nearest =
        static_cast<std::size_t>(std::clamp(std::lround(x), 0L, static_cast<long>(points) - 1));
    const Hit candidate{&m_sweep.record(), SweepCurves::kName, QColor(Qt::black), nearest, {}, 0.0};
    for (int series = 1; series <= kSeriesCount; ++series) {
        if (m_sweep.isShown(series)) {
            consider(candidate, series, QPointF(double(nearest), m_sweep.value(series, nearest)),
                     chartPosition, best);
        }
    }
}

// The memory's points with a reading either side of the mouse's frequency.
void ChartHover::findNearestMemoryPoint(const MemoryCurves::Drawn& memory, QPointF chartPosition,
                                        Hit& best) const {
    const double x = m_chart.mapToValue(chartPosition, m_sweep.line(1)).x();
    const auto hz = m_sweep.positions().frequencyAt(x);
    if (!hz) {
        return;
    }
    const std::vector<SweepPoint>& points = memory.record.points;
    const auto above = std::lower_bound(
        points.begin(), points.end(), *hz, [](const SweepPoint& point, double frequencyHz) {
            return static_cast<double>(point.frequencyHz) < frequencyHz;
        });
    auto below = std::make_reverse_iterator(above);
    const auto withReading = [](const SweepPoint& point) { return point.reading.has_value(); };
    const auto next = std::find_if(above, points.end(), withReading);
    const auto previous = std::find_if(below, points.rend(), withReading);
    std::vector<std::size_t> candidates;
    if (next != points.end()) {
        candidates.push_back(static_cast<std::size_t>(next - points.begin()));
    }
    if (previous != points.rend()) {
        candidates.push_back(static_cast<std::size_t>(points.rend() - previous - 1));
    }
    for (const std::size_t point : candidates) {
        const auto position =
            m_sweep.positions().positionOf(static_cast<double>(points[point].frequencyHz));
        const Hit candidate{&memory.record, memory.name, memory.colour, point, {}, 0.0};
        for (int series = 1; position && series <= kSeriesCount; ++series) {
            if (memory.lines[static_cast<std::size_t>(series - 1)]->isVisible()) {
                const double value =
                    seriesValue(*points[point].reading, series, memory.record.plane);
                consider(candidate, series, QPointF(*position, value), chartPosition, best);
            }
        }
    }
}

void ChartHover::consider(const Hit& candidate, int series, QPointF value, QPointF chartPosition,
                          Hit& best) const {
    if (!std::isfinite(value.y())) {
        return;
    }
    const QPointF drawnAt = m_chart.mapToPosition(value, m_sweep.line(series));
    const double distance =
        std::hypot(drawnAt.x() - chartPosition.x(), drawnAt.y() - chartPosition.y());
    if (!best.record || distance < best.distancePx) {
        best = candidate;
        best.chartPosition = drawnAt;
        best.distancePx = distance;
    }
}

// Above and to the right of the point, or wherever else it stays inside the plot area.
void ChartHover::show(const Hit& hit) {
    const SweepPoint& point = hit.record->points[hit.point];
    m_hovered = TracePoint{std::string(hit.name), point, hit.record->plane};
    QList<ChartTextBox::Line> lines;
    for (const QString& line :
         QString::fromStdString(pointValuesText(point, std::string(hit.name))).split('\n')) {
        lines.append({line, lines.isEmpty() ? hit.ink : QColor(Qt::black)});
    }
    m_valuesBox->setLines(lines);
    const QRectF area = m_chart.plotArea();
    const QSizeF size = m_valuesBox->size();
    QPointF corner(hit.chartPosition.x() + kBoxOffsetPx,
                   hit.chartPosition.y() - kBoxOffsetPx - size.height());
    if (corner.x() + size.width() > area.right()) {
        corner.setX(hit.chartPosition.x() - kBoxOffsetPx - size.width());
    }
    if (corner.y() < area.top()) {
        corner.setY(hit.chartPosition.y() + kBoxOffsetPx);
    }
    corner.setX(
        std::clamp(corner.x(), area.left(), std::max(area.left(), area.right() - size.width())));
    corner.setY(
        std::clamp(corner.y(), area.top(), std::max(area.top(), area.bottom() - size.height())));
    m_valuesBox->setPos(corner);
    m_dot->setPos(hit.chartPosition);
    m_dot->show();
}

void ChartHover::hide() {
    m_hovered.reset();
    m_valuesBox->setLines({});
    m_dot->hide();
}

const std::optional<TracePoint>& ChartHover::takeForMenu() {
    m_menuPoint = m_hovered;
    return m_menuPoint;
}

bool ChartHover::isVisible() const {
    return m_valuesBox->isVisible();
}

void ChartHover::setVisible(bool visible) {
    m_valuesBox->setVisible(visible);
    m_dot->setVisible(visible);
}

QString ChartHover::shownValues() const {
    return m_valuesBox->isVisible() ? m_valuesBox->text() : QString();
}

}  // namespace zm
