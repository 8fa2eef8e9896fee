// SPDX-License-Identifier: GPL-3.0-or-later

#include "feedline/length_finder.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "feedline/transmission_line.h"
#include "numbers/number_text.h"
#include "results/impedance.h"

namespace zm {

namespace {

constexpr double kSpeedOfLightMPerS = 299'792'458.0;
constexpr double kShortestElectricalM = 0.1;
constexpr int kStepsPerPeriod = 16;  // of the readings' repetition in length, at the top frequency
// A rival length that fits this nearly as well as the best one leaves the choice to the
// meter's phase error, a degree or two: 0.1 is about 6 degrees.
constexpr double kRivalRatio = 2.0;
constexpr double kRivalMargin = 0.1;

// The direction of a reflection coefficient alone: the cable's loss, which sets its size,
// is known to a few per cent at best, its electrical length sets the direction.
std::complex<double> direction(std::complex<double> gamma) {
    const double size = std::abs(gamma);
    return size > 0.0 ? gamma / size : gamma;
}

struct Measured {
    double frequencyHz;
    std::complex<double> direction;  // of the reflection coefficient
    LineConstants line;
};

class Fitter {
public:
    Fitter(std::vector<Measured> points, const Cable& cable, FarEnd farEnd)
        : m_points(std::move(points)), m_cable(cable), m_farEnd(farEnd) {}

    // The rms difference of the directions of the reflection coefficients at this
    // electrical length, about the rms phase error in radians.
    double rmsError(double electricalM) const {
        const double lengthM = electricalM * m_cable.velocityFactor;
        double sum = 0.0;
        for (const Measured& point : m_points) {
            const std::complex<double> t = std::tanh(point.line.gammaPerM * lengthM);
            const std::complex<double> z0 = point.line.impedanceOhms;
            const std::complex<double> z = m_farEnd == FarEnd::Open ? z0 / t : z0 * t;
            sum += std::norm(direction(reflectionCoefficient(z)) - point.direction);
        }
        return std::sqrt(sum / static_cast<double>(m_points.size()));
    }

    // The minimum between a and b, by golden section.
    double refine(double a, double b) const {
        const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
        for (int i = 0; i < 60; ++i) {
            const double c = b - ratio * (b - a);
            const double d = a + ratio * (b - a);
            if (rmsError(c) < rmsError(d)) {
                b = d;
            } else {
                a = c;
            }
        }
        return (a + b) / 2.0;
    }

private:
    std::vector<Measured> m_points;
    const Cable& m_cable;
    FarEnd m_farEnd;
};

std::string metres(double m) {
    return fixedNumber(m, 2) + " m";
}

}  // namespace

std::variant<LengthFit, std::string> findLength(const SweepRecord& sweep, const Cable& cable,
                                                FarEnd farEnd) {
    std::vector<Measured> points;
    for (const SweepPoint& point : sweep.points) {
        if (point.reading) {
            const double hz = static_cast<double>(point.frequencyHz);
            points.push_back({hz, direction(reflectionCoefficient(point.reading->impedance())),
                              lineConstants(cable, hz)});
        }
    }
    if (points.size() < 2) {
        return std::string(
            "The last sweep has fewer than two readings: sweep the cable first, "
            "with its far end open or shorted.");
    }
    const double topHz = points.back().frequencyHz;
    double smallestStepHz = topHz;
    for (std::size_t i = 1; i < points.size(); ++i) {
        smallestStepHz =
            std::min(smallestStepHz, points[i].frequencyHz - points[i - 1].frequencyHz);
    }
    // Beyond c / (4 step) the readings turn by more than half a circle from point to point.
    const double longestM =
        std::min(kLongestElectricalM, kSpeedOfLightMPerS / (4.0 * smallestStepHz));
    const double periodM = kSpeedOfLightMPerS / (2.0 * topHz);
    const double stepM = periodM / kStepsPerPeriod;

    const Fitter fitter(std::move(points), cable, farEnd);
    std::vector<double> errors;
    for (double m = kShortestElectricalM; m <= longestM; m += stepM) {
        errors.push_back(fitter.rmsError(m));
    }
    const auto lengthAt = [&](std::size_t i) { return kShortestElectricalM + stepM * double(i); };
    const std::size_t best =
        static_cast<std::size_t>(std::min_element(errors.begin(), errors.end()) - errors.begin());
    // The best of the other dips, half a period or more away.
    std::optional<std::size_t> rival;
    for (std::size_t i = 1; i + 1 < errors.size(); ++i) {
        const bool dip = errors[i] <= errors[i - 1] && errors[i] <= errors[i + 1];
        const bool apart = std::fabs(lengthAt(i) - lengthAt(best)) >= periodM / 2.0;
        if (dip && apart && (!rival || errors[i] < errors[*rival])) {
            rival = i;
        }
    }
    LengthFit fit;
    fit.electricalLengthM =
        fitter.refine(std::max(0.0, lengthAt(best) - stepM), lengthAt(best) + stepM);
    fit.lengthM = fit.electricalLengthM * cable.velocityFactor;
    fit.rmsPhaseError = fitter.rmsError(fit.electricalLengthM);
    if (rival && errors[*rival] < kRivalRatio * fit.rmsPhaseError + kRivalMargin) {
        return "Lengths of " + metres(fit.lengthM) + " and " +
               metres(lengthAt(*rival) * cable.velocityFactor) +
               " fit the last sweep about as well: sweep a wider band, e.g. 1.8 to 30 MHz, "
               "to tell them apart.";
    }
    return fit;
}

}  // namespace zm
