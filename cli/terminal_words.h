// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace zm {

// A message of the engine, the station or the settings, written for the window, in the
// command's words: its options and station.ini's keys where the window names a button or a
// menu, "run zm480-sweep again" for "press Run again", the README's installed path.
//   "... then press Run again." -> "... then run zm480-sweep again."
std::string commandWords(std::string_view windowText);

// The message of a sweep that keyed nothing, saying so: "The sweep stopped. No rig-control
// server answers ..." -> "Nothing was keyed. No rig-control server answers ...", and
// " Nothing was keyed." after one that does not say it otherwise.
std::string nothingKeyedWords(std::string_view message);

// The text in what the terminal's character set can show: as it is in UTF-8, else in
// ASCII ("-" for an en dash, "*" for a middle dot, "ohm" for the ohm sign, "?" for any other
// character beyond ASCII).
std::string terminalText(std::string_view text, bool utf8);

// Whether the locale of the environment (LC_ALL, LC_CTYPE, LANG) writes UTF-8; read before
// anything has changed the program's locale.
bool environmentLocaleIsUtf8();

}  // namespace zm
