// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/station_devices.h"

#include <QCoreApplication>

#include "meter/blocking_sleeper.h"
#include "meter/qt_serial_comm.h"
#include "settings/band_plan_store.h"
#include "station/process_rigctld_runner.h"
#include "station/rigctld_arguments.h"
#include "sweep/event_loop_sleeper.h"
#include "sweep/process_ptt_guard.h"
#include "sweep/rigctld_client.h"

namespace zm {

namespace {

constexpr auto kRigHost = "127.0.0.1";

}  // namespace

RigctldRunner* StationDevices::ownRigctld(const RigSettings& rig) const {
    return rig.server == RigServerChoice::Own ? rigctld.get() : nullptr;
}

StationDevices::RigctldUse StationDevices::useRig(const RigSettings& rig, std::string& whyNot) {
    if (useRigPort) {
        useRigPort(*this, rig.port);
    }
    if (rigServers) {
        rigServers->setRunByProgram(rig.server == RigServerChoice::Own && rigctld);
    }
    if (!rigctld) {
        return RigctldUse::NotOurs;
    }
    whyNot.clear();
    const auto arguments =
        rig.server == RigServerChoice::Own ? rigctldArguments(rig, whyNot) : std::nullopt;
    if (!arguments) {
        rigctld->stop();
        rigctldFor.reset();
        return whyNot.empty() ? RigctldUse::NotOurs : RigctldUse::NotStarted;
    }
    if (rigctldFor == rig && rigctld->running()) {
        return RigctldUse::Running;
    }
    rigctld->start(*arguments, rig.port);
    rigctldFor = rig;
    return RigctldUse::Started;
}

SweepStation StationDevices::sweepStation(const RigSettings& rig, Sleeper* stopWaits) {
    return {*comm,
            *rigServers,
            *pttGuard,
            sweepSleeper ? *sweepSleeper : *stopWaits,
            radioClaims.get(),
            ownRigctld(rig)};
}

StationDevices programStation(ConfigStore store, const std::atomic<bool>* stopRequested,
                              quint16 rigPort) {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const std::string guardProgram = (programFolder + "/zm480-ptt-guard").toStdString();
    StationDevices devices;
    devices.comm = std::make_unique<QtSerialComm>(store.directory());
    devices.sleeper = stopRequested ? std::make_unique<BlockingSleeper>(*stopRequested)
                                    : std::make_unique<BlockingSleeper>();
    devices.sweepSleeper = std::make_unique<EventLoopSleeper>();
    devices.useRigPort = [guardProgram](StationDevices& rig, quint16 port) {
        rig.rigServers = std::make_unique<RigctldServerFactory>(kRigHost, port);
        rig.pttGuard = std::make_unique<ProcessPttGuard>(guardProgram, kRigHost, port);
    };
    devices.useRigPort(devices, rigPort);
    devices.rigctld = std::make_unique<ProcessRigctldRunner>(guardProgram, "rigctld");
    devices.radioClaims = std::make_unique<ProgramRadioClaims>();
    devices.config = std::move(store);
    devices.bandPlanFile = BandPlanStore::shippedFileFor(programFolder);
    devices.stopRequested = stopRequested;
    return devices;
}

}  // namespace zm
