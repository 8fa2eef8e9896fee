// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace zm {

// What zm480-history --help prints, in lines of at most 80 characters.
extern const std::string_view kHistoryUsage;

// "zm480-history (ZM-480 Plot) 1.2"
std::string historyVersionText(std::string_view version);

}  // namespace zm
