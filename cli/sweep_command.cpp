// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/sweep_command.h"

#include <QCoreApplication>
#include <chrono>
#include <iostream>

#include "cli/band_choice.h"
#include "cli/command_plans.h"
#include "cli/command_settings.h"
#include "cli/dry_run_listing.h"
#include "cli/progress_line.h"
#include "cli/sweep_delivery.h"
#include "engine/meter_port.h"
#include "engine/station_devices.h"
#include "engine/sweep_engine.h"
#include "process/stop_signals.h"
#include "settings/settings_folder_lock.h"
#include "sweep/watched_rig.h"

namespace zm {

namespace {

using Clock = std::chrono::steady_clock;

// A message of the window, whose paragraphs stand apart, on one line.
std::string oneLine(std::string text) {
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
        const std::size_t end = text.find_first_not_of('\n', at);
        text.replace(at, (end == std::string::npos ? text.size() : end) - at, " ");
    }
    return text;
}

void say(std::string_view line) {
    std::cerr << "zm480-sweep: " << oneLine(std::string(line)) << '\n' << std::flush;
}

// The band's name, or the sweep of frequencies.
std::string sweepName(const CommandSweep& sweep) {
    return sweep.bandName.empty() ? "the sweep" : sweep.bandName;
}

// Each point as it is taken or skipped, on the progress line.
class ProgressReports : public SweepReports {
public:
    ProgressReports(ProgressWriter& progress, SweepProgress sweep)
        : m_progress(progress), m_sweep(std::move(sweep)) {}

    void bandPlanNotice(const std::string& notice) override {
        if (!notice.empty()) {
            m_progress.say(m_sweep.bandName.empty() ? notice : m_sweep.bandName + ": " + notice);
        }
    }
    void sweepBegun(const SweepBegun&) override {}
    void meterRead(const MeterRead&) override {}
    void pointDone(const PointDone& done) override {
        SweepProgress point = m_sweep;
        point.point = done.point;
        point.frequencyHz = done.swept.frequencyHz;
        point.swr = done.swept.reading ? std::optional(done.swept.reading->swr) : std::nullopt;
        point.skipped = done.swept.skipped;
        m_progress.show(point);
    }
    void sweepEnded(const SweepOutcome&) override { m_progress.finish(); }

private:
    ProgressWriter& m_progress;
    SweepProgress m_sweep;
};

// How long the transmitter was keyed in the sweep under way, from each key-down request to
// its unkey.
struct KeyedTime {
    std::optional<Clock::time_point> keyedAt;
    std::chrono::duration<double> total{};

    void keying(int transmit) {
        if (transmit && !keyedAt) {
            keyedAt = Clock::now();
        } else if (!transmit && keyedAt) {
            total += Clock::now() - *keyedAt;
            keyedAt.reset();
        }
    }
};

class CommandRun {
public:
    CommandRun(const SweepCommandLine& line, CommandSettings settings,
               std::vector<CommandSweep> sweeps, StopSignals& stopSignals)
        : m_line(line),
          m_settings(std::move(settings)),
          m_sweeps(std::move(sweeps)),
          m_signals(stopSignals),
          m_delivery(line, m_settings.folder, m_settings.feedline, m_settings.plane,
                     m_sweeps.size()) {}

    ExitStatus run();

private:
    std::optional<ExitStatus> refuseBeforeOpening();
    std::optional<ExitStatus> openStation(StationDevices& devices);
    ExitStatus sweepAll(StationDevices& devices);

