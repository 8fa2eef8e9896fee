// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "cli/option_words.h"
#include "cli/output_name.h"
#include "history/sweep_entry.h"

namespace zm {

// What zm480-history was asked:
//   zm480-history list [--antenna NAME] [--band B] [--since DATE] [--json]
//   zm480-history trend --antenna NAME --band B [--json]
//   zm480-history show ID [-o FILE.csv|FILE.s1p]
//   zm480-history reference ID
//   zm480-history delete ID
//   zm480-history import --antenna NAME FILE...
// each with --settings DIR, the settings folder, as zm480-sweep takes it.
struct HistoryCommandLine {
    enum class Action { List, Trend, Show, Reference, Delete, Import, Help, Version };
    Action action = Action::Help;

    std::string antenna;              // empty: not given
    std::optional<std::string> band;  // "" for the sweeps in no band
    std::optional<SweepTime> since;
    bool json = false;
    SweepId id = 0;                  // of show, reference and delete
    SweepOutput output;              // of show: standard output by default
    std::vector<std::string> files;  // to import
    std::optional<std::string> settingsFolder;
};

// The arguments after the program's name: the command first, then its options and
// operands in any order. --help or --version anywhere wins over everything else.
std::variant<HistoryCommandLine, UsageError> parseHistoryCommandLine(
    std::span<const char* const> arguments);

}  // namespace zm
