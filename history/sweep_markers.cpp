// SPDX-License-Identifier: GPL-3.0-or-later

#include "history/sweep_markers.h"

#include <algorithm>
#include <cmath>

namespace zm {

namespace {

// The reactance's slope at a resonance, ohm per Hz, between the nearest measured points
// below and above it: the two it lies between, or the neighbours of the point it lies on.
std::optional<double> reactanceSlope(const SweepRecord& record, double resonanceHz) {
    const SweepPoint* below = nullptr;
    const SweepPoint* above = nullptr;
    for (const SweepPoint& point : record.points) {
        const auto hz = static_cast<double>(point.frequencyHz);
        if (point.reading && hz < resonanceHz) {
            below = &point;
        } else if (point.reading && hz > resonanceHz && !above) {
            above = &point;
        }
    }
    if (!below || !above) {
        return std::nullopt;
    }
    const double dx = above->reading->impedance().imag() - below->reading->impedance().imag();
    return dx / static_cast<double>(above->frequencyHz - below->frequencyHz);
}

}  // namespace

SweepMarkers markersOf(const SweepRecord& record) {
    SweepMarkers markers{findFeatures(record), {}};
    for (const Resonance& resonance : markers.features.resonances) {
        const auto slope = reactanceSlope(record, resonance.frequencyHz);
        const bool fits = slope && resonance.resistanceOhms > 0.0;
        markers.resonanceQ.push_back(fits
                                         ? std::optional(resonance.frequencyHz * std::fabs(*slope) /
                                                         (2.0 * resonance.resistanceOhms))
                                         : std::nullopt);
    }
    return markers;
}

std::optional<Resonance> mainResonance(const SweepFeatures& features) {
    if (features.resonances.empty() || !features.swrMinimum) {
        return std::nullopt;
    }
    const double minimumHz = features.swrMinimum->frequencyHz;
    return *std::min_element(features.resonances.begin(), features.resonances.end(),
                             [minimumHz](const Resonance& a, const Resonance& b) {
                                 return std::fabs(a.frequencyHz - minimumHz) <
                                        std::fabs(b.frequencyHz - minimumHz);
                             });
}

std::optional<ReadSpan> readSpanOf(const SweepRecord& record) {
    std::optional<ReadSpan> span;
    for (const SweepPoint& point : record.points) {
        if (point.reading) {
            const auto hz = static_cast<double>(point.frequencyHz);
            span = span ? ReadSpan{span->fromHz, hz} : ReadSpan{hz, hz};
        }
    }
    return span;
}

SweepRecord recordWithin(const SweepRecord& record, double fromHz, double toHz) {
    SweepRecord within = record;
    std::erase_if(within.points, [&](const SweepPoint& point) {
        const auto hz = static_cast<double>(point.frequencyHz);
        return hz < fromHz || hz > toHz;
    });
    return within;
}

}  // namespace zm
