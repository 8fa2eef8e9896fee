// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/devices.h"

#include <QCoreApplication>

#include "settings/band_plan_store.h"
#include "settings/qt_text_files.h"
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
#include "meter/blocking_sleeper.h"
#include "meter/qt_serial_comm.h"
#include "station/process_rigctld_runner.h"
#include "sweep/event_loop_sleeper.h"
#include "sweep/process_ptt_guard.h"
#include "sweep/rigctld_client.h"

namespace zm {

namespace {

constexpr auto kRigHost = "127.0.0.1";

}  // namespace

Devices programDevices(ConfigStore store, const std::atomic<bool>* stopRequested, quint16 rigPort) {
    const std::string guardProgram =
        (QCoreApplication::applicationDirPath() + "/zm480-ptt-guard").toStdString();
    Devices devices;
    devices.comm = std::make_unique<QtSerialComm>(store.directory());
    devices.sleeper = stopRequested ? std::make_unique<BlockingSleeper>(*stopRequested)
                                    : std::make_unique<BlockingSleeper>();
    devices.sweepSleeper = std::make_unique<EventLoopSleeper>();
    devices.useRigPort = [guardProgram](Devices& rig, quint16 port) {
        rig.rigServers = std::make_unique<RigctldServerFactory>(kRigHost, port);
        rig.pttGuard = std::make_unique<ProcessPttGuard>(guardProgram, kRigHost, port);
    };
    devices.useRigPort(devices, rigPort);
    devices.rigctld = std::make_unique<ProcessRigctldRunner>(guardProgram, "rigctld");
    devices.radioClaims = std::make_unique<ProgramRadioClaims>();
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
    devices.config = std::move(store);
    devices.bandPlanFile = BandPlanStore::shippedFileFor(QCoreApplication::applicationDirPath());
    devices.stopRequested = stopRequested;
    return devices;
}

}  // namespace zm
