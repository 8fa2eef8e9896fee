// SPDX-License-Identifier: GPL-3.0-or-later
// The painting side of SmithChart: the grid, the traces, the markers and the texts.
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "chart/smith_chart.h"
#include "numbers/number_text.h"

namespace zm {

namespace {

const QColor kImpedanceInk(175, 175, 175);
const QColor kAdmittanceInk(150, 185, 230);
const QColor kLabelInk(95, 95, 95);
const QColor kSwrInk(0, 140, 60);
const QColor kPathInk(220, 0, 0);
constexpr double kSwrCircles[] = {1.5, 2.0, 3.0};
constexpr double kLabelOffsetPx = 13.0;  // of the reactance labels outside the rim
constexpr qreal kBoxPaddingPx = 4.0;
constexpr qreal kBoxCornerPx = 4.0;              // of the legend box, from the top left corner
constexpr qreal kBoxGapPx = 2.0 * kBoxCornerPx;  // between the box and the chart's margin

// "0.2", "25", "+j0.5": up to two decimals, none trailing.
QString labelNumber(double value) {
    std::string text = fixedNumber(value, 2);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return QString::fromStdString(text);
}

// Whether any of the circle's outline crosses the rectangle: not when the rectangle lies
// wholly inside or wholly outside it. Skips the huge arcs that a deep zoom leaves off view.
bool outlineCrosses(QPointF centre, double radius, const QRectF& rect) {
    const double nearX = std::clamp(centre.x(), rect.left(), rect.right());
    const double nearY = std::clamp(centre.y(), rect.top(), rect.bottom());
    if (std::hypot(nearX - centre.x(), nearY - centre.y()) > radius) {
        return false;
    }
    const double farX =
        std::max(std::fabs(rect.left() - centre.x()), std::fabs(rect.right() - centre.x()));
    const double farY =
        std::max(std::fabs(rect.top() - centre.y()), std::fabs(rect.bottom() - centre.y()));
    return std::hypot(farX, farY) >= radius;
}

using TextLines = QList<std::pair<QString, QColor>>;

QSizeF boxSize(const QFontMetricsF& metrics, const TextLines& lines) {
    qreal width = 0.0;
    for (const auto& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line.first));
    }
    return {width + 2 * kBoxPaddingPx, metrics.height() * lines.size() + 2 * kBoxPaddingPx};
}

// A box of text lines at a corner point, each line in its colour, on white.
void paintBox(QPainter& painter, QPointF corner, const TextLines& lines) {
    if (lines.isEmpty()) {
        return;
    }
    const QFontMetricsF metrics(painter.font());
    const QRectF box(corner, boxSize(metrics, lines));
    painter.setPen(QPen(QColor(160, 160, 160), 1.0));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(box);
    qreal baseline = box.top() + kBoxPaddingPx + metrics.ascent();
    for (const auto& line : lines) {
        painter.setPen(line.second);
        painter.drawText(QPointF(box.left() + kBoxPaddingPx, baseline), line.first);
        baseline += metrics.height();
    }
}

}  // namespace

