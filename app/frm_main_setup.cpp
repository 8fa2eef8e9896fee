// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the settings file, the port choice, the two display sizes, About and Exit; the
// Setup menu's station, sweep settings, band plan and feedline; File, Open / SaveAs / Print.

#include <QAction>
#include <QComboBox>

#include "app/frm_main.h"
#include "app/version.h"
#include "dialogs/file_dialog_setup.h"
#include "engine/meter_port.h"
#include "meter/number_reading.h"
#include "station/serial_devices.h"

namespace zm {

void frmMain::Form_Activate() {
    loadStation();  // the first run only
    // Its messages (station.ini, bands.ini, the feedline) wait for a click, and a stop signal
    // meanwhile closes the window: nothing more is started for a closed window.
    if (m_life == Life::Closed) {
        return;
    }
    // Read config.ini line by line into the slots (a missing file leaves them as they are).
    applyConfigValues(m_config.read());
    m_config.markApplied();

    m_planBoxes.setSpan(14.0, 14.35, 0.05);
    PlanSweep();
    ClearPlot();

    m_readout.showPortRoutes();
    if (!m_devices.comm->isOpen()) {
        if (!openMeterPort(*m_devices.comm)) {
            const int port = m_devices.comm->commPort();
            m_devices.messages->show(portNotAvailableMessage(port, m_devices.comm->routeOf(port)));
            return;
        }
        m_readout.opened();
    }

    // On the first run this changes the port list's selection, and the port choice runs
    // start-up once more from in here.
    setListIndex(m_form.Combo3, m_devices.comm->commPort() - 1, &frmMain::Combo3_Click);

    m_readout.setPolling(true);
}

// Each setting whose line is missing or unreadable keeps its current value.
void frmMain::applyConfigValues(const ConfigValues& values) {
    const auto slot = [&values](int i) -> std::string_view {
        return values[i] ? std::string_view(*values[i]) : std::string_view();
    };
    const auto filled = [&values](int i) { return values[i].has_value(); };

    if (const auto port = comPortOf(values)) {
        m_devices.comm->setCommPort(*port);
    }
    if (const auto height = filled(3) ? readSingle(slot(3)) : std::nullopt) {
        m_windowZoom.applyOuterHeight(*height);
    }
    // After the height: a resize of a window that has just been shown puts it back where Qt
    // last knew it, before the window manager has moved its frame.
    m_windowZoom.applyPosition(filled(0) ? readSingle(slot(0)) : std::nullopt,
                               filled(1) ? readSingle(slot(1)) : std::nullopt);
    if (const auto mark = filled(4) ? readCheckMark(slot(4)) : std::nullopt) {
        m_form.mnuNormal->setChecked(*mark);
    }
    if (const auto mark = filled(5) ? readCheckMark(slot(5)) : std::nullopt) {
        m_form.mnuDiag->setChecked(*mark);
    }
    if (const auto index = filled(6) ? readWhole16(slot(6)) : std::nullopt) {
        setListIndex(m_form.Combo2, *index, &frmMain::Combo2_Click);
    }
    if (const auto index = filled(7) ? readWhole16(slot(7)) : std::nullopt) {
        setListIndex(m_form.Combo4, *index, &frmMain::Combo4_Click);
    }
    if (m_form.Combo4->currentIndex() < 0) {
        m_form.Combo4->setEditText(QString());  // the design's "CW" would read as chosen
    }
}

void frmMain::SaveConfig() {
    ConfigSettings settings;
    settings.leftTwips = float(pixelsToTwips(x()));  // on the screen, whatever the zoom
    settings.topTwips = float(pixelsToTwips(y()));
    settings.comPort = std::int16_t(m_devices.comm->commPort());
    settings.heightTwips = m_windowZoom.heightTwips();
    settings.normalChecked = m_form.mnuNormal->isChecked();
    settings.diagChecked = m_form.mnuDiag->isChecked();
    settings.plotModeIndex = std::int16_t(m_form.Combo2->currentIndex());
    settings.carrierModeIndex = std::int16_t(m_form.Combo4->currentIndex());

    std::string whyNot;
    if (!m_config.write(settings, whyNot)) {
        m_devices.messages->show(whyNot);
    }
}

void frmMain::Combo3_Click() {
    m_readout.forgetDevice();
    if (m_devices.comm->isOpen()) {
        m_devices.comm->close();
    }
    // "Com01" .. "Com16": the port number is the entry's last two characters.
    const QString entry = m_form.Combo3->itemText(m_form.Combo3->currentIndex());
    const int port = int(leadingNumber(entry.right(2).toStdString()));
    if (port >= 1 && port <= kHighestComPort) {
        m_devices.comm->setCommPort(port);
    }
    SaveConfig();
    Form_Activate();
}

// Each size item sets its height and carries the only check mark, also when it is chosen
// while it already has it, so the saved height and marks always agree.
void frmMain::mnuNormal_Click() {
    m_windowZoom.applyOuterHeight(WindowZoom::kNormalHeightTwips);
    m_form.mnuNormal->setChecked(true);
    m_form.mnuDiag->setChecked(false);
}

void frmMain::mnuDiag_Click() {
    m_windowZoom.applyOuterHeight(WindowZoom::kDiagHeightTwips);
    m_form.mnuDiag->setChecked(true);
    m_form.mnuNormal->setChecked(false);
}

void frmMain::mnuAbout_Click() {
    m_devices.messages->show(
        std::string(23, ' ') +
        "ZM-480 Plot\n"
        "Impedance sweeps with the ZM-480 vector wattmeter, for radio amateurs.\n"
        "Version " +
        std::string(kVersion) + ". GNU GPL 3 or later; no warranty.");
}

void frmMain::mnuExit_Click() {
    close();
}

void frmMain::Form_Unload() {
    if (m_config.applied()) {
        SaveConfig();
    }
    m_results.sweep.saveWindowSettings();
}

void frmMain::loadStation() {
    std::string damageReport;
    if (!m_station.ini.loadOnce(damageReport)) {
        return;
    }
    m_station.watch.use(m_station.ini.settings().rig);
    useFeedline();
    if (!damageReport.empty()) {
        m_devices.messages->show(damageReport);
    }
    m_bandPlans.load(m_station.ini.settings().licence.plan, m_sweep.plan().CarrierMode);
    m_antennas.show();
}

void frmMain::mnuStation_Click() {
    // The station's devices are the sweep's while it runs: a screen reader's action reaches
    // the menu, which the sweep's input filter does not see.
    if (!m_devices.stationDialogs || m_run.sweep.running()) {
        return;
    }
    const int port = m_devices.comm->commPort();
    StationDialogInput input;
    input.meterPortName = meterPortName(port);
    input.meterDevice = chosenDevice(m_devices.comm->routeOf(port));
    input.rig = m_station.ini.settings().rig;
    input.test = [this](const RigSettings& rig, std::function<void(std::string)> done) {
        m_station.watch.test(rig, std::move(done));
    };
    const auto choice = m_devices.stationDialogs->ask(input);
    m_station.watch.endTest();
    if (choice && choice->rig != m_station.ini.settings().rig) {
        StationSettings chosen = m_station.ini.settings();
        chosen.rig = choice->rig;
        m_station.ini.replace(chosen);
    }
    m_station.watch.use(
        m_station.ini.settings().rig);  // also undoes what a Test of other settings started
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
    const PollingPause paused(m_readout);
    if (const auto chosen = m_devices.sweepSettingsDialog->edit(m_station.ini.settings().sweep)) {
        m_station.ini.change([&](StationSettings& settings) { settings.sweep = *chosen; });
    }
}

// Setup, Band plan chooses the plan in force and station.ini keeps it. Polling rests while a
// message may be up, as for Setup's other entries.
void frmMain::mnuBandPlan_Click(const std::string& planKey) {
    const PollingPause paused(m_readout);
    std::string report;
    if (std::optional<BandPlan> chosen = m_bandPlans.find(planKey, report)) {
        m_station.ini.change([&](StationSettings& settings) { settings.licence.plan = planKey; });
        m_bandPlans.use(std::move(*chosen), m_sweep.plan().CarrierMode);
    } else {
        m_bandPlans.use(m_bandPlans.plan(),
                        m_sweep.plan().CarrierMode);  // it keeps its check mark
        m_devices.messages->show(report);
    }
}

// Setup, Feedline... and View, At the antenna / At the meter.
void frmMain::editFeedline() {
    if (!m_devices.feedlineDialog) {
        return;
    }
    const PollingPause paused(m_readout);
    const FeedlineDialogInput input{m_station.ini.settings().feedline, m_feedlinePlane.cables(),
                                    m_feedlinePlane.cableListProblem(), m_sweep.record()};
    if (const auto chosen = m_devices.feedlineDialog->edit(input)) {
        keepFeedline(*chosen);
    }
}

void frmMain::showAtAntenna(bool atAntenna) {
    FeedlineSettings settings = m_station.ini.settings().feedline;
    settings.showAtAntenna = atAntenna;
    keepFeedline(settings);
}

// Into station.ini as Sweep settings does, and every reading moved to the plane chosen.
void frmMain::keepFeedline(const FeedlineSettings& settings) {
    m_station.ini.change([&](StationSettings& station) { station.feedline = settings; });
    useFeedline();
}

void frmMain::useFeedline() {
    m_feedlinePlane.use(m_station.ini.settings().feedline);
    m_results.sweep.showAtPlane();
    m_results.sweep.showMemories();
    showGrid();
    showReadoutAtAntenna();
}

void frmMain::showReadoutAtAntenna() {
    m_feedlinePlane.showReadoutTip(m_readout.reading(), m_run.sweep.tunedMHz());
}

void frmMain::mnuOpen_Click() {
    showFileDialog(FileMenuEntry::Open);
}

void frmMain::MnuSaveAs_Click() {
    showFileDialog(FileMenuEntry::SaveAs);
}

// Both entries show the open-file dialog and only tell the chosen name; nothing is read
// or written. Polling rests while the dialog and the message are up, and resumes on
// every path, Cancel included.
void frmMain::showFileDialog(FileMenuEntry entry) {
    const PollingPause paused(m_readout);
    CommonDialog& CommonDialog1 = *m_devices.fileDialog;
    setUpFileDialog(CommonDialog1, entry);
    if (CommonDialog1.ShowOpen()) {
        m_devices.messages->show(CommonDialog1.FileName);
    }
}

// Prints the client area as it shows now; polling goes on.
void frmMain::mnuPrint_Click() {
    std::string whyNot;
    if (!m_devices.printer->printWindow(*centralWidget(), whyNot)) {
        m_devices.messages->show(whyNot);
    }
}

}  // namespace zm
