// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QPen>
#include <QPointF>
#include <vector>

#include "chart/curve_runs.h"

class QAbstractAxis;
class QChart;
class QLineSeries;

namespace zm {

// One curve of the chart, drawn run by run as curveRuns cuts it: a line series through each
// run of two or more points, and a dot for a run of one. Its series share the pen, the two
// axes and the visibility; the first one is always there, for the pen, the axes and the
// mapping of values to places. The series belong to the chart, and stay on it until removed.
class TraceLine {
public:
    TraceLine(QChart& chart, const QPen& pen, QAbstractAxis* xAxis, QAbstractAxis* yAxis);
    TraceLine(const TraceLine&) = delete;
    TraceLine& operator=(const TraceLine&) = delete;

    void draw(const std::vector<std::vector<DrawnPoint>>& runs);
    void setVisible(bool visible);
    bool isVisible() const { return m_visible; }
    // Takes its series off the chart and puts them back, above every other series.
    void raise();
    // Takes its series off the chart for good and deletes them.
    void remove();

    QLineSeries* first() const { return m_pieces.front(); }
    // Every point drawn, run after run.
    QList<QPointF> points() const;

private:
    QLineSeries* addPiece();
    void attach(QLineSeries* piece);

    QChart& m_chart;
    QPen m_pen;
    QAbstractAxis* m_xAxis;
    QAbstractAxis* m_yAxis;
    bool m_visible = true;
    std::vector<QLineSeries*> m_pieces;  // owned by the chart
};

}  // namespace zm
