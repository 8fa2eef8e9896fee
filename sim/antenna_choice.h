// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string_view>

#include "sim/antenna_model.h"

namespace zm::sim {

// What the meter sees at a frequency.
using LoadModel = std::function<Impedance(double frequencyMHz)>;

// The antennas zm480-sim --antenna knows by name; "dipole" is the default.
struct NamedAntenna {
    std::string_view name;
    Impedance (*impedance)(double frequencyMHz);
};
inline constexpr std::array<NamedAntenna, 4> kNamedAntennas{{
    {"dipole", dipoleImpedance},
    {"loop", smallLoopImpedance},
    {"multiband", multibandWireImpedance},
    {"fan", fanDipoleImpedance},
}};

// The antenna of that name; none for any other.
std::optional<LoadModel> namedAntenna(std::string_view name);

// What --antenna names: an antenna above, or else the path of a one-port Touchstone file,
// read now. Throws std::runtime_error, with what to do, when there is no such file or it
// cannot be used.
LoadModel antennaFor(std::string_view nameOrPath);

}  // namespace zm::sim
