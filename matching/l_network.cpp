// SPDX-License-Identifier: GPL-3.0-or-later

#include "matching/l_network.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zm {

namespace {

// A component this small against R0 is left out: the network needs only the other one.
constexpr double kNegligibleShare = 1e-9;
// Networks whose reactances agree this closely are one network.
constexpr double kSameShare = 1e-9;

// The two steps from a normalised immittance w (z = Z/R0, or y = Y R0) to the centre: a part
// of w's own kind (series for z, shunt for y) adds `own` and brings w onto the circle Re = 1
// of the other kind; a part of that kind then adds `other` and cancels what is left. They
// exist while Re w is at most 1; two, with the signs of the square root.
struct Steps {
    double own;
    double other;
};

std::vector<Steps> stepsToCentre(std::complex<double> w) {
    const double re = w.real();
    const double rest = re - re * re;
    if (rest < 0.0) {
        return {};
    }
    std::vector<Steps> steps;
    for (const double sign : {1.0, -1.0}) {
        const double after = sign * std::sqrt(rest);  // w's imaginary part after the first step
        steps.push_back({after - w.imag(), after / (re * re + after * after)});
    }
    return steps;
}

// A series reactance near 0, or a shunt one near infinity, does nothing: leave it out.
bool negligible(const MatchComponent& component, double r0) {
    return component.placement == Placement::Series
               ? std::fabs(component.reactanceOhms) < kNegligibleShare * r0
               : !(std::fabs(r0 / component.reactanceOhms) >= kNegligibleShare);
}

bool same(const LNetwork& a, const LNetwork& b) {
    return std::equal(a.components.begin(), a.components.end(), b.components.begin(),
                      b.components.end(), [](const MatchComponent& x, const MatchComponent& y) {
                          return x.placement == y.placement &&
                                 std::fabs(x.reactanceOhms - y.reactanceOhms) <=
                                     kSameShare * std::fabs(x.reactanceOhms);
                      });
}

}  // namespace

double MatchComponent::valueAt(double frequencyHz) const {
    const double omega = 2.0 * std::numbers::pi * frequencyHz;
    return isInductor() ? reactanceOhms / omega : -1.0 / (omega * reactanceOhms);
}

std::string LNetwork::form() const {
    if (components.size() != 2 || components[0].isInductor() == components[1].isInductor()) {
        return {};
    }
    const MatchComponent& series =
        components[0].placement == Placement::Series ? components[0] : components[1];
    return series.isInductor() ? "low-pass" : "high-pass";
}

MatchResult matchLoad(std::complex<double> loadOhms, double referenceOhms) {
    const double r = loadOhms.real();
    if (!(r > 0.0) || !std::isfinite(r) || !std::isfinite(loadOhms.imag())) {
        return {MatchVerdict::CannotMatch, {}};
    }
    if (swrFromRho(std::abs(reflectionCoefficient(loadOhms, referenceOhms))) <=
        kNoNetworkBelowSwr) {
        return {MatchVerdict::AlreadyMatched, {}};
    }
    // A reactance's share x of R0 is x R0 ohm, a susceptance's share b a reactance -R0/b.
    const std::complex<double> z = loadOhms / referenceOhms;
    std::vector<LNetwork> candidates;
    for (const Steps& step : stepsToCentre(1.0 / z)) {  // the shunt part at the antenna
        candidates.push_back({{{Placement::Series, step.other * referenceOhms},
                               {Placement::Shunt, -referenceOhms / step.own}}});
    }
    for (const Steps& step : stepsToCentre(z)) {  // the series part at the antenna
        candidates.push_back({{{Placement::Shunt, -referenceOhms / step.other},
                               {Placement::Series, step.own * referenceOhms}}});
    }
    MatchResult result{MatchVerdict::Networks, {}};
    for (LNetwork& network : candidates) {
        std::erase_if(network.components, [referenceOhms](const MatchComponent& component) {
            return negligible(component, referenceOhms);
        });
        const bool known = std::any_of(result.networks.begin(), result.networks.end(),
                                       [&](const LNetwork& kept) { return same(kept, network); });
        if (!known) {
            result.networks.push_back(network);
        }
    }
    return result;
}

std::vector<std::complex<double>> matchPath(std::complex<double> loadOhms, const LNetwork& network,
                                            int samplesPerComponent, double referenceOhms) {
    const int steps = std::max(samplesPerComponent, 1);
    std::vector<std::complex<double>> path{reflectionCoefficient(loadOhms, referenceOhms)};
    std::complex<double> z = loadOhms;
    // The antenna's end first: the load sees that component before the other.
    for (auto component = network.components.rbegin(); component != network.components.rend();
         ++component) {
        const std::complex<double> start = z;
        for (int step = 1; step <= steps; ++step) {
            const double share = double(step) / steps;
            // A series X adds to Z, a shunt one's susceptance -1/X to Y, a share at a time.
            const std::complex<double> jx(0.0, component->reactanceOhms);
            z = component->placement == Placement::Series ? start + share * jx
                                                          : 1.0 / (1.0 / start + share / jx);
            path.push_back(reflectionCoefficient(z, referenceOhms));
        }
    }
    return path;
}

}  // namespace zm
