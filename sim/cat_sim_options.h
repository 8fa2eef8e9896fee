// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "sim/ft817_cat.h"

namespace zm::sim {

struct CatSimOptions {
    std::string linkPath;  // empty: no link, only the pty's own name is printed
    Ft817State start;      // the radio as the user left it
    bool help = false;
};

// The options of zm480-cat-sim, or a message saying what is wrong with them.
std::variant<CatSimOptions, std::string> parseCatSimOptions(
    const std::vector<std::string_view>& args);

std::string_view catSimHelpText();

}  // namespace zm::sim
