// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/sweep_curves.h"

#include <QLineSeries>
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <variant>

#include "chart/chart_axes.h"
#include "numbers/number_text.h"
#include "sweep/plot_grid.h"

namespace zm {

namespace {

constexpr qreal kLineWidthPx = 2.0;

std::string labelText(const Cell& cell) {
    if (const auto* text = std::get_if<std::string>(&cell)) {
        const auto first = text->find_first_not_of(' ');
        const auto last = text->find_last_not_of(' ');
        return first == std::string::npos ? std::string() : text->substr(first, last - first + 1);
    }
    if (std::holds_alternative<std::monostate>(cell)) {
        return {};
    }
    return generalNumber(cellValue(cell));
}

// The chart's value of a cell; NaN for an empty one, which has no value to draw.
double drawnValue(const Cell& cell) {
    return std::holds_alternative<std::monostate>(cell) ? NAN : cellValue(cell);
}

}  // namespace

// The design-time table: six empty series, so a plot mode applies before any sweep.
SweepCurves::SweepCurves(ChartAxes& axes) : m_axes(axes) {
    for (int series = 1; series <= kSeriesCount; ++series) {
        m_lines[static_cast<std::size_t>(series - 1)] =
            m_axes.addLine(QPen(seriesColour(series), kLineWidthPx), series);
    }
}

bool SweepCurves::setGrid(const PlotGrid& grid) {
    const auto rows = static_cast<std::size_t>(grid.rows());
    m_labels.resize(rows);
    for (SeriesData& data : m_data) {
        data.values.resize(rows);
        data.pending = true;
    }
    // Row by row: the grid keeps a row's seven cells together, and 32,766 rows are 9 MB.
    for (std::size_t row = 0; row < rows; ++row) {
        const int gridRow = static_cast<int>(row) + 1;
        m_labels[row] = labelText(grid.at(gridRow, 1));
        for (std::size_t index = 0; index < m_data.size(); ++index) {
            m_data[index].values[row] = drawnValue(grid.at(gridRow, static_cast<int>(index) + 2));
        }
    }
    for (SeriesData& data : m_data) {
        data.lowest = std::numeric_limits<double>::infinity();
        data.highest = -data.lowest;
        for (const double value : data.values) {
            if (std::isfinite(value)) {
                data.lowest = std::min(data.lowest, value);
                data.highest = std::max(data.highest, value);
            }
        }
    }
    const FrequencyPositions positions =
        rows == 0 ? FrequencyPositions()
                  : FrequencyPositions(m_labels.front(), m_labels.back(), grid.rows());
    const bool moved = !(positions == m_positions);
    m_positions = positions;
    return moved;
}

void SweepCurves::setRecord(const SweepRecord& record) {
    m_record = record;
    for (SeriesData& data : m_data) {
        data.pending = true;  // its rows without values break the lines or not
    }
}

void SweepCurves::setShown(int series, bool shown) {
    lineOf(series).setVisible(shown);
}

void SweepCurves::redrawOnAxis(AxisId axis) {
    for (int series = 1; series <= kSeriesCount; ++series) {
        if (axisOf(series) == axis) {
            m_data[static_cast<std::size_t>(series - 1)].pending = true;
        }
    }
}

// A shown series that missed a hand-over while hidden is drawn too.
void SweepCurves::drawPending() {
    for (int series = 1; series <= kSeriesCount; ++series) {
        if (m_data[static_cast<std::size_t>(series - 1)].pending && isShown(series)) {
            draw(series);
        }
    }
}

void SweepCurves::draw(int series) {
    SeriesData& data = m_data[static_cast<std::size_t>(series - 1)];
    std::vector<CurvePoint> points(data.values.size());
    for (std::size_t row = 0; row < points.size(); ++row) {
        const bool bridged =
            row < m_record.points.size() && curveRunsAcross(m_record.points[row].skipped);
        points[row] = {static_cast<double>(row), data.values[row], bridged};
    }
    const bool decimated = data.values.size() > static_cast<std::size_t>(kDecimateAbove);
    lineOf(series).draw(
        m_axes.heldNear(curveRuns(points, decimated ? kDecimateBuckets : 0), series));
    data.pending = false;
}

void SweepCurves::raise() {
    for (const std::unique_ptr<TraceLine>& line : m_lines) {
        line->raise();
    }
}

bool SweepCurves::isShown(int series) const {
    return lineOf(series).isVisible();
}

void SweepCurves::widen(int series, double& lowest, double& highest) const {
    const SeriesData& data = m_data[static_cast<std::size_t>(series - 1)];
    if (!data.values.empty()) {
        lowest = std::min(lowest, data.lowest);
        highest = std::max(highest, data.highest);
    }
}

double SweepCurves::value(int series, std::size_t row) const {
    return m_data[static_cast<std::size_t>(series - 1)].values[row];
}

QLineSeries* SweepCurves::line(int series) const {
    return lineOf(series).first();
}

QList<QPointF> SweepCurves::points(int series) const {
    return lineOf(series).points();
}

TraceLine& SweepCurves::lineOf(int series) const {
    if (series < 1 || series > kSeriesCount) {
        throw std::out_of_range("chart: no series " + std::to_string(series));
    }
    return *m_lines[static_cast<std::size_t>(series - 1)];
}

}  // namespace zm
