// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/sweep_thread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <memory>
#include <optional>

#include "engine/home_thread_devices.h"

namespace zm {

SweepOutcome sweepOnThreadOfItsOwn(const SweepStation& station, SweepReports& reports,
                                   const SweepStop& stop, const SweepRequest& request) {
    QObject home;  // the calling thread, where the sweep's calls to its objects go
    SerialCommAtHome meter(station.meter, home);
    SweepReportsAtHome shown(reports, home);
    std::optional<RigctldRunnerAtHome> rigctld;
    if (station.rigctld != nullptr) {
        rigctld.emplace(*station.rigctld, home);
    }
    const SweepStation away{.meter = meter,
                            .rigServers = station.rigServers,
                            .pttGuard = station.pttGuard,
                            .sleeper = station.sleeper,
                            .radioClaims = station.radioClaims,
                            .rigctld = rigctld ? &*rigctld : nullptr};

    SweepOutcome outcome;
    // The engine, and the rig client it makes, begin and end on the sweep's thread.
    const std::unique_ptr<QThread> thread(QThread::create([&] {
        SweepEngine engine(away, shown, stop);
        outcome = engine.run(request);
    }));
    bool ended = false;
    QObject::connect(thread.get(), &QThread::finished, &home, [&ended] { ended = true; });
    thread->start();
    // Not an event loop, which the application's quit() would end: the sweep's calls to this
    // thread are served until it has ended, or the two threads would wait for each other.
    while (!ended) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    thread->wait();
    return outcome;
}

}  // namespace zm
