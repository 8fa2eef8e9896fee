// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/swr_panel.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <vector>

#include "numbers/number_text.h"

namespace zm {

namespace {

constexpr double kHzPerMHz = 1e6;
constexpr qreal kGapPx = 6.0;
constexpr qreal kLowestDotPx = 4.5;

const QColor kFrameInk(160, 160, 160);
const QColor kGridInk(225, 225, 225);
const QColor kLabelInk(80, 80, 80);
const QColor kMatchedShade(205, 238, 205);
const QColor kTwoToOneInk(0, 140, 60);
const QColor kCurveInk(0, 90, 170);
const QColor kLowestInk(200, 0, 0);
const QColor kLabelBackground(255, 255, 255, 210);

// The whole SWRs labelled on a scale up to `top`.
std::vector<double> scaleLabels(double top) {
    if (top <= 5.0) {
        std::vector<double> labels;
        for (double swr = 1.0; swr <= top; swr += 1.0) {
            labels.push_back(swr);
        }
        return labels;
    }
    return {1.0, 2.0, 4.0, 6.0, 8.0, 10.0};
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

SwrPanel::SwrPanel(std::string bandName, SweepRecord record, double swrTop, Zoom zoom,
                   QWidget* parent)
    : QWidget(parent),
      m_bandName(std::move(bandName)),
      m_record(std::move(record)),
      m_features(findFeatures(m_record)),
      m_swrTop(swrTop),
      m_zoom(zoom),
      m_lowHz(m_record.notes.startMHz * kHzPerMHz),
      m_highHz(m_record.notes.stopMHz * kHzPerMHz) {
    if (!(m_highHz > m_lowHz) && !m_record.empty()) {
        // A sweep read back without its plan: its own ends, and a band of one frequency
        // a little either side.
        m_lowHz = static_cast<double>(m_record.points.front().frequencyHz);
        m_highHz = static_cast<double>(m_record.points.back().frequencyHz);
    }
    if (!(m_highHz > m_lowHz)) {
        m_lowHz -= 500.0;
        m_highHz += 500.0;
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SwrPanel::setZoom(Zoom zoom) {
    m_zoom = zoom;
    updateGeometry();
    update();
}

QSize SwrPanel::sizeHint() const {
    return (QSizeF(260, 170) * m_zoom.factor()).toSize();
}

QSize SwrPanel::minimumSizeHint() const {
    return (QSizeF(180, 110) * m_zoom.factor()).toSize();
}

QRectF SwrPanel::plotArea() const {
    const QFontMetricsF metrics(font());
    const qreal left = metrics.horizontalAdvance(QStringLiteral("10")) + 2 * px(kGapPx);
    const qreal top = metrics.height() + px(kGapPx);
    const qreal bottom = metrics.height() + px(kGapPx);
    return QRectF(rect()).adjusted(left, top, -px(kGapPx) * 2, -bottom);
}

QPointF SwrPanel::placeOf(double frequencyHz, double swr) const {
    const QRectF area = plotArea();
    const double share = (frequencyHz - m_lowHz) / (m_highHz - m_lowHz);
    const double height = (std::clamp(swr, 1.0, m_swrTop) - 1.0) / (m_swrTop - 1.0);
    return {area.left() + share * area.width(), area.bottom() - height * area.height()};
}

void SwrPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont title = font();
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(px(kGapPx), 0, width(), QFontMetricsF(title).height() + 2),
                     Qt::AlignLeft | Qt::AlignVCenter, text(m_bandName));
    painter.setFont(font());
    paintScale(painter);
    painter.save();
    painter.setClipRect(plotArea().adjusted(-px(kLowestDotPx), -px(kLowestDotPx), 1, 1));
    paintCurve(painter);
    paintLowest(painter);
    painter.restore();
}

// The 2:1 stretch shaded behind the grid, the line at 2.0, and the band's edges in MHz.
void SwrPanel::paintScale(QPainter& painter) const {
    const QRectF area = plotArea();
    if (m_features.swrMinimum && m_features.swrMinimum->swr < kBandEdgeSwr) {
        const double fromHz = m_features.lowerEdgeHz.value_or(
            static_cast<double>(m_record.points.front().frequencyHz));
        const double toHz = m_features.upperEdgeHz.value_or(
            static_cast<double>(m_record.points.back().frequencyHz));
        const qreal left = placeOf(fromHz, 1.0).x();
        painter.fillRect(QRectF(left, area.top(), placeOf(toHz, 1.0).x() - left, area.height()),
                         kMatchedShade);
    }
    const QFontMetricsF metrics(font());
    for (const double swr : scaleLabels(m_swrTop)) {
        const qreal y = placeOf(m_lowHz, swr).y();
        painter.setPen(kGridInk);
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(kLabelInk);
        painter.drawText(
            QRectF(0, y - metrics.height() / 2, area.left() - px(kGapPx), metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, QString::number(swr));
    }
    const qreal twoToOne = placeOf(m_lowHz, kBandEdgeSwr).y();
    painter.setPen(QPen(kTwoToOneInk, px(1.0), Qt::DashLine));
    painter.drawLine(QPointF(area.left(), twoToOne), QPointF(area.right(), twoToOne));
    painter.setPen(kFrameInk);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area);
    painter.setPen(kLabelInk);
    const QRectF under(area.left(), area.bottom() + 2, area.width(), metrics.height());
    painter.drawText(under, Qt::AlignLeft | Qt::AlignTop,
                     text(fixedNumber(m_lowHz / kHzPerMHz, 3)));
    painter.drawText(under, Qt::AlignRight | Qt::AlignTop,
                     text(fixedNumber(m_highHz / kHzPerMHz, 3)));
}

void SwrPanel::paintCurve(QPainter& painter) const {
    QPainterPath path;
    bool drawing = false;
    for (const SweepPoint& point : m_record.points) {
        if (!point.reading) {
            drawing = false;  // a gap, never a dip to 0
            continue;
        }
        const QPointF at = placeOf(static_cast<double>(point.frequencyHz), point.reading->swr);
        if (drawing) {
            path.lineTo(at);
        } else {
            path.moveTo(at);
            path.lineTo(at);  // a lone point between gaps still shows
        }
        drawing = true;
    }
    painter.setPen(QPen(kCurveInk, px(2.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

// A dot at the lowest SWR and its value beside it, above the dot unless that leaves the
// panel. A sweep above the scales everywhere has no dip: its first 99.9 is no lowest point.
void SwrPanel::paintLowest(QPainter& painter) const {
    if (!m_features.swrMinimum || m_features.swrAboveScaleEverywhere()) {
        return;
    }
    const QPointF dot = placeOf(m_features.swrMinimum->frequencyHz, m_features.swrMinimum->swr);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLowestInk);
    painter.drawEllipse(dot, px(kLowestDotPx), px(kLowestDotPx));
    const QString value = text(fixedNumber(m_features.swrMinimum->swr, 2));
    const QFontMetricsF metrics(font());
    const QRectF area = plotArea();
    const qreal width = metrics.horizontalAdvance(value) + 2;
    const qreal left = std::clamp(dot.x() - width / 2, area.left() + 1, area.right() - width - 1);
    const bool above = dot.y() - metrics.height() - px(kGapPx) >= area.top();
    const qreal top =
        above ? dot.y() - metrics.height() - px(kGapPx) / 2 : dot.y() + px(kGapPx) / 2;
    const QRectF box(left, top, width, metrics.height());
    painter.fillRect(box, kLabelBackground);  // readable where the curve runs behind it
    painter.setPen(kLowestInk);
    painter.drawText(box, Qt::AlignCenter, value);
}

}  // namespace zm
