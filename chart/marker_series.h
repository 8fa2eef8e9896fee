// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QList>
#include <QPointF>

class QChart;
class QScatterSeries;

namespace zm {

class ChartAxes;

// The markers of one trace, white circles ringed in its ink: the SWR minimum and the 2:1
// band's edges against the left axis, the resonances against the right one. Their series
// belong to the chart.
struct MarkerSeries {
    QScatterSeries* swr = nullptr;
    QScatterSeries* resonance = nullptr;

    static MarkerSeries add(ChartAxes& axes, const QColor& ink);
    // Takes them off the chart and puts them back, above every other series.
    void raise(QChart& chart, ChartAxes& axes) const;
    // Takes them off the chart for good and deletes them.
    void remove(QChart& chart) const;
    void replace(const QList<QPointF>& swrPoints, const QList<QPointF>& resonancePoints) const;
    QList<QPointF> points() const;  // the SWR ones, then the resonances
};

}  // namespace zm
