// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "chart/chart_text_box.h"
#include "chart/label_placement.h"

class QChart;

namespace zm {

// What the markers say, in a box on the chart that hides none of its curves: in a corner or
// at an edge of the plot area that the curves and markers leave free, or else in a band of
// its own under the frequency axis, its lines in as many columns as the width takes. The
// band takes no more of the plot's height than leaves each value label its line.
//
// The sweep's lines come first, then a memory's line each; the memories beyond the fourth
// share one line ("+3 memories"), and more of them do where the band has no room.
class MarkerBox {
public:
    static constexpr qsizetype kMostMemoryLines = 4;

    explicit MarkerBox(QChart& chart);

    void setLines(QList<ChartTextBox::Line> sweep, QList<ChartTextBox::Line> memories);
    // Puts the box in its place for the chart as laid out now; true when the band changed
    // and with it the chart's layout, which is then to be done again.
    bool place();

    QString text() const { return m_box->text(); }  // its lines, "\n" between them
    // Where it stands, in the chart's coordinates; empty when it has no line.
    QRectF area() const;

private:
    QList<ChartTextBox::Line> linesWith(qsizetype memoryLines) const;
    std::optional<QPointF> freePlaceInside(const QRectF& whole) const;
    std::vector<Polyline> drawnCurves(const QRectF& whole) const;
    qreal bandRoom(const QRectF& whole) const;
    bool setBand(qreal heightPx);

    QChart& m_chart;
    ChartTextBox* m_box;  // an item of the chart, owned by it
    QList<ChartTextBox::Line> m_sweepLines;
    QList<ChartTextBox::Line> m_memoryLines;
    int m_bandPx = 0;  // the chart's bottom margin beyond its own
};

// "+1 memory", "+3 memories": the line of the memories that have none of their own.
QString moreMemoriesLine(qsizetype memories);

}  // namespace zm
