// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/smith_chart.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>

#include "chart/memory_colours.h"
#include "results/impedance.h"
#include "results/result_texts.h"
#include "results/sweep_features.h"

namespace zm {

namespace {

constexpr double kMarginPx = 30.0;   // room for the reactance labels outside the rim
constexpr double kCaptionPx = 18.0;  // the caption's line under the chart
// A window wider than tall gives its left part to the markers and the legend, so that they
// hide none of the chart.
constexpr double kLegendColumnPx = 230.0;
constexpr double kWheelStep = 1.25;  // zoom per notch of the wheel
constexpr int kMostResonanceLines = 3;

}  // namespace

SmithChart::SmithChart(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(240, 240);
    m_traces.push_back(traceOf("Sweep", Qt::black, false, {}));
    m_pictureActions = makePictureActions(this);
}

SmithChart::Trace SmithChart::traceOf(std::string name, QColor colour, bool dashed,
                                      SweepRecord record) {
    Trace trace{std::move(name), colour, dashed, std::move(record), {}};
    for (const SweepPoint& point : trace.record.points) {
        trace.gammas.push_back(
            point.reading ? std::optional(reflectionCoefficient(point.reading->impedance()))
                          : std::nullopt);
    }
    return trace;
}

void SmithChart::setSweep(const SweepRecord& record) {
    m_traces.front() = traceOf("Sweep", Qt::black, false, record);
    refreshMarkers();
    clearHover();
}

void SmithChart::setMemories(const std::vector<Memory>& memories) {
    m_traces.resize(1);
    for (const Memory& memory : memories) {
        if (memory.shown) {
            m_traces.push_back(
                traceOf(memory.name, memoryColour(memory.colour), true, memory.record));
        }
    }
    m_backgroundStale = true;
    clearHover();
}

void SmithChart::setMatchPath(std::vector<std::complex<double>> path) {
    m_matchPath = std::move(path);
    update();
}

void SmithChart::setGrid(Grid grid) {
    m_grid = grid;
    m_backgroundStale = true;
    update();
}

void SmithChart::setLabels(Labels labels) {
    m_labels = labels;
    m_backgroundStale = true;
    update();
}

void SmithChart::showWhole() {
    m_view.showWhole();
    m_backgroundStale = true;
    update();
}

void SmithChart::zoomAt(QPointF position, double factor) {
    const QPointF drawn = position / m_windowZoom.factor();
    m_view.zoomAt({drawn.x(), drawn.y()}, factor);
    m_backgroundStale = true;
    hoverAt(position);
}

// The lowest SWR at its measured point; a resonance where the phase crosses zero, on the
// real axis at the resistance found there.
void SmithChart::refreshMarkers() {
    const Trace& sweep = m_traces.front();
    const SweepFeatures features = findFeatures(sweep.record);
    m_markers.clear();
    m_markerLines = swrMarkerLines(features);
    if (features.swrMinimum) {
        for (std::size_t i = 0; i < sweep.record.points.size(); ++i) {
            if (sweep.gammas[i] &&
                double(sweep.record.points[i].frequencyHz) == features.swrMinimum->frequencyHz) {
                m_markers.push_back(*sweep.gammas[i]);
            }
        }
    }
    const std::vector<std::string> resonanceLines = resonanceMarkerLines(features);
    for (std::size_t i = 0; i < resonanceLines.size(); ++i) {
        m_markers.push_back(reflectionCoefficient(features.resonances[i].resistanceOhms));
        if (i < kMostResonanceLines) {
            m_markerLines.push_back(resonanceLines[i]);
        }
    }
}

void SmithChart::setWindowZoom(Zoom zoom) {
    m_windowZoom = zoom;
    m_view = canvasFor(drawnSize()).view;
    m_backgroundStale = true;
    clearHover();
}

QSizeF SmithChart::drawnSize() const {
    return QSizeF(size()) / m_windowZoom.factor();
}

QPointF SmithChart::positionOf(std::complex<double> gamma) const {
    const WidgetPoint at = m_view.toWidget(gamma);
    return QPointF(at.x, at.y) * m_windowZoom.factor();
}

std::optional<SmithChart::Hit> SmithChart::nearest(QPointF position) const {
    std::optional<Hit> best;
    double bestDistance = m_windowZoom.scaled(kSnapPx);
    for (std::size_t trace = 0; trace < m_traces.size(); ++trace) {
        const auto& gammas = m_traces[trace].gammas;
        for (std::size_t point = 0; point < gammas.size(); ++point) {
            if (!gammas[point]) {
                continue;
            }
            const QPointF at = positionOf(*gammas[point]);
            const double distance = std::hypot(at.x() - position.x(), at.y() - position.y());
            if (distance < bestDistance) {
                bestDistance = distance;
                best = Hit{trace, point};
            }
        }
    }
    return best;
}

std::optional<TracePoint> SmithChart::pointNear(QPointF position) const {
    const auto hit = nearest(position);
    if (!hit) {
        return std::nullopt;
    }
    const Trace& trace = m_traces[hit->trace];
    return TracePoint{trace.name, trace.record.points[hit->point], trace.record.plane};
}

void SmithChart::hoverAt(QPointF position) {
    m_hovered = nearest(position);
    m_shownValues.clear();
    if (m_hovered) {
        const Trace& trace = m_traces[m_hovered->trace];
        m_shownValues = QString::fromStdString(
            pointValuesText(trace.record.points[m_hovered->point], trace.name));
    }
    update();
}

// New traces and a mouse gone leave nothing hovered: a place off the widget is no answer,
// as a chart zoomed in may draw points right up to its corner.
void SmithChart::clearHover() {
    m_hovered.reset();
    m_shownValues.clear();
    update();
}

QString SmithChart::caption() const {
    const bool ohms = m_labels == Labels::Ohms;
    QString text = m_grid == Grid::Admittance ? (ohms ? "Admittance in mS, 20 mS at the centre"
                                                      : "Admittance normalised to 20 mS (50 Ω)")
                                              : (ohms ? "Impedance in Ω, 50 Ω at the centre"
                                                      : "Impedance normalised to 50 Ω");
    if (m_grid == Grid::Both) {
        text += ", admittance grid in blue";
    }
    text += ". SWR circles 1.5, 2, 3.";
    if (m_view.zoom() > 1.0) {
        text += QString(" Zoom %1×: double-click or Home for the whole chart.")
                    .arg(m_view.zoom(), 0, 'f', 1);
    }
    return text;
}

SmithChart::Canvas SmithChart::canvasFor(QSizeF size, double legendPx) const {
    Canvas canvas{m_view, QRectF(QPointF(0, 0), size)};
    const double chartHeight = size.height() - kCaptionPx;
    const double column = std::max(std::clamp(size.width() - chartHeight, 0.0, kLegendColumnPx),
                                   std::min(legendPx, size.width() / 2.0));
    canvas.view.resize(size.width(), chartHeight, kMarginPx, column);
    return canvas;
}

QList<LegendEntry> SmithChart::legend() const {
    QList<LegendEntry> entries;
    for (const Trace& trace : m_traces) {
        if (&trace == &m_traces.front() && !trace.record.hasReadings()) {
            continue;
        }
        entries.append({QString::fromStdString(trace.name), trace.colour,
                        trace.dashed ? Qt::DashLine : Qt::SolidLine});
    }
    return entries;
}

void SmithChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_view = canvasFor(drawnSize()).view;
    m_backgroundStale = true;
}

void SmithChart::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu;
    menu.addAction(m_pictureActions.copyImage);
    menu.addAction(m_pictureActions.saveImage);
    menu.exec(event->globalPos());
}

void SmithChart::mouseMoveEvent(QMouseEvent* event) {
    hoverAt(event->position());
}

void SmithChart::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    clearHover();
}

void SmithChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onPointChosen) {
        if (const auto point = pointNear(event->position())) {
            onPointChosen(*point);
        }
    }
}

// Away from the points: a double click on a point is two clicks choosing it.
void SmithChart::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!nearest(event->position())) {
        showWhole();
    }
}

void SmithChart::wheelEvent(QWheelEvent* event) {
    zoomAt(event->position(), std::pow(kWheelStep, event->angleDelta().y() / 120.0));
    event->accept();
}

void SmithChart::keyPressEvent(QKeyEvent* event) {
    const QPointF middle = QPointF(m_view.middle().x, m_view.middle().y) * m_windowZoom.factor();
    switch (event->key()) {
        case Qt::Key_Home:
            showWhole();
            break;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            zoomAt(middle, kWheelStep);
            break;
        case Qt::Key_Minus:
            zoomAt(middle, 1.0 / kWheelStep);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace zm
