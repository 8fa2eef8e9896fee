// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/chart_pictures.h"

#include <QChart>
#include <QGraphicsScene>
#include <QPainter>
#include <array>

#include "chart/chart_hover.h"
#include "chart/chart_series.h"
#include "chart/memory_curves.h"
#include "chart/sweep_curves.h"

namespace zm {

namespace {

// The legend strip's order: phase stands before SWR.
constexpr std::array<int, kSeriesCount> kLegendOrder{1, 2, 3, 5, 4, 6};

}  // namespace

ChartPictures::ChartPictures(QChart& chart, ChartHover& hover) : m_chart(chart), m_hover(hover) {}

void ChartPictures::paint(QPainter& painter, const QRectF& area, const LayOut& layOut,
                          double shownLabelWidthPx) {
    const QSizeF shownSize = m_chart.size();
    const bool hoverShown = m_hover.isVisible();
    m_hover.setVisible(false);
    layOut(area.size(), area.width());
    m_chart.scene()->render(&painter, area, QRectF(m_chart.scenePos(), area.size()),
                            Qt::IgnoreAspectRatio);
    layOut(shownSize, shownLabelWidthPx);
    m_hover.setVisible(hoverShown);
}

QList<LegendEntry> ChartPictures::legend(const SweepCurves& sweep, const MemoryCurves& memories) {
    QList<LegendEntry> entries;
    for (const int series : kLegendOrder) {
        if (sweep.isShown(series)) {
            entries.append({QString::fromLatin1(kSeriesNames[static_cast<std::size_t>(series - 1)]),
                            seriesColour(series), Qt::SolidLine});
        }
    }
    for (const MemoryCurves::Drawn& memory : memories.shown()) {
        entries.append({QString::fromStdString(memory.name), memory.colour, Qt::DashLine});
    }
    return entries;
}

}  // namespace zm
