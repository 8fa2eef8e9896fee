// SPDX-License-Identifier: GPL-3.0-or-later
// The results side of QtChartControl: the memories, the markers and their labels.
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsEllipseItem>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "chart/curve_runs.h"
#include "chart/marker_box.h"
#include "chart/memory_colours.h"
#include "chart/qt_chart_control.h"
#include "results/result_texts.h"
#include "results/sweep_features.h"

namespace zm {

namespace {

constexpr qreal kMarkerSizePx = 8.0;
constexpr qreal kMemoryLineWidthPx = 1.5;
// A wide memory (an analyser's file over many bands) could resonate all over the span.
constexpr std::size_t kMostResonanceLines = 3;

const QColor kSweepInk(0, 0, 0);

// The points of a record that fall within the grid's span, half a step past either end:
// the markers show what is on the chart.
SweepRecord partInSpan(const SweepRecord& record, const FrequencyPositions& positions) {
    SweepRecord part;
    for (const SweepPoint& point : record.points) {
        const auto position = positions.positionOf(static_cast<double>(point.frequencyHz));
        if (position && *position >= -0.5 && *position <= positions.rows() - 0.5) {
            part.points.push_back(point);
        }
    }
    return part;
}

}  // namespace

void QtChartControl::buildResultItems() {
    m_sweepMarkers = addMarkers(kSweepInk);
    m_markerBox = std::make_unique<MarkerBox>(*m_chart);
    m_valuesBox = new ChartTextBox(m_chart);
    m_valuesBox->setZValue(kOverSeriesZ + 1);
    m_hoverDot = new QGraphicsEllipseItem(-4.0, -4.0, 8.0, 8.0, m_chart);
    m_hoverDot->setPen(QPen(Qt::black, 1.5));
    m_hoverDot->setZValue(kOverSeriesZ);
    m_hoverDot->hide();
    // The axes' labels can take more or less room after a change of range.
    m_plotAreaWatch = QObject::connect(m_chart, &QChart::plotAreaChanged, [this] {
        m_markerBox->place();
        drawShading();
    });
}

QtChartControl::MarkerSeries QtChartControl::addMarkers(const QColor& ink) {
    MarkerSeries markers;
    for (const AxisId axis : {AxisId::Y, AxisId::Y2}) {
        auto* series = new QScatterSeries;
        series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
        series->setMarkerSize(kMarkerSizePx);
        series->setColor(Qt::white);
        series->setBorderColor(ink);
        attach(series, axis);
        (axis == AxisId::Y ? markers.swr : markers.resonance) = series;
    }
    return markers;
}

void QtChartControl::setSweepRecord(const SweepRecord& record) {
    m_sweep.record = record;
    showNotice();
    for (SeriesData& data : m_data) {
        data.pending = true;  // its rows without values break the lines or not
    }
    m_markersPending = true;
    hideValues();
    paintSoon();
}

// The memories' series are made anew, then the sweep's are put back on top of them: the
// chart draws its series in the order they were added.
void QtChartControl::setMemories(const std::vector<Memory>& memories) {
    removeMemoryLines();
    for (const Memory& memory : memories) {
        if (!memory.shown) {
            continue;
        }
        MemoryLines lines{{memory.record, memory.name}, memoryColour(memory.colour), {}, {}, {}};
        for (int index = 0; index < kSeriesCount; ++index) {
            const Qt::PenStyle style = isOnRightAxis(index + 1) ? Qt::DashDotLine : Qt::DashLine;
            auto line = addLine(QPen(lines.colour, kMemoryLineWidthPx, style), index + 1);
            line->setVisible(m_series[static_cast<std::size_t>(index)]->isVisible());
            lines.series[static_cast<std::size_t>(index)] = std::move(line);
        }
        lines.markers = addMarkers(lines.colour);
        m_memories.push_back(std::move(lines));
    }
    for (const std::unique_ptr<TraceLine>& line : m_series) {
        line->raise();
    }
    for (QScatterSeries* markers : {m_sweepMarkers.swr, m_sweepMarkers.resonance}) {
        m_chart->removeSeries(markers);
        attach(markers, markers == m_sweepMarkers.swr ? AxisId::Y : AxisId::Y2);
    }
    redrawMemories();
    paintSoon();
}

void QtChartControl::removeMemoryLines() {
    for (MemoryLines& memory : m_memories) {
        for (const std::unique_ptr<TraceLine>& line : memory.series) {
            line->remove();
        }
        for (QAbstractSeries* series : {memory.markers.swr, memory.markers.resonance}) {
            m_chart->removeSeries(series);
            delete series;
        }
    }
    m_memories.clear();
}

// Their points, their markers and the axes they widen; values shown on hover may be theirs.
void QtChartControl::redrawMemories() {
    rebuildMemoryPoints();
    m_markersPending = true;
    hideValues();
    applyScale(AxisId::Y);
    applyScale(AxisId::Y2);
}

void QtChartControl::rebuildMemoryPoints() {
    for (MemoryLines& memory : m_memories) {
        for (int index = 0; index < kSeriesCount; ++index) {
            memory.span[static_cast<std::size_t>(index)] = spanPointsOf(memory.trace.record, index);
        }
    }
}

// A memory's points of series index + 1 at the grid's positions: those inside the span,
// and the nearest one outside at either end, so the line runs on to the frame. Its points
// without a reading break the line as the sweep's do.
QtChartControl::SpanPoints QtChartControl::spanPointsOf(const SweepRecord& record,
                                                        int index) const {
    SpanPoints span;
    span.pending = true;
    std::vector<CurvePoint> all;
    for (const SweepPoint& point : record.points) {
        const auto position = m_positions.positionOf(static_cast<double>(point.frequencyHz));
        const double value =
            point.reading ? seriesValue(*point.reading, index + 1, record.plane) : NAN;
        if (position && (std::isfinite(value) || !point.reading)) {
            all.push_back({*position, value, curveRunsAcross(point.skipped)});
        }
    }
    const double last = m_positions.rows() - 1.0;
    std::vector<CurvePoint> kept;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const double x = all[i].position;
        const bool inside = x >= 0.0 && x <= last;
        const bool leadsIn = i + 1 < all.size() && x < 0.0 && all[i + 1].position >= 0.0;
        const bool leadsOut = i > 0 && x > last && all[i - 1].position <= last;
        if (inside && std::isfinite(all[i].value)) {
            span.lowest = std::min(span.lowest, all[i].value);
            span.highest = std::max(span.highest, all[i].value);
        }
        if (inside || leadsIn || leadsOut) {
            kept.push_back(all[i]);
        }
    }
    span.runs = curveRuns(kept, kDecimateBuckets);
    return span;
}

