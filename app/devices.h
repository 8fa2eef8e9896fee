// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "settings/config_store.h"
#include "settings/text_files.h"
#include "chart/chart_control.h"
#include "dialogs/bands_dialog.h"
#include "dialogs/clipboard.h"
#include "dialogs/common_dialog.h"
#include "dialogs/message_box.h"
#include "dialogs/sweep_file_dialog.h"
#include "dialogs/sweep_settings_dialog.h"
#include "dialogs/window_printer.h"
#include "feedline/feedline_dialog.h"
#include "meter/pause.h"
#include "meter/serial_comm.h"
#include "station/radio_claims.h"
#include "station/rigctld_runner.h"
#include "station/station_dialogs.h"
#include "sweep/ptt_guard.h"
#include "sweep/rig_control.h"

namespace zm {

// Everything the window reaches outside itself, one object per device role. The program
// passes the real ones; tests pass fakes and local peers.
struct Devices {
    std::unique_ptr<SerialComm> comm;       // MSComm1
    std::unique_ptr<Sleeper> sleeper;       // ReadMeter's wait outside a sweep: blocking
    std::unique_ptr<Sleeper> sweepSleeper;  // the sweep's waits: the window stays alive
    std::unique_ptr<RigServerFactory> rigServers;
    std::unique_ptr<PttGuard> pttGuard;  // unkeys the radio if the window cannot
    // The rig client and the PTT guard for rigctld at 127.0.0.1:port, made afresh when
    // station.ini names another port; empty in tests that keep their fakes.
    std::function<void(Devices&, quint16 port)> useRigPort;
    std::unique_ptr<RigctldRunner> rigctld;  // the station's rigctld, when the program runs it
    // One sweep per radio on this computer; empty in tests that keep their fakes.
    std::unique_ptr<RadioClaims> radioClaims;
    std::unique_ptr<StationDialogs> stationDialogs;  // Setup, Station
    std::unique_ptr<MessageBoxes> messages;
    std::unique_ptr<ChartControl> chart;       // MSChart1
    std::unique_ptr<CommonDialog> fileDialog;  // CommonDialog1
    std::unique_ptr<WindowPrinter> printer;
    std::unique_ptr<SweepFileDialog> sweepFileDialog;  // the chart menu's save and load
    std::unique_ptr<TextFiles> textFiles;              // the files the user saves to or loads from
    std::unique_ptr<Clipboard> clipboard;
    // Setup, Sweep settings...: how long a point stays keyed, and the power ceiling.
    std::unique_ptr<SweepSettingsDialog> sweepSettingsDialog;
    // Band, Sweep my bands...: the bands to sweep in one run, and the points in each.
    std::unique_ptr<BandsDialog> bandsDialog;
    std::unique_ptr<FeedlineDialog> feedlineDialog;  // Setup, Feedline...
    // Where the cable list is looked for (cables.list, or share/zm480-plot/ beside it);
    // empty: the program's own folder.
    QString programFolder;
    ConfigStore config{QString()};
    // The shipped band plans, band-plans.ini; bands.ini, the user's own, is beside config.ini.
    QString bandPlanFile;
    // Raised by SIGINT, SIGTERM or SIGHUP: a running sweep unkeys and stops.
    const std::atomic<bool>* stopRequested = nullptr;
};

// The real devices of the program, with config.ini, station.ini and ports/ in the store's
// folder, and rigctld on 127.0.0.1 at rigPort until station.ini names another port; the PTT
// guard is the zm480-ptt-guard beside the program, which also runs the station's rigctld.
Devices programDevices(ConfigStore store, const std::atomic<bool>* stopRequested,
                       quint16 rigPort = 4532);

}  // namespace zm
