// SPDX-License-Identifier: GPL-3.0-or-later

#include "feedline/length_finder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <vector>

#include "feedline/transmission_line.h"
#include "numbers/number_text.h"
#include "results/impedance.h"

namespace zm {

namespace {

constexpr double kSpeedOfLightMPerS = 299'792'458.0;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
constexpr double kShortestElectricalM = 0.1;
constexpr int kStepsPerPeriod = 16;  // of the readings' repetition in length, at the top frequency
// A rival length that fits this nearly as well as the best one leaves the choice to the
// meter's phase error, a degree or two: 0.1 is about 6 degrees.
constexpr double kRivalRatio = 2.0;
constexpr double kRivalMargin = 0.1;
// The steps the advice offers, kHz, coarsest first.
constexpr std::array<double, 8> kAdvisedStepsKHz{500, 250, 200, 100, 50, 25, 10, 5};
// A sweep whose top frequency is this many times its lowest is wide enough to tell lengths
// apart: what it lacks is a finer step.
constexpr double kWideBandRatio = 4.0;

// The direction of a reflection coefficient alone: the cable's loss, which sets its size,
// is known to a few per cent at best, its electrical length sets the direction.
std::complex<double> direction(std::complex<double> gamma) {
    const double size = std::abs(gamma);
    return size > 0.0 ? gamma / size : gamma;
}

struct Measured {
    double frequencyHz;
    std::complex<double> direction;  // of the reflection coefficient
    double weight;                   // its size
    LineConstants line;
};

class Fitter {
public:
    Fitter(std::vector<Measured> points, const Cable& cable, FarEnd farEnd)
        : m_points(std::move(points)), m_cable(cable), m_farEnd(farEnd) {
        for (const Measured& point : m_points) {
            m_totalWeight += point.weight * point.weight;
        }
    }

    // The rms difference of the directions of the reflection coefficients at this
    // electrical length, each weighted by its size: about the rms phase error in radians.
    double rmsError(double electricalM) const {
        if (!(m_totalWeight > 0.0)) {
            return std::numeric_limits<double>::infinity();
        }
        const double lengthM = electricalM * m_cable.velocityFactor;
        double sum = 0.0;
        for (const Measured& point : m_points) {
            const std::complex<double> t = std::tanh(point.line.gammaPerM * lengthM);
            const std::complex<double> z0 = point.line.impedanceOhms;
            const std::complex<double> z = m_farEnd == FarEnd::Open ? z0 / t : z0 * t;
            sum += point.weight * point.weight *
                   std::norm(direction(reflectionCoefficient(z)) - point.direction);
        }
        return std::sqrt(sum / m_totalWeight);
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
    double m_totalWeight = 0.0;
};

std::string metres(double m) {
    return fixedNumber(m, 2) + " m";
}

std::string stepText(double hz) {
    return hz >= 1e6 ? generalNumber(hz / 1e6) + " MHz" : generalNumber(hz / 1e3) + " kHz";
}

// What the sweep was, and what to sweep instead, in its own frequencies.
struct SweepTerms {
    double lowestHz;
    double topHz;
    double smallestStepHz;

    // The longest electrical length whose readings turn by less than half a circle from
    // point to point.
    double longestToTellM() const {
        return std::min(kLongestElectricalM, kSpeedOfLightMPerS / (4.0 * smallestStepHz));
    }
    bool coarse() const { return longestToTellM() < kLongestElectricalM; }
    bool wide() const { return topHz >= kWideBandRatio * lowestHz; }

