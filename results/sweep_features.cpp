// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/sweep_features.h"

#include <cmath>

namespace zm {

namespace {

struct Measured {
    double frequencyHz;
    const PointReading* reading;
};

std::vector<Measured> measuredPoints(const SweepRecord& record) {
    std::vector<Measured> measured;
    for (const SweepPoint& point : record.points) {
        if (point.reading) {
            measured.push_back({static_cast<double>(point.frequencyHz), &*point.reading});
        }
    }
    return measured;
}

// The frequency where a straight line from (fromHz, fromValue) to (toHz, toValue) takes
// `value`, which lies between the two.
double crossingHz(double fromHz, double fromValue, double toHz, double toValue, double value) {
    if (fromValue == toValue) {
        return fromHz;
    }
    return fromHz + (value - fromValue) / (toValue - fromValue) * (toHz - fromHz);
}

// Walks from the minimum towards one end (step -1 or +1) to the first point at or above
// the edge SWR; the edge lies between it and the point before.
std::optional<double> bandEdge(const std::vector<Measured>& points, std::size_t minimum, int step) {
    for (auto i = static_cast<std::ptrdiff_t>(minimum) + step;
         i >= 0 && i < static_cast<std::ptrdiff_t>(points.size()); i += step) {
        const Measured& outer = points[static_cast<std::size_t>(i)];
        if (outer.reading->swr >= kBandEdgeSwr) {
            const Measured& inner = points[static_cast<std::size_t>(i - step)];
            return crossingHz(inner.frequencyHz, inner.reading->swr, outer.frequencyHz,
                              outer.reading->swr, kBandEdgeSwr);
        }
    }
    return std::nullopt;
}

std::vector<Resonance> resonances(const std::vector<Measured>& points) {
    std::vector<Resonance> found;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Measured& here = points[i];
        const double phase = here.reading->phaseDegrees;
        if (phase == 0.0) {
            found.push_back({here.frequencyHz, here.reading->impedance().real()});
            continue;
        }
        if (i + 1 == points.size()) {
            break;
        }
        const Measured& next = points[i + 1];
        const double nextPhase = next.reading->phaseDegrees;
        // A jump through +-180 degrees (a negative resistance) passes no resonance.
        if (nextPhase == 0.0 || std::signbit(phase) == std::signbit(nextPhase) ||
            std::fabs(nextPhase - phase) > 180.0) {
            continue;
        }
        const double hz = crossingHz(here.frequencyHz, phase, next.frequencyHz, nextPhase, 0.0);
        const double hereR = here.reading->impedance().real();
        const double nextR = next.reading->impedance().real();
        const double share = (hz - here.frequencyHz) / (next.frequencyHz - here.frequencyHz);
        found.push_back({hz, hereR + share * (nextR - hereR)});
    }
    return found;
}

}  // namespace

std::optional<double> SweepFeatures::bandwidthKHz() const {
    if (!lowerEdgeHz || !upperEdgeHz) {
        return std::nullopt;
    }
    return (*upperEdgeHz - *lowerEdgeHz) / 1000.0;
}

std::optional<double> SweepFeatures::loadedQ() const {
    if (!lowerEdgeHz || !upperEdgeHz || !(*upperEdgeHz > *lowerEdgeHz)) {
        return std::nullopt;
    }
    const double middleHz = (*lowerEdgeHz + *upperEdgeHz) / 2.0;
    return (kBandEdgeSwr - 1.0) / std::sqrt(kBandEdgeSwr) * middleHz /
           (*upperEdgeHz - *lowerEdgeHz);
}

SweepFeatures findFeatures(const SweepRecord& record) {
    const std::vector<Measured> points = measuredPoints(record);
    SweepFeatures features;
    if (points.empty()) {
        return features;
    }
    std::size_t lowest = 0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i].reading->swr < points[lowest].reading->swr) {
            lowest = i;
        }
    }
    features.swrMinimum = SwrMinimum{points[lowest].frequencyHz, points[lowest].reading->swr};
    if (points[lowest].reading->swr < kBandEdgeSwr) {
        features.lowerEdgeHz = bandEdge(points, lowest, -1);
        features.upperEdgeHz = bandEdge(points, lowest, +1);
    }
    features.resonances = resonances(points);
    return features;
}

}  // namespace zm
