// SPDX-License-Identifier: GPL-3.0-or-later
// Setup, Station and Sweep settings: the meter's serial device, the radio, the rigctld the
// program runs, and how long a point stays keyed.

#include "app/frm_main.h"
#include "engine/meter_port.h"
#include "station/serial_devices.h"

namespace zm {

void frmMain::loadStation() {
    std::string damageReport;
    if (!m_stationIni.loadOnce(damageReport)) {
        return;
    }
    m_stationWatch.use(m_stationIni.settings().rig);
    useFeedline();
    if (!damageReport.empty()) {
        m_devices.messages->show(damageReport);
    }
    m_bandPlans.load(m_stationIni.settings().licence.plan, m_planBoxes.plan().CarrierMode);
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
    input.rig = m_stationIni.settings().rig;
    input.test = [this](const RigSettings& rig, std::function<void(std::string)> done) {
        m_stationWatch.test(rig, std::move(done));
    };
    const auto choice = m_devices.stationDialogs->ask(input);
    m_stationWatch.endTest();
    if (choice && choice->rig != m_stationIni.settings().rig) {
        StationSettings chosen = m_stationIni.settings();
        chosen.rig = choice->rig;
        m_stationIni.replace(chosen);
    }
    m_stationWatch.use(
        m_stationIni.settings().rig);  // also undoes what a Test of other settings started
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
    if (const auto chosen = m_devices.sweepSettingsDialog->edit(m_stationIni.settings().sweep)) {
        m_stationIni.change([&](StationSettings& settings) { settings.sweep = *chosen; });
    }
}

}  // namespace zm
