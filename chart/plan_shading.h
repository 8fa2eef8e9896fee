// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

#include "bandplan/band_plan.h"
#include "chart/band_shading.h"

class QAbstractSeries;
class QCategoryAxis;
class QChart;
class QGraphicsRectItem;

namespace zm {

class FrequencyPositions;

// What lies outside the band plan, shaded: one light grey rectangle a stretch of the
// frequency axis, the plot area's height, that the grid lines and every curve show through,
// placed anew whenever the axis or the plot area changes.
class PlanShading {
public:
    explicit PlanShading(QChart& chart);

    // Where the band plan lets a carrier go, in Hz, rising.
    void setInsideStretches(const std::vector<BandSegment>& insideHz);
    void markStale() { m_stale = true; }
    bool isStale() const { return m_stale; }
    // At the grid's frequencies along the axis; `mapping` is a series on that axis.
    void draw(const FrequencyPositions& positions, const QCategoryAxis& axis,
              QAbstractSeries* mapping);
    // The shaded stretches of the frequency axis, in chart values, as last drawn.
    const std::vector<AxisStretch>& stretches() const { return m_shaded; }

private:
    QChart& m_chart;
    std::vector<BandSegment> m_insideHz;
    std::vector<AxisStretch> m_shaded;
    std::vector<QGraphicsRectItem*> m_shades;  // items of the chart, owned by it
    bool m_stale = false;
};

}  // namespace zm
