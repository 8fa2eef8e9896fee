// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/trace_line.h"

#include <QChart>
#include <QLineSeries>

namespace zm {

namespace {

// A lone point stands out from a line of the same pen.
constexpr qreal kDotsPerLineWidth = 3.5;

}  // namespace

TraceLine::TraceLine(QChart& chart, const QPen& pen, QAbstractAxis* xAxis, QAbstractAxis* yAxis)
    : m_chart(chart), m_pen(pen), m_xAxis(xAxis), m_yAxis(yAxis) {
    addPiece();
}

void TraceLine::remove() {
    for (QLineSeries* piece : m_pieces) {
        m_chart.removeSeries(piece);
        delete piece;
    }
    m_pieces.clear();
}

QLineSeries* TraceLine::addPiece() {
    auto* piece = new QLineSeries;
    piece->setPen(m_pen);
    piece->setColor(m_pen.color());
    piece->setMarkerSize(kDotsPerLineWidth * m_pen.widthF());
    attach(piece);
    piece->setVisible(m_visible);
    m_pieces.push_back(piece);
    return piece;
}

void TraceLine::attach(QLineSeries* piece) {
    m_chart.addSeries(piece);
    piece->attachAxis(m_xAxis);
    piece->attachAxis(m_yAxis);
}

// The pieces are kept for the next drawing, which during a sweep is one point longer.
void TraceLine::draw(const std::vector<std::vector<DrawnPoint>>& runs) {
    while (m_pieces.size() < runs.size()) {
        addPiece();
    }
    for (std::size_t i = 0; i < m_pieces.size(); ++i) {
        QList<QPointF> points;
        if (i < runs.size()) {
            points.reserve(static_cast<qsizetype>(runs[i].size()));
            for (const DrawnPoint& point : runs[i]) {
                points.append(QPointF(point.x, point.y));
            }
        }
        m_pieces[i]->setPointsVisible(points.size() == 1);
        m_pieces[i]->replace(points);
    }
}

void TraceLine::setVisible(bool visible) {
    m_visible = visible;
    for (QLineSeries* piece : m_pieces) {
        piece->setVisible(visible);
    }
}

void TraceLine::raise() {
    for (QLineSeries* piece : m_pieces) {
        m_chart.removeSeries(piece);
        attach(piece);
    }
}

QList<QPointF> TraceLine::points() const {
    QList<QPointF> points;
    for (const QLineSeries* piece : m_pieces) {
        points += piece->points();
    }
    return points;
}

}  // namespace zm
