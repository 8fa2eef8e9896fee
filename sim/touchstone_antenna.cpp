// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/touchstone_antenna.h"

#include <algorithm>

#include "results/impedance.h"
#include "results/touchstone.h"

namespace zm::sim {

std::variant<TouchstoneAntenna, std::string> TouchstoneAntenna::fromText(std::string_view text) {
    const auto read = readTouchstone(text);
    if (const auto* error = std::get_if<FileError>(&read)) {
        return error->describe();
    }
    TouchstoneAntenna antenna;
    for (const SweepPoint& point : std::get<SweepRecord>(read).points) {
        if (point.reading) {
            antenna.m_samples.push_back({static_cast<double>(point.frequencyHz) / 1e6,
                                         reflectionCoefficient(point.reading->impedance())});
        }
    }
    if (antenna.m_samples.empty()) {
        return std::string("it holds no point with a finite impedance");
    }
    return antenna;
}

Impedance TouchstoneAntenna::impedanceAt(double frequencyMHz) const {
    const auto above = std::upper_bound(
        m_samples.begin(), m_samples.end(), frequencyMHz,
        [](double mhz, const Sample& sample) { return mhz < sample.frequencyMHz; });
    std::complex<double> gamma;
    if (above == m_samples.begin()) {
        gamma = m_samples.front().gamma;
    } else if (above == m_samples.end()) {
        gamma = m_samples.back().gamma;
    } else {
        const Sample& below = *(above - 1);
        const double share =
            (frequencyMHz - below.frequencyMHz) / (above->frequencyMHz - below.frequencyMHz);
        gamma = below.gamma + share * (above->gamma - below.gamma);
    }
    // Only Gamma = 1, an open, has no impedance: a file's open was left out, and a straight
    // line between two other points of the chart never reaches it.
    const std::complex<double> z = impedanceFromReflection(gamma, kReferenceOhms).value();
    return {z.real(), z.imag()};
}

}  // namespace zm::sim
