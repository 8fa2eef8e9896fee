// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/terminal_words.h"

#include <langinfo.h>

#include <algorithm>
#include <array>
#include <clocale>
#include <cstring>

namespace zm {

namespace {

struct Rewording {
    std::string_view window;
    std::string_view command;
};

// The longer of two that start alike comes first.
constexpr std::array kRewordings{
    Rewording{"then press Run again", "then run zm480-sweep again"},
    Rewording{"Then press Run again", "Then run zm480-sweep again"},
    Rewording{"press Run again", "run zm480-sweep again"},
    Rewording{"Press Run again", "Run zm480-sweep again"},
    Rewording{"so Run keys the transmitter nowhere", "so zm480-sweep keys the transmitter nowhere"},
    Rewording{". Run keys the transmitter nowhere", ". zm480-sweep keys the transmitter nowhere"},
    Rewording{" (Setup, Diag shows what it answers)",
              " (config.ini's ComPort in the settings folder, and its link in ports/ there)"},
    Rewording{"(or raise the ceiling in Setup, Sweep settings)",
              "(or raise max_power_w in station.ini's [sweep])"},
    Rewording{"check the cable and length in Setup, Feedline",
              "check cable and length_m in station.ini's [feedline], or sweep with --at meter"},
    Rewording{"choose your own band plan (bands.ini) in Setup, Band plan",
              "write your own band plan in bands.ini and sweep with --plan own"},
    Rewording{"choose it again in Setup, Band plan", "sweep with --plan own"},
    Rewording{"until you choose one in Setup, Band plan",
              "unless --plan names one (zm480-sweep --help lists them)"},
    Rewording{" Choose a band in the Band menu, or the licence plan in Setup.",
              " Sweep a band of the plan with --band, or choose another plan with --plan."},
    Rewording{"choose it again in Setup, Station", "set it again in station.ini's [rig] device"},
    Rewording{"choose another port in Setup, Station", "set another in station.ini's [rig] port"},
    Rewording{"choose your station again in Setup, Station",
              "write its [rig] section again (zm480-sweep(1) lists the keys)"},
    Rewording{"(its CAT command, DTR or RTS) in Setup, Station",
              "(its CAT command, DTR or RTS) with ptt in station.ini's [rig]"},
    Rewording{"the baud rate and CI-V address in Setup, Station",
              "baud and civaddr in station.ini's [rig]"},
    Rewording{"in Setup, Station", "in station.ini's [rig] section"},
    Rewording{"does not take the window's words", "does not take the program's words"},
    Rewording{" (shaded)", ""},
    Rewording{"(see README)", "(see /usr/share/doc/zm480-plot/README.md)"},
    Rewording{", see README)", ", see /usr/share/doc/zm480-plot/README.md)"},
};

// What stands for a character beyond ASCII where the terminal cannot show it.
constexpr std::array<Rewording, 12> kAsciiSpellings{{
    {"\u00b7", "*"},
    {"\u2013", "-"},
    {"\u2014", "-"},
    {"\u03a9", "ohm"},
    {"\u2026", "..."},
    {"\u00b0", " deg"},
    {"\u0393", "Gamma"},
    {"\u203a", ">"},
    {"\u2018", "'"},
    {"\u2019", "'"},
    {"\u201c", "\""},
    {"\u201d", "\""},
}};

// The bytes of the UTF-8 character that starts with `lead`, 1 for a byte that starts none.
std::size_t utf8Length(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

}  // namespace

std::string commandWords(std::string_view windowText) {
    std::string text(windowText);
    for (const Rewording& rewording : kRewordings) {
        for (std::size_t at = text.find(rewording.window); at != std::string::npos;
             at = text.find(rewording.window, at + rewording.command.size())) {
            text.replace(at, rewording.window.size(), rewording.command);
        }
    }
    return text;
}

std::string nothingKeyedWords(std::string_view message) {
    std::string text(message);
    for (const Rewording& stopped : {Rewording{"The sweep stopped. ", "Nothing was keyed. "},
                                     Rewording{"The sweep stopped: ", "Nothing was keyed: "}}) {
        if (text.starts_with(stopped.window)) {
            return std::string(stopped.command) + text.substr(stopped.window.size());
        }
    }
    if (text.find("othing was keyed") != std::string::npos) {
        return text;
    }
    return text + (text.ends_with('.') ? "" : ".") + " Nothing was keyed.";
}

std::string terminalText(std::string_view text, bool utf8) {
    if (utf8) {
        return std::string(text);
    }
    std::string ascii;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {
            ascii += text[at++];
            continue;
        }
        const std::size_t length = std::min(utf8Length(byte), text.size() - at);
        const std::string_view character = text.substr(at, length);
        std::string_view spelled = "?";
        for (const Rewording& spelling : kAsciiSpellings) {
            spelled = spelling.window == character ? spelling.command : spelled;
        }
        ascii += spelled;
        at += length;
    }
    return ascii;
}

bool environmentLocaleIsUtf8() {
    if (std::setlocale(LC_CTYPE, "") == nullptr) {
        return false;  // a locale the system does not have: C
    }
    return std::strcmp(::nl_langinfo(CODESET), "UTF-8") == 0;
}

}  // namespace zm
