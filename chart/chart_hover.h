// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <cstddef>
#include <optional>
#include <string_view>

#include "chart/chart_control.h"
#include "chart/memory_curves.h"

class QChart;
class QGraphicsEllipseItem;

namespace zm {

class ChartTextBox;
class SweepCurves;

// What hovering shows: the values of the point of any trace shown nearest to the mouse, in a
// box above and to the right of it (or wherever else it stays inside the plot area), the
// trace's name in its colour, and a ring on the point; nothing away from the plot area or
// any point. The point hovered as the context menu opens is the one its entries act on.
class ChartHover {
public:
    ChartHover(QChart& chart, const SweepCurves& sweep, const MemoryCurves& memories);

    void at(QPointF chartPosition);
    void hide();
    // The point hovered now becomes the menu's; none when there is none.
    const std::optional<TracePoint>& takeForMenu();
    const std::optional<TracePoint>& menuPoint() const { return m_menuPoint; }
    // A picture leaves the hover out and the window keeps it.
    bool isVisible() const;
    void setVisible(bool visible);
    QString shownValues() const;  // empty when nothing

private:
    // The point found: which trace, which of its points, where it is drawn.
    struct Hit {
        const SweepRecord* record = nullptr;
        std::string_view name;
        QColor ink;
        std::size_t point = 0;
        QPointF chartPosition;
        double distancePx = 0.0;
    };
    void findNearestSweepPoint(QPointF chartPosition, Hit& best) const;
    void findNearestMemoryPoint(const MemoryCurves::Drawn& memory, QPointF chartPosition,
                                Hit& best) const;
    void consider(const Hit& candidate, int series, QPointF value, QPointF chartPosition,
                  Hit& best) const;
    void show(const Hit& hit);

    QChart& m_chart;
    const SweepCurves& m_sweep;
    const MemoryCurves& m_memories;
    ChartTextBox* m_valuesBox;  // items of the chart, owned by it
    QGraphicsEllipseItem* m_dot;
    std::optional<TracePoint> m_hovered;
    std::optional<TracePoint> m_menuPoint;
};

}  // namespace zm
