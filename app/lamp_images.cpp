// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/lamp_images.h"

#include <QColor>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>

namespace zm {
namespace {

struct LampShades {
    QColor highlight;
    QColor body;
    QColor rim;
};

LampShades shadesOf(LampColour colour) {
    if (colour == LampColour::Green) {
        return {QColor(200, 255, 200), QColor(0, 205, 0), QColor(0, 80, 0)};
    }
    return {QColor(255, 205, 205), QColor(225, 0, 0), QColor(100, 0, 0)};
}

// One curve of the icon in its 100 x 53 drawing space, sampled across the plot from left
// to right. t is the distance from resonance (the middle of the plot) in half-widths.
template <typename Shape>
QPolygonF curve(Shape heightAt) {
    QPolygonF points;
    for (double x = 9.0; x <= 93.0; x += 1.0) {
        points << QPointF(x, heightAt((x - 50.0) / 14.0));
    }
    return points;
}

}  // namespace

QImage lampImage(LampColour colour, double scale) {
    const int sizePx = static_cast<int>(std::lround(kLampSizePx * scale));
    QImage image(sizePx, sizePx, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const LampShades shades = shadesOf(colour);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(sizePx / double(kLampSizePx), sizePx / double(kLampSizePx));
    // Light from the upper left: the bright spot sits off centre, the rim stays dark.
    QRadialGradient gradient(QPointF(7.5, 7.5), 7.0, QPointF(5.5, 5.0));
    gradient.setColorAt(0.0, shades.highlight);
    gradient.setColorAt(0.45, shades.body);
    gradient.setColorAt(1.0, shades.rim);
    painter.setPen(QPen(shades.rim, 1.0));
    painter.setBrush(gradient);
    painter.drawEllipse(QRectF(1.0, 1.0, 13.0, 13.0));
    return image;
}

QImage chartIconImage(int widthPx, int heightPx) {
    QImage image(widthPx, heightPx, QImage::Format_RGB32);
    image.fill(QColor(48, 64, 96));

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(widthPx / double(kWindowIconWidthPx), heightPx / double(kWindowIconHeightPx));

    const QRectF panel(4, 4, 92, 45);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 250, 240));
    painter.drawRect(panel);

    painter.setPen(QPen(QColor(190, 200, 210), 0.8));
    for (int x = 16; x < 96; x += 12) {
        painter.drawLine(QPointF(x, 6), QPointF(x, 47));
    }
    for (int y = 13; y < 49; y += 9) {
        painter.drawLine(QPointF(8, y), QPointF(94, y));
    }
    painter.setPen(QPen(QColor(20, 20, 20), 1.4));
    painter.drawLine(QPointF(8, 6), QPointF(8, 46));
    painter.drawLine(QPointF(8, 46), QPointF(94, 46));

    painter.setBrush(Qt::NoBrush);
    const auto stroke = [&painter](QColor colour, const QPolygonF& points) {
        painter.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(points);
    };
    // Around resonance the SWR dips to a match, R peaks and X swings through zero.
    stroke(QColor(0, 0, 230), curve([](double t) { return 44.0 - 34.0 * t * t / (1.0 + t * t); }));
    stroke(QColor(230, 0, 0), curve([](double t) { return 40.0 - 24.0 / (1.0 + t * t); }));
    stroke(QColor(0, 170, 0), curve([](double t) { return 27.0 - 14.0 * std::tanh(t); }));
    return image;
}

QImage windowIconImage() {
    return chartIconImage(kWindowIconWidthPx, kWindowIconHeightPx);
}

QImage squareIconImage(int sizePx) {
    QImage image(sizePx, sizePx, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const int heightPx = sizePx * kWindowIconHeightPx / kWindowIconWidthPx;
    QPainter painter(&image);
    painter.drawImage(QPoint(0, (sizePx - heightPx) / 2), chartIconImage(sizePx, heightPx));
    return image;
}

}  // namespace zm
