// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/devices.h"
#include "station/station_file.h"

class QWidget;

namespace zm {

class StationTest;

// The radio's side of the station as the window keeps it: the rig client and the guards
// pointed at station.ini's rigctld, the rigctld the program runs started and watched until
// it answers (what keeps it from it said once a start), its state in the title bar, and
// Setup, Station's Test.
class StationWatch : public QObject {
    Q_OBJECT

public:
    // `rig` gives station.ini's [rig] in force; `sweepRunning` whether a sweep holds the
    // station, which then says itself what became of rigctld.
    StationWatch(QWidget& window, Devices& devices, std::function<const RigSettings&()> rig,
                 std::function<bool()> sweepRunning);
    ~StationWatch() override;

    // Points the rig client and the guards at the station's port and runs its rigctld, or
    // stops the one the program ran.
    void use(const RigSettings& rig);
    // Test: the program's rigctld runs for the settings tested; a rigctld that the user starts
    // is reached as it is. `done` gets what the test found.
    void test(const RigSettings& rig, std::function<void(std::string)> done);
    void endTest();
    // "ZM-480 Plot - rigctld answers": in every size of the window, the Normal one included,
    // so that a radio switched on is seen to come up before Run is pressed.
    void showState();
    // A sweep said why the program's rigctld ended: nothing more is told of this start.
    void stopWatching() { m_watch.stop(); }

private:
    void watch();

    QWidget& m_window;
    Devices& m_devices;
    std::function<const RigSettings&()> m_rig;
    std::function<bool()> m_sweepRunning;
    QTimer m_watch;
    QElapsedTimer m_since;
    int m_endingsAtStart = 0;
    std::unique_ptr<StationTest> m_test;
};

}  // namespace zm
