// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/history_command_line.h"

#include <algorithm>
#include <array>

#include "numbers/number_text.h"

namespace zm {

namespace {

using Action = HistoryCommandLine::Action;

enum Option { kAntenna, kBand, kSince, kJson, kOutput, kSettings, kHelp, kVersion };

constexpr std::array<KnownOption, 8> kOptions{{
    {kAntenna, "--antenna", 'a', "\"40m dipole\""},
    {kBand, "--band", 'b', "40m"},
    {kSince, "--since", '\0', "2026-10-01"},
    {kJson, "--json", '\0', ""},
    {kOutput, "--output", 'o', "sweep.csv"},
    {kSettings, "--settings", '\0', "~/.config/zm480-plot"},
    {kHelp, "--help", 'h', ""},
    {kVersion, "--version", 'V', ""},
}};

struct Command {
    std::string_view name;
    Action action;
    std::vector<Option> takes;  // beside --settings
};

const std::array<Command, 6> kCommands{{
    {"list", Action::List, {kAntenna, kBand, kSince, kJson}},
    {"trend", Action::Trend, {kAntenna, kBand, kJson}},
    {"show", Action::Show, {kOutput}},
    {"reference", Action::Reference, {}},
    {"delete", Action::Delete, {}},
    {"import", Action::Import, {kAntenna}},
}};

constexpr std::string_view kCommandNames = "list, trend, show, reference, delete or import";

std::optional<std::string> apply(const GivenOption& option, HistoryCommandLine& line) {
    const std::string value(option.value.value_or(""));
    switch (static_cast<Option>(option.known->id)) {
        case kAntenna:
            line.antenna = trimmed(value);
            return line.antenna.empty() ? std::optional<std::string>("an antenna needs its name")
                                        : std::nullopt;
        case kBand:
            line.band = trimmed(value);
            return std::nullopt;
        case kSince:
            line.since = sweepTimeOfLocalText(value);
            return line.since
                       ? std::nullopt
                       : std::optional<std::string>(
                             "give a day as 2026-10-01, or a time as \"2026-10-01 18:00:00\"");
        case kJson:
            line.json = true;
            return std::nullopt;
        case kOutput: {
            std::string whyNot;
            const auto output = readOutputName(value, whyNot);
            line.output = output.value_or(SweepOutput{});
            return output ? std::nullopt : std::optional(whyNot);
        }
        case kSettings:
            line.settingsFolder = value;
            return std::nullopt;
        case kHelp:
        case kVersion:
            break;
    }
    return std::nullopt;
}

// The sweep's number of show, reference and delete: the one operand after the command.
std::optional<std::string> readId(const Command& command,
                                  const std::vector<std::string_view>& operands,
                                  HistoryCommandLine& line) {
    const std::string usage = std::string(command.name) + " needs the number of one sweep, as " +
                              "zm480-history list shows it, e.g. zm480-history " +
                              std::string(command.name) + " 12";
    if (operands.size() != 2) {
        return usage;
    }
    const auto id = readWhole(operands[1]);
    if (!id || *id < 1) {
        return "\"" + std::string(operands[1]) + "\" is no sweep's number: " + usage;
    }
    line.id = *id;
    return std::nullopt;
}

std::optional<std::string> readOperands(const Command& command,
                                        const std::vector<std::string_view>& operands,
                                        HistoryCommandLine& line) {
    switch (command.action) {
        case Action::Show:
        case Action::Reference:
        case Action::Delete:
            return readId(command, operands, line);
        case Action::Import:
            line.files.assign(operands.begin() + 1, operands.end());
            if (line.antenna.empty() || line.files.empty()) {
                return std::string(
                    "import needs the antenna and the files, e.g. zm480-history "
                    "import --antenna \"40m dipole\" memories/*.csv");
            }
            return std::nullopt;
        case Action::Trend:
            if (line.antenna.empty() || !line.band) {
                return std::string(
                    "trend needs an antenna and a band, e.g. zm480-history trend "
                    "--antenna \"40m dipole\" --band 40m");
            }
            [[fallthrough]];
        default:
            if (operands.size() > 1) {
                return "\"" + std::string(operands[1]) + "\": " + std::string(command.name) +
                       " takes no such word (see --help)";
            }
            return std::nullopt;
    }
}

bool asks(std::span<const char* const> arguments, std::string_view longName, char shortName) {
    return std::any_of(arguments.begin(), arguments.end(), [&](std::string_view argument) {
        return argument == longName ||
               (argument.size() == 2 && argument[0] == '-' && argument[1] == shortName);
    });
}

}  // namespace

std::variant<HistoryCommandLine, UsageError> parseHistoryCommandLine(
    std::span<const char* const> arguments) {
    HistoryCommandLine line;
    if (asks(arguments, "--help", 'h')) {
        return line;
    }
    if (asks(arguments, "--version", 'V')) {
        line.action = Action::Version;
        return line;
    }
    std::vector<std::string_view> operands;
    auto given = givenOptions(arguments, kOptions, &operands);
    if (const auto* error = std::get_if<UsageError>(&given)) {
        return *error;
    }
    const auto command = std::find_if(kCommands.begin(), kCommands.end(), [&](const Command& c) {
        return !operands.empty() && c.name == operands.front();
    });
    if (command == kCommands.end()) {
        return UsageError{(operands.empty()
                               ? std::string("no command")
                               : "\"" + std::string(operands.front()) + "\" is no command") +
                          ": say " + std::string(kCommandNames)};
    }
    line.action = command->action;
    for (const GivenOption& option : std::get<std::vector<GivenOption>>(given)) {
        const auto id = static_cast<Option>(option.known->id);
        if (id != kSettings &&
            std::find(command->takes.begin(), command->takes.end(), id) == command->takes.end()) {
            return UsageError{std::string(command->name) + " takes no " + option.name +
                              " (see --help)"};
        }
        if (const auto why = apply(option, line)) {
            return UsageError{option.name + " " + std::string(option.value.value_or("")) + ": " +
                              *why};
        }
    }
    if (const auto why = readOperands(*command, operands, line)) {
        return UsageError{*why};
    }
    return line;
}

}  // namespace zm
