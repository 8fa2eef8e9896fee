// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/sim_options.h"

#include <charconv>
#include <cmath>

namespace zm::sim {

std::optional<double> finiteNumber(std::string_view text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::variant<SimOptions, std::string> parseSimOptions(const std::vector<std::string_view>& args) {
    SimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view name = args[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--antenna") {
            // Alone it is the dipole, as it was before there were others.
            const bool named = i + 1 < args.size() && !args[i + 1].starts_with("-");
            options.antenna = named ? std::string(args[++i]) : std::string("dipole");
            continue;
        }
        if (i + 1 >= args.size()) {
            return std::string(name) + ": unknown option, or its value is missing";
        }
        const std::string_view value = args[++i];
        auto numberInto = [&](double& target) -> std::optional<std::string> {
            const auto number = finiteNumber(value);
            if (!number) {
                return std::string(name) + ": not a number: " + std::string(value);
            }
            target = *number;
            return std::nullopt;
        };
        auto millisecondsInto = [&](std::chrono::milliseconds& target) {
            double number = 0.0;
            auto error = numberInto(number);
            if (!error && (number < 0.0 || number > 60000.0 || number != std::floor(number))) {
                error = std::string(name) +
                        ": a whole number of ms from 0 to 60000: " + std::string(value);
            }
            target = std::chrono::milliseconds(static_cast<long long>(number));
            return error;
        };
        std::optional<std::string> error;
        if (name == "--link") {
            options.linkPath = value;
        } else if (name == "--z") {
            error = numberInto(options.zOhms);
        } else if (name == "--phase") {
            error = numberInto(options.phaseDegrees);
        } else if (name == "--power") {
            error = numberInto(options.powerWatts);
        } else if (name == "--power-from") {
            const std::size_t colon = value.find(':');
            const auto fromMHz = finiteNumber(value.substr(0, colon));
            const auto watts = colon == std::string_view::npos
                                   ? std::nullopt
                                   : finiteNumber(value.substr(colon + 1));
            if (!fromMHz || !watts) {
                return "--power-from: expected MHZ:WATTS, got " + std::string(value);
            }
            options.powerFromMHz = *fromMHz;
            options.powerFromWatts = *watts;
        } else if (name == "--rise-ms") {
            error = millisecondsInto(options.settling.rise);
        } else if (name == "--window-ms") {
            error = millisecondsInto(options.settling.window);
        } else if (name == "--noise") {
            error = numberInto(options.settling.noise);
        } else if (name == "--feedline") {
            const std::size_t colon = value.rfind(':');
            const auto metres = colon == std::string_view::npos
                                    ? std::nullopt
                                    : finiteNumber(value.substr(colon + 1));
            if (colon == 0 || !metres || *metres <= 0.0) {
                return "--feedline: expected CABLE:METRES, e.g. RG-58:20, got " +
                       std::string(value);
            }
            options.feedline = value;
        } else if (name == "--freq") {
            error = numberInto(options.frequencyMHz);
        } else if (name == "--shift") {
            error = numberInto(options.shiftKHz);
        } else if (name == "--drift") {
            error = numberInto(options.driftKHzPerHour);
        } else if (name == "--fault" && value == "random") {
            options.randomFaults = true;
        } else if (name == "--fault-share") {
            error = numberInto(options.faultShare);
        } else if (name == "--seed") {
            double seed = 0.0;
            error = numberInto(seed);
            if (!error && (seed < 0.0 || seed > 4294967295.0 || seed != std::floor(seed))) {
                error = "--seed: a whole number from 0 to 4294967295: " + std::string(value);
            } else if (!error) {
                options.seed = static_cast<std::uint32_t>(seed);
            }
        } else if (name == "--fault") {
            const auto fault = faultFromName(value);
            if (!fault) {
                return "--fault: no such fault: " + std::string(value);
            }
            options.fault = *fault;
            options.randomFaults = false;
        } else if (name == "--rig") {
            const std::size_t colon = value.rfind(':');
            if (colon == std::string_view::npos || colon == 0 || colon + 1 == value.size()) {
                return "--rig: expected HOST:PORT, got " + std::string(value);
            }
            options.rigHost = value.substr(0, colon);
            options.rigPort = value.substr(colon + 1);
        } else {
            return "unknown option: " + std::string(name);
        }
        if (error) {
            return *error;
        }
    }
    if (options.zOhms < 0.0) {
        return std::string("--z: an impedance magnitude is not negative");
    }
    if (options.powerWatts < 0.0 || options.powerFromWatts < 0.0) {
        return std::string("--power, --power-from: a power is not negative");
    }
    if (options.settling.noise < 0.0 || options.settling.noise > 0.1) {
        return std::string("--noise: a part from 0 to 0.1");
    }
    if (options.faultShare < 0.0 || options.faultShare > 1.0) {
        return std::string("--fault-share: a part from 0 to 1");
    }
    if (options.frequencyMHz <= 0.0) {
        return std::string("--freq: a frequency is above 0");
    }
    return options;
}

std::string_view simHelpText() {
    return R"(zm480-sim: a simulated ZM-480 wattmeter on a pseudo-terminal.

It answers each ";P?" with a 43-character record, e.g.
  ;  100.0, 50.0,-30.0, R 43.3 X-25.0 SW 1.50

Options:
  --link PATH       make PATH a link to the pty (folders created, an old link
                    replaced, removed again on exit), e.g. build/ports/com1
  --z OHMS          fixed load: impedance magnitude (default 50)
  --phase DEGREES   fixed load: phase angle (default 0)
  --power WATTS     power while the radio is keyed (default 100); 0: a radio
                    that keys but sends nothing (standby, TX inhibited)
  --power-from MHZ:WATTS
                    from MHZ up the radio sends WATTS instead: 0 for a radio
                    that may not transmit beyond a band edge, more than
                    --power for one turned up there
  --antenna [NAME|FILE]
                    an antenna instead of the fixed load:
                      dipole     a 20 m dipole, the default: resonant at 14.175
                                 MHz, SWR about 3 at 14.0 and 14.35 MHz
                      loop       a small transmitting loop on 40 m: SWR 1.03 at
                                 7.0545 MHz, 2:1 band 15 kHz wide, SWR above 10
                                 from about 32 kHz away
                      multiband  a multiband wire with a resonance on each of
                                 80, 40, 20, 15 and 10 m (3.614, 7.102, 14.207,
                                 21.226, 28.399 MHz), SWR high between the bands
                      fan        an 80 m fan dipole, two elements for the CW and
                                 the phone end: dips at 3.548 and 3.711 MHz, SWR
                                 about 3 between them
                      FILE       a one-port Touchstone file (.s1p), a network
                                 analyser's measurement of a real antenna: its
                                 S11 interpolated at the radio's frequency, the
                                 nearest end's value outside its range
  --freq MHZ        the antenna's frequency when no rig is followed (14.175)
  --shift KHZ       move every resonance of the antenna up by KHZ (down for
                    less than 0), as weather moves it: --shift -22 takes the
                    dipole's to 14.153 MHz
  --drift KHZ       and from the start on by KHZ more each hour, a slow drift
                    (less than 0: downwards, as ice or rain bring it)
  --feedline CABLE:METRES
                    put METRES of CABLE, a cable of the program's cable list
                    (cables.list), between the load and the meter: the meter
                    then reads the load turned and softened by the cable,
                    e.g. --antenna --feedline RG-58:20
  --rig HOST:PORT   follow a running rigctld: while it is keyed the meter sees
                    the load at the rig's frequency, settling as below from
                    key-down; while unkeyed, or when the rig cannot be reached,
                    it reports no RF (all fields 0). Without a rig the carrier
                    is always on and settled
  --rise-ms MS      after key-down the power rises with this time constant
                    (default 30), as a radio's ALC brings it up
  --window-ms MS    the meter averages every field over this window (default
                    300), the time before key-down counting as nothing: early
                    readings show less power and a Z and phase still on their
                    way; --rise-ms 0 --window-ms 0: final values at once
  --noise PART      each reading's spread, one standard deviation as a part of
                    its value, the phase's as a part of 90 degrees (default
                    0.002; 0: none)
  --fault NAME      misbehave: silent (no answer), short (42 chars), long
                    (44 chars), badstart (first char not ';'), nonnumeric
                    (Z field "-----"), split (half now, the rest 300 ms later),
                    garbage (unread positions hold NUL and 0x80-0xFF bytes),
                    noise (43 bytes of line noise), flood (1 MiB at once),
                    or random: a good answer mostly, now and then any of these
  --fault-share P   with --fault random: the part of the answers that
                    misbehave, 0 to 1 (default 0.2)
  --seed N          the same noise, and with --fault random the same faults,
                    in the same order on every run with this N
  --help            this text

It prints one line naming its pty, and ends on SIGINT or SIGTERM.
)";
}

}  // namespace zm::sim