    // "sweep 1.8 to 30 MHz in 100 kHz steps": a step that tells every length the finder
    // looks for, and finer than this sweep's.
    std::string finerSweep() const {
        const double mostHz =
            std::min(kSpeedOfLightMPerS / (4.0 * kLongestElectricalM), smallestStepHz / 2.0);
        double stepHz = kAdvisedStepsKHz.back() * 1e3;
        for (const double khz : kAdvisedStepsKHz) {
            if (khz * 1e3 <= mostHz) {
                stepHz = khz * 1e3;
                break;
            }
        }
        return "sweep " + generalNumber(lowestHz / 1e6) + " to " + generalNumber(topHz / 1e6) +
               " MHz in " + stepText(stepHz) + " steps";
    }
};

std::string farEndWord(FarEnd farEnd) {
    return farEnd == FarEnd::Open ? "open" : "shorted";
}

std::string noFitText(const SweepTerms& sweep, const Cable& cable, FarEnd farEnd, double rmsError) {
    const std::string error =
        std::isfinite(rmsError)
            ? " (rms phase error " + fixedNumber(rmsError * kDegreesPerRadian, 0) + " degrees)"
            : "";
    const std::string check = "check that its far end is " + farEndWord(farEnd) +
                              ", with nothing else on it, and that the cable is " + cable.name +
                              ".";
    const std::string text = "No length of " + cable.name + " explains the last sweep" + error;
    if (!sweep.coarse()) {
        return text + ": " + check;
    }
    return text + ". A cable longer than " + metres(sweep.longestToTellM() * cable.velocityFactor) +
           " turns the readings too far between its " + stepText(sweep.smallestStepHz) +
           " steps: if yours may be that long, " + sweep.finerSweep() + "; otherwise " + check;
}

}  // namespace

std::variant<LengthFit, std::string> findLength(const SweepRecord& sweep, const Cable& cable,
                                                FarEnd farEnd) {
    std::vector<const SweepPoint*> read;
    for (const SweepPoint& point : sweep.points) {
        if (point.reading) {
            read.push_back(&point);
        }
    }
    // A file's rows, or a refined sweep's, need not come in the order of their frequencies.
    std::stable_sort(read.begin(), read.end(), [](const SweepPoint* a, const SweepPoint* b) {
        return a->frequencyHz < b->frequencyHz;
    });
    read.erase(std::unique(read.begin(), read.end(),
                           [](const SweepPoint* a, const SweepPoint* b) {
                               return a->frequencyHz == b->frequencyHz;
                           }),
               read.end());
    std::vector<Measured> points;
    for (const SweepPoint* point : read) {
        if (point->frequencyHz > 0) {
            const double hz = static_cast<double>(point->frequencyHz);
            const std::complex<double> gamma = reflectionCoefficient(point->reading->impedance());
            points.push_back({hz, direction(gamma), std::abs(gamma), lineConstants(cable, hz)});
        }
    }
    if (points.size() < 2) {
        return std::string(
            "The last sweep has fewer than two readings: sweep the cable first, "
            "with its far end open or shorted.");
    }
    SweepTerms terms{points.front().frequencyHz, points.back().frequencyHz,
                     points.back().frequencyHz};
    for (std::size_t i = 1; i < points.size(); ++i) {
        terms.smallestStepHz =
            std::min(terms.smallestStepHz, points[i].frequencyHz - points[i - 1].frequencyHz);
    }
    const double periodM = kSpeedOfLightMPerS / (2.0 * terms.topHz);
    const double stepM = periodM / kStepsPerPeriod;

    const Fitter fitter(std::move(points), cable, farEnd);
    std::vector<double> errors;
    for (double m = kShortestElectricalM; m <= kLongestElectricalM; m += stepM) {
        errors.push_back(fitter.rmsError(m));
    }
    const auto lengthAt = [&](std::size_t i) { return kShortestElectricalM + stepM * double(i); };
    const std::size_t best =
        static_cast<std::size_t>(std::min_element(errors.begin(), errors.end()) - errors.begin());
    LengthFit fit;
    fit.electricalLengthM =
        fitter.refine(std::max(0.0, lengthAt(best) - stepM), lengthAt(best) + stepM);
    fit.lengthM = fit.electricalLengthM * cable.velocityFactor;
    fit.rmsPhaseError = fitter.rmsError(fit.electricalLengthM);
    if (!(fit.rmsPhaseError * kDegreesPerRadian <= kMostRmsPhaseErrorDegrees)) {
        return noFitText(terms, cable, farEnd, fit.rmsPhaseError);
    }
    if (fit.electricalLengthM > terms.longestToTellM()) {
        return "The best fit, " + metres(fit.lengthM) + " of " + cable.name +
               ", is longer than the last sweep's " + stepText(terms.smallestStepHz) +
               " steps can tell (up to " + metres(terms.longestToTellM() * cable.velocityFactor) +
               "): " + terms.finerSweep() + ".";
    }
    // The best of the other dips, half a period or more away.
    std::optional<std::size_t> rival;
    for (std::size_t i = 1; i + 1 < errors.size(); ++i) {
        const bool dip = errors[i] <= errors[i - 1] && errors[i] <= errors[i + 1];
        const bool apart = std::fabs(lengthAt(i) - lengthAt(best)) >= periodM / 2.0;
        if (dip && apart && (!rival || errors[i] < errors[*rival])) {
            rival = i;
        }
    }
    if (rival && errors[*rival] < kRivalRatio * fit.rmsPhaseError + kRivalMargin) {
        return "Lengths of " + metres(fit.lengthM) + " and " +
               metres(lengthAt(*rival) * cable.velocityFactor) +
               " fit the last sweep about as well: " +
               (terms.wide() ? terms.finerSweep() : "sweep a wider band, e.g. 1.8 to 30 MHz,") +
               " to tell them apart.";
    }
    return fit;
}

}  // namespace zm
