// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zm {

// Why a command line cannot run, in one line for the user: what is wrong and what to do,
// without the program's name: "--points 2: a band's sweep has 3 to 500 points".
struct UsageError {
    std::string why;
};

// One option a command takes.
struct KnownOption {
    int id = 0;                     // the command's own name for it
    std::string_view longName;      // "--band"
    char shortName = '\0';          // 'b'; '\0' for none
    std::string_view valueExample;  // "40m,20m"; empty for an option without a value
};

// An option as the command line gives it.
struct GivenOption {
    const KnownOption* known = nullptr;
    std::string name;  // as written: "--band" or "-b"
    std::optional<std::string_view> value;
};

// The arguments as options of `table`, in their order, as common Unix commands take them:
// a long option's value as the next argument or after "=" ("--band 40m", "--band=40m"), a
// short one's as the next argument or joined ("-o s.csv", "-os.csv"); short options without
// a value bunched ("-nk"); "--" ends the options. Any other argument goes to `operands`, in
// order, everything after "--" too; without `operands` the command takes options only and
// refuses it. An option it does not have, or a value missing or too many, is refused.
std::variant<std::vector<GivenOption>, UsageError> givenOptions(
    std::span<const char* const> arguments, std::span<const KnownOption> table,
    std::vector<std::string_view>* operands = nullptr);

}  // namespace zm
