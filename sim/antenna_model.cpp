// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/antenna_model.h"

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>

namespace zm::sim {
namespace {

constexpr double kResonanceMHz = 14.175;
constexpr double kResistanceAtResonanceOhms = 57.0;
// X = slope * (f/f0 - f0/f), the reactance of a series LC around its resonance; chosen
// so that |rho| is 0.5 (SWR 3) about 175 kHz either side.
constexpr double kReactanceSlopeOhms = 2500.0;

}  // namespace

Impedance dipoleImpedance(double frequencyMHz) {
    const double ratio = frequencyMHz / kResonanceMHz;
    // Radiation resistance grows with the square of the electrical length.
    return {kResistanceAtResonanceOhms * ratio * ratio,
            kReactanceSlopeOhms * (ratio - 1.0 / ratio)};
}

Impedance impedanceFromPolar(double zOhms, double phaseDegrees) {
    const std::complex<double> z = std::polar(zOhms, phaseDegrees * std::numbers::pi / 180.0);
    return {z.real(), z.imag()};
}

LoadReading readingOf(Impedance load) {
    const std::complex<double> z(load.resistanceOhms, load.reactanceOhms);
    const double rho = std::abs((z - kReferenceOhms) / (z + kReferenceOhms));
    LoadReading reading;
    reading.zOhms = std::abs(z);
    reading.phaseDegrees = std::arg(z) * 180.0 / std::numbers::pi;
    reading.swr = rho < 1.0 ? (1.0 + rho) / (1.0 - rho) : std::numeric_limits<double>::infinity();
    return reading;
}

}  // namespace zm::sim