    const SweepCommandLine& m_line;
    CommandSettings m_settings;
    std::vector<CommandSweep> m_sweeps;
    StopSignals& m_signals;
    SweepDelivery m_delivery;
    KeyedTime m_keyed;
};

ExitStatus CommandRun::run() {
    if (const auto refused = refuseBeforeOpening()) {
        return *refused;
    }
    // While the command sweeps a window of the same folder keeps off the meter and radio.
    const SettingsFolderLock lock(m_settings.folder, SettingsFolderLock::Holder::Command);
    if (!lock.held()) {
        say(lock.alreadyRunningMessage());
        return ExitStatus::StationNotReady;
    }
    // Closed at the end of the run, the program's rigctld stopped and its guard reaped.
    StationDevices devices = programStation(ConfigStore(m_settings.folder), m_signals.flag());
    if (const auto refused = openStation(devices)) {
        return *refused;
    }
    return sweepAll(devices);
}

// What needs no device: the files' folders, and a band plan that leaves nothing to key.
std::optional<ExitStatus> CommandRun::refuseBeforeOpening() {
    for (const CommandSweep& sweep : m_sweeps) {
        if (const std::string problem = m_delivery.outputProblem(sweep.bandName);
            !problem.empty()) {
            say(problem);
            return ExitStatus::Usage;
        }
    }
    bool anyToKey = false;
    std::vector<std::string> refusals;
    for (const CommandSweep& sweep : m_sweeps) {
        const std::string refusal = nothingToSweep(sweep, m_settings.bandPlan);
        anyToKey = anyToKey || refusal.empty();
        refusals.push_back(refusal);
    }
    if (!anyToKey) {
        for (const std::string& refusal : refusals) {
            say(refusal);
        }
        return ExitStatus::NothingToSweep;
    }
    return std::nullopt;
}

std::optional<ExitStatus> CommandRun::openStation(StationDevices& devices) {
    if (m_settings.comPort) {
        devices.comm->setCommPort(*m_settings.comPort);
    }
    if (!openMeterPort(*devices.comm)) {
        const int port = devices.comm->commPort();
        say(portNotAvailableMessage(port, devices.comm->routeOf(port)));
        return ExitStatus::StationNotReady;
    }
    std::string whyNot;
    if (devices.useRig(m_settings.station.rig, whyNot) == StationDevices::RigctldUse::NotStarted) {
        say("rigctld was not started. " + whyNot + ".");
        return ExitStatus::StationNotReady;
    }
    devices.rigServers = std::make_unique<WatchedRigServers>(
        std::move(devices.rigServers),
        RigWatcher{.keying = [this](int transmit) { m_keyed.keying(transmit); }});
    return std::nullopt;
}

ExitStatus CommandRun::sweepAll(StationDevices& devices) {
    SweepStop stop(devices.sweepSleeper.get(), m_signals.flag());
    const QObject stopping;  // ends the connection before the stop it reaches
    QObject::connect(&m_signals, &StopSignals::stopRequested, &stopping,
                     [&stop] { stop.request(); });
    ProgressWriter progress = ProgressWriter::onStandardError();
    ExitStatus status = ExitStatus::Swept;
    bool anyKeyed = false, anySwept = false, undelivered = false;
    std::vector<std::string> passedOver, notSwept;
    for (std::size_t i = 0; i < m_sweeps.size(); ++i) {
        const CommandSweep& sweep = m_sweeps[i];
        if (status != ExitStatus::Swept || stop.requested()) {
            notSwept.push_back(sweepName(sweep));
            status = ExitStatus::Stopped;
            continue;
        }
        ProgressReports reports(progress, {.bandName = sweep.bandName,
                                           .band = int(i) + 1,
                                           .bands = int(m_sweeps.size()),
                                           .points = sweep.plan.PointCount,
                                           .frequencyHz = 0,
                                           .swr = std::nullopt,
                                           .skipped = std::nullopt});
        m_keyed = {};
        SweepEngine engine(devices.sweepStation(m_settings.station.rig), reports, stop);
        const SweepOutcome outcome = engine.run({.plan = sweep.plan,
                                                 .plotMode = m_settings.plotMode,
                                                 .bandPlan = m_settings.bandPlan,
                                                 .sweep = m_settings.station.sweep,
                                                 .rig = m_settings.station.rig,
                                                 .feedline = m_settings.feedline,
                                                 .shownPlane = m_settings.plane});
        anyKeyed = anyKeyed || outcome.keyDowns > 0;
        if (outcome.end == SweepEnd::NothingToSweep) {
            passedOver.push_back(sweepName(sweep));
            continue;
        }
        if (!outcome.message.empty()) {
            say((sweep.bandName.empty() ? "" : sweep.bandName + ": ") + outcome.message);
        }
        if (outcome.end == SweepEnd::Asked) {
            // A transmitter that would not unkey is the message's, said above.
            say(sweepName(sweep) + " was stopped by a signal" +
                (outcome.message.empty() ? "; the transmitter is unkeyed" : ""));
        }
        if (outcome.end != SweepEnd::Completed) {
            status = outcome.end == SweepEnd::NotReady && !anyKeyed ? ExitStatus::StationNotReady
                                                                    : ExitStatus::Stopped;
        }
        if (outcome.record) {
            anySwept = true;
            std::string whyNot;
            if (!m_delivery.deliver(sweep.bandName, *outcome.record, sweep.plan.PointCount,
                                    m_keyed.total, whyNot)) {
                say(whyNot);
                undelivered = true;
            }
        }
    }
    if (!passedOver.empty()) {
        say("Passed over, with no point the band plan lets be keyed: " + commaList(passedOver));
    }
    if (!notSwept.empty()) {
        say("Not swept: " + commaList(notSwept));
    }
    if (status == ExitStatus::Swept && (undelivered || !anySwept)) {
        return anySwept ? ExitStatus::Stopped : ExitStatus::NothingToSweep;
    }
    return status;
}

}  // namespace

ExitStatus runSweepCommand(const SweepCommandLine& line, StopSignals& stopSignals) {
    std::vector<std::string> warnings;
    const QString programFolder = QCoreApplication::applicationDirPath();
    auto settings = readCommandSettings(line, programFolder, warnings);
    if (const auto* error = std::get_if<UsageError>(&settings)) {
        say(error->why);
        return ExitStatus::Usage;
    }
    CommandSettings& station = std::get<CommandSettings>(settings);
    auto sweeps =
        commandSweeps(line, station.bandPlan, station.carrierMode, station.station.bands.points);
    if (const auto* error = std::get_if<UsageError>(&sweeps)) {
        say(error->why);
        return ExitStatus::Usage;
    }
    for (const std::string& warning : warnings) {
        say(warning);
    }
    if (!line.spanRounded.empty()) {
        say(line.spanRounded);
    }
    auto& planned = std::get<std::vector<CommandSweep>>(sweeps);
    if (line.dryRun) {
        std::vector<PlannedSweep> listed;
        for (const CommandSweep& sweep : planned) {
            listed.push_back(plannedSweep(sweep, station.bandPlan));
        }
        std::cout << dryRunListing(listed, station.bandPlan, station.carrierMode,
                                   station.station.sweep.points)
                  << std::flush;
        return mostKeyDowns(listed) > 0 ? ExitStatus::Swept : ExitStatus::NothingToSweep;
    }
    return CommandRun(line, std::move(station), std::move(planned), stopSignals).run();
}

}  // namespace zm
