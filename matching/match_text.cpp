// SPDX-License-Identifier: GPL-3.0-or-later

#include "matching/match_text.h"

#include <cmath>

#include "numbers/number_text.h"

namespace zm {

namespace {

struct Scaled {
    double factor;
    const char* unit;
};

// Below 1000 of the small unit, else in the next: 456 pF, 1.50 nF; 870 nH, 1.23 uH.
std::string valueText(double value, Scaled small, Scaled large) {
    const std::string inSmall = threeSignificant(value * small.factor);
    if (readDecimal(inSmall).value_or(0.0) < 1000.0) {
        return inSmall + " " + small.unit;
    }
    return threeSignificant(value * large.factor) + " " + large.unit;
}

std::string componentText(const MatchComponent& component, double frequencyHz) {
    const std::string where = component.placement == Placement::Series ? "series " : "shunt ";
    const double value = component.valueAt(frequencyHz);
    return where + (component.isInductor() ? "L " + valueText(value, {1e9, "nH"}, {1e6, "uH"})
                                           : "C " + valueText(value, {1e12, "pF"}, {1e9, "nF"}));
}

std::string signedJ(double ohms, const std::string& magnitude) {
    return (std::signbit(ohms) ? "-j" : "+j") + magnitude;
}

}  // namespace

std::string matchPointLine(double frequencyHz, std::complex<double> loadOhms) {
    const std::string x = fixedNumber(std::fabs(loadOhms.imag()), 1);
    return megahertzText(frequencyHz) + " MHz: " + fixedNumber(loadOhms.real(), 1) +
           (std::signbit(loadOhms.imag()) ? " - j" : " + j") + x + " ohm";
}

std::string networkLine(const LNetwork& network, double frequencyHz) {
    std::string line;
    for (const MatchComponent& component : network.components) {
        line += (line.empty() ? "" : ", ") + componentText(component, frequencyHz);
    }
    return line;
}

std::string networkDescription(const LNetwork& network, double frequencyHz) {
    std::string text;
    for (const MatchComponent& component : network.components) {
        text +=
            (text.empty() ? "" : ", ") + componentText(component, frequencyHz) + " (" +
            signedJ(component.reactanceOhms, threeSignificant(std::fabs(component.reactanceOhms))) +
            " Ω)";
    }
    const std::string form = network.form();
    return form.empty() ? text : form + ": " + text;
}

std::string verdictLine(std::complex<double> loadOhms, const MatchResult& match) {
    switch (match.verdict) {
        case MatchVerdict::AlreadyMatched:
            return "SWR " + fixedNumber(swrFromRho(std::abs(reflectionCoefficient(loadOhms))), 2) +
                   ": no matching network needed";
        case MatchVerdict::CannotMatch:
            return "no L-network can match this point: its resistance is 0 or below "
                   "(a pure reactance, or a faulty reading)";
        case MatchVerdict::Networks:
            break;
    }
    return {};
}

std::string matchText(double frequencyHz, std::complex<double> loadOhms, const MatchResult& match) {
    std::string text = matchPointLine(frequencyHz, loadOhms) + "\n";
    if (match.verdict != MatchVerdict::Networks) {
        return text + verdictLine(loadOhms, match) + "\n";
    }
    for (const LNetwork& network : match.networks) {
        text += networkLine(network, frequencyHz) + "\n";
    }
    return text;
}

}  // namespace zm
