#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sim/meter_answer.h"

namespace zm::sim {

struct SimOptions {
    std::string linkPath;  // empty: no link, only the pty's own name is printed
    bool antenna = false;  // the 20 m dipole instead of the fixed load
    double zOhms = 50.0;
    double phaseDegrees = 0.0;
    double powerWatts = 100.0;
    double frequencyMHz = 14.175;  // the dipole's frequency when no rig is followed
    std::string rigHost;           // empty: no rig, the meter always sees RF
    std::string rigPort;
    Fault fault = Fault::None;
    bool randomFaults = false;          // --fault random: now and then any fault
    double faultShare = 0.2;            // the part of the answers that misbehave, when random
    std::optional<std::uint32_t> seed;  // of the random faults; none: a different run each time
    bool help = false;
};

// The number a whole option value spells, e.g. "14.175"; none for "14,175", "", "inf".
std::optional<double> finiteNumber(std::string_view text);

// The options, or a message saying what is wrong with them.
std::variant<SimOptions, std::string> parseSimOptions(const std::vector<std::string_view>& args);

std::string_view simHelpText();

}  // namespace zm::sim
