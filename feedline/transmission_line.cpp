// SPDX-License-Identifier: GPL-3.0-or-later

#include "feedline/transmission_line.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "numbers/number_text.h"

namespace zm {

namespace {

constexpr double kSpeedOfLightMPerS = 299'792'458.0;
constexpr double kDbPerNeper = 20.0 / std::numbers::ln10;  // 8.686 dB of power
constexpr double kHzPerMHz = 1e6;

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

LineConstants lineConstants(const Cable& cable, double frequencyHz) {
    const double mhz = frequencyHz / kHzPerMHz;
    const double beta =
        2.0 * std::numbers::pi * frequencyHz / (cable.velocityFactor * kSpeedOfLightMPerS);
    const double conductor = nepersPerM(cable.loss.conductorDbPer100m(mhz));
    const double dielectric = nepersPerM(cable.loss.dielectricDbPer100m(mhz));
    const std::complex<double> z0 =
        cable.impedanceOhms * std::complex<double>(1.0, -(conductor - dielectric) / beta);
    return {z0, {conductor + dielectric, beta}};
}

LineConstants exactLineConstants(const Cable& cable, double frequencyHz) {
    const double mhz = frequencyHz / kHzPerMHz;
    const double r0 = cable.impedanceOhms;
    const double metresPerS = cable.velocityFactor * kSpeedOfLightMPerS;
    const double omega = 2.0 * std::numbers::pi * frequencyHz;
    const std::complex<double> series(2.0 * r0 * nepersPerM(cable.loss.conductorDbPer100m(mhz)),
                                      omega * r0 / metresPerS);  // R + j omega L
    const std::complex<double> shunt(2.0 * nepersPerM(cable.loss.dielectricDbPer100m(mhz)) / r0,
                                     omega / (r0 * metresPerS));  // G + j omega C
    return {std::sqrt(series / shunt), std::sqrt(series * shunt)};
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