void QtChartControl::drawMemoryLine(MemoryLines& memory, int index) {
    SpanPoints& span = memory.span[static_cast<std::size_t>(index)];
    memory.series[static_cast<std::size_t>(index)]->draw(drawable(span.runs, index));
    span.pending = false;
}

// What the marker box says is also the chart's description for a screen reader, read when
// the chart has the focus: "SWR 1.31 at 14.150 MHz; 2:1 14.071 – 14.280 MHz, 209 kHz, Q 48".
// A memory gets one line, its legend: "– – name · first marker"; those beyond the fourth
// share one, "+3 memories", and the Memories… dialog lists them all.
void QtChartControl::drawMarkers() {
    m_markersPending = false;
    QList<ChartTextBox::Line> sweepLines;
    QList<ChartTextBox::Line> memoryLines;
    QStringList spoken;
    for (const std::string& text : drawTraceMarkers(m_sweep.record, m_sweepMarkers)) {
        sweepLines.append({QString::fromStdString(text), kSweepInk});
        spoken.append(sweepLines.back().text);
    }
    for (const MemoryLines& memory : m_memories) {
        const std::vector<std::string> texts =
            drawTraceMarkers(memory.trace.record, memory.markers);
        const std::string marker = texts.empty() ? "" : " · " + texts[0];
        memoryLines.append(
            {QString::fromStdString("– – " + memory.trace.name + marker), memory.colour});
        if (memoryLines.size() <= MarkerBox::kMostMemoryLines) {
            spoken.append(QString::fromStdString("memory " + memory.trace.name + marker));
        }
    }
    if (memoryLines.size() > MarkerBox::kMostMemoryLines) {
        spoken.append(moreMemoriesLine(memoryLines.size() - MarkerBox::kMostMemoryLines));
    }
    m_markerBox->setLines(sweepLines, memoryLines);
    if (m_view) {
        m_view->setAccessibleDescription(spoken.join(QStringLiteral("; ")));
    }
}

