// SPDX-License-Identifier: GPL-3.0-or-later
// The band plan side of QtChartControl: what lies outside the plan shaded, and the notice
// above the plot, with what the sweep's record says of its points beyond the feedline's loss.
#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsRectItem>
#include <QLineSeries>

#include "chart/qt_chart_control.h"
#include "feedline/reading_plane.h"

namespace zm {

namespace {

// Outside the band plan: a light grey that the grid lines and every curve show through.
const QColor kShadeColour(128, 128, 128, 48);
// Qt Charts stacks the plot area's background at 0 and its grid, axes and series from 2 up.
constexpr qreal kShadeZ = 1.0;
// The chart's margins and the title's own, either side.
constexpr qreal kNoticeMarginPx = 24.0;

}  // namespace

void QtChartControl::setInsideStretches(const std::vector<BandSegment>& insideHz) {
    m_insideHz = insideHz;
    m_shadingPending = true;
    paintSoon();
}

void QtChartControl::setNotice(std::string_view notice) {
    m_notice = notice;
    showNotice();
}

void QtChartControl::showNotice() {
    const std::string beyond = beyondLossNotice(m_sweep.record);
    m_noticeText = QString::fromStdString(
        m_notice.empty() || beyond.empty() ? m_notice + beyond : m_notice + " " + beyond);
    wrapNotice(m_chart->size().width());
}

QString QtChartControl::notice() const {
    return m_noticeText;
}

QString QtChartControl::noticeAsDrawn() const {
    return m_chart->title();
}

// Qt Charts cuts a title wider than the chart ("...they are not keyed. Keyed ..."), and reads
// it as rich text: the notice's words go into lines that fit, each escaped, "<br>" between.
void QtChartControl::wrapNotice(qreal chartWidthPx) {
    const QFontMetricsF metrics(m_chart->titleFont());
    const qreal widthPx = chartWidthPx - kNoticeMarginPx;
    QStringList lines;
    for (const QString& paragraph : m_noticeText.split('\n')) {
        QString line;
        for (const QString& word : paragraph.split(' ', Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + ' ' + word;
            if (!line.isEmpty() && widthPx > 0 && metrics.horizontalAdvance(longer) > widthPx) {
                lines << line.toHtmlEscaped();
                line = word;
            } else {
                line = longer;
            }
        }
        lines << line.toHtmlEscaped();
    }
    m_chart->setTitle(m_noticeText.isEmpty() ? QString() : lines.join("<br>"));
}

// One rectangle a stretch, the plot area's height, placed anew whenever the axis or the
// plot area changes.
void QtChartControl::drawShading() {
    m_shadingPending = false;
    m_shaded = zm::shadedStretches(m_insideHz, m_positions, m_frequencyAxis->min(),
                                   m_frequencyAxis->max());
    while (m_shades.size() < m_shaded.size()) {
        auto* shade = new QGraphicsRectItem(m_chart);
        shade->setPen(Qt::NoPen);
        shade->setBrush(kShadeColour);
        shade->setZValue(kShadeZ);
        m_shades.push_back(shade);
    }
    const QRectF area = m_chart->plotArea();
    QLineSeries* mapping = m_series[0]->first();
    for (std::size_t i = 0; i < m_shades.size(); ++i) {
        m_shades[i]->setVisible(i < m_shaded.size());
        if (i < m_shaded.size()) {
            const qreal left = m_chart->mapToPosition(QPointF(m_shaded[i].from, 0), mapping).x();
            const qreal right = m_chart->mapToPosition(QPointF(m_shaded[i].to, 0), mapping).x();
            m_shades[i]->setRect(QRectF(left, area.top(), right - left, area.height()));
        }
    }
}

}  // namespace zm
