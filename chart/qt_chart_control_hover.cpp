// SPDX-License-Identifier: GPL-3.0-or-later
// The hover side of QtChartControl: the values of the point nearest to the mouse.
#include <QChart>
#include <QChartView>
#include <QGraphicsEllipseItem>
#include <QLineSeries>
#include <algorithm>
#include <cmath>

#include "chart/chart_text_box.h"
#include "chart/qt_chart_control.h"
#include "results/result_texts.h"

namespace zm {

namespace {

constexpr qreal kBoxOffsetPx = 12.0;  // between the point and the corner of its values

}  // namespace

void QtChartControl::hoverAt(QPointF viewPosition) {
    if (!m_view) {
        return;
    }
    const QPointF chartPosition = m_chart->mapFromScene(m_view->mapToScene(viewPosition.toPoint()));
    HoverHit best;
    if (m_chart->plotArea().contains(chartPosition)) {
        findNearestSweepPoint(chartPosition, best);
        for (const MemoryLines& memory : m_memories) {
            findNearestMemoryPoint(memory, chartPosition, best);
        }
    }
    if (best.trace) {
        showValues(best);
    } else {
        hideValues();
    }
}

// Sweep point i stands at row i of the grid, where the grid's curves are drawn.
void QtChartControl::findNearestSweepPoint(QPointF chartPosition, HoverHit& best) const {
    const std::size_t points = std::min(m_sweep.record.points.size(), m_data[0].values.size());
    if (points == 0) {
        return;
    }
    const double x = m_chart->mapToValue(chartPosition, m_series[0]->first()).x();
    const auto nearest =
        static_cast<std::size_t>(std::clamp(std::lround(x), 0L, static_cast<long>(points) - 1));
    for (int index = 0; index < kSeriesCount; ++index) {
        if (m_series[index]->isVisible()) {
            const double value = m_data[static_cast<std::size_t>(index)].values[nearest];
            considerHit(m_sweep, nearest, index, QPointF(double(nearest), value), chartPosition,
                        best);
        }
    }
}

// The memory's points with a reading either side of the mouse's frequency.
void QtChartControl::findNearestMemoryPoint(const MemoryLines& memory, QPointF chartPosition,
                                            HoverHit& best) const {
    const double x = m_chart->mapToValue(chartPosition, m_series[0]->first()).x();
    const auto hz = m_positions.frequencyAt(x);
    if (!hz) {
        return;
    }
    const std::vector<SweepPoint>& points = memory.trace.record.points;
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
            m_positions.positionOf(static_cast<double>(points[point].frequencyHz));
        for (int index = 0; position && index < kSeriesCount; ++index) {
            if (memory.series[static_cast<std::size_t>(index)]->isVisible()) {
                const double value =
                    seriesValue(*points[point].reading, index + 1, memory.trace.record.plane);
                considerHit(memory.trace, point, index, QPointF(*position, value), chartPosition,
                            best);
            }
        }
    }
}

void QtChartControl::considerHit(const Trace& trace, std::size_t point, int series, QPointF value,
                                 QPointF chartPosition, HoverHit& best) const {
    if (!std::isfinite(value.y())) {
        return;
    }
    const QPointF drawnAt =
        m_chart->mapToPosition(value, m_series[static_cast<std::size_t>(series)]->first());
    const double distance =
        std::hypot(drawnAt.x() - chartPosition.x(), drawnAt.y() - chartPosition.y());
    if (!best.trace || distance < best.distancePx) {
        best = HoverHit{&trace, point, drawnAt, distance};
    }
}

// Above and to the right of the point, or wherever else it stays inside the plot area.
void QtChartControl::showValues(const HoverHit& hit) {
    const SweepPoint& point = hit.trace->record.points[hit.point];
    m_hovered = TracePoint{hit.trace->name, point, hit.trace->record.plane};
    QColor nameInk(Qt::black);
    for (const MemoryLines& memory : m_memories) {
        if (hit.trace == &memory.trace) {
            nameInk = memory.colour;
        }
    }
    QList<ChartTextBox::Line> lines;
    for (const QString& line :
         QString::fromStdString(pointValuesText(point, hit.trace->name)).split('\n')) {
        lines.append({line, lines.isEmpty() ? nameInk : QColor(Qt::black)});
    }
    m_valuesBox->setLines(lines);
    const QRectF area = m_chart->plotArea();
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
    m_hoverDot->setPos(hit.chartPosition);
    m_hoverDot->show();
}

void QtChartControl::hideValues() {
    m_hovered.reset();
    if (m_valuesBox) {
        m_valuesBox->setLines({});
        m_hoverDot->hide();
    }
}

QString QtChartControl::shownValues() const {
    return m_valuesBox->isVisible() ? m_valuesBox->text() : QString();
}

QPointF QtChartControl::viewPositionOf(int series, QPointF value) const {
    const QPointF inChart = m_chart->mapToPosition(value, this->series(series));
    return m_view->mapFromScene(m_chart->mapToScene(inChart));
}

}  // namespace zm
