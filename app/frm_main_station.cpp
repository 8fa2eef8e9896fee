// SPDX-License-Identifier: GPL-3.0-or-later
// Setup, Station and Sweep settings: the meter's serial device, the radio, the rigctld the
// program runs, and how long a point stays keyed.

#include "app/frm_main.h"
#include "engine/meter_port.h"
#include "settings/station_store.h"
#include "station/serial_devices.h"

namespace zm {

void frmMain::loadStation() {
    if (m_stationLoaded) {
        return;
    }
    m_stationLoaded = true;
    std::string damageReport;
    m_station = StationStore(m_devices.config.directory()).load(damageReport);
    m_stationWatch.use(m_station.rig);
    useFeedline();
    if (!damageReport.empty()) {
        m_devices.messages->show(damageReport);
    }
    m_bandPlans.load(m_station.licence.plan, m_planBoxes.plan().CarrierMode);
    m_antennas.show();
}

void frmMain::mnuStation_Click() {
    // The station's devices are the sweep's while it runs: a screen reader's action reaches
    // the menu, which the sweep's input filter does not see.
    if (!m_devices.stationDialogs || m_sweepRunning) {
        return;
    }
    const int port = m_devices.comm->commPort();
    StationDialogInput input;
    input.meterPortName = meterPortName(port);
    input.meterDevice = chosenDevice(m_devices.comm->routeOf(port));
    input.rig = m_station.rig;
    input.test = [this](const RigSettings& rig, std::function<void(std::string)> done) {
        m_stationWatch.test(rig, std::move(done));
    };
    const auto choice = m_devices.stationDialogs->ask(input);
    m_stationWatch.endTest();
    if (choice && choice->rig != m_station.rig) {
        StationSettings chosen = m_station;
        chosen.rig = choice->rig;
        std::string whyNot;
        if (!StationStore(m_devices.config.directory()).save(chosen, whyNot)) {
            m_devices.messages->show(whyNot);
        }
        m_station = chosen;
    }
    m_stationWatch.use(m_station.rig);  // also undoes what a Test of other settings started
    if (choice && !choice->meterDevice.empty() && choice->meterDevice != input.meterDevice) {
        chooseMeterDevice(choice->meterDevice);
    }
}

// The meter's port becomes a link to the device, by its by-id name where it has one, and is
// opened again as a port choice does.
void frmMain::chooseMeterDevice(const std::string& device) {
    const PortRoute route = m_devices.comm->routeOf(m_devices.comm->commPort());
    std::string whyNot;
    if (!pointLinkAt(route.linkPath, device, whyNot)) {
        m_devices.messages->show(whyNot + ".");
        return;
    }
    Combo3_Click();
}

// Setup, Sweep settings changes only [sweep].
void frmMain::mnuSweepSettings_Click() {
    const PollingPause paused(*this);
    if (const auto chosen = m_devices.sweepSettingsDialog->edit(m_station.sweep)) {
        changeStationFile([&](StationSettings& settings) { settings.sweep = *chosen; });
    }
}

// The file is read again first, so that whatever else it holds now (the rig, the user's
// comments) is written back as it stands. The change holds for this session also when it
// cannot be kept.
void frmMain::changeStationFile(const std::function<void(StationSettings&)>& change) {
    const StationStore store(m_devices.config.directory());
    std::string message;
    StationSettings settings = store.load(message);
    change(settings);
    std::string whyNot;
    if (!store.save(settings, whyNot)) {
        message += (message.empty() ? "" : "\n\n") + whyNot;
    }
    change(m_station);
    if (!message.empty()) {
        m_devices.messages->show(message);
    }
}

}  // namespace zm
