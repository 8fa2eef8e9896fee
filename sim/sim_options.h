// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sim/meter_answer.h"
#include "sim/settling_model.h"

namespace zm::sim {

struct SimOptions {
    std::string linkPath;  // empty: no link, only the pty's own name is printed
    // --antenna: a named antenna or a Touchstone file's path instead of the fixed load.
    std::optional<std::string> antenna;
    double zOhms = 50.0;
    double phaseDegrees = 0.0;
    double powerWatts = 100.0;  // 0: a radio that keys but sends nothing
    // From this frequency up the radio sends powerFromWatts instead, as one does beyond the
    // edge of the band it may transmit on (0 W), or a radio turned up there.
    std::optional<double> powerFromMHz;
    double powerFromWatts = 0.0;
    SettlingModel settling;        // after key-down, when a rig is followed
    double frequencyMHz = 14.175;  // the antenna's frequency when no rig is followed
    // --shift and --drift: every resonance of the antenna moved up by shiftKHz (down for less
    // than 0), and from the start on by driftKHzPerHour more each hour, as weather moves an
    // antenna's resonance: ice and rain lower it, a dry spell brings it back.
    double shiftKHz = 0.0;
    double driftKHzPerHour = 0.0;
    // "RG-58:20": 20 m of that cable of the cable list between the load and the meter;
    // empty: the meter sees the load itself.
    std::string feedline;
    std::string rigHost;  // empty: no rig, the meter always sees RF
    std::string rigPort;
    Fault fault = Fault::None;
    bool randomFaults = false;          // --fault random: now and then any fault
    double faultShare = 0.2;            // the part of the answers that misbehave, when random
    std::optional<std::uint32_t> seed;  // of the faults and noise; none: a different run each time
    bool help = false;

    double powerAt(double frequencyMHz) const {
        return powerFromMHz && frequencyMHz >= *powerFromMHz ? powerFromWatts : powerWatts;
    }
    // Where the antenna, moved as --shift and --drift say, answers a carrier on frequencyMHz
    // `running` after the start: where it answered before it moved.
    double antennaMHz(double frequencyMHz, std::chrono::duration<double> running) const {
        const double kHz = shiftKHz + driftKHzPerHour * running.count() / 3600.0;
        return frequencyMHz - kHz / 1000.0;
    }
};

// The number a whole option value spells, e.g. "14.175"; none for "14,175", "", "inf".
std::optional<double> finiteNumber(std::string_view text);

// The options, or a message saying what is wrong with them.
std::variant<SimOptions, std::string> parseSimOptions(const std::vector<std::string_view>& args);

std::string_view simHelpText();

}  // namespace zm::sim
