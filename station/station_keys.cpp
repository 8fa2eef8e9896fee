// SPDX-License-Identifier: GPL-3.0-or-later

#include "station/station_keys.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "bandplan/band_plan_file.h"
#include "numbers/number_text.h"

namespace zm {

namespace {

// The whole text as a whole number in [low, high], in the given base.
std::optional<long> wholeNumber(std::string_view text, long low, long high, int base = 10) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
        value > high) {
        return std::nullopt;
    }
    return value;
}

// "80m, 40m,20m" -> {"80m", "40m", "20m"}; blanks around a name and empty names dropped.
std::vector<std::string> bandNamesIn(std::string_view value) {
    std::vector<std::string> names;
    while (!value.empty()) {
        const std::size_t comma = std::min(value.find(','), value.size());
        if (const std::string_view name = trimmed(value.substr(0, comma)); !name.empty()) {
            names.emplace_back(name);
        }
        value.remove_prefix(std::min(comma + 1, value.size()));
    }
    return names;
}

std::string bandNamesText(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ",") + name;
    }
    return text;
}

// A number above 0, e.g. "20" or "0.66"; none for anything else, also "inf".
std::optional<double> positiveNumber(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool fits = !text.empty() && error == std::errc() && end == text.data() + text.size() &&
                      std::isfinite(value) && value > 0;
    return fits ? std::optional<double>(value) : std::nullopt;
}

// An empty value, or a number above 0 (and, with a ceiling, up to it).
bool readOptionalNumber(std::string_view value, std::optional<double>& into,
                        double ceiling = HUGE_VAL) {
    into = positiveNumber(value);
    if (into && *into > ceiling) {
        into.reset();
    }
    return value.empty() || into.has_value();
}

// A number above 0, or empty for the default.
bool readNumberOr(std::string_view value, double& into, double otherwise) {
    const auto number = positiveNumber(value);
    into = number.value_or(otherwise);
    return value.empty() || number.has_value();
}

std::string optionalNumberText(const std::optional<double>& value) {
    return value ? shortestNumber(*value) : std::string();
}

// "1.4,4.9": one or two numbers above 0; empty for none.
bool readNumberList(std::string_view value, std::vector<double>& into) {
    into.clear();
    if (value.empty()) {
        return true;
    }
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        const auto number = positiveNumber(trimmed(value.substr(start, comma - start)));
        if (!number) {
            into.clear();
            return false;
        }
        into.push_back(*number);
        start = comma + 1;
    }
    const bool fits = into.size() <= 2;
    if (!fits) {
        into.clear();
    }
    return fits;
}

std::string numberListText(const std::vector<double>& numbers) {
    std::string text;
    for (const double number : numbers) {
        text += (text.empty() ? "" : ",") + shortestNumber(number);
    }
    return text;
}

constexpr std::array<std::pair<PttMethod, std::string_view>, 3> kPttWords{
    {{PttMethod::Rig, "RIG"}, {PttMethod::Dtr, "DTR"}, {PttMethod::Rts, "RTS"}}};

}  // namespace

