// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/chart_text_box.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace zm {

namespace {

constexpr qreal kPaddingPx = 4.0;
constexpr qreal kFontPoints = 8.0;  // the axes' size

}  // namespace

ChartTextBox::ChartTextBox(QGraphicsItem* parent) : QGraphicsItem(parent) {
    m_font.setPointSizeF(kFontPoints);
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptHoverEvents(false);
}

void ChartTextBox::setLines(QList<Line> lines) {
    prepareGeometryChange();
    m_lines = std::move(lines);
    const QFontMetricsF metrics(m_font);
    qreal width = 0.0;
    for (const Line& line : m_lines) {
        width = std::max(width, metrics.horizontalAdvance(line.text));
    }
    m_size = m_lines.isEmpty() ? QSizeF()
                               : QSizeF(width + 2 * kPaddingPx,
                                        metrics.height() * m_lines.size() + 2 * kPaddingPx);
    setVisible(!m_lines.isEmpty());
}

QString ChartTextBox::text() const {
    QStringList texts;
    for (const Line& line : m_lines) {
        texts.append(line.text);
    }
    return texts.join('\n');
}

QRectF ChartTextBox::boundingRect() const {
    return QRectF(QPointF(0, 0), m_size);
}

void ChartTextBox::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->setPen(QPen(QColor(160, 160, 160), 1.0));
    painter->setBrush(QColor(255, 255, 255, 235));
    painter->drawRect(boundingRect().adjusted(0.5, 0.5, -0.5, -0.5));
    painter->setFont(m_font);
    const QFontMetricsF metrics(m_font);
    qreal baseline = kPaddingPx + metrics.ascent();
    for (const Line& line : m_lines) {
        painter->setPen(line.colour);
        painter->drawText(QPointF(kPaddingPx, baseline), line.text);
        baseline += metrics.height();
    }
}

}  // namespace zm
