// The results side of QtChartControl: the reference trace, the markers and their labels.
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsEllipseItem>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <cmath>

#include "chart/chart_text_box.h"
#include "chart/decimate.h"
#include "chart/qt_chart_control.h"
#include "results/result_texts.h"
#include "results/sweep_features.h"

namespace zm {

namespace {

constexpr qreal kMarkerSizePx = 8.0;
constexpr qreal kBoxMarginPx = 6.0;
constexpr double kLabelGridPx = 12.0;   // between the places tried beyond the corners
constexpr qreal kOverSeriesZ = 1000.0;  // above every series and axis item of the chart
// A wide reference (an analyser's file over many bands) could resonate all over the span.
constexpr std::size_t kMostResonanceLines = 3;

const QColor kSweepInk(0, 0, 0);
const QColor kReferenceInk(110, 110, 110);

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
    for (std::size_t trace = 0; trace < m_markers.size(); ++trace) {
        for (const AxisId axis : {AxisId::Y, AxisId::Y2}) {
            auto* markers = new QScatterSeries;
            markers->setMarkerShape(QScatterSeries::MarkerShapeCircle);
            markers->setMarkerSize(kMarkerSizePx);
            markers->setColor(Qt::white);
            markers->setBorderColor(trace == 0 ? kSweepInk : kReferenceInk);
            m_chart->addSeries(markers);
            markers->attachAxis(m_frequencyAxis);
            markers->attachAxis(scale(axis).axis);
            (axis == AxisId::Y ? m_markers[trace].swr : m_markers[trace].resonance) = markers;
        }
    }
    m_markerBox = new ChartTextBox(m_chart);
    m_markerBox->setZValue(kOverSeriesZ);
    m_valuesBox = new ChartTextBox(m_chart);
    m_valuesBox->setZValue(kOverSeriesZ + 1);
    m_hoverDot = new QGraphicsEllipseItem(-4.0, -4.0, 8.0, 8.0, m_chart);
    m_hoverDot->setPen(QPen(Qt::black, 1.5));
    m_hoverDot->setZValue(kOverSeriesZ);
    m_hoverDot->hide();
    // The axes' labels can take more or less room after a change of range.
    m_plotAreaWatch =
        QObject::connect(m_chart, &QChart::plotAreaChanged, [this] { placeMarkerBox(); });
}

void QtChartControl::setSweepRecord(const SweepRecord& record) {
    m_sweep.record = record;
    m_markersPending = true;
    hideValues();
}

void QtChartControl::setReference(const SweepRecord& reference, std::string_view name) {
    m_reference = Trace{reference, std::string(name)};
    for (int index = 0; index < kSeriesCount; ++index) {
        m_referenceSeries[index]->setVisible(m_series[index]->isVisible());
    }
    redrawReference();
}

void QtChartControl::clearReference() {
    m_reference.reset();
    for (QLineSeries* line : m_referenceSeries) {
        line->setVisible(false);
    }
    redrawReference();
}

// Its points, its markers and the axes it widens; values shown on hover may be its own.
void QtChartControl::redrawReference() {
    rebuildReferenceData();
    m_markersPending = true;
    hideValues();
    applyScale(AxisId::Y);
    applyScale(AxisId::Y2);
}

// The reference's points at the grid's positions: those inside the span, and the nearest
// one outside at either end, so the line runs on to the frame.
void QtChartControl::rebuildReferenceData() {
    for (int index = 0; index < kSeriesCount; ++index) {
        ReferenceData& data = m_referenceData[static_cast<std::size_t>(index)];
        data = ReferenceData{};
        data.pending = true;
        if (!m_reference) {
            continue;
        }
        std::vector<QPointF> all;
        for (const SweepPoint& point : m_reference->record.points) {
            const auto position = m_positions.positionOf(static_cast<double>(point.frequencyHz));
            const double value = point.reading ? seriesValue(*point.reading, index + 1) : NAN;
            if (position && std::isfinite(value)) {
                all.emplace_back(*position, value);
            }
        }
        const double last = m_positions.rows() - 1.0;
        std::vector<double> values;
        std::vector<QPointF> kept;
        for (std::size_t i = 0; i < all.size(); ++i) {
            const bool inside = all[i].x() >= 0.0 && all[i].x() <= last;
            const bool leadsIn = i + 1 < all.size() && all[i].x() < 0.0 && all[i + 1].x() >= 0.0;
            const bool leadsOut = i > 0 && all[i].x() > last && all[i - 1].x() <= last;
            if (inside) {
                data.lowest = std::min(data.lowest, all[i].y());
                data.highest = std::max(data.highest, all[i].y());
            }
            if (inside || leadsIn || leadsOut) {
                kept.push_back(all[i]);
                values.push_back(all[i].y());
            }
        }
        for (const KeptPoint& point : decimateMinMax(values, kDecimateBuckets)) {
            data.points.append(kept[point.index]);
        }
    }
}

void QtChartControl::drawReference(int index) {
    ReferenceData& data = m_referenceData[static_cast<std::size_t>(index)];
    m_referenceSeries[index]->replace(data.points);
    data.pending = false;
}

void QtChartControl::drawMarkers() {
    m_markersPending = false;
    const bool swrShown = m_series[3]->isVisible();
    const bool reactanceShown = m_series[1]->isVisible() || m_series[4]->isVisible();
    QList<ChartTextBox::Line> lines;
    const Trace* traces[] = {&m_sweep, m_reference ? &*m_reference : nullptr};
    for (std::size_t trace = 0; trace < m_markers.size(); ++trace) {
        QList<QPointF> swrPoints;
        QList<QPointF> resonancePoints;
        if (traces[trace] && m_positions.rows() > 0) {
            const SweepFeatures features =
                findFeatures(partInSpan(traces[trace]->record, m_positions));
            // A one-row grid places its own frequency only.
            const auto mark = [&](QList<QPointF>& points, double hz, double value) {
                if (const auto position = m_positions.positionOf(hz)) {
                    points << QPointF(*position, value);
                }
            };
            const QString prefix = trace == 0 ? QString() : QStringLiteral("Ref ");
            const QColor ink = trace == 0 ? kSweepInk : kReferenceInk;
            if (swrShown && features.swrMinimum) {
                mark(swrPoints, features.swrMinimum->frequencyHz, features.swrMinimum->swr);
                for (const auto& edge : {features.lowerEdgeHz, features.upperEdgeHz}) {
                    if (edge) {
                        mark(swrPoints, *edge, kBandEdgeSwr);
                    }
                }
                for (const std::string& line : swrMarkerLines(features)) {
                    lines.append({prefix + QString::fromStdString(line), ink});
                }
            }
            if (reactanceShown) {
                const std::vector<std::string> texts = resonanceMarkerLines(features);
                for (std::size_t i = 0; i < texts.size(); ++i) {
                    mark(resonancePoints, features.resonances[i].frequencyHz, 0.0);
                    if (i < kMostResonanceLines) {
                        lines.append({prefix + QString::fromStdString(texts[i]), ink});
                    }
                }
                if (texts.size() > kMostResonanceLines) {
                    lines.append({prefix + QStringLiteral("and %1 more resonances")
                                               .arg(texts.size() - kMostResonanceLines),
                                  ink});
                }
            }
        }
        m_markers[trace].swr->replace(swrPoints);
        m_markers[trace].resonance->replace(resonancePoints);
    }
    m_markerBox->setLines(lines);
}

std::vector<ScreenPoint> QtChartControl::drawnCurve(const QLineSeries* line) const {
    std::vector<ScreenPoint> curve;
    const QList<QPointF> points = line->points();
    curve.reserve(static_cast<std::size_t>(points.size()));
    for (const QPointF& point : points) {
        const QPointF at = m_chart->mapToPosition(point, const_cast<QLineSeries*>(line));
        curve.push_back({at.x(), at.y()});
    }
    return curve;
}

// Where it hides the least of the curves shown: a corner or the middle of an edge when one
// is free, the top right first, where a label is looked for.
void QtChartControl::placeMarkerBox() {
    if (!m_markerBox || !m_markerBox->isVisible()) {
        return;
    }
    const QRectF area =
        m_chart->plotArea().adjusted(kBoxMarginPx, kBoxMarginPx, -kBoxMarginPx, -kBoxMarginPx);
    const std::vector<ScreenBox> candidates =
        labelPlaces({area.left(), area.top(), area.width(), area.height()},
                    m_markerBox->size().width(), m_markerBox->size().height(), kLabelGridPx);
    std::vector<Polyline> curves;
    for (int index = 0; index < kSeriesCount; ++index) {
        for (const QLineSeries* line : {m_series[index], m_referenceSeries[index]}) {
            if (line->isVisible()) {
                curves.push_back(drawnCurve(line));
            }
        }
    }
    const ScreenBox& chosen = candidates[leastCoveringBox(candidates, curves)];
    m_markerBox->setPos(chosen.left, chosen.top);
}

QList<QPointF> QtChartControl::drawnReferencePoints(int series) const {
    this->series(series);  // throws past 1..6
    return m_referenceSeries[static_cast<std::size_t>(series - 1)]->points();
}

QList<QPointF> QtChartControl::markerPoints(int trace) const {
    const MarkerSeries& markers = m_markers.at(static_cast<std::size_t>(trace));
    return markers.swr->points() + markers.resonance->points();
}

QString QtChartControl::markerLabels() const {
    return m_markerBox->text();
}

}  // namespace zm
