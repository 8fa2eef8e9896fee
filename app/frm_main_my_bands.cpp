// SPDX-License-Identifier: GPL-3.0-or-later
// Band, Sweep my bands...: the bands ticked swept one after the other in one run, each an
// ordinary sweep of the whole band kept as a memory, and the Bands window that sums them up.

#include <QDir>

#include "app/frm_main.h"

namespace zm {

namespace {

// "60m, 4m"
std::string bandNames(std::vector<BandSweep>::const_iterator from,
                      std::vector<BandSweep>::const_iterator to) {
    std::string names;
    for (auto band = from; band != to; ++band) {
        names += (names.empty() ? "" : ", ") + band->bandName;
    }
    return names;
}

}  // namespace

void frmMain::mnuSweepMyBands_Click() {
    runSweeps([this] { return sweepMyBands(); });
}

std::string frmMain::sweepMyBands() {
    const auto chosen = m_devices.bandsDialog->ask(m_bandPlan, m_station.bands);
    if (!chosen) {
        return {};
    }
    if (*chosen != m_station.bands) {
        changeStationFile([&](StationSettings& settings) { settings.bands = *chosen; });
    }
    return sweepBands(bandSweeps(m_bandPlan, chosen->sweep, chosen->points));
}

// Each band goes through the same sweep as Run, with all its safeties and the band plan's
// check; a band where the plan lets no point be keyed (a channel band in AM) is passed over
// and named. Any other stop ends the whole run, and what was measured until then is kept.
std::string frmMain::sweepBands(const std::vector<BandSweep>& bands) {
    const SweepPlan planned = m_plan;
    const QString title = windowTitle();
    m_bandResults.clear();
    m_sweep = SweepRun{};  // an Escape that stopped the last Run does not stop this one
    std::string message;
    std::string passedOver;  // the first band's reason, for all of them
    std::vector<BandSweep> nothingToKey;
    std::string notKept;  // the first memory the disk refused
    auto band = bands.begin();
    while (band != bands.end() && message.empty() && !stopAsked()) {
        // "ZM-480 Plot – 40m, band 3 of 10": which band the chart shows.
        setWindowTitle(QStringLiteral("%1 – %2, band %3 of %4")
                           .arg(title, QString::fromStdString(band->bandName))
                           .arg(band - bands.begin() + 1)
                           .arg(bands.size()));
        m_plan.StartFreq = band->startMHz;
        m_plan.StopFreq = band->stopMHz;
        m_plan.StepFreq = band->stepMHz;
        PlanSweep();
        if (std::string refusal = checkBandPlan(); !refusal.empty()) {
            passedOver = passedOver.empty() ? refusal : passedOver;
            nothingToKey.push_back(*band++);
            continue;
        }
        message = sweepSafely();
        ++band;
        if (m_record.hasReadings()) {
            m_bandResults.push_back({(band - 1)->bandName, m_record});
            std::string whyNot;
            const Memory memory{bandMemoryName((band - 1)->bandName, m_record), true, 0, m_record};
            if (!m_shelf.add(memory, whyNot) && notKept.empty()) {
                notKept = whyNot;
            }
        }
    }
    setWindowTitle(title);
    m_plan = planned;
    PlanSweep();
    memoriesChanged();
    m_form.mnuBands->setEnabled(!m_bandResults.empty());
    if (!m_bandResults.empty()) {
        mnuBands_Click();
    }
    if (!message.empty() && band != bands.end()) {
        message += " Not swept: " + bandNames(band, bands.end()) + ".";
    }
    const auto add = [&message](const std::string& part) {
        message += (message.empty() || part.empty() ? "" : "\n\n") + part;
    };
    if (!nothingToKey.empty()) {
        add("Passed over, with no point to key: " +
            bandNames(nothingToKey.begin(), nothingToKey.end()) + ". " + passedOver);
    }
    add(notKept);
    return message;
}

void frmMain::mnuBands_Click() {
    if (!m_bandsWindow) {
        m_bandsWindow =
            new BandsWindow(QDir(m_devices.config.directory()).filePath("bands-window.ini"),
                            *m_devices.clipboard, this);
    }
    m_bandsWindow->setBands(m_bandResults);
    m_bandsWindow->show();
    m_bandsWindow->raise();
    m_bandsWindow->activateWindow();  // Ctrl+C copies its table at once
}

}  // namespace zm
