// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string_view>

namespace zm {

// The serial line as a settings text gives it: "38400,n,8,1" is 38400 bit/s, no parity,
// 8 data bits, 1 stop bit.
struct SerialSettings {
    enum class Parity { None, Even, Odd, Mark, Space };
    enum class StopBits { One, OneAndHalf, Two };

    int baudRate = 38400;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;

    friend bool operator==(const SerialSettings&, const SerialSettings&) = default;
};

// Four comma-separated parts, blanks around each allowed: a baud rate of 1..4000000, the
// parity letter n/e/o/m/s in either case, 5..8 data bits, and 1, 1.5 or 2 stop bits.
// Anything else gives no settings.
std::optional<SerialSettings> parseSerialSettings(std::string_view text);

}  // namespace zm
