// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/chart_text_box.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace zm {

namespace {

constexpr qreal kPaddingPx = 4.0;
constexpr qreal kColumnGapPx = 14.0;
constexpr qreal kFontPoints = 8.0;  // the axes' size

}  // namespace

// The family is named rather than left to the painter: on screen it would take the view's
// (the window's Arial), in a picture the application's, and the lines measured in one and
// drawn in the other ran past the frame.
ChartTextBox::ChartTextBox(QGraphicsItem* parent) : QGraphicsItem(parent) {
    m_font.setPointSizeF(kFontPoints);
    m_font.setFamily(QFontInfo(m_font).family());
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptHoverEvents(false);
}

void ChartTextBox::setLines(QList<Line> lines) {
    m_lines = std::move(lines);
    layOut();
}

void ChartTextBox::setWidthLimit(qreal widthPx) {
    if (widthPx != m_widthLimit) {
        m_widthLimit = widthPx;
        layOut();
    }
}

// The most columns whose widths fit the limit: each column as wide as its widest line.
void ChartTextBox::layOut() {
    prepareGeometryChange();
    const QFontMetricsF metrics(m_font);
    const bool limited = m_widthLimit < kAnyWidth;
    const qreal room = std::max(m_widthLimit - 2 * kPaddingPx, qreal(1));
    m_shown.clear();
    std::vector<qreal> widths;
    for (const Line& line : m_lines) {
        m_shown.append(limited ? metrics.elidedText(line.text, Qt::ElideRight, room) : line.text);
        widths.push_back(metrics.horizontalAdvance(m_shown.back()));
    }
    const int count = static_cast<int>(m_lines.size());
    m_rows = count;
    std::vector<qreal> lefts{0.0};
    qreal width = count == 0 ? 0.0 : *std::max_element(widths.begin(), widths.end());
    for (int rows = count - 1; rows >= 1 && limited; --rows) {
        std::vector<qreal> tried{0.0};
        qreal right = 0.0;
        for (int first = 0; first < count; first += rows) {
            const auto from = widths.begin() + first;
            const qreal widest = *std::max_element(from, from + std::min(rows, count - first));
            right = tried.back() + widest;
            tried.push_back(right + kColumnGapPx);
        }
        if (right > room) {
            break;
        }
        m_rows = rows;
        lefts = tried;
        width = right;
    }
    lefts.pop_back();
    m_lefts = lefts.empty() ? std::vector<qreal>{0.0} : lefts;
    m_size = m_lines.isEmpty()
                 ? QSizeF()
                 : QSizeF(width + 2 * kPaddingPx, metrics.height() * m_rows + 2 * kPaddingPx);
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
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto column = static_cast<std::size_t>(i / m_rows);
        const qreal baseline = kPaddingPx + metrics.ascent() + metrics.height() * (i % m_rows);
        painter->setPen(m_lines[i].colour);
        painter->drawText(QPointF(kPaddingPx + m_lefts[column], baseline), m_shown[i]);
    }
}

}  // namespace zm