// The grid and the memories change only with the view, the choices or the memories: they
// are drawn once into a picture, and a sweep point or a move of the mouse paints that
// picture and the sweep over it.
void SmithChart::paintEvent(QPaintEvent*) {
    const Canvas canvas{m_view, QRectF(QPointF(0, 0), drawnSize())};
    const double zoom = m_windowZoom.factor();
    const qreal ratio = devicePixelRatioF();
    if (m_background.size() != size() * ratio) {
        m_background = QPixmap(size() * ratio);
        m_background.setDevicePixelRatio(ratio);
        m_backgroundStale = true;
    }
    if (m_backgroundStale) {
        m_background.fill(Qt::white);
        QPainter painter(&m_background);
        painter.scale(zoom, zoom);
        paintBackground(painter, canvas);
        m_backgroundStale = false;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
    painter.scale(zoom, zoom);
    paintForeground(painter, canvas, true);
}

// The same at the picture's size, the view keeping its zoom and middle, without the hover.
// A picture is drawn once: the chart moves right of the legend box, however wide the box
// and however narrow the picture (a report's, beside its marker table), so that the box
// hides none of it.
void SmithChart::paintPicture(QPainter& painter, const QRectF& area) {
    if (area.isEmpty()) {
        return;
    }
    painter.save();
    painter.translate(area.topLeft());
    painter.fillRect(QRectF(QPointF(0, 0), area.size()), Qt::white);
    preparePainter(painter);
    const double boxPx = boxSize(QFontMetricsF(painter.font()), legendLines()).width();
    const Canvas canvas = canvasFor(area.size(), boxPx + kBoxGapPx);
    paintBackground(painter, canvas);
    paintForeground(painter, canvas, false);
    painter.restore();
}

void SmithChart::paintBackground(QPainter& painter, const Canvas& canvas) const {
    preparePainter(painter);
    paintGrid(painter, canvas);
    paintSwrCircles(painter, canvas);
    for (std::size_t trace = m_traces.size(); trace-- > 1;) {
        paintTrace(painter, canvas, m_traces[trace]);
    }
}

void SmithChart::paintForeground(QPainter& painter, const Canvas& canvas, bool withHover) const {
    preparePainter(painter);
    paintTrace(painter, canvas, m_traces.front());
    paintMarkers(painter, canvas, withHover);
    paintMatchPath(painter, canvas);
    paintTextBoxes(painter, canvas, withHover);
}

void SmithChart::preparePainter(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPointSizeF(8.0);
    painter.setFont(font);
}

// Whole circles clipped to the rim: the arcs end exactly on it at any zoom.
void SmithChart::paintGrid(QPainter& painter, const Canvas& c) const {
    const QPointF middle = c.at(0.0);
    const double rim = c.view.pixelsPerUnit();
    QPainterPath disc;
    disc.addEllipse(middle, rim, rim);
    painter.save();
    painter.setClipPath(disc);
    painter.setBrush(Qt::NoBrush);
    if (m_grid != Grid::Impedance) {
        paintGridCircles(painter, c, true, m_grid == Grid::Both ? kAdmittanceInk : kImpedanceInk);
    }
    if (m_grid != Grid::Admittance) {
        paintGridCircles(painter, c, false, kImpedanceInk);
    }
    painter.setPen(QPen(kImpedanceInk, 1.0));
    painter.drawLine(c.at(-1.0), c.at(1.0));
    painter.restore();
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(middle, rim, rim);
    paintGridLabels(painter, c, m_grid == Grid::Admittance);
}

void SmithChart::paintGridCircles(QPainter& painter, const Canvas& c, bool admittance,
                                  const QColor& ink) const {
    painter.setPen(QPen(ink, 1.0));
    const QRectF shown = c.rect;
    const auto draw = [&](const GammaCircle& circle) {
        const QPointF centre = c.at(circle.centre);
        const double radius = circle.radius * c.view.pixelsPerUnit();
        if (radius >= 1.0 && outlineCrosses(centre, radius, shown)) {
            painter.drawEllipse(centre, radius, radius);
        }
    };
    for (const double value : gridValues(c.view.zoom())) {
        draw(admittance ? conductanceCircle(value) : resistanceCircle(value));
        for (const double sign : {1.0, -1.0}) {
            draw(admittance ? susceptanceCircle(sign * value) : reactanceCircle(sign * value));
        }
    }
}

// Each circle's value where a paper chart has it: resistance (conductance) just above the
// real axis, reactance (susceptance) just outside the rim. Zoomed in, where that place is
// off view, on the circle where it comes nearest the middle of the view. A label that would
// overlap one already placed is left out.
void SmithChart::paintGridLabels(QPainter& painter, const Canvas& c, bool admittance) const {
    const double scale = m_labels == Labels::Ohms ? (admittance ? 20.0 : kReferenceOhms) : 1.0;
    const double flip = admittance ? -1.0 : 1.0;
    const QFontMetricsF metrics(painter.font());
    const QRectF shown = c.rect;
    const std::complex<double> viewMiddle = c.view.toGamma(c.view.middle());
    QList<QRectF> placed;
    const auto label = [&](const QString& text, const GammaCircle& circle, QPointF preferred) {
        QPointF at = preferred;
        if (!shown.contains(preferred)) {
            const std::complex<double> towards = viewMiddle - circle.centre;
            const std::complex<double> nearest =
                circle.centre + circle.radius * towards / std::abs(towards);
            if (!(std::abs(nearest) < 1.0)) {
                return;
            }
            at = c.at(nearest);
        }
        QRectF box = metrics.boundingRect(text);
        box.moveCenter(at);
        const auto overlaps = [&box](const QRectF& other) { return other.intersects(box); };
        if (!shown.contains(box) || std::any_of(placed.begin(), placed.end(), overlaps)) {
            return;
        }
        placed.append(box);
        painter.fillRect(box, QColor(255, 255, 255, 200));
        painter.drawText(box, Qt::AlignCenter, text);
    };
    painter.setPen(kLabelInk);
    const QPointF middle = c.at(0.0);
    for (const double value : gridValues(c.view.zoom())) {
        const QString number = labelNumber(value * scale);
        const QPointF aboveAxis =
            c.at(flip * gammaOfNormalised(value)) +
            QPointF(metrics.horizontalAdvance(number) / 2 + 2.0, -metrics.height() / 2 - 1.0);
        label(number, admittance ? conductanceCircle(value) : resistanceCircle(value), aboveAxis);
        for (const double sign : {1.0, -1.0}) {
            const double x = sign * value;
            const QPointF rimPoint = c.at(flip * gammaOfNormalised({0.0, x}));
            const QPointF outside =
                rimPoint + (rimPoint - middle) / c.view.pixelsPerUnit() * kLabelOffsetPx;
            label((sign > 0 ? "+j" : "−j") + number,
                  admittance ? susceptanceCircle(x) : reactanceCircle(x), outside);
        }
    }
}

void SmithChart::paintSwrCircles(QPainter& painter, const Canvas& c) const {
    painter.setPen(QPen(kSwrInk, 1.0, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    const QPointF middle = c.at(0.0);
    for (const double swr : kSwrCircles) {
        const double radius = swrCircle(swr).radius * c.view.pixelsPerUnit();
        painter.drawEllipse(middle, radius, radius);
    }
    painter.setPen(kSwrInk);
    for (const double swr : kSwrCircles) {
        // Where the circle crosses the axis at the left: below the resistance labels.
        const QPointF at = c.at(-swrCircle(swr).radius) + QPointF(3.0, 12.0);
        painter.drawText(at, labelNumber(swr));
    }
}

// Its points joined by straight lines, a point without a reading breaking the line, and a
// dot at each measured point.
void SmithChart::paintTrace(QPainter& painter, const Canvas& c, const Trace& trace) const {
    painter.setPen(
        QPen(trace.colour, trace.dashed ? 1.5 : 2.0, trace.dashed ? Qt::DashLine : Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    QPolygonF line;
    QPolygonF dots;
    for (const auto& gamma : trace.gammas) {
        if (!gamma) {
            painter.drawPolyline(line);
            line.clear();
            continue;
        }
        line << c.at(*gamma);
        dots << line.back();
    }
    painter.drawPolyline(line);
    painter.setPen(QPen(trace.colour, trace.dashed ? 3.5 : 5.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawPoints(dots);
}

void SmithChart::paintMarkers(QPainter& painter, const Canvas& c, bool withHover) const {
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::white);
    for (const auto& gamma : m_markers) {
        painter.drawEllipse(c.at(gamma), 4.5, 4.5);
    }
    if (withHover && m_hovered) {
        const auto& gamma = m_traces[m_hovered->trace].gammas[m_hovered->point];
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(c.at(*gamma), 5.0, 5.0);
    }
}

// From the load (an open circle) along the constant-R and constant-G circles to the centre.
void SmithChart::paintMatchPath(QPainter& painter, const Canvas& c) const {
    if (m_matchPath.empty()) {
        return;
    }
    QPolygonF line;
    for (const auto& gamma : m_matchPath) {
        line << c.at(gamma);
    }
    painter.setPen(QPen(kPathInk, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(line);
    painter.drawEllipse(line.front(), 5.0, 5.0);
    painter.setBrush(kPathInk);
    painter.drawEllipse(line.back(), 3.5, 3.5);
}

QList<std::pair<QString, QColor>> SmithChart::legendLines() const {
    TextLines legend;
    for (const std::string& line : m_markerLines) {
        legend.append({QString::fromStdString(line), Qt::black});
    }
    for (std::size_t trace = 1; trace < m_traces.size(); ++trace) {
        legend.append(
            {"– – " + QString::fromStdString(m_traces[trace].name), m_traces[trace].colour});
    }
    return legend;
}

void SmithChart::paintTextBoxes(QPainter& painter, const Canvas& c, bool withHover) const {
    paintBox(painter, QPointF(kBoxCornerPx, kBoxCornerPx), legendLines());

    const QFontMetricsF metrics(painter.font());
    painter.setPen(kLabelInk);
    painter.drawText(QPointF(4.0, c.rect.height() - metrics.descent() - 2.0), caption());

    if (withHover && m_hovered && !m_shownValues.isEmpty()) {
        TextLines lines;
        for (const QString& line : m_shownValues.split('\n')) {
            lines.append(
                {line, lines.isEmpty() ? m_traces[m_hovered->trace].colour : QColor(Qt::black)});
        }
        const QPointF at = c.at(*m_traces[m_hovered->trace].gammas[m_hovered->point]);
        const QSizeF size = boxSize(metrics, lines);
        QPointF corner = at + QPointF(12.0, -12.0 - size.height());
        if (corner.x() + size.width() > c.rect.width()) {
            corner.setX(at.x() - 12.0 - size.width());
        }
        corner.setY(std::clamp(corner.y(), 0.0, std::max(0.0, c.rect.height() - size.height())));
        paintBox(painter, corner, lines);
    }
}

}  // namespace zm
