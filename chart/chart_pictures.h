// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <functional>

#include "chart/chart_picture.h"

class QChart;
class QPainter;

namespace zm {

class ChartHover;
class MemoryCurves;
class SweepCurves;

// The chart drawn afresh for a picture: laid out at the picture's size (its texts, the
// frequency labels that size has room for, the marker box where it hides nothing there),
// rendered without the hover, then laid out again as the window shows it.
class ChartPictures {
public:
    // How the chart lays itself out at a size, its frequency labels for a width in pixels.
    using LayOut = std::function<void(QSizeF size, double labelWidthPx)>;

    ChartPictures(QChart& chart, ChartHover& hover);

    void paint(QPainter& painter, const QRectF& area, const LayOut& layOut,
               double shownLabelWidthPx);
    // The series shown in the legend strip's order (R, X, Z, Phase, SWR, RHO), then the
    // memories shown, dashed.
    static QList<LegendEntry> legend(const SweepCurves& sweep, const MemoryCurves& memories);

private:
    QChart& m_chart;
    ChartHover& m_hover;
};

}  // namespace zm
