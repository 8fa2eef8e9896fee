// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the fuzz targets share: the input as text, and the check that turns a wrong result
// into a crash libFuzzer keeps as a reproducer.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace zm::fuzz {

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Shows the offending text with every byte that is not printable ASCII escaped, so a
// record holding NULs or high bytes can be read off the report.
inline std::string escaped(std::string_view text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '\\') {
            shown += c;
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02x", byte);
            shown += code;
        }
    }
    return shown;
}

[[noreturn]] inline void fail(const char* what, std::string_view input, std::string_view detail) {
    std::fprintf(stderr, "invariant broken: %s\n  input:  \"%s\"\n  detail: \"%s\"\n", what,
                 escaped(input).c_str(), escaped(detail).c_str());
    std::abort();
}

// The parts of a text between "|" bars, as filter texts and some seeds are laid out.
inline std::vector<std::string_view> splitAtBars(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t bar = text.find('|'); bar != std::string_view::npos;
         bar = text.find('|', start)) {
        parts.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

inline void require(bool holds, const char* what, std::string_view input,
                    std::string_view detail = {}) {
    if (!holds) {
        fail(what, input, detail);
    }
}

}  // namespace zm::fuzz
