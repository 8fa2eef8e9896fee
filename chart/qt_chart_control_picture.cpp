// SPDX-License-Identifier: GPL-3.0-or-later
// The picture side of QtChartControl: the chart laid out afresh at a picture's size.
#include <QChart>
#include <QChartView>
#include <QGraphicsEllipseItem>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>

#include "chart/marker_box.h"
#include "chart/qt_chart_control.h"

namespace zm {

namespace {

// The legend strip's order: phase stands before SWR.
constexpr std::array<int, QtChartControl::kSeriesCount> kLegendOrder{1, 2, 3, 5, 4, 6};

}  // namespace

// The same items at another size: the axes, the frequency labels that size has room for,
// the marker box where it hides least there. The hover is left out.
void QtChartControl::paintPicture(QPainter& painter, const QRectF& area) {
    if (!m_view || area.isEmpty()) {
        return;
    }
    drawPendingData();
    const QSizeF shownSize = m_chart->size();
    const bool valuesShown = m_valuesBox->isVisible();
    const bool dotShown = m_hoverDot->isVisible();
    m_valuesBox->hide();
    m_hoverDot->hide();
    layOut(area.size(), area.width());
    m_chart->scene()->render(&painter, area, QRectF(m_chart->scenePos(), area.size()),
                             Qt::IgnoreAspectRatio);
    layOut(shownSize, shownWidthPx());
    m_valuesBox->setVisible(valuesShown);
    m_hoverDot->setVisible(dotShown);
}

// The frequency labels take the view's width on screen, where the chart may not have
// been laid out yet.
void QtChartControl::layOut(QSizeF size, double labelWidthPx) {
    m_chart->resize(size);
    wrapNotice(size.width());
    drawFrequencyLabels(static_cast<int>(labelWidthPx));
    activateLayout();
    if (m_markerBox->place()) {
        activateLayout();
    }
}

QList<LegendEntry> QtChartControl::legend() const {
    QList<LegendEntry> entries;
    for (const int series : kLegendOrder) {
        if (m_series[static_cast<std::size_t>(series - 1)]->isVisible()) {
            entries.append({QString::fromLatin1(kSeriesNames[static_cast<std::size_t>(series - 1)]),
                            seriesColour(series), Qt::SolidLine});
        }
    }
    for (const MemoryLines& memory : m_memories) {
        entries.append({QString::fromStdString(memory.trace.name), memory.colour, Qt::DashLine});
    }
    return entries;
}

}  // namespace zm
