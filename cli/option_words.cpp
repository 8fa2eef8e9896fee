// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/option_words.h"

#include <algorithm>

namespace zm {

namespace {

const KnownOption* optionNamed(std::span<const KnownOption> table, std::string_view longName,
                               char shortName) {
    const auto found = std::find_if(table.begin(), table.end(), [&](const KnownOption& o) {
        return longName.empty() ? o.shortName == shortName : o.longName == longName;
    });
    return found == table.end() ? nullptr : &*found;
}

bool takesValue(const KnownOption& known) {
    return !known.valueExample.empty();
}

UsageError notAnOption(std::string_view argument) {
    return {"\"" + std::string(argument) +
            "\" is no option: zm480-sweep takes options only (see --help)"};
}

// The options of one argument: one long option, or short ones bunched, of which only the
// last may take a value.
std::vector<GivenOption> optionsIn(std::string_view argument, std::span<const KnownOption> table) {
    std::vector<GivenOption> options;
    if (argument.starts_with("--")) {
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        options.push_back({optionNamed(table, name, '\0'), std::string(name), std::nullopt});
        if (equals != std::string_view::npos) {
            options.back().value = argument.substr(equals + 1);
        }
        return options;
    }
    for (std::size_t at = 1; at < argument.size(); ++at) {
        const KnownOption* known = optionNamed(table, {}, argument[at]);
        options.push_back({known, std::string{'-', argument[at]}, std::nullopt});
        if (known && takesValue(*known) && at + 1 < argument.size()) {
            options.back().value = argument.substr(at + 1);
            break;
        }
    }
    return options;
}

}  // namespace

std::variant<std::vector<GivenOption>, UsageError> givenOptions(
    std::span<const char* const> arguments, std::span<const KnownOption> table,
    std::vector<std::string_view>* operands) {
    std::vector<GivenOption> given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--") {
            for (std::size_t rest = i + 1; rest < arguments.size(); ++rest) {
                if (!operands) {
                    return notAnOption(arguments[rest]);
                }
                operands->push_back(arguments[rest]);
            }
            break;
        }
        if (argument.size() < 2 || argument.front() != '-') {
            if (!operands) {
                return notAnOption(argument);
            }
            operands->push_back(argument);
            continue;
        }
        for (GivenOption& option : optionsIn(argument, table)) {
            if (!option.known) {
                return UsageError{"there is no option " + option.name + " (see --help)"};
            }
            if (!takesValue(*option.known) && option.value) {
                return UsageError{option.name + " takes no value"};
            }
            if (takesValue(*option.known) && !option.value) {
                if (i + 1 == arguments.size()) {
                    return UsageError{option.name + " needs a value, e.g. " +
                                      std::string(option.known->longName) + " " +
                                      std::string(option.known->valueExample)};
                }
                option.value = arguments[++i];
            }
            given.push_back(std::move(option));
        }
    }
    return given;
}

}  // namespace zm
