// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/antenna_choice.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "sim/touchstone_antenna.h"

namespace zm::sim {

std::optional<LoadModel> namedAntenna(std::string_view name) {
    for (const NamedAntenna& antenna : kNamedAntennas) {
        if (antenna.name == name) {
            return LoadModel(antenna.impedance);
        }
    }
    return std::nullopt;
}

LoadModel antennaFor(std::string_view nameOrPath) {
    if (auto named = namedAntenna(nameOrPath)) {
        return *named;
    }
    const std::string path(nameOrPath);
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("--antenna " + path +
                                 ": no antenna of that name (dipole, loop, multiband, fan) and "
                                 "no file there to read");
    }
    std::ostringstream text;
    text << file.rdbuf();
    auto read = TouchstoneAntenna::fromText(text.str());
    if (const auto* whyNot = std::get_if<std::string>(&read)) {
        throw std::runtime_error("--antenna " + path +
                                 " is no one-port Touchstone file: " + *whyNot);
    }
    return [antenna = std::get<TouchstoneAntenna>(std::move(read))](double frequencyMHz) {
        return antenna.impedanceAt(frequencyMHz);
    };
}

}  // namespace zm::sim
