// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <cstdio>

#include "app/dialogs_on_stop.h"
#include "app/frm_main.h"
#include "dialogs/qt_message_boxes.h"
#include "process/stop_signals.h"
#include "settings/settings_folder_lock.h"

namespace {

// As far as the desktop lets another program's request raise it.
void bringToFront(QWidget& window) {
    window.showNormal();
    window.raise();
    window.activateWindow();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zm::StopSignals stopSignals;
    zm::endModalDialogsOnStop(stopSignals);
    zm::ConfigStore store = zm::ConfigStore::forProgram();
    zm::SettingsFolderLock settingsLock(store.directory());
    if (!settingsLock.held()) {
        // A first window heard this start and comes to the front; zm480-sweep, sweeping with
        // these settings, keeps the meter and the radio until it ends. Nothing is touched.
        const std::string message = settingsLock.alreadyRunningMessage();
        std::fprintf(stderr, "zm480-plot: %s\n", message.c_str());
        zm::QtMessageBoxes().show(message);
        return 0;
    }
    zm::frmMain window(zm::programDevices(std::move(store), stopSignals.flag()));
    QObject::connect(&stopSignals, &zm::StopSignals::stopRequested, &window, &QWidget::close);
    QObject::connect(&settingsLock, &zm::SettingsFolderLock::anotherStart, &window,
                     [&window] { bringToFront(window); });
    window.show();
    return app.exec();
}
