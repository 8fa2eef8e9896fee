// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/devices.h"

#include "chart/qt_chart_control.h"
#include "dialogs/qt_bands_dialog.h"
#include "dialogs/qt_clipboard.h"
#include "dialogs/qt_common_dialog.h"
#include "dialogs/qt_feedline_dialog.h"
#include "dialogs/qt_message_boxes.h"
#include "dialogs/qt_sweep_file_dialog.h"
#include "dialogs/qt_sweep_settings_dialog.h"
#include "dialogs/qt_window_printer.h"
#include "dialogs/station_dialog.h"
#include "settings/qt_text_files.h"

namespace zm {

Devices programDevices(ConfigStore store, const std::atomic<bool>* stopRequested, quint16 rigPort) {
    Devices devices;
    static_cast<StationDevices&>(devices) =
        programStation(std::move(store), stopRequested, rigPort);
    devices.sweepSleeper.reset();  // the window sweeps on a thread of its own: see frmMain
    devices.stationDialogs = std::make_unique<QtStationDialogs>();
    devices.messages = std::make_unique<QtMessageBoxes>();
    devices.chart = std::make_unique<QtChartControl>();
    devices.fileDialog = std::make_unique<QtCommonDialog>();
    devices.printer = std::make_unique<QtWindowPrinter>();
    devices.sweepFileDialog = std::make_unique<QtSweepFileDialog>();
    devices.sweepSettingsDialog = std::make_unique<QtSweepSettingsDialog>();
    devices.bandsDialog = std::make_unique<QtBandsDialog>();
    devices.feedlineDialog = std::make_unique<QtFeedlineDialog>();
    devices.textFiles = std::make_unique<QtTextFiles>();
    devices.clipboard = std::make_unique<QtClipboard>();
    return devices;
}

}  // namespace zm
