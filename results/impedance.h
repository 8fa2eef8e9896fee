// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <complex>
#include <optional>

namespace zm {

// The line every reading is taken against: the meter, the SWR and every exported
// reflection coefficient refer to 50 ohm.
inline constexpr double kReferenceOhms = 50.0;

// R + jX from the meter's |Z| and signed phase, with the exact pi/180 (the readout's R and
// X keep the meter's own 57.3 and magnitudes): 50 ohm at -30 degrees is 43.30 - j25.00 ohm.
std::complex<double> impedanceFromPolar(double zOhms, double phaseDegrees);

// Gamma = (Z - R0) / (Z + R0): 0 for a matched load, -1 for a short, 1 for an open.
std::complex<double> reflectionCoefficient(std::complex<double> zOhms,
                                           double referenceOhms = kReferenceOhms);

// Z = R0 (1 + Gamma) / (1 - Gamma); none for Gamma = 1, an open, whose impedance is infinite.
std::optional<std::complex<double>> impedanceFromReflection(std::complex<double> gamma,
                                                            double referenceOhms);

// |Gamma| of the meter's |Z| and phase: RHO, 0 for a matched load, 1 for an open or a short.
double rhoOf(double zOhms, double phaseDegrees);

// -20 log10 |Gamma|, dB: infinite for a matched load, 0 for an open or a short.
double returnLossDb(double rho);

// (1 + |Gamma|) / (1 - |Gamma|); infinite from |Gamma| = 1 on.
double swrFromRho(double rho);

// Degrees of a complex number's angle, -180 to 180.
double phaseDegreesOf(std::complex<double> z);

}  // namespace zm
