// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/antenna_model.h"

#include <array>
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

// R + jX of a series resonant circuit: R at its resonance, X = R Q (f/f0 - f0/f) around it.
std::complex<double> seriesResonance(double frequencyMHz, double resonanceMHz, double ohms,
                                     double q) {
    const double ratio = frequencyMHz / resonanceMHz;
    return {ohms, ohms * q * (ratio - 1.0 / ratio)};
}

Impedance impedanceOf(std::complex<double> z) {
    return {z.real(), z.imag()};
}

// Branches side by side: their admittances add.
template <std::size_t N>
Impedance inParallel(const std::array<std::complex<double>, N>& branches) {
    std::complex<double> admittance;
    for (const std::complex<double>& z : branches) {
        admittance += 1.0 / z;
    }
    return impedanceOf(1.0 / admittance);
}

}  // namespace

Impedance dipoleImpedance(double frequencyMHz) {
    const double ratio = frequencyMHz / kResonanceMHz;
    // Radiation resistance grows with the square of the electrical length.
    return {kResistanceAtResonanceOhms * ratio * ratio,
            kReactanceSlopeOhms * (ratio - 1.0 / ratio)};
}

// The coupling loop's reactance in series with what each tuned loop reflects into it: a
// circle through 0 of diameter reflectedOhms, (wM)^2 / (R + jX) of a loop with that Q. The
// match lies where the reflected reactance cancels the coupling loop's own.
Impedance coupledLoopsImpedance(double frequencyMHz, std::span<const TunedLoop> loops) {
    constexpr double kCouplingMHz = 7.05;
    constexpr double kCouplingOhms = 20.0;
    std::complex<double> z(0.0, kCouplingOhms * frequencyMHz / kCouplingMHz);
    for (const TunedLoop& loop : loops) {
        const double ratio = frequencyMHz / loop.tunedMHz;
        z += loop.reflectedOhms / std::complex<double>(1.0, loop.q * (ratio - 1.0 / ratio));
    }
    return impedanceOf(z);
}

Impedance smallLoopImpedance(double frequencyMHz) {
    constexpr TunedLoop kTunedTo7050kHz;
    return coupledLoopsImpedance(frequencyMHz, {&kTunedTo7050kHz, 1});
}

Impedance multibandWireImpedance(double frequencyMHz) {
    return inParallel(std::array{seriesResonance(frequencyMHz, 3.6, 60.0, 9.0),
                                 seriesResonance(frequencyMHz, 7.1, 65.0, 10.0),
                                 seriesResonance(frequencyMHz, 14.2, 70.0, 12.0),
                                 seriesResonance(frequencyMHz, 21.25, 75.0, 13.0),
                                 seriesResonance(frequencyMHz, 28.5, 80.0, 14.0)});
}

// Each element alone would be resonant at its cut frequency; side by side they pull each
// other's dips apart a little.
Impedance fanDipoleImpedance(double frequencyMHz) {
    return inParallel(std::array{seriesResonance(frequencyMHz, 3.54, 60.0, 40.0),
                                 seriesResonance(frequencyMHz, 3.72, 60.0, 40.0)});
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
