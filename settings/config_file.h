// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zm {

// config.ini, as the program writes it (eight lines, CRLF):
//
//   Position-Left=1215
//   Position-Top=1170
//   ComPort=1
//   Height=6645
//   mnuNormal=True
//   mnuDiag=False
//   ListIndex=0
//   ListIndex=-1
//
// It is read by position: the key before the first "=" is never looked at, and both
// "ListIndex" lines (plot mode, then carrier mode) are told apart only by their place.

inline constexpr int kConfigSlots = 11;

// Value texts by line: slot i holds what follows the first "=" of line i + 1. A slot that
// no line filled stays as it was, so settings missing from the file keep their value.
using ConfigValues = std::array<std::optional<std::string>, kConfigSlots>;

// Cuts the file text into lines (CRLF, LF or a lone CR end a line) and fills the slots.
// A line without "=" fills no slot but keeps its place; lines past the eleventh are ignored.
void readConfigText(std::string_view fileText, ConfigValues& slots);

// Lines 1, 2 and 4: the leading number as a single-precision value; empty when that is
// not a finite single.
std::optional<float> readSingle(std::string_view valueText);
// Lines 3, 7 and 8: the leading number to the nearest whole number, halves to even
// (2.5 -> 2, 3.5 -> 4); empty beyond the 16-bit signed range.
std::optional<std::int16_t> readWhole16(std::string_view valueText);
// The meter's port numbers that the port list offers: Com01 to Com16.
inline constexpr int kHighestComPort = 16;
// Line 3's port number, when it is one the port list offers.
std::optional<int> comPortOf(const ConfigValues& slots);
// Lines 7 and 8: the plot mode's and the carrier mode's list index, when the line holds one
// (-1: nothing was selected).
std::optional<std::int16_t> plotModeIndexOf(const ConfigValues& slots);
std::optional<std::int16_t> carrierModeIndexOf(const ConfigValues& slots);

// Lines 5 and 6: True or False in any letter case, or a number (0 no mark, any other a
// mark); empty for anything else.
std::optional<bool> readCheckMark(std::string_view valueText);

// What SaveConfig writes: the window's left, top and outer height in twips, the port,
// the two check marks and the two list indexes (-1: nothing selected).
struct ConfigSettings {
    float leftTwips = 0;
    float topTwips = 0;
    std::int16_t comPort = 1;
    float heightTwips = 0;
    bool normalChecked = false;
    bool diagChecked = false;
    std::int16_t plotModeIndex = -1;
    std::int16_t carrierModeIndex = -1;
};

std::string writeConfigText(const ConfigSettings& settings);

// A single-precision number as the file holds it: up to seven significant digits, whole
// numbers without a point ("1215", "1215.5", "-15", "0.5").
std::string singleText(float value);

}  // namespace zm
