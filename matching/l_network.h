// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <complex>
#include <string>
#include <vector>

#include "results/impedance.h"

namespace zm {

// An SWR this low needs no matching network: the transmitter takes it as it is.
inline constexpr double kNoNetworkBelowSwr = 1.05;

enum class Placement { Series, Shunt };

// One ideal component of a matching network, by its own reactance at the frequency matched:
// positive for an inductor, negative for a capacitor. A series component sits in the line,
// a shunt component across it.
struct MatchComponent {
    Placement placement = Placement::Series;
    double reactanceOhms = 0.0;

    bool isInductor() const { return reactanceOhms > 0.0; }
    // Henries for an inductor, farads for a capacitor.
    double valueAt(double frequencyHz) const;
};

// An L-network: its components in order from the transmitter to the antenna, two, or one
// where the other would be 0 (a load that needs only its reactance tuned out).
struct LNetwork {
    std::vector<MatchComponent> components;

    // "low-pass" (series L, shunt C) or "high-pass" (series C, shunt L); empty for two
    // components of one kind and for one component.
    std::string form() const;
};

enum class MatchVerdict {
    Networks,        // every L-network that matches
    AlreadyMatched,  // within kNoNetworkBelowSwr
    CannotMatch,     // no resistance to match: a pure reactance, or R below 0
};

struct MatchResult {
    MatchVerdict verdict = MatchVerdict::CannotMatch;
    std::vector<LNetwork> networks;
};

// Every L-network of two ideal components that turns the load into the reference
// resistance (50 + j0 ohm): with the series component at the transmitter, then with the
// shunt component there, two solutions each where the load allows them. A shunt component
// at the antenna needs the load's conductance at most 1/R0, a series one its resistance at
// most R0; every load with R above 0 has at least two networks. Networks that come out the
// same (50 + j50 ohm: a series C of -j50 ohm either way) are listed once.
MatchResult matchLoad(std::complex<double> loadOhms, double referenceOhms = kReferenceOhms);

// The load's reflection coefficient after each step of the network, from the antenna to the
// transmitter: `samplesPerComponent` points along the constant-R circle of a series
// component and the constant-G circle of a shunt one, starting at the load. The last point
// is the matched line's Gamma, 0.
std::vector<std::complex<double>> matchPath(std::complex<double> loadOhms, const LNetwork& network,
                                            int samplesPerComponent,
                                            double referenceOhms = kReferenceOhms);

}  // namespace zm
