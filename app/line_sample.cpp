// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/line_sample.h"

#include <QPainter>

namespace zm {

LineSample::LineSample(QColor colour, QWidget* parent) : QWidget(parent), m_colour(colour) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LineSample::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_colour);
}

}  // namespace zm
