// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/dialogs_on_stop.h"

#include <QApplication>
#include <QDialog>

#include "process/stop_signals.h"

namespace zm {

namespace {

// Innermost first: a box opened from a dialog holds that dialog's exec() until it ends.
void endModalDialogs() {
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        if (QApplication::activeModalWidget() == modal) {
            return;  // it would not go; the window's close is tried all the same
        }
    }
}

}  // namespace

void endModalDialogsOnStop(const StopSignals& stopSignals) {
    QObject::connect(&stopSignals, &StopSignals::stopRequested, &stopSignals, endModalDialogs);
}

}  // namespace zm
