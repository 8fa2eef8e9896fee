#include "app/station_file.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace zm {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool sameWord(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(text[i]) != lower(word[i])) {
            return false;
        }
    }
    return true;
}

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

// One known key: how its value is read into the settings and written from them. read
// gives false when the value does not fit; the rule's hint then tells the user what does.
struct KeyRule {
    std::string_view section;
    std::string_view key;
    std::string_view hint;
    bool (*read)(std::string_view value, StationSettings& settings);
    std::string (*write)(const StationSettings& settings);
};

constexpr std::array<std::pair<PttMethod, std::string_view>, 3> kPttWords{
    {{PttMethod::Rig, "RIG"}, {PttMethod::Dtr, "DTR"}, {PttMethod::Rts, "RTS"}}};

const std::array<KeyRule, 9> kRules{{
    {"rig", "server", "must be own (the program starts rigctld) or external (you start it)",
     [](std::string_view value, StationSettings& s) {
         if (sameWord(value, "own") || sameWord(value, "external")) {
             s.rig.server =
                 sameWord(value, "own") ? RigServerChoice::Own : RigServerChoice::External;
             return true;
         }
         return false;
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
             if (sameWord(value, word)) {
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
         if (sameWord(value, "fixed") || sameWord(value, "readings")) {
             s.sweep.settle =
                 sameWord(value, "readings") ? SettleMode::Readings : SettleMode::Fixed;
             return true;
         }
         return false;
     },
     [](const StationSettings& s) {
         return std::string(s.sweep.settle == SettleMode::Readings ? "readings" : "fixed");
     }},
    {"sweep", "max_power_w", "must be a power in watts above 0, e.g. 50, or empty for no ceiling",
     [](std::string_view value, StationSettings& s) {
         double watts = 0;
         const auto [end, error] =
             std::from_chars(value.data(), value.data() + value.size(), watts);
         const bool fits = error == std::errc() && end == value.data() + value.size() &&
                           std::isfinite(watts) && watts > 0;
         s.sweep.maxPowerW = fits ? std::optional<double>(watts) : std::nullopt;
         return value.empty() || fits;
     },
     [](const StationSettings& s) {
         if (!s.sweep.maxPowerW) {
             return std::string();
         }
         char text[32];  // the shortest text that reads back as the same number: "50", "2.5"
         const auto end = std::to_chars(text, text + sizeof text, *s.sweep.maxPowerW).ptr;
         return std::string(text, end);
     }},
}};

std::size_t indexOf(const KeyRule& rule) {
    return static_cast<std::size_t>(&rule - kRules.data());
}

const KeyRule* ruleFor(std::string_view section, std::string_view key) {
    for (const KeyRule& rule : kRules) {
        if (rule.section == section && rule.key == key) {
            return &rule;
        }
    }
    return nullptr;
}

// One line of the file as read: where it stands and what it is.
struct Line {
    enum class Kind { Other, Section, Key } kind = Kind::Other;  // Other: blank or comment
    std::string text;     // as it stands, without its line end
    std::string section;  // the section it is in (its own name for a Section line)
    std::string key;
    std::string value;
};

// Cuts the text into lines; false with the first fault when a line is none of blank,
// comment, [section] or key=value, or a key=value line stands before any section.
bool cutLines(std::string_view text, std::vector<Line>& lines, std::string& damage) {
    std::string section;
    int number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        end = end == std::string_view::npos ? text.size() : end;
        Line line;
        line.text = text.substr(pos, end - pos);
        pos = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        ++number;
        const std::string_view content = trimmed(line.text);
        const auto where = "line " + std::to_string(number) + ": ";
        if (content.empty() || content[0] == ';' || content[0] == '#') {
            line.section = section;
        } else if (content.front() == '[' && content.back() == ']') {
            section = trimmed(content.substr(1, content.size() - 2));
            line = {Line::Kind::Section, line.text, section, {}, {}};
        } else if (const auto equals = content.find('='); equals != std::string_view::npos) {
            if (section.empty()) {
                damage = where + std::string(content) + " stands before any [section]";
                return false;
            }
            line = {Line::Kind::Key, line.text, section,
                    std::string(trimmed(content.substr(0, equals))),
                    std::string(trimmed(content.substr(equals + 1)))};
        } else {
            damage = where + "\"" + std::string(content) +
                     "\" is neither a [section], a key=value line nor a comment";
            return false;
        }
        lines.push_back(std::move(line));
    }
    return true;
}

}  // namespace

StationFileRead readStationText(std::string_view text) {
    std::vector<Line> lines;
    StationFileRead result;
    if (!cutLines(text, lines, result.damage)) {
        return result;
    }
    std::array<int, kRules.size()> seenOnLine{};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        const KeyRule* rule =
            line.kind == Line::Kind::Key ? ruleFor(line.section, line.key) : nullptr;
        if (!rule) {
            continue;  // a comment, a section, or a key that a later version knows
        }
        const auto where = "line " + std::to_string(i + 1) + ": ";
        int& seen = seenOnLine[indexOf(*rule)];
        if (seen != 0) {
            result = {{},
                      where + line.key + " is given twice in [" + line.section +
                          "] (first on line " + std::to_string(seen) + ")"};
            return result;
        }
        seen = static_cast<int>(i + 1);
        if (!rule->read(line.value, result.settings)) {
            result = {{}, where + line.key + "=" + line.value + " " + std::string(rule->hint)};
            return result;
        }
    }
    return result;
}

std::string writeStationText(const StationSettings& settings, std::string_view previousText) {
    std::vector<Line> lines;
    std::string ignored;
    if (!cutLines(previousText, lines, ignored)) {
        lines.clear();  // a damaged file is not carried over
    }
    std::array<bool, kRules.size()> written{};
    const auto keyLine = [&](const KeyRule& rule) {
        written[indexOf(rule)] = true;
        return std::string(rule.key) + "=" + rule.write(settings) + "\n";
    };
    // The keys of a known section that it lacks, once the section ends.
    const auto missingKeys = [&](std::string_view section) {
        std::string text;
        for (const KeyRule& rule : kRules) {
            if (rule.section == section && !written[indexOf(rule)]) {
                text += keyLine(rule);
            }
        }
        return text;
    };

    // A section's missing keys go after its last key, before the blank lines and comments
    // that lead to the next section.
    std::string text;
    std::string section;
    std::size_t sectionEnd = 0;
    const auto endSection = [&] { text.insert(sectionEnd, missingKeys(section)); };
    for (const Line& line : lines) {
        if (line.kind == Line::Kind::Section) {
            endSection();
            section = line.section;
        }
        const KeyRule* rule =
            line.kind == Line::Kind::Key ? ruleFor(line.section, line.key) : nullptr;
        if (!rule) {
            text += line.text + "\n";
        } else if (!written[indexOf(*rule)]) {
            text += keyLine(*rule);  // a second line of the same key would damage the file
        }
        if (line.kind != Line::Kind::Other) {
            sectionEnd = text.size();
        }
    }
    endSection();
    for (std::string_view name : {"rig", "sweep"}) {
        if (const std::string keys = missingKeys(name); !keys.empty()) {
            text += (text.empty() ? "[" : "\n[") + std::string(name) + "]\n" + keys;
        }
    }
    return text;
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
