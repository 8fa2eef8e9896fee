// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "feedline/loss_model.h"
#include "results/text_file.h"

namespace zm {

// A feedline as its datasheet describes it, and its loss model fitted to the datasheet.
struct Cable {
    std::string name;
    double impedanceOhms = 50.0;       // nominal, real: ladder line is 450 ohm
    double velocityFactor = 1.0;       // of the speed of light
    std::vector<LossPoint> datasheet;  // in dB per 100 m, whatever unit the sheet uses
    LossModel loss;
    std::string source;  // "Belden 8240 RG-58/U"
};

// The cable list, cables.list, as it is shipped:
//
//   RG-58 | 50 | 0.66 | dB/100ft | 1:0.4 10:1.4 50:3.3 100:4.9 | Belden 8240 RG-58/U
//
// name | impedance | velocity factor | loss unit | MHz:loss pairs | datasheet; "#" begins a
// comment line. A line that does not read is a fault of the whole file: the list is ours.
std::variant<std::vector<Cable>, FileError> readCableList(std::string_view text);

// The cable of that name, in any letter case; none when the list has no such cable.
const Cable* cableNamed(const std::vector<Cable>& cables, std::string_view name);

inline constexpr std::string_view kCableListFile = "cables.list";

// Where the list is: beside the program in a build tree, in share/zm480-plot/ beside bin/
// when installed.
std::vector<std::filesystem::path> cableListPlaces(const std::filesystem::path& programFolder);

// The list from the first of those places that holds one; empty, with why for the user,
// when none does or it does not read.
std::vector<Cable> loadCableList(const std::filesystem::path& programFolder, std::string& whyNot);

}  // namespace zm
