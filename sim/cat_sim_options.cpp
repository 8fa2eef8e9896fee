// SPDX-License-Identifier: GPL-3.0-or-later

#include "sim/cat_sim_options.h"

#include <cmath>

#include "sim/sim_options.h"

namespace zm::sim {
namespace {

// What the FT-817 tunes, 100 kHz to 470 MHz, in its 10 Hz steps.
std::optional<std::int64_t> radioFrequencyHz(std::string_view megahertz) {
    const auto value = finiteNumber(megahertz);
    if (!value || *value < 0.1 || *value > 470.0) {
        return std::nullopt;
    }
    return std::llround(*value * 1e5) * 10;
}

std::optional<bool> onOff(std::string_view value) {
    if (value == "on" || value == "off") {
        return value == "on";
    }
    return std::nullopt;
}

}  // namespace

std::variant<CatSimOptions, std::string> parseCatSimOptions(
    const std::vector<std::string_view>& args) {
    CatSimOptions options;
    Ft817State& radio = options.start;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view name = args[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--off") {
            radio.powered = false;
            continue;
        }
        if (i + 1 >= args.size()) {
            return std::string(name) + ": unknown option, or its value is missing";
        }
        const std::string_view value = args[++i];
        const std::string bad = std::string(name) + ": ";
        if (name == "--link") {
            options.linkPath = value;
        } else if (name == "--freq" || name == "--freq-b") {
            const auto hz = radioFrequencyHz(value);
            if (!hz) {
                return bad + "a frequency from 0.1 to 470 MHz, got " + std::string(value);
            }
            (name == "--freq" ? radio.vfoA : radio.vfoB).frequencyHz = *hz;
        } else if (name == "--clarifier" || name == "--split") {
            const auto on = onOff(value);
            if (!on) {
                return bad + "on or off, got " + std::string(value);
            }
            (name == "--split" ? radio.split : radio.clarifier) = *on;
        } else if (name == "--clarifier-offset") {
            const auto hz = finiteNumber(value);
            if (!hz || std::abs(*hz) > 9990.0 || *hz != std::floor(*hz)) {
                return bad + "whole hertz from -9990 to 9990, got " + std::string(value);
            }
            radio.clarifierOffsetHz = static_cast<int>(*hz);
        } else {
            return "unknown option: " + std::string(name);
        }
    }
    return options;
}

std::string_view catSimHelpText() {
    return R"(zm480-cat-sim: a Yaesu FT-817 (also FT-818) CAT port on a pseudo-terminal, for
Hamlib's FT-817 backend:

  rigctld -m 1020 -r /dev/pts/N -s 38400 -P RIG -T 127.0.0.1 -t 4532

It decodes the radio's five-byte commands and answers as the radio does: set
commands with 00, or F0 when the radio already is in that state (Hamlib then
says RPRT -9); the frequency, mode, transmit status and memory reads with the
radio's bytes. Unknown commands get no answer.

Options:
  --link PATH              make PATH a link to the pty (removed again on exit)
  --freq MHZ               VFO A at start (default 14.0, CW); the radio starts on A
  --freq-b MHZ             VFO B at start (default 7.1, USB)
  --clarifier on|off       the clarifier at start (default off)
  --clarifier-offset HZ    its offset, -9990 to 9990 (default 0)
  --split on|off           split at start (default off): transmit on VFO B
  --off                    start switched off: no answer until powered on
  --help                   this text

Its first line names the pty:
  zm480-cat-sim: FT-817 on /dev/pts/5 via build/ports/cat
then one line per command: the bytes, the command in words, the answer:
  00 00 00 00 85 | clarifier off (no change) | F0
  01 40 05 00 01 | frequency 14005000 | 00
  00 00 00 00 08 | ptt on 14005000 | 00          (the frequency it transmits on)
SIGUSR1 presses the radio's power button (a radio switched off behind a CAT cable
that stays plugged in, then on again):
  - | power button: switched on | -
On SIGINT or SIGTERM it prints the radio's state and ends:
  state: vfo a 14005000 CW, vfo b 7100000 USB, on a, ptt off, clarifier off 0, split off, lock off
)";
}

}  // namespace zm::sim
