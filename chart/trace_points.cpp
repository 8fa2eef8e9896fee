// SPDX-License-Identifier: GPL-3.0-or-later

#include "chart/trace_points.h"

#include <cmath>

#include "meter/number_reading.h"

namespace zm {

namespace {

constexpr double kHzPerMHz = 1e6;
// A label holds 15 significant digits: a frequency within half a Hz is the row's own.
constexpr double kSameFrequencyHz = 0.5;

std::optional<double> labelHz(std::string_view label) {
    if (!isWholeNumber(label)) {
        return std::nullopt;
    }
    const double hz = leadingNumber(label) * kHzPerMHz;
    return std::isfinite(hz) ? std::optional(hz) : std::nullopt;
}

}  // namespace

FrequencyPositions::FrequencyPositions(std::string_view firstLabel, std::string_view lastLabel,
                                       int rows) {
    const auto first = labelHz(firstLabel);
    const auto last = labelHz(lastLabel);
    if (rows < 1 || !first || !last || (rows > 1 && !(*last > *first))) {
        return;
    }
    m_rows = rows;
    m_firstHz = *first;
    m_stepHz = rows > 1 ? (*last - *first) / (rows - 1) : 0.0;
}

std::optional<double> FrequencyPositions::positionOf(double frequencyHz) const {
    if (m_rows == 0) {
        return std::nullopt;
    }
    if (m_stepHz == 0.0) {
        return std::fabs(frequencyHz - m_firstHz) <= kSameFrequencyHz ? std::optional(0.0)
                                                                      : std::nullopt;
    }
    return (frequencyHz - m_firstHz) / m_stepHz;
}

std::optional<double> FrequencyPositions::frequencyAt(double position) const {
    if (m_rows == 0) {
        return std::nullopt;
    }
    return m_firstHz + position * m_stepHz;
}

double seriesValue(const PointReading& reading, int series, Plane plane) {
    const auto shown = [plane](double part) {
        return plane == Plane::Antenna ? part : std::fabs(part);
    };
    switch (series) {
        case 1:
            return shown(reading.impedance().real());
        case 2:
            return shown(reading.impedance().imag());
        case 3:
            return reading.zOhms;
        case 4:
            return reading.swr;
        case 5:
            return reading.phaseDegrees;
        case 6:
            return reading.rho();
        default:
            return 0.0;
    }
}

}  // namespace zm
