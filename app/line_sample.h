// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QWidget>

namespace zm {

// One colour sample of the legend strip: a bar of solid colour, as thick as the widget is
// high, showing the line colour of one chart series.
class LineSample : public QWidget {
    Q_OBJECT

public:
    explicit LineSample(QColor colour, QWidget* parent = nullptr);
    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
};

}  // namespace zm
