// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/command_run.h"

#include <QObject>
#include <chrono>

#include "cli/band_choice.h"
#include "cli/loss_log.h"
#include "cli/progress_reports.h"
#include "cli/terminal_words.h"
#include "engine/meter_port.h"
#include "engine/station_devices.h"
#include "engine/sweep_engine.h"
#include "feedline/reading_plane.h"
#include "numbers/number_text.h"
#include "settings/settings_folder_lock.h"
#include "sweep/watched_rig.h"

namespace zm {

namespace {

// The band's name, or the sweep of frequencies.
std::string sweepName(const CommandSweep& sweep) {
    return sweep.bandName.empty() ? "the sweep" : sweep.bandName;
}

}  // namespace

void KeyedTime::keying(int transmit) {
    using Clock = std::chrono::steady_clock;
    if (transmit && !keyedAt) {
        keyedAt = Clock::now();
    } else if (!transmit && keyedAt) {
        total += Clock::now() - *keyedAt;
        keyedAt.reset();
    }
}

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

// What needs no device: every band's file opened or created, and a band plan that leaves
// something to key.
std::optional<ExitStatus> CommandRun::refuseBeforeOpening() {
    for (const CommandSweep& sweep : m_sweeps) {
        if (const std::string problem = m_delivery.openOutput(sweep.bandName); !problem.empty()) {
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
        say(portNotAvailableMessage(port, devices.comm->routeOf(port)) + " Nothing was keyed.");
        return ExitStatus::StationNotReady;
    }
    std::string whyNot;
    if (devices.useRig(m_settings.station.rig, whyNot) == StationDevices::RigctldUse::NotStarted) {
        say("rigctld was not started, so nothing was keyed. " + whyNot + ".");
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
    bool anyKeyed = false, anySwept = false, undelivered = false, drifted = false;
    std::vector<std::string> passedOver, notSwept;
    for (std::size_t i = 0; i < m_sweeps.size(); ++i) {
        const CommandSweep& sweep = m_sweeps[i];
        if (status != ExitStatus::Swept || stop.requested()) {
            notSwept.push_back(sweepName(sweep));
            status = ExitStatus::Stopped;
            continue;
        }
        const BandEnd end =
            sweepBand(devices.sweepStation(m_settings.station.rig), stop, progress, i);
        if (end.passedOver) {
            passedOver.push_back(sweepName(sweep));
            continue;
        }
        anyKeyed = anyKeyed || end.keyed;
        anySwept = anySwept || end.swept;
        undelivered = undelivered || !end.delivered;
        drifted = drifted || end.drifted;
        if (end.status != ExitStatus::Swept) {
            status = end.status == ExitStatus::StationNotReady && anyKeyed ? ExitStatus::Stopped
                                                                           : end.status;
        }
    }
    if (!passedOver.empty()) {
        say("Passed over, with no point the band plan lets be keyed: " + commaList(passedOver));
    }
    if (!notSwept.empty()) {
        say("Not swept: " + commaList(notSwept));
    }
    if (const auto loss = m_watch.loss()) {
        tellOfTheLoss(*loss);
    }
    if (status == ExitStatus::Swept && (undelivered || !anySwept)) {
        return anySwept ? ExitStatus::Stopped : ExitStatus::NothingToSweep;
    }
    return status == ExitStatus::Swept && drifted && m_alert ? ExitStatus::Drifted : status;
}

CommandRun::BandEnd CommandRun::sweepBand(SweepStation station, const SweepStop& stop,
                                          ProgressWriter& progress, std::size_t index) {
    const CommandSweep& sweep = m_sweeps[index];
    const SweepPlan& plan = sweep.plan;
    ProgressReports reports(progress,
                            {.bandName = sweep.bandName,
                             .band = int(index) + 1,
                             .bands = int(m_sweeps.size()),
                             .points = plan.PointCount,
                             .frequencyHz = 0,
                             .swr = std::nullopt,
                             .skipped = std::nullopt},
                            m_voice, m_delivery, m_watch,
                            m_settings.station.sweep.points == PlanPoints::Every);
    m_keyed = {};
    SweepEngine engine(station, reports, stop);
    const SweepRequest request{.plan = plan,
                               .plotMode = m_settings.plotMode,
                               .bandPlan = m_settings.bandPlan,
                               .sweep = m_settings.station.sweep,
                               .rig = m_settings.station.rig,
                               .feedline = m_settings.feedline,
                               .shownPlane = m_settings.plane,
                               .antennas = m_settings.antennas};
    const SweepOutcome outcome = engine.run(request);
    if (outcome.end == SweepEnd::NothingToSweep) {
        const SweepNotes notes{{}, plan.StartFreq, plan.StopFreq, plan.StepFreq, plan.CarrierMode};
        m_delivery.passOver({sweep.bandName,
                             {notes, {}},
                             plan.PointCount,
                             {},
                             commandWords(nothingToSweep(sweep, m_settings.bandPlan))});
        return {.passedOver = true};
    }
    const auto loss = m_watch.loss();
    const std::string band = sweep.bandName.empty() ? "" : sweep.bandName + ": ";
    if (!outcome.message.empty()) {
        say(band + (outcome.keyDowns == 0 ? nothingKeyedWords(outcome.message) : outcome.message));
    }
    if (outcome.end == SweepEnd::Asked) {
        // A transmitter that would not unkey is the message's, said above.
        say(sweepName(sweep) + " was stopped " +
            (loss ? "as " + loss->how : std::string("by a signal")) +
            (outcome.message.empty() ? "; the transmitter is unkeyed" : ""));
    }
    BandEnd end{.keyed = outcome.keyDowns > 0, .swept = outcome.record.has_value()};
    if (outcome.end != SweepEnd::Completed || loss) {
        end.status = outcome.end == SweepEnd::NotReady && !end.keyed ? ExitStatus::StationNotReady
                                                                     : ExitStatus::Stopped;
    }
    if (loss && m_stoppedWhere.empty()) {
        m_stoppedWhere =
            sweepName(sweep) +
            (outcome.tunedMHz ? " stopped at " + megahertzText(*outcome.tunedMHz * 1e6) + " MHz"
                              : " stopped before its first point");
    }
    if (!outcome.record) {
        return end;
    }
    const SweepRecord shown = m_delivery.atPlane(*outcome.record);
    if (const std::string notice = beyondLossNotice(shown); !notice.empty()) {
        say(band + notice);
    }
    // Kept before it is written out, so that the summary names its number in the history.
    KeptSweep kept = m_history.keep(request, outcome, m_keyed.total.count());
    if (!kept.said.empty()) {
        say(kept.said);
    }
    end.drifted = kept.drift && !kept.drift->beyond.empty();
    const Delivered delivered = m_delivery.deliver({.bandName = sweep.bandName,
                                                    .record = shown,
                                                    .plannedPoints = plan.PointCount,
                                                    .keyed = m_keyed.total,
                                                    .antenna = shown.notes.antenna,
                                                    .historyId = kept.id,
                                                    .drift = std::move(kept.drift),
                                                    .reference = std::move(kept.reference)},
                                                   loss.has_value());
    if (!delivered.whyNot.empty()) {
        say(band + delivered.whyNot);
    }
    end.delivered = delivered.whole;
    if (loss && !delivered.memory.empty()) {
        m_keptOnLoss.push_back(std::to_string(shown.keyedPoints()) + " points of " +
                               sweepName(sweep) + " kept as " + delivered.memory);
    }
    return end;
}

// Once on standard error, if it is still there, and once in the log, where whoever ran the
// command looks once the link is back.
void CommandRun::tellOfTheLoss(const OutputWatch::Loss& loss) {
    std::string line = (m_stoppedWhere.empty() ? "the sweeps ended" : m_stoppedWhere) + ": " +
                       loss.how + "; the transmitter is unkeyed; ";
    if (m_keptOnLoss.empty()) {
        line += "nothing measured to keep";
    }
    for (std::size_t i = 0; i < m_keptOnLoss.size(); ++i) {
        line += (i > 0 ? "; " : "") + m_keptOnLoss[i];
    }
    say(line);
    if (const std::string notLogged = logLoss(m_settings.folder, m_voice.terminal(line));
        !notLogged.empty()) {
        say(notLogged);
    }
}

}  // namespace zm
