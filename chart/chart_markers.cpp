// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/chart_markers.h"

#include <QChart>

#include "chart/chart_axes.h"
#include "chart/memory_curves.h"
#include "chart/sweep_curves.h"
#include "results/result_texts.h"
#include "results/sweep_features.h"

namespace zm {

namespace {

const QColor kSweepInk(0, 0, 0);
// A wide memory (an analyser's file over many bands) could resonate all over the span.
constexpr std::size_t kMostResonanceLines = 3;

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

ChartMarkers::ChartMarkers(QChart& chart, ChartAxes& axes, const SweepCurves& sweep,
                           const MemoryCurves& memories)
    : m_chart(chart),
      m_axes(axes),
      m_sweep(sweep),
      m_memories(memories),
      m_sweepMarkers(MarkerSeries::add(axes, kSweepInk)),
      m_box(chart) {}

// "SWR 1.31 at 14.150 MHz; 2:1 14.071 – 14.280 MHz, 209 kHz, Q 48"; a memory's line is
// "– – name · first marker", and those beyond the box's fourth share one.
QString ChartMarkers::draw() {
    m_stale = false;
    QList<ChartTextBox::Line> sweepLines;
    QList<ChartTextBox::Line> memoryLines;
    QStringList spoken;
    for (const std::string& text : mark(m_sweep.record(), m_sweepMarkers)) {
        sweepLines.append({QString::fromStdString(text), kSweepInk});
        spoken.append(sweepLines.back().text);
    }
    for (const MemoryCurves::Drawn& memory : m_memories.shown()) {
        const std::vector<std::string> texts = mark(memory.record, memory.markers);
        const std::string marker = texts.empty() ? "" : " · " + texts[0];
        memoryLines.append({QString::fromStdString("– – " + memory.name + marker), memory.colour});
        if (memoryLines.size() <= MarkerBox::kMostMemoryLines) {
            spoken.append(QString::fromStdString("memory " + memory.name + marker));
        }
    }
    if (memoryLines.size() > MarkerBox::kMostMemoryLines) {
        spoken.append(moreMemoriesLine(memoryLines.size() - MarkerBox::kMostMemoryLines));
    }
    m_box.setLines(sweepLines, memoryLines);
    return spoken.join(QStringLiteral("; "));
}

// Marks the record's features on its markers; what its lines in the box say.
std::vector<std::string> ChartMarkers::mark(const SweepRecord& record,
                                            const MarkerSeries& markers) {
    const FrequencyPositions& positions = m_sweep.positions();
    const bool swrShown = m_sweep.isShown(4);
    const bool reactanceShown = m_sweep.isShown(2) || m_sweep.isShown(5);
    QList<QPointF> swrPoints;
    QList<QPointF> resonancePoints;
    std::vector<std::string> texts;
    if (positions.rows() > 0) {
        const SweepFeatures features = featuresInSpan(record);
        // A one-row grid places its own frequency only.
        const auto mark = [&](QList<QPointF>& points, double hz, double value) {
            if (const auto position = positions.positionOf(hz)) {
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
    markers.replace(swrPoints, resonancePoints);
    return texts;
}

void ChartMarkers::raise() {
    m_sweepMarkers.raise(m_chart, m_axes);
}

SweepFeatures ChartMarkers::featuresInSpan(const SweepRecord& record) const {
    return findFeatures(partInSpan(record, m_sweep.positions()));
}

std::vector<TraceFeatures> ChartMarkers::features() const {
    std::vector<TraceFeatures> traces;
    if (m_sweep.record().hasReadings()) {
        traces.push_back({SweepCurves::kName, kSweepInk, featuresInSpan(m_sweep.record())});
    }
    for (const MemoryCurves::Drawn& memory : m_memories.shown()) {
        traces.push_back({memory.name, memory.colour, featuresInSpan(memory.record)});
    }
    return traces;
}

QList<QPointF> ChartMarkers::points(std::size_t trace) const {
    return trace == 0 ? m_sweepMarkers.points() : m_memories.shown().at(trace - 1).markers.points();
}

}  // namespace zm
