// SPDX-License-Identifier: GPL-3.0-or-later

#include "station/station_file.h"

#include <array>
#include <charconv>
#include <set>
#include <vector>

#include "numbers/number_text.h"
#include "station/station_keys.h"

namespace zm {

namespace {

constexpr std::string_view kAntennasSection = "antennas";
constexpr std::string_view kSocketPrefix = "ant";

// The radio's antenna socket that a key of [antennas] ties: "ant2" is socket 2.
std::optional<int> socketOfKey(std::string_view section, std::string_view key) {
    if (section != kAntennasSection || !key.starts_with(kSocketPrefix)) {
        return std::nullopt;
    }
    const std::string_view digits = key.substr(kSocketPrefix.size());
    int socket = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), socket);
    const bool fits = !digits.empty() && digits[0] != '0' && error == std::errc() &&
                      end == digits.data() + digits.size() && socket >= 1 &&
                      socket <= AntennaSettings::kMostSockets;
    return fits ? std::optional(socket) : std::nullopt;
}

std::string socketLine(int socket, const std::string& antenna) {
    return std::string(kSocketPrefix) + std::to_string(socket) + "=" + antenna + "\n";
}

std::size_t indexOf(const StationKey& known) {
    return static_cast<std::size_t>(&known - kStationKeys.data());
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
    std::array<int, kStationKeys.size()> seenOnLine{};
    std::array<int, AntennaSettings::kMostSockets + 1> socketSeenOnLine{};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line& line = lines[i];
        const bool isKey = line.kind == Line::Kind::Key;
        const StationKey* known = isKey ? stationKeyFor(line.section, line.key) : nullptr;
        const auto socket = isKey ? socketOfKey(line.section, line.key) : std::nullopt;
        if (!known && !socket) {
            continue;  // a comment, a section, or a key that a later version knows
        }
        const auto where = "line " + std::to_string(i + 1) + ": ";
        int& seen = known ? seenOnLine[indexOf(*known)]
                          : socketSeenOnLine[static_cast<std::size_t>(*socket)];
        if (seen != 0) {
            result = {{},
                      where + line.key + " is given twice in [" + line.section +
                          "] (first on line " + std::to_string(seen) + ")"};
            return result;
        }
        seen = static_cast<int>(i + 1);
        if (socket) {
            if (!line.value.empty()) {
                result.settings.antennas.sockets[*socket] = line.value;
            }
            continue;
        }
        if (!known->read(line.value, result.settings)) {
            result = {{}, where + line.key + "=" + line.value + " " + std::string(known->hint)};
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
    std::array<bool, kStationKeys.size()> written{};
    const auto keyLine = [&](const StationKey& known) {
        written[indexOf(known)] = true;
        return std::string(known.key) + "=" + known.write(settings) + "\n";
    };
    std::set<int> socketsWritten;
    // The keys of a known section that it lacks, once the section ends.
    const auto missingKeys = [&](std::string_view section) {
        std::string text;
        for (const StationKey& known : kStationKeys) {
            if (known.section == section && !written[indexOf(known)]) {
                text += keyLine(known);
            }
        }
        for (const auto& [socket, antenna] : settings.antennas.sockets) {
            if (section == kAntennasSection && socketsWritten.insert(socket).second) {
                text += socketLine(socket, antenna);
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
        const bool isKey = line.kind == Line::Kind::Key;
        const StationKey* known = isKey ? stationKeyFor(line.section, line.key) : nullptr;
        const auto socket = isKey ? socketOfKey(line.section, line.key) : std::nullopt;
        const auto tie =
            socket ? settings.antennas.sockets.find(*socket) : settings.antennas.sockets.end();
        if (socket) {  // a tie the settings no longer hold goes
            if (tie != settings.antennas.sockets.end() && socketsWritten.insert(*socket).second) {
                text += socketLine(*socket, tie->second);
            }
        } else if (!known) {
            text += line.text + "\n";
        } else if (!written[indexOf(*known)]) {
            text += keyLine(*known);  // a second line of the same key would damage the file
        }
        if (line.kind != Line::Kind::Other) {
            sectionEnd = text.size();
        }
    }
    endSection();
    // The sections that may be left out are written only when they hold something, so that
    // without a feedline, history limits or antennas the file stays as earlier versions
    // wrote it.
    const std::array<std::pair<std::string_view, bool>, 7> sections{{
        {"rig", true},
        {"sweep", true},
        {"licence", true},
        {"bands", true},
        {"feedline", settings.feedline != FeedlineSettings{}},
        {"history", settings.history != HistorySettings{}},
        {kAntennasSection, settings.antennas != AntennaSettings{}},
    }};
    for (const auto& [name, wanted] : sections) {
        if (!wanted) {
            continue;
        }
        if (const std::string keys = missingKeys(name); !keys.empty()) {
            text += (text.empty() ? "[" : "\n[") + std::string(name) + "]\n" + keys;
        }
    }
    return text;
}

std::string antennaInUse(const AntennaSettings& antennas, std::optional<int> radioSocket) {
    if (radioSocket) {
        if (const auto tie = antennas.sockets.find(*radioSocket); tie != antennas.sockets.end()) {
            return tie->second;
        }
    }
    return antennas.inUse.empty() ? std::string(AntennaSettings::kFirstAntenna) : antennas.inUse;
}

void renameAntennaIn(AntennaSettings& antennas, std::string_view from, std::string_view to) {
    if (equalsIgnoringCase(antennas.inUse, from)) {
        antennas.inUse = to;
    }
    for (auto& [socket, antenna] : antennas.sockets) {
        if (equalsIgnoringCase(antenna, from)) {
            antenna = to;
        }
    }
}

}  // namespace zm
