// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter/serial_settings.h"

#include <array>
#include <charconv>

namespace zm {
namespace {

constexpr int kMaxBaudRate = 4'000'000;

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Only plain digits: "38400" yes, "+38400", "38400.0" or "3e4" no.
std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || text.front() == '-' || result.ec != std::errc{} || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<SerialSettings::Parity> parityFromLetter(std::string_view text) {
    if (text.size() != 1) {
        return std::nullopt;
    }
    switch (text.front() | 0x20) {  // lower case
        case 'n':
            return SerialSettings::Parity::None;
        case 'e':
            return SerialSettings::Parity::Even;
        case 'o':
            return SerialSettings::Parity::Odd;
        case 'm':
            return SerialSettings::Parity::Mark;
        case 's':
            return SerialSettings::Parity::Space;
        default:
            return std::nullopt;
    }
}

std::optional<SerialSettings::StopBits> stopBitsFromText(std::string_view text) {
    if (text == "1") {
        return SerialSettings::StopBits::One;
    }
    if (text == "1.5") {
        return SerialSettings::StopBits::OneAndHalf;
    }
    if (text == "2") {
        return SerialSettings::StopBits::Two;
    }
    return std::nullopt;
}

}  // namespace

std::optional<SerialSettings> parseSerialSettings(std::string_view text) {
    std::array<std::string_view, 4> parts;
    std::size_t count = 0;
    while (true) {
        const std::size_t comma = text.find(',');
        if (count == parts.size()) {
            return std::nullopt;  // a fifth part
        }
        parts[count++] = trimmed(text.substr(0, comma));
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    if (count != parts.size()) {
        return std::nullopt;
    }
    const auto baud = wholeNumber(parts[0]);
    const auto parity = parityFromLetter(parts[1]);
    const auto dataBits = wholeNumber(parts[2]);
    const auto stopBits = stopBitsFromText(parts[3]);
    if (!baud || *baud < 1 || *baud > kMaxBaudRate || !parity || !dataBits || *dataBits < 5 ||
        *dataBits > 8 || !stopBits) {
        return std::nullopt;
    }
    return SerialSettings{*baud, *parity, *dataBits, *stopBits};
}

}  // namespace zm
