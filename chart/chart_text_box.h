// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QGraphicsItem>
#include <QList>
#include <QString>

namespace zm {

// A small box of text lines on the chart, each line in its own colour, on a white ground
// with a thin grey frame: the marker labels and the values shown on hover.
class ChartTextBox : public QGraphicsItem {
public:
    struct Line {
        QString text;
        QColor colour;
    };

    explicit ChartTextBox(QGraphicsItem* parent = nullptr);

    void setLines(QList<Line> lines);
    QString text() const;  // the lines joined by "\n"; empty when there are none
    QSizeF size() const { return m_size; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QList<Line> m_lines;
    QFont m_font;
    QSizeF m_size;
};

}  // namespace zm