const std::array<StationKey, 22> kStationKeys{{
    {"rig", "server", "must be own (the program starts rigctld) or external (you start it)",
     [](std::string_view value, StationSettings& s) {
         const bool own = equalsIgnoringCase(value, "own");
         s.rig.server = own ? RigServerChoice::Own : RigServerChoice::External;
         return own || equalsIgnoringCase(value, "external");
     },
     [](const StationSettings& s) {
         return std::string(s.rig.server == RigServerChoice::Own ? "own" : "external");
     }},
    {"rig", "model", "must be Hamlib's model number, e.g. 3073 (rigctld -l lists them)",
     [](std::string_view value, StationSettings& s) {
         const auto model = value.empty() ? 0 : wholeNumber(value, 1, 999999);
         s.rig.model = static_cast<int>(model.value_or(0));
         return model.has_value();
     },
     [](const StationSettings& s) {
         return s.rig.model > 0 ? std::to_string(s.rig.model) : std::string();
     }},
    {"rig", "device", "",
     [](std::string_view value, StationSettings& s) {
         s.rig.device = value;
         return true;
     },
     [](const StationSettings& s) { return s.rig.device; }},
    {"rig", "baud", "must be a rate in bit/s, e.g. 19200, or empty for the radio's default",
     [](std::string_view value, StationSettings& s) {
         const auto baud = wholeNumber(value, 1, 10'000'000);
         s.rig.baud = baud ? std::optional<int>(*baud) : std::nullopt;
         return value.empty() || baud.has_value();
     },
     [](const StationSettings& s) {
         return s.rig.baud ? std::to_string(*s.rig.baud) : std::string();
     }},
    // Hex only: Icom gives the addresses in hex ("94h"), and rigctld reads a bare 94 as
    // decimal 94, an address (0x5E) that the radio never answers.
    {"rig", "civaddr",
     "must be the radio's CI-V address in hex, e.g. 0x94, or empty for the radio's default",
     [](std::string_view value, StationSettings& s) {
         const bool hex =
             value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X');
         const auto address = hex ? wholeNumber(value.substr(2), 1, 0xFF, 16) : std::nullopt;
         s.rig.civAddress = address ? std::optional<int>(*address) : std::nullopt;
         return value.empty() || address.has_value();
     },
     [](const StationSettings& s) {
         return s.rig.civAddress ? civAddressText(*s.rig.civAddress) : std::string();
     }},
    {"rig", "ptt", "must be RIG, DTR or RTS",
     [](std::string_view value, StationSettings& s) {
         for (const auto& [method, word] : kPttWords) {
             if (equalsIgnoringCase(value, word)) {
                 s.rig.ptt = method;
                 return true;
             }
         }
         return false;
     },
     [](const StationSettings& s) { return std::string(pttText(s.rig.ptt)); }},
    {"rig", "port", "must be a TCP port from 1 to 65535",
     [](std::string_view value, StationSettings& s) {
         const auto port = wholeNumber(value, 1, 65535);
         s.rig.port = static_cast<std::uint16_t>(port.value_or(RigSettings::kDefaultPort));
         return port.has_value();
     },
     [](const StationSettings& s) { return std::to_string(s.rig.port); }},
    {"sweep", "settle",
     "must be fixed (the 1.0 s wait) or readings (until the meter's readings settle)",
     [](std::string_view value, StationSettings& s) {
         const bool readings = equalsIgnoringCase(value, "readings");
         s.sweep.settle = readings ? SettleMode::Readings : SettleMode::Fixed;
         return readings || equalsIgnoringCase(value, "fixed");
     },
     [](const StationSettings& s) {
         return std::string(s.sweep.settle == SettleMode::Readings ? "readings" : "fixed");
     }},
    {"sweep", "max_power_w", "must be a power in watts above 0, e.g. 50, or empty for no ceiling",
     [](std::string_view value, StationSettings& s) {
         return readOptionalNumber(value, s.sweep.maxPowerW);
     },
     [](const StationSettings& s) { return optionalNumberText(s.sweep.maxPowerW); }},
    {"sweep", "points",
     "must be every (each point of the plan, in order) or refine (only the points the curve "
     "needs)",
     [](std::string_view value, StationSettings& s) {
         const bool refine = equalsIgnoringCase(value, "refine");
         s.sweep.points = refine ? PlanPoints::Refine : PlanPoints::Every;
         return refine || equalsIgnoringCase(value, "every");
     },
     [](const StationSettings& s) {
         return std::string(s.sweep.points == PlanPoints::Refine ? "refine" : "every");
     }},
    {"feedline", "cable", "",
     [](std::string_view value, StationSettings& s) {
         s.feedline.cable = value;
         return true;
     },
     [](const StationSettings& s) { return s.feedline.cable; }},
    {"feedline", "length_m", "must be the cable's length in metres above 0, e.g. 20",
     [](std::string_view value, StationSettings& s) {
         return readOptionalNumber(value, s.feedline.lengthM);
     },
     [](const StationSettings& s) { return optionalNumberText(s.feedline.lengthM); }},
    {"feedline", "vf", "must be a velocity factor above 0 and up to 1, e.g. 0.66, or empty",
     [](std::string_view value, StationSettings& s) {
         return readOptionalNumber(value, s.feedline.velocityFactor, 1.0);
     },
     [](const StationSettings& s) { return optionalNumberText(s.feedline.velocityFactor); }},
    {"feedline", "loss_db_per_100m",
     "must be one or two losses in dB per 100 m above 0, e.g. 1.4,4.9, or empty",
     [](std::string_view value, StationSettings& s) {
         return readNumberList(value, s.feedline.lossDbPer100m);
     },
     [](const StationSettings& s) { return numberListText(s.feedline.lossDbPer100m); }},
    {"feedline", "loss_at_mhz",
     "must be one or two frequencies in MHz above 0, e.g. 10,100, or empty",
     [](std::string_view value, StationSettings& s) {
         return readNumberList(value, s.feedline.lossAtMHz);
     },
     [](const StationSettings& s) { return numberListText(s.feedline.lossAtMHz); }},
    {"feedline", "show",
     "must be antenna (readings at the antenna) or meter (readings as the meter takes them)",
     [](std::string_view value, StationSettings& s) {
         const bool meter = equalsIgnoringCase(value, "meter");
         s.feedline.showAtAntenna = !meter;
         return meter || equalsIgnoringCase(value, "antenna");
     },
     [](const StationSettings& s) {
         return std::string(s.feedline.showAtAntenna ? "antenna" : "meter");
     }},
    {"licence", "plan",
     "must be a band plan: any, iaru1, iaru2, iaru3, us-extra, us-general or own (bands.ini)",
     [](std::string_view value, StationSettings& s) {
         std::string plan(value.empty() ? LicenceSettings::kAnyPlan : value);
         for (char& c : plan) {
             c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
         }
         s.licence.plan = plan;
         return isPlanKey(plan);
     },
     [](const StationSettings& s) { return s.licence.plan; }},
    // Names the chosen plan does not have (one chosen under another plan) are kept, and
    // ticked again when that plan is chosen again.
    {"bands", "sweep", "",
     [](std::string_view value, StationSettings& s) {
         s.bands.sweep = bandNamesIn(value);
         return true;
     },
     [](const StationSettings& s) { return bandNamesText(s.bands.sweep); }},
    {"bands", "points", "must be the number of points in each band's sweep, from 3 to 500, e.g. 20",
     [](std::string_view value, StationSettings& s) {
         const auto points =
             wholeNumber(value, BandsSettings::kFewestPoints, BandsSettings::kMostPoints);
         s.bands.points = static_cast<int>(points.value_or(BandsSettings::kDefaultPoints));
         return value.empty() || points.has_value();
     },
     [](const StationSettings& s) { return std::to_string(s.bands.points); }},
    {"history", "resonance_khz",
     "must be how far in kHz a resonance may move from the reference's, e.g. 15",
     [](std::string_view value, StationSettings& s) {
         return readNumberOr(value, s.history.resonanceKHz, HistorySettings::kDefaultResonanceKHz);
     },
     [](const StationSettings& s) { return shortestNumber(s.history.resonanceKHz); }},
    {"history", "swr", "must be how far the lowest SWR may move from the reference's, e.g. 0.3",
     [](std::string_view value, StationSettings& s) {
         return readNumberOr(value, s.history.swr, HistorySettings::kDefaultSwr);
     },
     [](const StationSettings& s) { return shortestNumber(s.history.swr); }},
    {"antennas", "in_use", "",
     [](std::string_view value, StationSettings& s) {
         s.antennas.inUse = value;
         return true;
     },
     [](const StationSettings& s) { return s.antennas.inUse; }},
}};

const StationKey* stationKeyFor(std::string_view section, std::string_view key) {
    for (const StationKey& known : kStationKeys) {
        if (known.section == section && known.key == key) {
            return &known;
        }
    }
    return nullptr;
}

std::string civAddressText(int address) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(address) & 0xFFu);
    return text;
}

std::string_view pttText(PttMethod method) {
    for (const auto& [known, word] : kPttWords) {
        if (known == method) {
            return word;
        }
    }
    return "RIG";
}

}  // namespace zm
