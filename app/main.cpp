// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "app/dialogs_on_stop.h"
#include "app/frm_main.h"
#include "dialogs/message_box.h"
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

// zm480-sweep keeps the meter and the radio until its sweep ends: the window waits, saying
// so, and opens then. Cancel, or a stop signal, leaves the command to its sweep.
bool waitForTheCommand(const zm::SettingsFolderLock& lock) {
    const std::string message = lock.alreadyRunningMessage();
    std::fprintf(stderr, "zm480-plot: %s\n", message.c_str());
    QMessageBox box(QMessageBox::Information,
                    QString::fromUtf8(zm::kAppTitle.data(), qsizetype(zm::kAppTitle.size())),
                    QString::fromStdString(message), QMessageBox::Cancel);
    box.setTextFormat(Qt::PlainText);
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &box, [&] {
        if (!lock.commandSweeps()) {
            box.done(QMessageBox::Ok);
        }
    });
    look.start(500);
    return box.exec() == QMessageBox::Ok;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zm::StopSignals stopSignals;
    zm::endModalDialogsOnStop(stopSignals);
    zm::ConfigStore store = zm::ConfigStore::forProgram();
    std::optional<zm::SettingsFolderLock> settingsLock(std::in_place, store.directory());
    if (!settingsLock->held() && settingsLock->commandSweeps()) {
        // A stop signal as the command ends finds no box left to end: it is looked at here.
        if (!waitForTheCommand(*settingsLock) || stopSignals.flag()->load()) {
            return 0;
        }
        settingsLock.reset();
        settingsLock.emplace(store.directory());
    }
    if (!settingsLock->held()) {
        // A first window heard this start and comes to the front. Nothing is touched.
        const std::string message = settingsLock->alreadyRunningMessage();
        std::fprintf(stderr, "zm480-plot: %s\n", message.c_str());
        zm::QtMessageBoxes().show(message);
        return 0;
    }
    zm::frmMain window(zm::programDevices(std::move(store), stopSignals.flag()));
    QObject::connect(&stopSignals, &zm::StopSignals::stopRequested, &window, &QWidget::close);
    QObject::connect(&*settingsLock, &zm::SettingsFolderLock::anotherStart, &window,
                     [&window] { bringToFront(window); });
    window.show();
    return app.exec();
}
