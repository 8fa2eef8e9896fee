// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/frequency_argument.h"

#include <array>
#include <cmath>

#include "numbers/number_text.h"

namespace zm {

namespace {

struct Unit {
    std::string_view name;  // lower case
    double perMHz;
};
// As the window's step list reads "50 kHz": the number divided by 1000.0.
constexpr std::array<Unit, 6> kUnits{
    {{"", 1.0}, {"m", 1.0}, {"mhz", 1.0}, {"k", 1e3}, {"khz", 1e3}, {"hz", 1e6}}};

constexpr std::string_view kHowToWrite = "write MHz (14.35 or 14.35M) or kHz (14350k)";

const Unit* unitNamed(std::string_view name) {
    for (const Unit& unit : kUnits) {
        if (equalsIgnoringCase(name, unit.name)) {
            return &unit;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<double> readMegahertzArgument(std::string_view text, std::string& whyNot) {
    // The unit is what follows the number's last digit or point.
    const std::size_t unitAt = text.find_last_of("0123456789.") + 1;
    const std::string_view unitName = trimmed(text.substr(unitAt));
    const std::optional<double> number = readDecimal(text.substr(0, unitAt));
    if (!number || !std::isfinite(*number)) {
        whyNot = "not a frequency: " + std::string(kHowToWrite);
        return std::nullopt;
    }
    const Unit* unit = unitNamed(unitName);
    if (!unit) {
        whyNot = "\"" + std::string(unitName) +
                 "\" is no unit of frequency: " + std::string(kHowToWrite);
        return std::nullopt;
    }
    const double megahertz = *number / unit->perMHz;
    if (!(megahertz > 0.0)) {
        whyNot = "not above 0";
        return std::nullopt;
    }
    return megahertz;
}

}  // namespace zm
