// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/sweep_record.h"

#include <algorithm>

#include "numbers/number_text.h"
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

bool SweepRecord::hasMeasurements() const {
    return std::any_of(points.begin(), points.end(), [](const SweepPoint& point) {
        return point.reading.has_value() || point.meterReading.has_value();
    });
}

int SweepRecord::keyedPoints() const {
    return static_cast<int>(std::count_if(points.begin(), points.end(), [](const SweepPoint& p) {
        return p.taken.has_value() || p.skipped == SkipReason::BeyondFeedlineLoss;
    }));
}

namespace {

constexpr std::string_view kFeedlineWord = "; feedline ";

}  // namespace

std::string planeNote(const SweepRecord& record) {
    const std::string plane = record.plane == Plane::Antenna ? "antenna" : "meter";
    return record.feedline.empty() ? plane : plane + std::string(kFeedlineWord) + record.feedline;
}

void readPlaneNote(std::string_view note, SweepRecord& record) {
    const std::size_t cut = note.find(kFeedlineWord);
    const std::string_view plane = trimmed(note.substr(0, cut));
    record.plane = equalsIgnoringCase(plane, "antenna") ? Plane::Antenna : Plane::Meter;
    record.feedline = cut == std::string_view::npos
                          ? std::string()
                          : std::string(trimmed(note.substr(cut + kFeedlineWord.size())));
}

std::optional<PointReading> pointReadingOf(const MeterReading& reading, bool pollAccepted) {
    if (!pollAccepted || !reading.Z || !reading.Phase) {
        return std::nullopt;
    }
    return PointReading{reading.Power, *reading.Z, *reading.Phase, reading.SWR.toDouble()};
}

}  // namespace zm
