#pragma once

#include <atomic>
#include <memory>

#include "app/clipboard.h"
#include "app/config_store.h"
#include "app/message_box.h"
#include "app/text_files.h"
#include "chart/chart_control.h"
#include "dialogs/common_dialog.h"
#include "dialogs/sweep_file_dialog.h"
#include "dialogs/sweep_settings_dialog.h"
#include "dialogs/window_printer.h"
#include "meter/pause.h"
#include "meter/serial_comm.h"
#include "sweep/ptt_guard.h"
#include "sweep/rig_control.h"

namespace zm {

// Everything the window reaches outside itself, one object per device role. The program
// passes the real ones; tests pass fakes and local peers.
struct Devices {
    std::unique_ptr<SerialComm> comm;       // MSComm1
    std::unique_ptr<Sleeper> sleeper;       // the idle poll's wait of Pause: blocking
    std::unique_ptr<Sleeper> sweepSleeper;  // the sweep's waits: the window stays alive
    std::unique_ptr<RigServerFactory> rigServers;
    std::unique_ptr<PttGuard> pttGuard;  // unkeys the radio if the window cannot
    std::unique_ptr<MessageBoxes> messages;
    std::unique_ptr<ChartControl> chart;       // MSChart1
    std::unique_ptr<CommonDialog> fileDialog;  // CommonDialog1
    std::unique_ptr<WindowPrinter> printer;
    std::unique_ptr<SweepFileDialog> sweepFileDialog;  // the chart menu's save and load
    std::unique_ptr<TextFiles> textFiles;              // saved sweeps and references
    std::unique_ptr<Clipboard> clipboard;
    // Setup, Sweep settings...: how long a point stays keyed, and the power ceiling.
    std::unique_ptr<SweepSettingsDialog> sweepSettingsDialog;
    ConfigStore config{QString()};
    // Raised by SIGINT, SIGTERM or SIGHUP: a running sweep unkeys and stops.
    const std::atomic<bool>* stopRequested = nullptr;
};

// The real devices of the program, with config.ini and ports/ in the store's folder, and
// rigctld on 127.0.0.1 at rigPort; the PTT guard is the zm480-ptt-guard beside the program.
Devices programDevices(ConfigStore store, const std::atomic<bool>* stopRequested,
                       quint16 rigPort = 4532);

}  // namespace zm
