// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "cli/option_words.h"
#include "cli/output_name.h"
#include "results/sweep_record.h"
#include "station/station_file.h"

namespace zm {

// A sweep by frequencies, as the window's start and stop boxes and step field plan it.
struct FrequencySpan {
    double startMHz = 0.0;
    double stopMHz = 0.0;
    double stepMHz = 0.0;
};

enum class SummaryFormat { Text, Json };

// What zm480-sweep was asked. An option not given stays empty: its default comes from the
// settings folder (config.ini, station.ini), as the window would sweep.
struct SweepCommandLine {
    enum class Action { Sweep, Help, Version };
    Action action = Action::Sweep;

    // Either bands of the band plan by name, as given ("40m", "20m"), or a span of
    // frequencies; never both, never neither, for a sweep.
    std::vector<std::string> bands;
    std::optional<int> pointsPerBand;
    // As the window plans its boxes: start and stop to two decimals, the step as typed.
    std::optional<FrequencySpan> span;
    // When that changed a typed start or stop, one line that says so: "--start 7.0123 and
    // --stop 7.2049 are planned as the window plans its boxes, to two decimals: 7.01 to 7.20
    // MHz". Empty otherwise.
    std::string spanRounded;

    std::optional<std::int16_t> carrierMode;  // the rig's code: 2 CW, 4 AM, 9 FSK
    std::optional<std::string> planKey;       // a band plan's key, "iaru1"
    std::optional<PlanPoints> planPoints;     // --every or --refine
    std::optional<Plane> plane;               // --at antenna or --at meter
    std::optional<SweepOutput> output;        // none: CSV on standard output
    bool keep = false;
    bool dryRun = false;
    SummaryFormat summary = SummaryFormat::Text;
    std::optional<std::string> settingsFolder;
    // The antenna the sweeps are kept under in the history; none: station.ini's in use.
    std::optional<std::string> antenna;
    // Exit 5 when a sweep completed and drifted beyond station.ini's [history] limits.
    bool alert = false;
};

// The arguments after the program's name, taken as givenOptions takes them. --band given
// again adds its bands; any other option given again counts as last given. --help or
// --version anywhere wins over everything else.
std::variant<SweepCommandLine, UsageError> parseSweepCommandLine(
    std::span<const char* const> arguments);

}  // namespace zm
