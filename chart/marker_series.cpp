// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/marker_series.h"

#include <QChart>
#include <QScatterSeries>

#include "chart/chart_axes.h"

namespace zm {

namespace {

constexpr qreal kMarkerSizePx = 8.0;

}  // namespace

MarkerSeries MarkerSeries::add(ChartAxes& axes, const QColor& ink) {
    MarkerSeries markers;
    for (const AxisId axis : {AxisId::Y, AxisId::Y2}) {
        auto* series = new QScatterSeries;
        series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        series->setMarkerSize(kMarkerSizePx);
        series->setColor(Qt::white);
        series->setBorderColor(ink);
        axes.attach(series, axis);
        (axis == AxisId::Y ? markers.swr : markers.resonance) = series;
    }
    return markers;
}

void MarkerSeries::raise(QChart& chart, ChartAxes& axes) const {
    for (QScatterSeries* series : {swr, resonance}) {
        chart.removeSeries(series);
        axes.attach(series, series == swr ? AxisId::Y : AxisId::Y2);
    }
}

void MarkerSeries::remove(QChart& chart) const {
    for (QScatterSeries* series : {swr, resonance}) {
        chart.removeSeries(series);
        delete series;
    }
}

void MarkerSeries::replace(const QList<QPointF>& swrPoints,
                           const QList<QPointF>& resonancePoints) const {
    swr->replace(swrPoints);
    resonance->replace(resonancePoints);
}

QList<QPointF> MarkerSeries::points() const {
    return swr->points() + resonance->points();
}

}  // namespace zm
