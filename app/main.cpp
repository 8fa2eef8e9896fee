// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>

#include "app/frm_main.h"
#include "app/stop_signals.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zm::StopSignals stopSignals;
    zm::frmMain window(zm::programDevices(zm::ConfigStore::forProgram(), stopSignals.flag()));
    QObject::connect(&stopSignals, &zm::StopSignals::stopRequested, &window, &QWidget::close);
    window.show();
    return app.exec();
}
