// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/sweep_command.h"

#include <QCoreApplication>
#include <iostream>

#include "cli/command_plans.h"
#include "cli/command_run.h"
#include "cli/command_settings.h"
#include "cli/command_voice.h"
#include "cli/dry_run_listing.h"
#include "cli/output_watch.h"
#include "process/stop_signals.h"

namespace zm {

ExitStatus runSweepCommand(const SweepCommandLine& line, StopSignals& stopSignals, bool utf8) {
    const CommandVoice voice(utf8, nullptr);
    std::vector<std::string> warnings;
    const QString programFolder = QCoreApplication::applicationDirPath();
    auto settings = readCommandSettings(line, programFolder, warnings);
    if (const auto* error = std::get_if<UsageError>(&settings)) {
        voice.say(error->why);
        return ExitStatus::Usage;
    }
    CommandSettings& station = std::get<CommandSettings>(settings);
    auto sweeps =
        commandSweeps(line, station.bandPlan, station.carrierMode, station.station.bands.points);
    if (const auto* error = std::get_if<UsageError>(&sweeps)) {
        voice.say(error->why);
        return ExitStatus::Usage;
    }
    for (const std::string& warning : warnings) {
        voice.say(warning);
    }
    if (!line.spanRounded.empty()) {
        voice.say(line.spanRounded);
    }
    auto& planned = std::get<std::vector<CommandSweep>>(sweeps);
    if (line.dryRun) {
        std::vector<PlannedSweep> listed;
        for (const CommandSweep& sweep : planned) {
            listed.push_back(plannedSweep(sweep, station.bandPlan));
        }
        std::cout << voice.words(dryRunListing(listed, station.bandPlan, station.carrierMode,
                                               station.station.sweep.points))
                  << std::flush;
        return mostKeyDowns(listed) > 0 ? ExitStatus::Swept : ExitStatus::NothingToSweep;
    }
    // Its standard output and error gone, the command stops as on SIGHUP.
    OutputWatch watch(&StopSignals::requestStop);
    const CommandVoice watchedVoice(utf8, &watch);
    return CommandRun(line, std::move(station), std::move(planned), stopSignals, watch,
                      watchedVoice)
        .run();
}

}  // namespace zm
