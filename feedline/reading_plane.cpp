// SPDX-License-Identifier: GPL-3.0-or-later

#include "feedline/reading_plane.h"

#include <algorithm>
#include <cmath>

#include "results/impedance.h"

namespace zm {

namespace {

bool finite(std::complex<double> z) {
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

// An antenna takes power from the line; a resistance of 0 or below gives as much back, or
// more, and is no antenna's.
bool takesPower(std::complex<double> antennaOhms) {
    return antennaOhms.real() > 0.0;
}

}  // namespace

std::optional<PointReading> readingAtPlane(const PointReading& reading, Plane from, Plane to,
                                           const Feedline& line, double frequencyHz) {
    if (from == to) {
        return to == Plane::Meter || takesPower(reading.impedance()) ? std::optional(reading)
                                                                     : std::nullopt;
    }
    const std::complex<double> z = to == Plane::Antenna
                                       ? antennaImpedanceOf(reading.impedance(), line, frequencyHz)
                                       : meterImpedanceOf(reading.impedance(), line, frequencyHz);
    if (!finite(z) || (to == Plane::Antenna && !takesPower(z))) {
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
        const double hz = static_cast<double>(point.frequencyHz);
        // Beyond the loss at the antenna of a file or memory: the meter's values remain.
        const bool fromMeter = !point.reading && point.meterReading;
        if (fromMeter) {
            point.reading = point.meterReading;
            point.meterReading.reset();
            point.skipped.reset();
        }
        if (!point.reading) {
            continue;
        }
        const Plane from = fromMeter ? Plane::Meter : record.plane;
        const auto atAntenna = readingAtPlane(*point.reading, from, Plane::Antenna, *line, hz);
        const auto atMeter = readingAtPlane(*point.reading, from, Plane::Meter, *line, hz);
        point.reading = wanted == Plane::Antenna ? atAntenna : atMeter;
        point.lineLoss =
            atAntenna ? std::optional(lineLossAt(atAntenna->impedance(), *line, hz)) : std::nullopt;
        if (!point.reading) {
            point.taken.reset();
            point.skipped = SkipReason::BeyondFeedlineLoss;
            point.meterReading = atMeter;
        }
    }
    return shown;
}

SweepRecord memoryAtPlane(const SweepRecord& record, Plane wanted, const Feedline* line,
                          std::string& why) {
    SweepRecord shown = recordAtPlane(record, wanted, line);
    why.clear();
    if (shown.hasReadings() || !shown.hasMeasurements()) {
        return shown;
    }
    for (SweepPoint& point : shown.points) {
        if (point.meterReading) {
            point.reading = point.meterReading;
            point.meterReading.reset();
            point.skipped.reset();
        }
    }
    shown.plane = Plane::Meter;
    const std::string cable = shown.feedline.empty() ? "the feedline" : shown.feedline;
    why = "at the meter: no point has a value at the antenna through " + cable;
    return shown;
}

std::string beyondLossNotice(const SweepRecord& shown) {
    const auto count = std::count_if(
        shown.points.begin(), shown.points.end(),
        [](const SweepPoint& p) { return p.skipped == SkipReason::BeyondFeedlineLoss; });
    if (count == 0) {
        return {};
    }
    const std::string cable = shown.feedline.empty() ? "the feedline" : shown.feedline;
    return std::to_string(count) + (count == 1 ? " point reads" : " points read") +
           " more reflection than " + cable +
           " can return: check the cable and length in Setup, Feedline";
}

}  // namespace zm
