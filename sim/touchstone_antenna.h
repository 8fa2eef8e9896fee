// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <complex>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sim/antenna_model.h"

namespace zm::sim {

// A network analyser's measurement of a real antenna (a one-port Touchstone file), swept
// as if it were on the air: between the file's frequencies the reflection coefficient is
// interpolated in a straight line (it stays inside the chart, where Z could run off to
// infinity near a parallel resonance); outside them the nearest end's impedance holds.
class TouchstoneAntenna {
public:
    // The antenna of a file's text, or what is wrong with it.
    static std::variant<TouchstoneAntenna, std::string> fromText(std::string_view text);

    Impedance impedanceAt(double frequencyMHz) const;
    double lowestMHz() const { return m_samples.front().frequencyMHz; }
    double highestMHz() const { return m_samples.back().frequencyMHz; }

private:
    struct Sample {
        double frequencyMHz;
        std::complex<double> gamma;  // against 50 ohm
    };
    std::vector<Sample> m_samples;  // frequencies rising, at least one
};

}  // namespace zm::sim
