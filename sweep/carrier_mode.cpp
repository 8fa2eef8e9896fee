// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/carrier_mode.h"

#include <array>

#include "bandplan/carrier_rule.h"

namespace zm {

namespace {

struct CarrierMode {
    std::int16_t code;
    std::string_view name;
};
// In the order of the carrier-mode list.
constexpr std::array<CarrierMode, 3> kCarrierModes{{{2, "CW"}, {4, "AM"}, {9, "FSK"}}};
constexpr std::int16_t kAmCode = 4;

}  // namespace

std::int16_t carrierModeFor(int listIndex, std::int16_t current) {
    if (listIndex < 0 || listIndex >= static_cast<int>(kCarrierModes.size())) {
        return current;
    }
    return kCarrierModes[static_cast<std::size_t>(listIndex)].code;
}

std::string carrierModeName(std::int16_t carrierMode) {
    for (const CarrierMode& mode : kCarrierModes) {
        if (mode.code == carrierMode) {
            return std::string(mode.name);
        }
    }
    return "none";
}

std::int16_t carrierModeCode(std::string_view name) {
    for (const CarrierMode& mode : kCarrierModes) {
        if (mode.name == name) {
            return mode.code;
        }
    }
    return 0;
}

std::int64_t sidebandHzOf(std::int16_t carrierMode) {
    return carrierMode == kAmCode ? kAmSidebandHz : 0;
}

}  // namespace zm
