// SPDX-License-Identifier: GPL-3.0-or-later

#include "feedline/transmission_line.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "numbers/number_text.h"

namespace zm {

namespace {

constexpr double kSpeedOfLightMPerS = 299'792'458.0;
constexpr double kDbPerNeper = 20.0 / std::numbers::ln10;  // 8.686 dB of power
constexpr double kHzPerMHz = 1e6;
// Far more than the two or three steps a cable of the list takes at 1.8 MHz.
constexpr int kNewtonSteps = 30;

double nepersPerM(double dbPer100m) {
    return dbPer100m / kDbPerNeper / 100.0;
}

std::complex<double> tanhOfLine(const Feedline& line, double frequencyHz,
                                std::complex<double>& z0) {
    const LineConstants constants = lineConstants(line.cable, frequencyHz);
    z0 = constants.impedanceOhms;
    return std::tanh(constants.gammaPerM * line.lengthM);
}

}  // namespace

std::string Feedline::description() const {
    return generalNumber(std::round(lengthM * 100.0) / 100.0) + " m of " + cable.name;
}

// With the per-metre series impedance R0 (2 s x + j beta0) and shunt admittance
// (2 (1 - s) x + j beta0) / R0, x the loss in Np/m and s the conductors' share of it,
// gamma^2 = (2 s x + j beta0)(2 (1 - s) x + j beta0): Re gamma is x less a term of order
// x^3 / beta0^2. Newton's method finds the x whose Re gamma is the cable's loss, from that
// loss itself, in two or three steps.
LineConstants lineConstants(const Cable& cable, double frequencyHz) {
    const double mhz = frequencyHz / kHzPerMHz;
    const double r0 = cable.impedanceOhms;
    const double beta0 =
        2.0 * std::numbers::pi * frequencyHz / (cable.velocityFactor * kSpeedOfLightMPerS);
    const double alpha = nepersPerM(cable.loss.dbPer100m(mhz));
    if (!(beta0 > 0.0) || !(alpha > 0.0)) {
        return {r0, {std::max(alpha, 0.0), std::max(beta0, 0.0)}};
    }
    const double share = nepersPerM(cable.loss.conductorDbPer100m(mhz)) / alpha;
    const auto series = [&](double x) { return std::complex<double>(2.0 * share * x, beta0); };
    const auto shunt = [&](double x) {
        return std::complex<double>(2.0 * (1.0 - share) * x, beta0);
    };
    double x = alpha;
    std::complex<double> gamma = std::sqrt(series(x) * shunt(x));
    for (int step = 0; step < kNewtonSteps && std::fabs(gamma.real() - alpha) > 1e-13 * alpha;
         ++step) {
        const std::complex<double> slope =
            (2.0 * share * shunt(x) + 2.0 * (1.0 - share) * series(x)) / (2.0 * gamma);
        x -= (gamma.real() - alpha) / slope.real();
        gamma = std::sqrt(series(x) * shunt(x));
    }
    return {r0 * std::sqrt(series(x) / shunt(x)), gamma};
}

std::complex<double> meterImpedanceOf(std::complex<double> antennaOhms, const Feedline& line,
                                      double frequencyHz) {
    std::complex<double> z0;
    const std::complex<double> t = tanhOfLine(line, frequencyHz, z0);
    return z0 * (antennaOhms + z0 * t) / (z0 + antennaOhms * t);
}

std::complex<double> antennaImpedanceOf(std::complex<double> meterOhms, const Feedline& line,
                                        double frequencyHz) {
    std::complex<double> z0;
    const std::complex<double> t = tanhOfLine(line, frequencyHz, z0);
    return z0 * (meterOhms - z0 * t) / (z0 - meterOhms * t);
}

// With 1 A into the antenna: V = Z_A at the antenna, and at the meter
// V = Z_A cosh(gl) + Z0 sinh(gl), I = Z_A / Z0 sinh(gl) + cosh(gl).
LineLoss lineLossAt(std::complex<double> antennaOhms, const Feedline& line, double frequencyHz) {
    const LineConstants constants = lineConstants(line.cable, frequencyHz);
    const std::complex<double> gl = constants.gammaPerM * line.lengthM;
    const std::complex<double> z0 = constants.impedanceOhms;
    const std::complex<double> volts = antennaOhms * std::cosh(gl) + z0 * std::sinh(gl);
    const std::complex<double> amps = antennaOhms / z0 * std::sinh(gl) + std::cosh(gl);
    const double intoLine = (volts * std::conj(amps)).real();
    const double intoAntenna = antennaOhms.real();
    const double matchedDb =
        line.cable.loss.dbPer100m(frequencyHz / kHzPerMHz) * line.lengthM / 100.0;
    const double totalDb = intoAntenna > 0.0 && intoLine > 0.0
                               ? 10.0 * std::log10(intoLine / intoAntenna)
                               : std::numeric_limits<double>::infinity();
    return {matchedDb, totalDb};
}

}  // namespace zm
