// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <atomic>
#include <memory>

#include "chart/chart_control.h"
#include "dialogs/bands_dialog.h"
#include "dialogs/clipboard.h"
#include "dialogs/common_dialog.h"
#include "dialogs/message_box.h"
#include "dialogs/sweep_file_dialog.h"
#include "dialogs/sweep_settings_dialog.h"
#include "dialogs/window_printer.h"
#include "engine/station_devices.h"
#include "feedline/feedline_dialog.h"
#include "settings/text_files.h"
#include "station/station_dialogs.h"

namespace zm {

// Everything the window reaches outside itself, one object per device role: the station's
// devices, which a program without a display opens alike, and what only a window has. The
// program passes the real ones; tests pass fakes and local peers.
struct Devices : StationDevices {
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
};

// The real devices of the program: the station of the store's folder (programStation) and
// the window's dialogs, chart, printer and clipboard.
Devices programDevices(ConfigStore store, const std::atomic<bool>* stopRequested,
                       quint16 rigPort = 4532);

}  // namespace zm
