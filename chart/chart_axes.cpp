// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/chart_axes.h"

#include <QCategoryAxis>
#include <QChart>
#include <QValueAxis>
#include <algorithm>

#include "chart/auto_scale.h"
#include "chart/chart_series.h"
#include "chart/frequency_labels.h"

namespace zm {

namespace {

constexpr int kMostDivisions = 1000;  // beyond that the ticks merge into a solid bar
constexpr int kLabelSpacingPx = 50;   // "1638.25" in the axis font, with a gap

}  // namespace

ChartAxes::ChartAxes(QChart& chart) : m_chart(chart) {
    QFont axisFont;
    axisFont.setPointSizeF(8.0);
    m_frequency = new QCategoryAxis;
    m_frequency->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_frequency->setTitleText("Frequency - MHz");
    m_frequency->setRange(0.0, 1.0);
    m_chart.addAxis(m_frequency, Qt::AlignBottom);
    for (const AxisId id : {AxisId::Y, AxisId::Y2}) {
        auto* axis = new QValueAxis;
        axis->setRange(0.0, 1.0);
        // Qt elides a value label at four pixels short of twice its height between ticks:
        // "…" all up the SWR 3:1 axis once the marker box takes a band of the chart's height.
        axis->setTruncateLabels(false);
        m_chart.addAxis(axis, id == AxisId::Y ? Qt::AlignLeft : Qt::AlignRight);
        scale(id).axis = axis;
    }
    for (QAbstractAxis* axis : m_chart.axes()) {
        axis->setLabelsFont(axisFont);
        axis->setTitleFont(axisFont);
    }
    m_chart.setTitleFont(axisFont);
}

void ChartAxes::setTitle(AxisId axis, std::string_view title) {
    scale(axis).axis->setTitleText(QString::fromUtf8(title.data(), std::ssize(title)));
}

void ChartAxes::setAutomatic(AxisId axis, bool automatic) {
    scale(axis).automatic = automatic;
}

// A minimum above the maximum still shown (RHO's 0..1 on the way to SWR's 1..3) is kept
// until the maximum arrives; the axis shows a range only once both ends make one.
void ChartAxes::setFixedMinimum(AxisId axis, double minimum) {
    scale(axis).fixedMinimum = minimum;
}

void ChartAxes::setFixedMaximum(AxisId axis, double maximum) {
    scale(axis).fixedMaximum = maximum;
}

void ChartAxes::setMajorDivisions(AxisId axis, std::int16_t divisions) {
    scale(axis).majorDivisions = std::clamp<int>(divisions, 1, kMostDivisions);
}

void ChartAxes::setMinorDivisions(AxisId axis, std::int16_t divisions) {
    scale(axis).minorDivisions = std::clamp<int>(divisions, 1, kMostDivisions);
}

bool ChartAxes::rescale(AxisId axis, double lowest, double highest) {
    AxisScale& s = scale(axis);
    const std::pair<double, double> shown{s.axis->min(), s.axis->max()};
    if (!s.automatic) {
        if (s.fixedMinimum < s.fixedMaximum) {
            s.axis->setRange(s.fixedMinimum, s.fixedMaximum);
        }
        s.axis->setTickCount(s.majorDivisions + 1);
        s.axis->setMinorTickCount(s.minorDivisions - 1);
    } else {
        const AxisRange range = autoScaleRange(lowest, highest);
        s.axis->setRange(range.minimum, range.maximum);
        s.axis->setTickCount(range.majorDivisions + 1);
        s.axis->setMinorTickCount(0);
    }
    return shown != std::pair(s.axis->min(), s.axis->max());
}

void ChartAxes::labelPoints(const std::vector<std::string>& labels, int widthPx) {
    const int points = static_cast<int>(labels.size());
    const int room = std::clamp(widthPx / kLabelSpacingPx, 2, kMostFrequencyLabels);
    QStringList shown;
    std::vector<int> positions;
    for (const int row : labelledPoints(points, room)) {
        const auto text = QString::fromStdString(labels[static_cast<std::size_t>(row)]);
        // The axis drops a repeated label silently; leave it out here, where it is seen.
        if (!text.isEmpty() && !shown.contains(text)) {
            shown.append(text);
            positions.push_back(row);
        }
    }
    // The same texts can stand at other points: 14, 14.1, 14.2 are every point at 100 kHz
    // and every other at 50 kHz.
    if (shown != m_shownLabels || positions != m_shownPositions) {
        for (const QString& label : m_frequency->categoriesLabels()) {
            m_frequency->remove(label);
        }
        for (qsizetype i = 0; i < shown.size(); ++i) {
            m_frequency->append(shown[i], positions[static_cast<std::size_t>(i)]);
        }
        m_shownLabels = shown;
        m_shownPositions = positions;
    }
    // A single point sits in the middle; otherwise the first and last point touch the frame.
    const double first = points <= 1 ? -0.5 : 0.0;
    const double last = points <= 1 ? 0.5 : points - 1.0;
    m_frequency->setStartValue(first);
    m_frequency->setRange(first, last);
}

std::unique_ptr<TraceLine> ChartAxes::addLine(const QPen& pen, int series) {
    return std::make_unique<TraceLine>(m_chart, pen, m_frequency, scale(axisOf(series)).axis);
}

void ChartAxes::attach(QAbstractSeries* series, AxisId axis) {
    m_chart.addSeries(series);
    series->attachAxis(m_frequency);
    series->attachAxis(scale(axis).axis);
}

// Values far beyond the axis's range are held a thousand ranges beyond it: the part of a
// line on the chart moves by less than a thousandth of a step, and a PDF's coordinates stay
// below a million, where Qt's PDF writer writes them right (a 10^9 SWR off a 1..3 scale
// came out as "-68760645./" and poppler dropped the rest of the page's lines).
std::vector<std::vector<DrawnPoint>> ChartAxes::heldNear(std::vector<std::vector<DrawnPoint>> runs,
                                                         int series) const {
    const QValueAxis* axis = scale(axisOf(series)).axis;
    const double span = axis->max() - axis->min();
    constexpr double kHeldRanges = 1000.0;
    for (std::vector<DrawnPoint>& run : runs) {
        for (DrawnPoint& point : run) {
            point.y = std::clamp(point.y, axis->min() - kHeldRanges * span,
                                 axis->max() + kHeldRanges * span);
        }
    }
    return runs;
}

QString ChartAxes::title(AxisId axis) const {
    return scale(axis).axis->titleText();
}

QString ChartAxes::frequencyTitle() const {
    return m_frequency->titleText();
}

double ChartAxes::minimum(AxisId axis) const {
    return scale(axis).axis->min();
}

double ChartAxes::maximum(AxisId axis) const {
    return scale(axis).axis->max();
}

int ChartAxes::tickCount(AxisId axis) const {
    return scale(axis).axis->tickCount();
}

int ChartAxes::minorTickCount(AxisId axis) const {
    return scale(axis).axis->minorTickCount();
}

}  // namespace zm
