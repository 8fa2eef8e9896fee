// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as config.ini. The text is cut into lines and slots, every slot is read as
// each kind of value, the settings start-up would take from it are written back, and that
// text must again be eight CRLF lines that read back as the same settings.

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "meter/number_reading.h"
#include "settings/config_file.h"

namespace {

using zm::fuzz::require;

// A value no line can produce, since a slot never holds a line end.
const std::string kUntouched = "\n";

// The lines as a text editor shows them: CRLF, LF or a lone CR ends one.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

void checkSlots(std::string_view text, const zm::ConfigValues& slots) {
    const std::vector<std::string_view> lines = splitLines(text);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        std::string_view expected = kUntouched;
        if (i < lines.size() && lines[i].find('=') != std::string_view::npos) {
            expected = lines[i].substr(lines[i].find('=') + 1);
        }
        require(slots[i] && *slots[i] == expected,
                "a slot holds what follows the first \"=\" of its line, or stays as it was", text,
                slots[i].value_or("(empty)"));
    }
}

bool equalsIgnoringCase(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((text[i] | 0x20) != word[i]) {
            return false;
        }
    }
    return true;
}

void checkReads(std::string_view value, std::string_view text) {
    const double number = zm::leadingNumber(value);

    const std::optional<float> single = zm::readSingle(value);
    const bool fitsSingle =
        std::isfinite(number) && std::fabs(number) <= std::numeric_limits<float>::max();
    require(single.has_value() == fitsSingle, "a single is read when it is a finite single", text,
            value);
    require(!single || *single == static_cast<float>(number), "a single is the leading number",
            text, value);

    const std::optional<std::int16_t> whole = zm::readWhole16(value);
    const double rounded = std::nearbyint(number);
    require(whole.has_value() == (rounded >= -32768 && rounded <= 32767),
            "a whole number is read when it fits 16 bits", text, value);
    require(!whole || *whole == rounded, "a whole number is the leading number, halves to even",
            text, value);

    const std::optional<bool> mark = zm::readCheckMark(value);
    const auto first = value.find_first_not_of(" \t");
    const std::string_view word =
        first == std::string_view::npos
            ? std::string_view{}
            : value.substr(first, value.find_last_not_of(" \t") - first + 1);
    if (equalsIgnoringCase(word, "true") || equalsIgnoringCase(word, "false")) {
        require(mark == equalsIgnoringCase(word, "true"), "True and False in any case", text,
                value);
    } else if (zm::isWholeNumber(word)) {
        require(mark == (zm::leadingNumber(word) != 0), "a number is a mark unless it is 0", text,
                value);
    } else {
        require(!mark, "anything else is no mark", text, value);
    }
}

// What start-up takes from the slots: a filled slot that reads as its kind of value
// replaces the default of a window never saved.
zm::ConfigSettings settingsFrom(const zm::ConfigValues& slots) {
    zm::ConfigSettings settings;
    auto take = [&](int i, auto read, auto& setting) {
        const auto& slot = slots[static_cast<std::size_t>(i)];
        if (slot) {
            setting = read(*slot).value_or(setting);
        }
    };
    take(0, zm::readSingle, settings.leftTwips);
    take(1, zm::readSingle, settings.topTwips);
    take(2, zm::readWhole16, settings.comPort);
    take(3, zm::readSingle, settings.heightTwips);
    take(4, zm::readCheckMark, settings.normalChecked);
    take(5, zm::readCheckMark, settings.diagChecked);
    take(6, zm::readWhole16, settings.plotModeIndex);
    take(7, zm::readWhole16, settings.carrierModeIndex);
    return settings;
}

bool closeSingle(float back, float written) {
    return std::fabs(back - written) <= 6e-7f * std::fabs(written) + FLT_TRUE_MIN;
}

void checkWritten(const zm::ConfigSettings& settings, std::string_view text) {
    const std::string written = zm::writeConfigText(settings);
    constexpr std::string_view kKeys[] = {
        "Position-Left=", "Position-Top=", "ComPort=",   "Height=",
        "mnuNormal=",     "mnuDiag=",      "ListIndex=", "ListIndex="};
    std::size_t start = 0;
    for (const std::string_view key : kKeys) {
        const std::size_t end = written.find("\r\n", start);
        require(end != std::string::npos, "config.ini has eight CRLF lines", text, written);
        const std::string_view line = std::string_view(written).substr(start, end - start);
        require(line.starts_with(key) && line.find_first_of("\r\n") == std::string_view::npos,
                "each line has its key and no other line end", text, written);
        start = end + 2;
    }
    require(start == written.size(), "config.ini has eight CRLF lines and nothing after", text,
            written);

    zm::ConfigValues back;
    zm::readConfigText(written, back);
    for (std::size_t i = 0; i < back.size(); ++i) {
        require(back[i].has_value() == (i < 8), "the written file fills eight slots", text,
                written);
    }
    const zm::ConfigSettings reread = settingsFrom(back);
    require(closeSingle(reread.leftTwips, settings.leftTwips) &&
                closeSingle(reread.topTwips, settings.topTwips) &&
                closeSingle(reread.heightTwips, settings.heightTwips),
            "positions and height read back to seven digits", text, written);
    require(reread.comPort == settings.comPort && reread.normalChecked == settings.normalChecked &&
                reread.diagChecked == settings.diagChecked &&
                reread.plotModeIndex == settings.plotModeIndex &&
                reread.carrierModeIndex == settings.carrierModeIndex,
            "port, marks and list indexes read back exactly", text, written);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = zm::fuzz::asText(data, size);

    zm::ConfigValues slots;
    slots.fill(kUntouched);
    zm::readConfigText(text, slots);
    checkSlots(text, slots);
    for (const auto& slot : slots) {
        checkReads(*slot, text);
    }

    zm::ConfigValues fresh;
    zm::readConfigText(text, fresh);
    checkWritten(settingsFrom(fresh), text);
    return 0;
}
