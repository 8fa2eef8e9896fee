// SPDX-License-Identifier: GPL-3.0-or-later
// The plot-mode side of QtChartControl: axis titles and scales, and which series show.
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>
#include <utility>

#include "chart/auto_scale.h"
#include "chart/qt_chart_control.h"

namespace zm {

namespace {

constexpr int kMostDivisions = 1000;  // beyond that the ticks merge into a solid bar

}  // namespace

// The axes and series belong to the view; once the window has destroyed it, any use of the
// chart is a fault of the caller's, reported rather than run on freed objects.
QtChartControl::AxisScale& QtChartControl::scale(AxisId axis) {
    return const_cast<AxisScale&>(std::as_const(*this).scale(axis));
}

const QtChartControl::AxisScale& QtChartControl::scale(AxisId axis) const {
    if (!m_view) {
        throw std::logic_error("chart: used after its widget was destroyed");
    }
    return m_scales[axis == AxisId::Y ? 0 : 1];
}

QLineSeries* QtChartControl::series(int series) const {
    if (!m_view) {
        throw std::logic_error("chart: used after its widget was destroyed");
    }
    if (series < 1 || series > kSeriesCount) {
        throw std::out_of_range("chart: no series " + std::to_string(series));
    }
    return m_series[static_cast<std::size_t>(series - 1)]->first();
}

QValueAxis* QtChartControl::valueAxis(AxisId axis) const {
    return scale(axis).axis;
}

void QtChartControl::setAxisTitle(AxisId axis, std::string_view title) {
    scale(axis).axis->setTitleText(QString::fromUtf8(title.data(), std::ssize(title)));
}

void QtChartControl::setAutoScale(AxisId axis, bool automatic) {
    scale(axis).automatic = automatic;
    applyScale(axis);
}

// A minimum above the maximum still shown (RHO's 0..1 on the way to SWR's 1..3) is kept
// until the maximum arrives; the axis shows a range only once both ends make one.
void QtChartControl::setMinimum(AxisId axis, double minimum) {
    scale(axis).fixedMinimum = minimum;
    applyScale(axis);
}

void QtChartControl::setMaximum(AxisId axis, double maximum) {
    scale(axis).fixedMaximum = maximum;
    applyScale(axis);
}

void QtChartControl::setMajorDivision(AxisId axis, std::int16_t divisions) {
    scale(axis).majorDivisions = std::clamp<int>(divisions, 1, kMostDivisions);
    applyScale(axis);
}

void QtChartControl::setMinorDivision(AxisId axis, std::int16_t divisions) {
    scale(axis).minorDivisions = std::clamp<int>(divisions, 1, kMostDivisions);
    applyScale(axis);
}

void QtChartControl::setShowLine(int series, bool show) {
    this->series(series);  // throws past 1..6
    m_series[static_cast<std::size_t>(series - 1)]->setVisible(show);
    for (MemoryLines& memory : m_memories) {
        memory.series[static_cast<std::size_t>(series - 1)]->setVisible(show);
    }
    m_markersPending = true;
    // A shown series that missed a hand-over while hidden is drawn before the next paint.
    applyScale(isOnRightAxis(series) ? AxisId::Y2 : AxisId::Y);
}

void QtChartControl::applyScale(AxisId axis) {
    AxisScale& s = scale(axis);
    const std::pair<double, double> shown{s.axis->min(), s.axis->max()};
    setRange(axis);
    if (shown != std::pair(s.axis->min(), s.axis->max())) {
        redrawOnAxis(axis);
    }
}

// What the axis's lines were drawn for, held near the old range, is drawn again.
void QtChartControl::redrawOnAxis(AxisId axis) {
    for (int index = 0; index < kSeriesCount; ++index) {
        if (isOnRightAxis(index + 1) == (axis == AxisId::Y2)) {
            m_data[static_cast<std::size_t>(index)].pending = true;
            for (MemoryLines& memory : m_memories) {
                memory.span[static_cast<std::size_t>(index)].pending = true;
            }
        }
    }
}

// Values far beyond the axis's range are held a thousand ranges beyond it: the part of a
// line on the chart moves by less than a thousandth of a step, and a PDF's coordinates stay
// below a million, where Qt's PDF writer writes them right (a 10^9 SWR off a 1..3 scale
// came out as "-68760645./" and poppler dropped the rest of the page's lines).
std::vector<std::vector<DrawnPoint>> QtChartControl::drawable(
    std::vector<std::vector<DrawnPoint>> runs, int index) const {
    const QValueAxis* axis = scale(isOnRightAxis(index + 1) ? AxisId::Y2 : AxisId::Y).axis;
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

void QtChartControl::setRange(AxisId axis) {
    AxisScale& s = scale(axis);
    if (!s.automatic) {
        if (s.fixedMinimum < s.fixedMaximum) {
            s.axis->setRange(s.fixedMinimum, s.fixedMaximum);
        }
        s.axis->setTickCount(s.majorDivisions + 1);
        s.axis->setMinorTickCount(s.minorDivisions - 1);
        return;
    }
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -lowest;
    for (int index = 1; index <= kSeriesCount; ++index) {
        if (!series(index)->isVisible() || isOnRightAxis(index) != (axis == AxisId::Y2)) {
            continue;
        }
        const SeriesData& data = m_data[static_cast<std::size_t>(index - 1)];
        if (!data.values.empty()) {
            lowest = std::min(lowest, data.lowest);
            highest = std::max(highest, data.highest);
        }
        // The memories' parts inside the sweep's span count too, so none is cut off.
        for (const MemoryLines& memory : m_memories) {
            const SpanPoints& span = memory.span[static_cast<std::size_t>(index - 1)];
            lowest = std::min(lowest, span.lowest);
            highest = std::max(highest, span.highest);
        }
    }
    const AxisRange range = autoScaleRange(lowest, highest);
    s.axis->setRange(range.minimum, range.maximum);
    s.axis->setTickCount(range.majorDivisions + 1);
    s.axis->setMinorTickCount(0);
}

QString QtChartControl::axisTitle(AxisId axis) const {
    return scale(axis).axis->titleText();
}

QString QtChartControl::frequencyAxisTitle() const {
    return m_frequencyAxis->titleText();
}

double QtChartControl::axisMinimum(AxisId axis) const {
    return scale(axis).axis->min();
}

double QtChartControl::axisMaximum(AxisId axis) const {
    return scale(axis).axis->max();
}

int QtChartControl::axisTickCount(AxisId axis) const {
    return scale(axis).axis->tickCount();
}

int QtChartControl::axisMinorTickCount(AxisId axis) const {
    return scale(axis).axis->minorTickCount();
}

bool QtChartControl::isShown(int series) const {
    return this->series(series)->isVisible();
}

QList<QPointF> QtChartControl::drawnPoints(int series) const {
    this->series(series);  // throws past 1..6
    return m_series[static_cast<std::size_t>(series - 1)]->points();
}

}  // namespace zm
