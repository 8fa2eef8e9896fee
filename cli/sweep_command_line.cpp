// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/sweep_command_line.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>

#include "bandplan/band_plan_file.h"
#include "cli/frequency_argument.h"
#include "meter/display_pattern.h"
#include "numbers/number_text.h"
#include "results/memory_file.h"
#include "sweep/carrier_mode.h"
#include "sweep/sweep_plan.h"

namespace zm {

namespace {

enum Option {
    kBand,
    kPoints,
    kStart,
    kStop,
    kStep,
    kMode,
    kPlan,
    kRefine,
    kEvery,
    kAt,
    kOutput,
    kKeep,
    kDryRun,
    kSummary,
    kSettings,
    kAntenna,
    kAlert,
    kHelp,
    kVersion
};

// Short names as common tools have them: -n for a dry run (make, rsync), -o for the output,
// -V for the version.
constexpr std::array<KnownOption, 19> kOptions{{
    {kBand, "--band", 'b', "40m,20m"},
    {kPoints, "--points", '\0', "20"},
    {kStart, "--start", '\0', "14.0"},
    {kStop, "--stop", '\0', "14.35"},
    {kStep, "--step", '\0', "50k"},
    {kMode, "--mode", 'm', "CW"},
    {kPlan, "--plan", 'p', "iaru1"},
    {kRefine, "--refine", '\0', ""},
    {kEvery, "--every", '\0', ""},
    {kAt, "--at", '\0', "antenna"},
    {kOutput, "--output", 'o', "sweep.csv"},
    {kKeep, "--keep", 'k', ""},
    {kDryRun, "--dry-run", 'n', ""},
    {kSummary, "--summary", '\0', "json"},
    {kSettings, "--settings", '\0', "~/.config/zm480-plot"},
    {kAntenna, "--antenna", 'a', "\"40m dipole\""},
    {kAlert, "--alert", '\0', ""},
    {kHelp, "--help", 'h', ""},
    {kVersion, "--version", 'V', ""},
}};

// A frequency option as typed, for messages, and as read.
struct TypedFrequency {
    std::string text;
    double megahertz = 0.0;
};

// The command line while it is read: what the struct cannot hold until every option is in.
struct Reading {
    SweepCommandLine commandLine;
    std::optional<TypedFrequency> start, stop, step;
    bool refine = false;
    bool every = false;
};

std::optional<std::string> readBands(std::string_view list, std::vector<std::string>& bands) {
    for (const std::string_view name : splitAt(list, ',')) {
        if (trimmed(name).empty()) {
            return "a band's name is missing: name the bands with commas between, e.g. 40m,20m";
        }
        bands.emplace_back(trimmed(name));
    }
    return std::nullopt;
}

// The option's value taken into `reading`; what is wrong with it otherwise.
std::optional<std::string> apply(int option, std::string_view value, Reading& reading) {
    SweepCommandLine& line = reading.commandLine;
    std::string why;
    switch (option) {
        case kBand:
            return readBands(value, line.bands);
        case kPoints: {
            const auto points = readWhole(value);
            if (!points || *points < BandsSettings::kFewestPoints ||
                *points > BandsSettings::kMostPoints) {
                return "a band's sweep has " + std::to_string(BandsSettings::kFewestPoints) +
                       " to " + std::to_string(BandsSettings::kMostPoints) + " points";
            }
            line.pointsPerBand = static_cast<int>(*points);
            return std::nullopt;
        }
        case kStart:
        case kStop:
        case kStep: {
            const auto megahertz = readMegahertzArgument(value, why);
            if (!megahertz) {
                return why;
            }
            auto& field = option == kStart  ? reading.start
                          : option == kStop ? reading.stop
                                            : reading.step;
            field = TypedFrequency{std::string(value), *megahertz};
            return std::nullopt;
        }
        case kMode: {
            std::string name(value);
            std::transform(name.begin(), name.end(), name.begin(),
                           [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
            if (carrierModeCode(name) == 0) {
                return "the carrier mode is CW, AM or FSK";
            }
            line.carrierMode = carrierModeCode(name);
            return std::nullopt;
        }
        case kPlan:
            if (!isPlanKey(value)) {
                return "a band plan's key is lower-case letters, digits and -, e.g. iaru1";
            }
            line.planKey = std::string(value);
            return std::nullopt;
        case kAt:
            if (!equalsIgnoringCase(value, "antenna") && !equalsIgnoringCase(value, "meter")) {
                return "the readings stand at the antenna or at the meter: --at antenna or "
                       "--at meter";
            }
            line.plane = equalsIgnoringCase(value, "antenna") ? Plane::Antenna : Plane::Meter;
            return std::nullopt;
        case kOutput:
            line.output = readOutputName(value, why);
            return line.output ? std::nullopt : std::optional(why);
        case kSummary:
            if (!equalsIgnoringCase(value, "text") && !equalsIgnoringCase(value, "json")) {
                return "the summary is text or json";
            }
            line.summary =
                equalsIgnoringCase(value, "json") ? SummaryFormat::Json : SummaryFormat::Text;
            return std::nullopt;
        case kSettings:
            if (value.empty()) {
                return "name the settings folder, e.g. --settings ~/.config/zm480-plot";
            }
            line.settingsFolder = std::string(value);
            return std::nullopt;
        case kAntenna:
            line.antenna = cleanMemoryName(value);
            if (line.antenna->empty()) {
                return "an antenna needs its name, e.g. --antenna \"40m dipole\"";
            }
            return std::nullopt;
        case kAlert:
            line.alert = true;
            return std::nullopt;
        case kRefine:
            reading.refine = true;
            return std::nullopt;
        case kEvery:
            reading.every = true;
            return std::nullopt;
        case kKeep:
            line.keep = true;
            return std::nullopt;
        case kDryRun:
            line.dryRun = true;
            return std::nullopt;
        case kHelp:
            line.action = SweepCommandLine::Action::Help;  // bunched, as in -kh
            return std::nullopt;
        case kVersion:
            line.action = SweepCommandLine::Action::Version;
            return std::nullopt;
    }
    return std::nullopt;
}

std::string roundingNote(const TypedFrequency& start, const TypedFrequency& stop,
                         const FrequencySpan& span) {
    std::string changed;
    for (const auto& [name, typed, planned] :
         {std::tuple{"--start ", &start, span.startMHz}, {"--stop ", &stop, span.stopMHz}}) {
        if (typed->megahertz != planned) {
            changed += (changed.empty() ? "" : " and ") + (name + typed->text);
        }
    }
    if (changed.empty()) {
        return {};
    }
    return changed + (changed.find(" and ") == std::string::npos ? " is" : " are") +
           " planned as the window plans its boxes, to two decimals: " +
           fixedNumber(span.startMHz, 2) + " to " + fixedNumber(span.stopMHz, 2) + " MHz";
}

// The options that only make sense together, once all are read.
std::optional<std::string> conflict(Reading& reading) {
    SweepCommandLine& line = reading.commandLine;
    if (reading.refine && reading.every) {
        return "--refine and --every contradict each other: give one of them";
    }
    const bool anyFrequency = reading.start || reading.stop || reading.step;
    if (!line.bands.empty() && anyFrequency) {
        return "--band and --start/--stop/--step each say what to sweep: give one of them";
    }
    if (line.pointsPerBand && line.bands.empty()) {
        return "--points counts the points of each band of --band; with --start and --stop, "
               "--step spaces the points";
    }
    if (line.bands.empty() && !anyFrequency) {
        return "say what to sweep: --band 40m (or 40m,20m), or --start 14.0 --stop 14.35 "
               "--step 50k";
    }
    if (anyFrequency && !(reading.start && reading.stop && reading.step)) {
        return std::string(!reading.start  ? "--start"
                           : !reading.stop ? "--stop"
                                           : "--step") +
               " is missing: --start, --stop and --step go together, e.g. --start 14.0 --stop "
               "14.35 --step 50k";
    }
    if (anyFrequency) {
        const FrequencySpan span{roundAsTwoDecimals(reading.start->megahertz),
                                 roundAsTwoDecimals(reading.stop->megahertz),
                                 reading.step->megahertz};
        if (span.startMHz > span.stopMHz) {
            return "--start " + reading.start->text + " lies above --stop " + reading.stop->text +
                   ": give the lower frequency first";
        }
        if (!pointCountFor(span.startMHz, span.stopMHz, span.stepMHz)) {
            // A step of 1e-300 would make a number of 300 digits.
            constexpr double kMostPointsToName = 1e9;
            const double points = std::nearbyint((span.stopMHz - span.startMHz) / span.stepMHz) + 1;
            return "--start " + reading.start->text + " to --stop " + reading.stop->text +
                   " in steps of " + reading.step->text + " is " +
                   (points < kMostPointsToName ? fixedNumber(points, 0) : "billions of") +
                   " points, and a sweep has at most " + std::to_string(kMaxPointCount) +
                   ": take a larger step or a narrower span";
        }
        line.span = span;
        line.spanRounded = roundingNote(*reading.start, *reading.stop, span);
    }
    if (reading.refine || reading.every) {
        line.planPoints = reading.refine ? PlanPoints::Refine : PlanPoints::Every;
    }
    return std::nullopt;
}

bool asks(std::span<const char* const> arguments, std::string_view longName, char shortName) {
    for (const std::string_view argument : arguments) {
        if (argument == "--") {
            return false;
        }
        if (argument == longName || argument == std::string{'-', shortName}) {
            return true;
        }
    }
    return false;
}

SweepCommandLine only(SweepCommandLine::Action action) {
    SweepCommandLine line;
    line.action = action;
    return line;
}

}  // namespace

std::variant<SweepCommandLine, UsageError> parseSweepCommandLine(
    std::span<const char* const> arguments) {
    using Action = SweepCommandLine::Action;
    if (asks(arguments, "--help", 'h')) {
        return only(Action::Help);
    }
    if (asks(arguments, "--version", 'V')) {
        return only(Action::Version);
    }
    auto given = givenOptions(arguments, kOptions);
    if (const auto* error = std::get_if<UsageError>(&given)) {
        return *error;
    }
    Reading reading;
    for (const GivenOption& option : std::get<std::vector<GivenOption>>(given)) {
        if (const auto why = apply(option.known->id, option.value.value_or(""), reading)) {
            return UsageError{option.name + (option.value ? " " + std::string(*option.value) : "") +
                              ": " + *why};
        }
        if (reading.commandLine.action != Action::Sweep) {
            return only(reading.commandLine.action);
        }
    }
    if (const auto why = conflict(reading)) {
        return UsageError{*why};
    }
    return reading.commandLine;
}

}  // namespace zm
