// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "bandplan/band_plan.h"
#include "cli/option_words.h"
#include "cli/sweep_command_line.h"
#include "feedline/transmission_line.h"
#include "station/station_file.h"

namespace zm {

// What a sweep from the command line takes from the settings folder, as the window would
// sweep with it, each option of the command line in place of the folder's choice.
struct CommandSettings {
    QString folder;
    std::optional<int> comPort;  // config.ini's; none: the port's default
    std::int16_t carrierMode = 0;
    int plotMode = 0;         // the grid's columns that each point fills, as config.ini's list
    StationSettings station;  // its [sweep] points as --refine or --every say
    BandPlan bandPlan;
    std::optional<Feedline> feedline;
    Plane plane = Plane::Meter;  // where the files, memories and summary read the sweep
    // --antenna's alone, else station.ini's antenna in use and its sockets' ties
    AntennaSettings antennas;
};

// The settings of --settings, or of the window's folder; `programFolder` holds the shipped
// band plans and the cable list, as beside the window. What the user should know and the
// sweep goes on with (station.ini damaged, a feedline that cannot be taken out) goes to
// `warnings`, a line each. A usage error for a folder that is not there, a band plan of
// --plan that there is not.
std::variant<CommandSettings, UsageError> readCommandSettings(const SweepCommandLine& line,
                                                              const QString& programFolder,
                                                              std::vector<std::string>& warnings);

}  // namespace zm
