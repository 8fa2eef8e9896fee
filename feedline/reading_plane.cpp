// SPDX-License-Identifier: GPL-3.0-or-later

#include "feedline/reading_plane.h"

#include <cmath>

#include "results/impedance.h"

namespace zm {

namespace {

bool finite(std::complex<double> z) {
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

}  // namespace

std::optional<PointReading> readingAtPlane(const PointReading& reading, Plane from, Plane to,
                                           const Feedline& line, double frequencyHz) {
    if (from == to) {
        return reading;
    }
    const std::complex<double> z = to == Plane::Antenna
                                       ? antennaImpedanceOf(reading.impedance(), line, frequencyHz)
                                       : meterImpedanceOf(reading.impedance(), line, frequencyHz);
    if (!finite(z)) {
        return std::nullopt;
    }
    return PointReading{reading.power, std::abs(z), phaseDegreesOf(z),
                        swrFromRho(std::abs(reflectionCoefficient(z)))};
}

SweepRecord recordAtPlane(const SweepRecord& record, Plane wanted, const Feedline* line) {
    if (!line) {
        return record;
    }
    SweepRecord shown = record;
    shown.plane = wanted;
    if (record.plane == Plane::Meter || wanted == Plane::Meter) {
        shown.feedline = line->description();
    }
    for (SweepPoint& point : shown.points) {
        if (!point.reading) {
            continue;
        }
        const double hz = static_cast<double>(point.frequencyHz);
        const auto atAntenna =
            readingAtPlane(*point.reading, record.plane, Plane::Antenna, *line, hz);
        point.reading = readingAtPlane(*point.reading, record.plane, wanted, *line, hz);
        point.lineLoss =
            atAntenna ? std::optional(lineLossAt(atAntenna->impedance(), *line, hz)) : std::nullopt;
    }
    return shown;
}

}  // namespace zm
