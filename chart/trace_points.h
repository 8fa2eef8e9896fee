// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string_view>

#include "results/sweep_record.h"

namespace zm {

// Where a frequency stands along the chart's bottom axis. The grid's rows stand at 0, 1,
// 2, ... and their labels (column 1) run upwards in even steps, so a sweep or a memory
// taken at other frequencies is drawn where its frequencies fall between them.
class FrequencyPositions {
public:
    FrequencyPositions() = default;
    // From the labels of the first and last of `rows` rows ("14 ", "14.35 "); maps nothing
    // while the labels are not yet written or are not numbers.
    FrequencyPositions(std::string_view firstLabel, std::string_view lastLabel, int rows);

    // Fractional positions run past both ends for frequencies outside the grid; none when
    // nothing is mapped, and with one row for any frequency but its own.
    std::optional<double> positionOf(double frequencyHz) const;
    // The frequency at a position, for finding the points near the mouse; none unmapped.
    std::optional<double> frequencyAt(double position) const;
    int rows() const { return m_rows; }

    friend bool operator==(const FrequencyPositions&, const FrequencyPositions&) = default;

private:
    int m_rows = 0;
    double m_firstHz = 0.0;
    double m_stepHz = 0.0;  // 0 with one row
};

// What chart series 1..6 (R, X, Z, SWR, phase, RHO) shows of a reading, as the grid holds
// it: at the meter R and X as magnitudes, as the meter shows them, at the antenna R and X
// with their signs, so that a capacitive antenna is seen as one; the phase signed, RHO as
// |Gamma|.
double seriesValue(const PointReading& reading, int series, Plane plane = Plane::Meter);

}  // namespace zm
