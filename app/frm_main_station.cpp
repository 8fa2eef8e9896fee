// SPDX-License-Identifier: GPL-3.0-or-later
// Setup, Station and Sweep settings: the meter's serial device, the radio, the rigctld the
// program runs, and how long a point stays keyed.

#include "app/frm_main.h"
#include "engine/meter_port.h"
#include "settings/station_store.h"
#include "station/hamlib_catalog.h"
#include "station/radio_answer.h"
#include "station/serial_devices.h"
#include "station/station_test.h"

namespace zm {

namespace {

// How often the window looks how a starting rigctld stands.
constexpr std::chrono::milliseconds kRigctldWatchInterval{250};

}  // namespace

void frmMain::loadStation() {
    if (m_stationLoaded) {
        return;
    }
    m_stationLoaded = true;
    std::string damageReport;
    m_station = StationStore(m_devices.config.directory()).load(damageReport);
    useStation(m_station.rig);
    useFeedline();
    if (!damageReport.empty()) {
        m_devices.messages->show(damageReport);
    }
    m_bandPlans.load(m_station.licence.plan, m_plan.CarrierMode);
    m_antennas.show();
}

void frmMain::useStation(const RigSettings& rig) {
    std::string whyNot;
    switch (m_devices.useRig(rig, whyNot)) {
        case StationDevices::RigctldUse::NotStarted:
            m_devices.messages->show("rigctld was not started. " + whyNot + ".");
            return;
        case StationDevices::RigctldUse::Started:
            m_rigctldEndingsAtStart = m_devices.rigctld->endings();
            m_rigctldSince.start();
            m_rigctldWatch.setInterval(kRigctldWatchInterval);
            connect(&m_rigctldWatch, &QTimer::timeout, this, &frmMain::watchRigctld,
                    Qt::UniqueConnection);
            m_rigctldWatch.start();
            return;
        case StationDevices::RigctldUse::NotOurs:
        case StationDevices::RigctldUse::Running:
            return;
    }
}

void frmMain::watchRigctld() {
    if (m_sweepRunning) {
        return;  // a sweep says itself what became of rigctld
    }
    RigctldRunner& rigctld = *m_devices.rigctld;
    const std::string trouble = rigctld.trouble(m_rigctldEndingsAtStart);
    const bool silent = m_rigctldSince.elapsed() >= kRadioAnswerTime.count();
    // A Test in the dialog says it there; a radio that is switched off shows in the title.
    if (m_stationTest || rigctld.answering() || !rigctld.running() ||
        rigctld.state() == RigctldRunner::State::WaitingForDevice ||
        rigctld.state() == RigctldRunner::State::RadioSilent) {
        m_rigctldWatch.stop();
    } else if (!trouble.empty() || silent) {
        m_rigctldWatch.stop();
        m_devices.messages->show(
            (trouble.empty() ? withLastWords(std::string(kRadioSilent), rigctld.lastWords())
                             : trouble) +
            ".");
    }
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
        testStation(rig, std::move(done));
    };
    const auto choice = m_devices.stationDialogs->ask(input);
    m_stationTest.reset();
    if (choice && choice->rig != m_station.rig) {
        StationSettings chosen = m_station;
        chosen.rig = choice->rig;
        std::string whyNot;
        if (!StationStore(m_devices.config.directory()).save(chosen, whyNot)) {
            m_devices.messages->show(whyNot);
        }
        m_station = chosen;
    }
    useStation(m_station.rig);  // also undoes what a Test of other settings started
    if (choice && !choice->meterDevice.empty() && choice->meterDevice != input.meterDevice) {
        chooseMeterDevice(choice->meterDevice);
    }
}

// Test: the program's rigctld runs for the settings tested (and again for the saved ones if
// the dialog is cancelled); a rigctld that the user starts is reached as it is. One that does
// not answer is started afresh: the user may have just mended what stood in its way, and the
// next try after a refused start may be up to 30 s away.
void frmMain::testStation(const RigSettings& rig, std::function<void(std::string)> done) {
    const bool own = rig.server == RigServerChoice::Own && m_devices.rigctld;
    if (own) {
        // Started again, unless it answers: a silent radio is not woken by a new rigctld.
        if (!m_devices.rigctld->answering() &&
            m_devices.rigctld->state() != RigctldRunner::State::RadioSilent) {
            m_devices.rigctldFor.reset();
        }
        useStation(rig);
    } else if (m_devices.rigctld) {
        m_devices.rigctld->stop();  // ours would answer in the place of the user's
        m_devices.rigctldFor.reset();
    }
    m_stationTest = std::make_unique<StationTest>(own ? m_devices.rigctld.get() : nullptr, rig.port,
                                                  installedRigModels(), std::move(done));
    m_stationTest->start();
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
