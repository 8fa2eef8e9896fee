// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/sweep_record.h"

#include <algorithm>

#include "results/impedance.h"

namespace zm {

std::complex<double> PointReading::impedance() const {
    return impedanceFromPolar(zOhms, phaseDegrees);
}

double PointReading::rho() const {
    return rhoOf(zOhms, phaseDegrees);
}

bool SweepRecord::hasReadings() const {
    return std::any_of(points.begin(), points.end(),
                       [](const SweepPoint& point) { return point.reading.has_value(); });
}

std::optional<PointReading> pointReadingOf(const MeterReading& reading, bool pollAccepted) {
    if (!pollAccepted || !reading.Z || !reading.Phase) {
        return std::nullopt;
    }
    return PointReading{reading.Power, *reading.Z, *reading.Phase, reading.SWR.toDouble()};
}

}  // namespace zm
