// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/chart_picture.h"

#include <QAction>
#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgGenerator>
#include <QWidget>
#include <cmath>

namespace zm {

namespace {

constexpr double kInchesPerMetre = 39.37;
constexpr qreal kPaddingPx = 8.0;
constexpr qreal kSampleLengthPx = 28.0;  // a legend entry's line, long enough for a dash
constexpr qreal kEntryGapPx = 18.0;
constexpr qreal kTitlePoints = 11.0;
constexpr qreal kLegendPoints = 9.0;
const QColor kTextInk(20, 20, 20);

// The legend's entries in rows across the width, as many to a row as fit; the rows' height.
qreal paintLegend(QPainter& painter, const QRectF& area, const QList<LegendEntry>& legend) {
    if (legend.isEmpty()) {
        return 0.0;
    }
    QFont font = painter.font();
    font.setPointSizeF(kLegendPoints);
    font.setBold(false);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const qreal rowHeight = metrics.height() + 4.0;
    QPointF at = area.topLeft();
    for (const LegendEntry& entry : legend) {
        const qreal width = kSampleLengthPx + 6.0 + metrics.horizontalAdvance(entry.name);
        if (at.x() > area.left() && at.x() + width > area.right()) {
            at = QPointF(area.left(), at.y() + rowHeight);
        }
        const qreal middle = at.y() + rowHeight / 2.0;
        painter.setPen(QPen(entry.colour, 2.0, entry.style, Qt::FlatCap));
        painter.drawLine(QPointF(at.x(), middle), QPointF(at.x() + kSampleLengthPx, middle));
        painter.setPen(kTextInk);
        painter.drawText(QPointF(at.x() + kSampleLengthPx + 6.0,
                                 middle + (metrics.ascent() - metrics.descent()) / 2.0),
                         entry.name);
        at.rx() += width + kEntryGapPx;
    }
    return at.y() + rowHeight - area.top();
}

}  // namespace

int pictureDotsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? int(std::lround(screen->logicalDotsPerInchY())) : 96;
}

void paintFramedPicture(QPainter& painter, const QRectF& area, ChartPicture& chart,
                        const QString& title) {
    painter.save();
    painter.fillRect(area, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF inside = area.adjusted(kPaddingPx, kPaddingPx, -kPaddingPx, -kPaddingPx);
    qreal top = inside.top();
    if (!title.isEmpty()) {
        QFont font = painter.font();
        font.setPointSizeF(kTitlePoints);
        font.setBold(true);
        painter.setFont(font);
        const QFontMetricsF metrics(font);
        painter.setPen(kTextInk);
        const QString shown = metrics.elidedText(title, Qt::ElideRight, inside.width());
        painter.drawText(QPointF(inside.left(), top + metrics.ascent()), shown);
        top += metrics.height() + 4.0;
    }
    top += paintLegend(painter, QRectF(inside.left(), top, inside.width(), inside.bottom() - top),
                       chart.legend());
    painter.restore();
    const QRectF chartArea(area.left(), top + 2.0, area.width(), area.bottom() - top - 2.0);
    if (chartArea.height() > 0.0) {
        painter.save();
        chart.paintPicture(painter, chartArea);
        painter.restore();
    }
}

QImage pictureImage(ChartPicture& chart, const QString& title, QSize sizePx) {
    QImage image(sizePx, QImage::Format_RGB32);
    const int dotsPerMetre = int(std::lround(pictureDotsPerInch() * kInchesPerMetre));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(kPictureScale, kPictureScale);
    paintFramedPicture(painter, QRectF(QPointF(0, 0), QSizeF(sizePx) / kPictureScale), chart,
                       title);
    return image;
}

QByteArray picturePng(ChartPicture& chart, const QString& title, QSize sizePx) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    pictureImage(chart, title, sizePx).save(&buffer, "PNG");
    return bytes;
}

QByteArray pictureSvg(ChartPicture& chart, const QString& title, QSize sizePx) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(sizePx);
    svg.setViewBox(QRect(QPoint(0, 0), sizePx));
    svg.setResolution(pictureDotsPerInch());
    svg.setTitle(title);
    QPainter painter(&svg);
    painter.scale(kPictureScale, kPictureScale);
    paintFramedPicture(painter, QRectF(QPointF(0, 0), QSizeF(sizePx) / kPictureScale), chart,
                       title);
    painter.end();
    return bytes;
}

void paintWidgetPicture(QWidget& widget, QPainter& painter, const QRectF& area) {
    const QSizeF shown = widget.size();
    const qreal scale = std::min(area.width() / shown.width(), area.height() / shown.height());
    painter.translate(area.center() - QPointF(shown.width(), shown.height()) * scale / 2.0);
    painter.scale(scale, scale);
    widget.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
}

PictureActions makePictureActions(QWidget* owner) {
    PictureActions actions;
    actions.copyImage = new QAction(QStringLiteral("Copy image"), owner);
    actions.saveImage = new QAction(QStringLiteral("Save image..."), owner);
    return actions;
}

}  // namespace zm
