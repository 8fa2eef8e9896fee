// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/plan_shading.h"

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsRectItem>

#include "chart/trace_points.h"

namespace zm {

namespace {

const QColor kShadeColour(128, 128, 128, 48);
// Qt Charts stacks the plot area's background at 0 and its grid, axes and series from 2 up.
constexpr qreal kShadeZ = 1.0;

}  // namespace

PlanShading::PlanShading(QChart& chart) : m_chart(chart) {}

void PlanShading::setInsideStretches(const std::vector<BandSegment>& insideHz) {
    m_insideHz = insideHz;
    m_stale = true;
}

void PlanShading::draw(const FrequencyPositions& positions, const QCategoryAxis& axis,
                       QAbstractSeries* mapping) {
    m_stale = false;
    m_shaded = shadedStretches(m_insideHz, positions, axis.min(), axis.max());
    while (m_shades.size() < m_shaded.size()) {
        auto* shade = new QGraphicsRectItem(&m_chart);
        shade->setPen(Qt::NoPen);
        shade->setBrush(kShadeColour);
        shade->setZValue(kShadeZ);
        m_shades.push_back(shade);
    }
    const QRectF area = m_chart.plotArea();
    for (std::size_t i = 0; i < m_shades.size(); ++i) {
        m_shades[i]->setVisible(i < m_shaded.size());
        if (i < m_shaded.size()) {
            const qreal left = m_chart.mapToPosition(QPointF(m_shaded[i].from, 0), mapping).x();
            const qreal right = m_chart.mapToPosition(QPointF(m_shaded[i].to, 0), mapping).x();
            m_shades[i]->setRect(QRectF(left, area.top(), right - left, area.height()));
        }
    }
}

}  // namespace zm
