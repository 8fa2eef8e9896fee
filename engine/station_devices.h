// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/sweep_engine.h"
#include "meter/pause.h"
#include "meter/serial_comm.h"
#include "settings/config_store.h"
#include "station/radio_claims.h"
#include "station/rigctld_runner.h"
#include "station/station_file.h"
#include "sweep/ptt_guard.h"
#include "sweep/rig_control.h"

namespace zm {

// The station of one settings folder, one object per device role, as every front end opens
// it: the meter's port, the rig client and the PTT guard for station.ini's rigctld port, the
// rigctld the program runs for the radio, the claims that keep other copies of the program
// off the radio, and the waits. The window adds what only a window has (app/devices.h); a
// program without a display needs these alone. Tests pass fakes and local peers.
struct StationDevices {
    std::unique_ptr<SerialComm> comm;  // MSComm1, the meter's port
    std::unique_ptr<Sleeper> sleeper;  // ReadMeter's wait outside a sweep: blocking
    // The sweep's waits: the event loop goes on. Empty for a sweep on a thread of its own,
    // which waits on its stop.
    std::unique_ptr<Sleeper> sweepSleeper;
    std::unique_ptr<RigServerFactory> rigServers;
    std::unique_ptr<PttGuard> pttGuard;  // unkeys the radio if the program cannot
    // The rig client and the PTT guard for rigctld at 127.0.0.1:port, made afresh when
    // station.ini names another port; empty in tests that keep their fakes.
    std::function<void(StationDevices&, quint16 port)> useRigPort;
    std::unique_ptr<RigctldRunner> rigctld;  // the station's rigctld, when the program runs it
    std::optional<RigSettings> rigctldFor;   // the radio it runs for now
    // One sweep per radio on this computer; empty in tests that keep their fakes.
    std::unique_ptr<RadioClaims> radioClaims;
    // Where the cable list is looked for (cables.list, or share/zm480-plot/ beside it);
    // empty: the program's own folder.
    QString programFolder;
    ConfigStore config{QString()};
    // The shipped band plans, band-plans.ini; bands.ini, the user's own, is beside config.ini.
    QString bandPlanFile;
    // Raised by SIGINT, SIGTERM or SIGHUP: a running sweep unkeys and stops.
    const std::atomic<bool>* stopRequested = nullptr;

    // The station's own rigctld when station.ini has the program run it for the radio.
    RigctldRunner* ownRigctld(const RigSettings& rig) const;

    // What useRig did with the station's rigctld.
    enum class RigctldUse { NotOurs, Started, Running, NotStarted };
    // Points the rig client and the guard at station.ini's rigctld port, and runs the
    // station's rigctld for the radio (leaving one that runs for it already), or stops the
    // one the program ran. NotStarted, with why for the user without a closing full stop in
    // whyNot, when the settings make no sound command.
    RigctldUse useRig(const RigSettings& rig, std::string& whyNot);

    // What a sweep with these settings drives; `stopWaits`: its waits when sweepSleeper is
    // empty.
    SweepStation sweepStation(const RigSettings& rig, Sleeper* stopWaits = nullptr);
};

// The real devices of a settings folder (the store's): config.ini and ports/ there, rigctld
// on 127.0.0.1 at rigPort until station.ini names another port, and the PTT guard the
// zm480-ptt-guard beside the program, which also runs the station's rigctld.
StationDevices programStation(ConfigStore store, const std::atomic<bool>* stopRequested,
                              quint16 rigPort = 4532);

}  // namespace zm