// Marks what the core finds in the record within the sweep's span, and says it: the SWR
// minimum and the 2:1 band while SWR is shown, the resonances while X or the phase is.
std::vector<std::string> QtChartControl::drawTraceMarkers(const SweepRecord& record,
                                                          const MarkerSeries& markers) {
    const bool swrShown = m_series[3]->isVisible();
    const bool reactanceShown = m_series[1]->isVisible() || m_series[4]->isVisible();
    QList<QPointF> swrPoints;
    QList<QPointF> resonancePoints;
    std::vector<std::string> texts;
    if (m_positions.rows() > 0) {
        const SweepFeatures features = featuresInSpan(record);
        // A one-row grid places its own frequency only.
        const auto mark = [&](QList<QPointF>& points, double hz, double value) {
            if (const auto position = m_positions.positionOf(hz)) {
                points << QPointF(*position, value);
            }
        };
        if (swrShown && features.swrMinimum) {
            if (!features.swrAboveScaleEverywhere()) {
                mark(swrPoints, features.swrMinimum->frequencyHz, features.swrMinimum->swr);
            }
            for (const auto& edge : {features.lowerEdgeHz, features.upperEdgeHz}) {
                if (edge) {
                    mark(swrPoints, *edge, kBandEdgeSwr);
                }
            }
            const std::vector<std::string> swrLines = swrMarkerLines(features);
            texts.insert(texts.end(), swrLines.begin(), swrLines.end());
        }
        if (reactanceShown) {
            const std::vector<std::string> resonanceLines = resonanceMarkerLines(features);
            for (std::size_t i = 0; i < resonanceLines.size(); ++i) {
                mark(resonancePoints, features.resonances[i].frequencyHz, 0.0);
                if (i < kMostResonanceLines) {
                    texts.push_back(resonanceLines[i]);
                }
            }
            if (resonanceLines.size() > kMostResonanceLines) {
                texts.push_back("and " +
                                std::to_string(resonanceLines.size() - kMostResonanceLines) +
                                " more resonances");
            }
        }
    }
    markers.swr->replace(swrPoints);
    markers.resonance->replace(resonancePoints);
    return texts;
}

SweepFeatures QtChartControl::featuresInSpan(const SweepRecord& record) const {
    return findFeatures(partInSpan(record, m_positions));
}

std::vector<TraceFeatures> QtChartControl::traceFeatures() const {
    std::vector<TraceFeatures> traces;
    if (m_sweep.record.hasReadings()) {
        traces.push_back({m_sweep.name, kSweepInk, featuresInSpan(m_sweep.record)});
    }
    for (const MemoryLines& memory : m_memories) {
        traces.push_back({memory.trace.name, memory.colour, featuresInSpan(memory.trace.record)});
    }
    return traces;
}

QList<QPointF> QtChartControl::drawnMemoryPoints(std::size_t memory, int series) const {
    this->series(series);  // throws past 1..6
    return m_memories.at(memory).series[static_cast<std::size_t>(series - 1)]->points();
}

QList<QPointF> QtChartControl::markerPoints(std::size_t trace) const {
    const MarkerSeries& markers = trace == 0 ? m_sweepMarkers : m_memories.at(trace - 1).markers;
    return markers.swr->points() + markers.resonance->points();
}

QString QtChartControl::markerLabels() const {
    return m_markerBox->text();
}

QRectF QtChartControl::markerBoxArea() const {
    return m_view->viewportTransform().mapRect(m_chart->mapRectToScene(m_markerBox->area()));
}

}  // namespace zm
