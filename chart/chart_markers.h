// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <string>
#include <vector>

#include "chart/chart_control.h"
#include "chart/marker_box.h"
#include "chart/marker_series.h"

class QChart;

namespace zm {

class ChartAxes;
class MemoryCurves;
class SweepCurves;

// What the core finds in the sweep and in each memory shown, within the sweep's span, marked
// on the chart and said in the marker box: the SWR minimum and the 2:1 band while SWR is
// shown, the resonances while X or the phase is. The sweep gets every marker line, a memory
// one line, its name and first marker, which is also its legend. What the box says is the
// chart's description for a screen reader too.
class ChartMarkers {
public:
    ChartMarkers(QChart& chart, ChartAxes& axes, const SweepCurves& sweep,
                 const MemoryCurves& memories);

    void markStale() { m_stale = true; }
    bool isStale() const { return m_stale; }
    // Marks every trace and fills the box; returns what a screen reader is to say of them.
    QString draw();
    // Puts the box in its place; true when the chart's layout is to be done again.
    bool placeBox() { return m_box.place(); }
    void raise();  // the sweep's above every memory's
    // The sweep first when it has a reading, then the memories shown, in their order.
    std::vector<TraceFeatures> features() const;

    // The markers of the sweep (trace 0) or of a memory shown (trace 1 on), in chart values.
    QList<QPointF> points(std::size_t trace) const;
    QString boxText() const { return m_box.text(); }
    QRectF boxArea() const { return m_box.area(); }  // in the chart's coordinates

private:
    std::vector<std::string> mark(const SweepRecord& record, const MarkerSeries& markers);
    SweepFeatures featuresInSpan(const SweepRecord& record) const;

    QChart& m_chart;
    ChartAxes& m_axes;
    const SweepCurves& m_sweep;
    const MemoryCurves& m_memories;
    MarkerSeries m_sweepMarkers;
    MarkerBox m_box;
    bool m_stale = false;
};

}  // namespace zm
