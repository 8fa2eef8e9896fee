// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/impedance.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace zm {

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

}  // namespace

std::complex<double> impedanceFromPolar(double zOhms, double phaseDegrees) {
    const double radians = phaseDegrees / kDegreesPerRadian;
    return {zOhms * std::cos(radians), zOhms * std::sin(radians)};
}

std::complex<double> reflectionCoefficient(std::complex<double> zOhms, double referenceOhms) {
    return (zOhms - referenceOhms) / (zOhms + referenceOhms);
}

std::optional<std::complex<double>> impedanceFromReflection(std::complex<double> gamma,
                                                            double referenceOhms) {
    const std::complex<double> denominator = 1.0 - gamma;
    if (denominator == 0.0) {
        return std::nullopt;
    }
    return referenceOhms * (1.0 + gamma) / denominator;
}

double rhoOf(double zOhms, double phaseDegrees) {
    return std::abs(reflectionCoefficient(impedanceFromPolar(zOhms, phaseDegrees)));
}

double returnLossDb(double rho) {
    if (rho == 0.0) {
        return std::numeric_limits<double>::infinity();
    }
    return -20.0 * std::log10(rho);
}

double swrFromRho(double rho) {
    if (!(rho < 1.0)) {
        return std::numeric_limits<double>::infinity();
    }
    return (1.0 + rho) / (1.0 - rho);
}

double phaseDegreesOf(std::complex<double> z) {
    return std::arg(z) * kDegreesPerRadian;
}

}  // namespace zm
