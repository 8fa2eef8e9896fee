// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/history_command.h"

#include <set>

#include "cli/command_settings.h"
#include "cli/history_import.h"
#include "cli/history_json.h"
#include "cli/history_texts.h"
#include "feedline/cable_list.h"
#include "results/sweep_files.h"
#include "settings/whole_file.h"

namespace zm {

namespace {

constexpr std::string_view kProgram = "zm480-history: ";

// One run: the settings folder's history, and where the command speaks.
struct Run {
    const HistoryCommandLine& line;
    const CommandSettings& settings;
    HistoryStore& history;
    const QString& programFolder;
    std::ostream& out;
    std::ostream& err;

    HistoryExit failed(const std::string& problem) const {
        err << kProgram << problem << "\n";
        return HistoryExit::Failed;
    }
    HistoryExit missing(const std::string& what) const {
        err << kProgram << what << "\n";
        return HistoryExit::NoHistory;
    }
    std::optional<StoredSweep> sweep(std::string& problem) const {
        return history.sweep(line.id, problem);
    }
    std::string noSweep() const {
        return "there is no sweep " + std::to_string(line.id) +
               " in the history: zm480-history list shows their numbers";
    }
};

HistoryExit list(const Run& run) {
    std::string problem;
    const std::vector<SweepSummary> sweeps = run.history.list(
        {.antenna = run.line.antenna, .band = run.line.band, .since = run.line.since}, problem);
    if (!problem.empty()) {
        return run.failed(problem);
    }
    std::set<SweepId> references;
    std::set<std::pair<std::string, std::string>> groups;
    for (const SweepSummary& sweep : sweeps) {
        if (groups.insert({sweep.antenna, sweep.band}).second) {
            if (const auto id = run.history.reference(sweep.antenna, sweep.band, problem)) {
                references.insert(*id);
            }
        }
    }
    if (!run.line.json) {
        run.out << (sweeps.empty() ? "" : listText(sweeps, references));
    }
    for (const SweepSummary& sweep : run.line.json ? sweeps : std::vector<SweepSummary>{}) {
        run.out << summaryJson(sweep, references.contains(sweep.id)) << "\n";
    }
    return problem.empty() ? HistoryExit::Done : run.failed(problem);
}

HistoryExit trend(const Run& run) {
    std::string problem;
    const auto trend =
        run.history.trend(run.line.antenna, *run.line.band, run.settings.station.history, problem);
    if (!problem.empty()) {
        return run.failed(problem);
    }
    if (trend.empty()) {
        return run.missing("there is no sweep of " + run.line.antenna + " on " +
                           (run.line.band->empty() ? "no band" : *run.line.band) +
                           " in the history: zm480-history list shows its antennas and bands");
    }
    if (!run.line.json) {
        run.out << trendText(trend);
    }
    for (const auto& point : run.line.json ? trend : decltype(trend){}) {
        run.out << trendJson(point) << "\n";
    }
    return HistoryExit::Done;
}

// As zm480-sweep writes a sweep: at the plane it was shown at.
HistoryExit show(const Run& run) {
    std::string problem;
    const auto sweep = run.sweep(problem);
    if (!sweep) {
        return problem.empty() ? run.missing(run.noSweep()) : run.failed(problem);
    }
    const std::string text = sweepFileText(recordAsShown(sweep->entry), run.line.output.kind);
    if (run.line.output.toStandardOutput()) {
        run.out << text << std::flush;
        return run.out ? HistoryExit::Done
                       : run.failed("the sweep could not be written to standard output");
    }
    if (const auto failure = replaceFileWhole(QString::fromStdString(run.line.output.path), text)) {
        return run.failed(run.line.output.path +
                          " could not be written: " + failure->toStdString());
    }
    return HistoryExit::Done;
}

HistoryExit change(const Run& run, bool markIt) {
    std::string problem;
    const auto sweep = run.sweep(problem);
    if (!sweep) {
        return problem.empty() ? run.missing(run.noSweep()) : run.failed(problem);
    }
    const bool done = markIt ? run.history.markReference(sweep->id, problem)
                             : run.history.remove(sweep->id, problem);
    if (!done) {
        return problem.empty() ? run.missing(run.noSweep()) : run.failed(problem);
    }
    run.err << kProgram << "sweep " << sweepName(*sweep)
            << (markIt ? " is the reference of its antenna and band now" : " is deleted") << "\n";
    return HistoryExit::Done;
}

HistoryExit import(const Run& run) {
    std::string listProblem;
    const std::vector<Cable> cables = loadCableList(run.programFolder.toStdString(), listProblem);
    const ImportPlace place{run.line.antenna, &run.settings.bandPlan, &run.settings.feedline,
                            &cables};
    bool everyOne = true;
    for (const std::string& file : run.line.files) {
        auto entry = importedEntry(file, place);
        if (const auto* why = std::get_if<std::string>(&entry)) {
            run.err << kProgram << file << " is not imported: " << *why << "\n";
            everyOne = false;
            continue;
        }
        const HistoryStore::Recorded kept = run.history.record(std::get<SweepEntry>(entry));
        if (kept.alreadyAs) {
            run.err << kProgram << file << " is in the history already, as sweep "
                    << *kept.alreadyAs << ": passed over\n";
        } else if (kept.id) {
            run.out << file << ": sweep " << *kept.id << "\n";
        }
        if (!kept.said.empty()) {
            run.err << kProgram << kept.said << "\n";
        }
        everyOne = everyOne && (kept.id || kept.alreadyAs);
    }
    return everyOne ? HistoryExit::Done : HistoryExit::Failed;
}

}  // namespace

HistoryExit runHistoryCommand(const HistoryCommandLine& line, const QString& programFolder,
                              std::ostream& out, std::ostream& err) {
    using Action = HistoryCommandLine::Action;
    SweepCommandLine sweepLine;
    sweepLine.settingsFolder = line.settingsFolder;
    std::vector<std::string> warnings;
    const auto read = readCommandSettings(sweepLine, programFolder, warnings);
    for (const std::string& warning : warnings) {
        err << kProgram << warning << "\n";
    }
    if (const auto* error = std::get_if<UsageError>(&read)) {
        err << kProgram << error->why << "\n";
        return HistoryExit::Usage;
    }
    const CommandSettings& settings = std::get<CommandSettings>(read);
    HistoryStore history(settings.folder.toStdString());
    const Run run{line, settings, history, programFolder, out, err};
    if (line.action != Action::Import && !history.exists()) {
        return run.missing("there is no history in " + settings.folder.toStdString() +
                           " yet: the window and zm480-sweep keep each sweep there, and "
                           "zm480-history import takes the files of earlier ones");
    }
    switch (line.action) {
        case Action::List:
            return list(run);
        case Action::Trend:
            return trend(run);
        case Action::Show:
            return show(run);
        case Action::Reference:
            return change(run, true);
        case Action::Delete:
            return change(run, false);
        case Action::Import:
            return import(run);
        case Action::Help:
        case Action::Version:
            break;
    }
    return HistoryExit::Usage;
}

}  // namespace zm
