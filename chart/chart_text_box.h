// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QGraphicsItem>
#include <QList>
#include <QString>
#include <limits>
#include <vector>

namespace zm {

// Above every series and axis item of the chart.
inline constexpr qreal kOverSeriesZ = 1000.0;

// A small box of text lines on the chart, each line in its own colour, on a white ground
// with a thin grey frame: the marker labels and the values shown on hover. Its lines stand
// in one column, or, within a width, in as few rows as that width takes, column by column.
class ChartTextBox : public QGraphicsItem {
public:
    struct Line {
        QString text;
        QColor colour;
    };
    static constexpr qreal kAnyWidth = std::numeric_limits<qreal>::infinity();

    explicit ChartTextBox(QGraphicsItem* parent = nullptr);

    void setLines(QList<Line> lines);
    // The widest the box may be: its lines go into columns, and a line wider than that
    // alone is cut short with "…". kAnyWidth: one column of whole lines.
    void setWidthLimit(qreal widthPx);
    QString text() const;  // the lines joined by "\n", whole; empty when there are none
    QSizeF size() const { return m_size; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void layOut();

    QList<Line> m_lines;
    QFont m_font;
    qreal m_widthLimit = kAnyWidth;
    QStringList m_shown;         // the lines as drawn, cut short where they must be
    std::vector<qreal> m_lefts;  // of each column
    int m_rows = 0;
    QSizeF m_size;
};

}  // namespace zm
