// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_plans.h"
#include "cli/command_settings.h"
#include "cli/command_voice.h"
#include "cli/exit_status.h"
#include "cli/output_watch.h"
#include "cli/progress_line.h"
#include "cli/sweep_command_line.h"
#include "cli/sweep_delivery.h"
#include "engine/station_devices.h"
#include "engine/sweep_history.h"
#include "engine/sweep_stop.h"
#include "process/stop_signals.h"

namespace zm {

// How long the transmitter was keyed in the sweep under way, from each key-down request to
// its unkey.
struct KeyedTime {
    std::optional<std::chrono::steady_clock::time_point> keyedAt;
    std::chrono::duration<double> total{};

    void keying(int transmit);
};

// The sweeps of one zm480-sweep run, once planned: every band's file opened and the band
// plan checked before anything is opened, the settings folder held against the window, the
// station opened, then each sweep run through the engine and delivered as it ends. A stop
// signal or a lost standard stream stops the sweep in progress; what it could no longer
// deliver is kept as a memory and told in the log.
class CommandRun {
public:
    CommandRun(const SweepCommandLine& line, CommandSettings settings,
               std::vector<CommandSweep> sweeps, StopSignals& stopSignals, OutputWatch& watch,
               const CommandVoice& voice)
        : m_settings(std::move(settings)),
          m_sweeps(std::move(sweeps)),
          m_signals(stopSignals),
          m_watch(watch),
          m_voice(voice),
          m_delivery(line, m_settings.folder, m_settings.feedline, m_settings.plane,
                     m_sweeps.size(), watch, voice.utf8()),
          m_history(m_settings.folder.toStdString(),
                    {.bandPoints = !m_sweeps.empty() && !m_sweeps.front().bandName.empty(),
                     .limits = m_settings.station.history}),
          m_alert(line.alert) {}

    ExitStatus run();

private:
    std::optional<ExitStatus> refuseBeforeOpening();
    std::optional<ExitStatus> openStation(StationDevices& devices);
    ExitStatus sweepAll(StationDevices& devices);
    // How one sweep of the run ended.
    struct BandEnd {
        ExitStatus status = ExitStatus::Swept;
        bool keyed = false;       // the transmitter was keyed for it
        bool swept = false;       // it began, and what it measured was delivered
        bool delivered = true;    // its file, memory and summary were all written
        bool passedOver = false;  // the band plan lets none of its points be keyed
        bool drifted = false;     // beyond station.ini's [history] limits from the reference
    };
    BandEnd sweepBand(SweepStation station, const SweepStop& stop, ProgressWriter& progress,
                      std::size_t index);
    void tellOfTheLoss(const OutputWatch::Loss& loss);

    void say(std::string_view message) const { m_voice.say(message); }

    CommandSettings m_settings;
    std::vector<CommandSweep> m_sweeps;
    StopSignals& m_signals;
    OutputWatch& m_watch;
    const CommandVoice& m_voice;
    SweepDelivery m_delivery;
    SweepHistory m_history;
    bool m_alert;
    KeyedTime m_keyed;
    // For the log once an output is lost: where the sweep then stood, and what was kept.
    std::string m_stoppedWhere;
    std::vector<std::string> m_keptOnLoss;
};

}  // namespace zm
