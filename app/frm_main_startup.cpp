// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the settings file, the port choice, the two display sizes, About and Exit.

#include <QAction>
#include <QComboBox>
#include <array>

#include "app/frm_main.h"
#include "app/version.h"
#include "engine/meter_port.h"
#include "meter/number_reading.h"

namespace zm {

namespace {

// A first start, without config.ini, plots "SWR - 3:1" and keys in "CW", the carrier mode
// the list shows: Run then sweeps at once, in the mode the user sees.
constexpr std::array<std::pair<int, const char*>, 2> kFirstStartLists{{{6, "2"}, {7, "0"}}};

}  // namespace

void frmMain::Form_Activate() {
    loadStation();  // the first run only
    // Its messages (station.ini, bands.ini, the feedline) wait for a click, and a stop signal
    // meanwhile closes the window: nothing more is started for a closed window.
    if (m_closed) {
        return;
    }
    // Read config.ini line by line into the slots (a missing file leaves them as they are).
    // When the last save failed, the file is stale: what it should hold is read instead, so
    // a port choice is not undone by the file it could not write.
    const auto text = m_unsavedConfig ? m_unsavedConfig : m_devices.config.read();
    m_unsavedConfig.reset();
    if (text) {
        readConfigText(*text, m_configValues);
    } else {
        for (const auto& [slot, index] : kFirstStartLists) {
            m_configValues[slot] = m_configValues[slot].value_or(index);
        }
    }

    applyConfigValues();
    m_configApplied = true;

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

    setTimer1Enabled(true);
}

// Each setting whose line is missing or unreadable keeps its current value.
void frmMain::applyConfigValues() {
    const auto slot = [this](int i) -> std::string_view {
        return m_configValues[i] ? std::string_view(*m_configValues[i]) : std::string_view();
    };
    const auto filled = [this](int i) { return m_configValues[i].has_value(); };

    if (const auto port = comPortOf(m_configValues)) {
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

    std::string text = writeConfigText(settings);
    std::string whyNot;
    if (!m_devices.config.write(text, whyNot)) {
        m_unsavedConfig = std::move(text);
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
    m_windowZoom.applyOuterHeight(kNormalHeightTwips);
    m_form.mnuNormal->setChecked(true);
    m_form.mnuDiag->setChecked(false);
}

void frmMain::mnuDiag_Click() {
    m_windowZoom.applyOuterHeight(kDiagHeightTwips);
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
    if (m_configApplied) {
        SaveConfig();
    }
    m_results.saveWindowSettings();
}

}  // namespace zm
