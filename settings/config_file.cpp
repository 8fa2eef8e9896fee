// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/config_file.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "meter/number_reading.h"
#include "numbers/number_text.h"

namespace zm {

void readConfigText(std::string_view fileText, ConfigValues& slots) {
    int lineCounter = 0;
    std::size_t pos = 0;
    while (pos < fileText.size() && lineCounter < kConfigSlots) {
        const std::size_t end = fileText.find_first_of("\r\n", pos);
        const std::string_view line = fileText.substr(
            pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            slots[lineCounter] = std::string(line.substr(equals + 1));
        }
        ++lineCounter;
        if (end == std::string_view::npos) {
            break;
        }
        pos =
            end + ((fileText[end] == '\r' && end + 1 < fileText.size() && fileText[end + 1] == '\n')
                       ? 2
                       : 1);
    }
}

std::optional<float> readSingle(std::string_view valueText) {
    const double value = leadingNumber(valueText);
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

std::optional<std::int16_t> readWhole16(std::string_view valueText) {
    const double rounded = std::nearbyint(leadingNumber(valueText));  // to nearest, halves to even
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<int> comPortOf(const ConfigValues& slots) {
    const auto port = slots[2] ? readWhole16(*slots[2]) : std::nullopt;
    return port && *port >= 1 && *port <= kHighestComPort ? std::optional<int>(*port)
                                                          : std::nullopt;
}

std::optional<std::int16_t> plotModeIndexOf(const ConfigValues& slots) {
    return slots[6] ? readWhole16(*slots[6]) : std::nullopt;
}

std::optional<std::int16_t> carrierModeIndexOf(const ConfigValues& slots) {
    return slots[7] ? readWhole16(*slots[7]) : std::nullopt;
}

std::optional<bool> readCheckMark(std::string_view valueText) {
    const std::string_view word = trimmed(valueText);
    if (equalsIgnoringCase(word, "true")) {
        return true;
    }
    if (equalsIgnoringCase(word, "false")) {
        return false;
    }
    if (isWholeNumber(word)) {
        const double value = leadingNumber(word);
        if (!std::isnan(value)) {
            return value != 0.0;
        }
    }
    return std::nullopt;
}

std::string singleText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7G", static_cast<double>(value));
    return text;
}

std::string writeConfigText(const ConfigSettings& s) {
    const auto mark = [](bool checked) { return checked ? "True" : "False"; };
    std::string text;
    text += "Position-Left=" + singleText(s.leftTwips) + "\r\n";
    text += "Position-Top=" + singleText(s.topTwips) + "\r\n";
    text += "ComPort=" + std::to_string(s.comPort) + "\r\n";
    text += "Height=" + singleText(s.heightTwips) + "\r\n";
    text += std::string("mnuNormal=") + mark(s.normalChecked) + "\r\n";
    text += std::string("mnuDiag=") + mark(s.diagChecked) + "\r\n";
    text += "ListIndex=" + std::to_string(s.plotModeIndex) + "\r\n";
    text += "ListIndex=" + std::to_string(s.carrierModeIndex) + "\r\n";
    return text;
}

}  // namespace zm
