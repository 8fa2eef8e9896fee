// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/memory_curves.h"

#include <QChart>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "chart/chart_axes.h"
#include "chart/memory_colours.h"
#include "chart/sweep_curves.h"

namespace zm {

namespace {

constexpr qreal kMemoryLineWidthPx = 1.5;

}  // namespace

MemoryCurves::MemoryCurves(QChart& chart, ChartAxes& axes, const SweepCurves& sweep)
    : m_chart(chart), m_axes(axes), m_sweep(sweep) {}

void MemoryCurves::set(const std::vector<Memory>& memories) {
    for (Drawn& memory : m_memories) {
        for (const std::unique_ptr<TraceLine>& line : memory.lines) {
            line->remove();
        }
        memory.markers.remove(m_chart);
    }
    m_memories.clear();
    for (const Memory& memory : memories) {
        if (!memory.shown) {
            continue;
        }
        Drawn drawn{memory.record, memory.name, memoryColour(memory.colour), {}, {}, {}};
        for (int series = 1; series <= kSeriesCount; ++series) {
            const Qt::PenStyle style =
                axisOf(series) == AxisId::Y2 ? Qt::DashDotLine : Qt::DashLine;
            auto line = m_axes.addLine(QPen(drawn.colour, kMemoryLineWidthPx, style), series);
            line->setVisible(m_sweep.isShown(series));
            drawn.lines[static_cast<std::size_t>(series - 1)] = std::move(line);
        }
        drawn.markers = MarkerSeries::add(m_axes, drawn.colour);
        m_memories.push_back(std::move(drawn));
    }
    replace();
}

void MemoryCurves::replace() {
    for (Drawn& memory : m_memories) {
        for (int series = 1; series <= kSeriesCount; ++series) {
            memory.span[static_cast<std::size_t>(series - 1)] = spanPointsOf(memory.record, series);
        }
    }
}

void MemoryCurves::setShown(int series, bool shown) {
    for (Drawn& memory : m_memories) {
        memory.lines[static_cast<std::size_t>(series - 1)]->setVisible(shown);
    }
}

void MemoryCurves::redrawOnAxis(AxisId axis) {
    for (Drawn& memory : m_memories) {
        for (int series = 1; series <= kSeriesCount; ++series) {
            if (axisOf(series) == axis) {
                memory.span[static_cast<std::size_t>(series - 1)].pending = true;
            }
        }
    }
}

void MemoryCurves::drawPending() {
    for (Drawn& memory : m_memories) {
        for (std::size_t index = 0; index < memory.span.size(); ++index) {
            SpanPoints& span = memory.span[index];
            if (span.pending && memory.lines[index]->isVisible()) {
                memory.lines[index]->draw(m_axes.heldNear(span.runs, static_cast<int>(index) + 1));
                span.pending = false;
            }
        }
    }
}

// The memories' parts inside the sweep's span count, so that none is cut off.
void MemoryCurves::widen(int series, double& lowest, double& highest) const {
    for (const Drawn& memory : m_memories) {
        const SpanPoints& span = memory.span[static_cast<std::size_t>(series - 1)];
        lowest = std::min(lowest, span.lowest);
        highest = std::max(highest, span.highest);
    }
}

QList<QPointF> MemoryCurves::points(std::size_t memory, int series) const {
    if (series < 1 || series > kSeriesCount) {
        throw std::out_of_range("chart: no series " + std::to_string(series));
    }
    return m_memories.at(memory).lines[static_cast<std::size_t>(series - 1)]->points();
}

// Its points without a reading break the line as the sweep's do.
MemoryCurves::SpanPoints MemoryCurves::spanPointsOf(const SweepRecord& record, int series) const {
    const FrequencyPositions& positions = m_sweep.positions();
    SpanPoints span;
    span.pending = true;
    std::vector<CurvePoint> all;
    for (const SweepPoint& point : record.points) {
        const auto position = positions.positionOf(static_cast<double>(point.frequencyHz));
        const double value =
            point.reading ? seriesValue(*point.reading, series, record.plane) : NAN;
        if (position && (std::isfinite(value) || !point.reading)) {
            all.push_back({*position, value, curveRunsAcross(point.skipped)});
        }
    }
    const double last = positions.rows() - 1.0;
    std::vector<CurvePoint> kept;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const double x = all[i].position;
        const bool inside = x >= 0.0 && x <= last;
        const bool leadsIn = i + 1 < all.size() && x < 0.0 && all[i + 1].position >= 0.0;
        const bool leadsOut = i > 0 && x > last && all[i - 1].position <= last;
        if (inside && std::isfinite(all[i].value)) {
            span.lowest = std::min(span.lowest, all[i].value);
            span.highest = std::max(span.highest, all[i].value);
        }
        if (inside || leadsIn || leadsOut) {
            kept.push_back(all[i]);
        }
    }
    span.runs = curveRuns(kept, SweepCurves::kDecimateBuckets);
    return span;
}

}  // namespace zm
