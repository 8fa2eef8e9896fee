// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/sim_feedline.h"

#include <stdexcept>

#include "sim/sim_options.h"

namespace zm::sim {

Feedline simFeedline(std::string_view option, const std::filesystem::path& programFolder) {
    const std::size_t colon = option.rfind(':');
    const std::string name(option.substr(0, colon));
    std::string whyNot;
    const std::vector<Cable> cables = loadCableList(programFolder, whyNot);
    if (!whyNot.empty()) {
        throw std::runtime_error("--feedline: " + whyNot);
    }
    const Cable* cable = cableNamed(cables, name);
    if (!cable) {
        std::string names;
        for (const Cable& known : cables) {
            names += (names.empty() ? "" : ", ") + known.name;
        }
        throw std::runtime_error("--feedline: no cable " + name + " in the list; it has " + names);
    }
    return {*cable, finiteNumber(option.substr(colon + 1)).value_or(0.0)};
}

Impedance throughFeedline(Impedance load, const Feedline& feedline, double frequencyMHz) {
    const std::complex<double> z =
        meterImpedanceOf({load.resistanceOhms, load.reactanceOhms}, feedline, frequencyMHz * 1e6);
    return {z.real(), z.imag()};
}

}  // namespace zm::sim
