// SPDX-License-Identifier: GPL-3.0-or-later

#include "results/memory_file.h"

#include <algorithm>

#include "numbers/number_text.h"
#include "results/sweep_files.h"

namespace zm {

namespace {

constexpr std::string_view kNameKey = "# memory: ";
constexpr std::string_view kShownKey = "# shown: ";
constexpr std::string_view kColourKey = "# colour: ";

// The value of a comment line "# key: value" before the header row.
std::optional<std::string_view> commentValue(std::string_view text, std::string_view key) {
    for (const std::string_view line : textLines(text)) {
        if (!line.starts_with('#')) {
            break;
        }
        if (line.starts_with(key)) {
            return trimmed(line.substr(key.size()));
        }
    }
    return std::nullopt;
}

std::string bandText(const SweepRecord& record) {
    const auto mhz = [](std::int64_t hz) { return fixedNumber(static_cast<double>(hz) / 1e6, 3); };
    return mhz(record.points.front().frequencyHz) + "-" + mhz(record.points.back().frequencyHz) +
           " MHz";
}

}  // namespace

std::string writeMemoryFile(const Memory& memory) {
    return std::string(kNameKey) + cleanMemoryName(memory.name) + "\n" + std::string(kShownKey) +
           (memory.shown ? "yes" : "no") + "\n" + std::string(kColourKey) +
           std::to_string(memory.colour) + "\n" + sweepFileText(memory.record, SweepFileKind::Csv);
}

std::variant<Memory, FileError> readMemoryFile(std::string_view text,
                                               std::string_view fallbackName) {
    auto read = readSweepFile(".csv", text);
    if (auto* error = std::get_if<FileError>(&read)) {
        return *error;
    }
    Memory memory{std::string(fallbackName), true, -1, std::move(std::get<SweepRecord>(read))};
    if (const auto name = commentValue(text, kNameKey); name && !cleanMemoryName(*name).empty()) {
        memory.name = cleanMemoryName(*name);
    }
    memory.shown = commentValue(text, kShownKey) != "no";
    if (const auto colour = commentValue(text, kColourKey)) {
        memory.colour = static_cast<int>(
            std::clamp<std::int64_t>(readWhole(*colour).value_or(-1), -1, 1 << 16));
    }
    return memory;
}

std::string defaultMemoryName(const SweepRecord& record, std::string_view today) {
    if (record.empty()) {
        return {};
    }
    // takenAt is "2024-05-01 14:03:22".
    const std::string& taken = record.notes.takenAt;
    if (taken.size() < 16) {
        return bandText(record);
    }
    const std::string time = taken.substr(11, 5) + " ";
    return (taken.starts_with(today) ? time : taken.substr(0, 11) + time) + bandText(record);
}

std::string bandMemoryName(std::string_view bandName, const SweepRecord& record) {
    const std::string& taken = record.notes.takenAt;  // "2024-05-01 14:03:22"
    return std::string(bandName) + (taken.size() < 16 ? "" : " " + taken.substr(11, 5));
}

std::string cleanMemoryName(std::string_view typed) {
    std::string name;
    for (const char c : typed) {
        name += static_cast<unsigned char>(c) < ' ' ? ' ' : c;
    }
    return std::string(trimmed(name));
}

int leastUsedColour(const std::vector<Memory>& memories, int colours) {
    std::vector<int> uses(static_cast<std::size_t>(colours), 0);
    for (const Memory& memory : memories) {
        if (memory.colour >= 0 && memory.colour < colours) {
            ++uses[static_cast<std::size_t>(memory.colour)];
        }
    }
    return static_cast<int>(std::min_element(uses.begin(), uses.end()) - uses.begin());
}

}  // namespace zm
