// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace zm {

// What zm480-sweep --help prints: every option, the signals and the exit statuses, in
// lines of at most 80 characters.
extern const std::string_view kSweepUsage;

// What --version prints: "zm480-sweep (ZM-480 Plot) 1.2", with the program's version.
std::string sweepVersionText(std::string_view version);

// A usage error as the command says it, on one line: "zm480-sweep: --points 2: a band's
// sweep has 3 to 500 points".
std::string usageErrorLine(std::string_view why);

}  // namespace zm
