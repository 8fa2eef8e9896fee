// SPDX-License-Identifier: GPL-3.0-or-later
// Band, Sweep my bands...: the bands ticked swept one after the other in one run, each an
// ordinary sweep of the whole band kept as a memory, the Bands window that sums them up,
// and the History window of every sweep kept.

#include <QComboBox>
#include <QDir>

#include "app/chosen_file.h"
#include "app/frm_main.h"

namespace zm {

namespace {

// "60m, 4m"
std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

// "20m dipole 2026-12-09 17:03": the antenna and when, for a sweep of the history kept as a
// memory or saved.
std::string storedSweepName(const StoredSweep& sweep) {
    return sweep.entry.antenna + " " + localTimeText(*sweep.entry.taken).substr(0, 16);
}

// The same as a file's name, which a colon would not suit on every disk.
std::string storedSweepFileName(const StoredSweep& sweep) {
    std::string name = storedSweepName(sweep);
    std::erase(name, ':');
    return name + ".csv";
}

// What the user is told at the end of a run; nothing when it ran through, or Escape
// stopped it.
struct BandsRunReport {
    std::string stopped;                  // why a sweep stopped the run
    std::vector<std::string> notSwept;    // the bands after it
    std::vector<std::string> passedOver;  // with no point the plan lets be keyed
    std::string whyPassedOver;            // for the first of them
    std::string notKept;                  // the first memory the disk refused

    std::string text() const {
        std::string text = stopped;
        const auto add = [&text](const std::string& part) {
            text += (text.empty() || part.empty() ? "" : "\n\n") + part;
        };
        if (!stopped.empty() && !notSwept.empty()) {
            text += " Not swept: " + joined(notSwept) + ".";
        }
        if (!passedOver.empty()) {
            add("Passed over, with no point to key: " + joined(passedOver) + ". " + whyPassedOver);
        }
        add(notKept);
        return text;
    }
};

}  // namespace

void frmMain::mnuSweepMyBands_Click() {
    runSweeps([this] { return sweepMyBands(m_stationIni.settings().bands, true); });
}

std::string frmMain::sweepMyBands(const BandsSettings& offered, bool keepChoice) {
    const auto chosen = m_devices.bandsDialog->ask(m_bandPlans.plan(), offered);
    if (!chosen) {
        return {};
    }
    if (keepChoice && *chosen != m_stationIni.settings().bands) {
        m_stationIni.change([&](StationSettings& settings) { settings.bands = *chosen; });
    }
    return sweepBands(bandSweeps(m_bandPlans.plan(), chosen->sweep, chosen->points));
}

// Each band goes through the same sweep as Run, with all its safeties and the band plan's
// check; a band where the plan lets no point be keyed (a channel band in AM) is passed over
// and named. Any other stop ends the whole run, and what was measured until then is kept.
// The chart then shows what it showed before, the boxes' plan with its sweep.
std::string frmMain::sweepBands(const std::vector<BandSweep>& bands) {
    PlanBoxes::Kept planned = m_planBoxes.keep();
    SweepRecord record = m_results.record();
    const std::string notice = m_devices.chart->shownNotice();
    const QString title = windowTitle();
    m_bandResults.clear();
    m_sweepStop.clear();  // an Escape that stopped the last Run does not stop this one
    BandsRunReport report;
    std::vector<SweepProgress::Band> progressBands;
    for (const BandSweep& band : bands) {
        progressBands.push_back(
            {band.bandName, pointCountFor(band.startMHz, band.stopMHz, band.stepMHz).value_or(0)});
    }
    SweepProgress progress(std::move(progressBands));
    SweepHistory history = runHistory(true);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const BandSweep& band = bands[i];
        if (!report.stopped.empty() || stopAsked()) {
            report.notSwept.push_back(band.bandName);
            continue;
        }
        // "ZM-480 Plot – 40m, band 3 of 10": which band the chart shows.
        setWindowTitle(QStringLiteral("%1 – %2, band %3 of %4")
                           .arg(title, QString::fromStdString(band.bandName))
                           .arg(i + 1)
                           .arg(bands.size()));
        m_planBoxes.setSpan(band.startMHz, band.stopMHz, band.stepMHz);
        PlanSweep();
        const SweepOutcome outcome = sweepPlan(progress, history);
        if (report.notKept.empty()) {
            report.notKept = m_sweepView.kept().said;
        }
        if (outcome.end == SweepEnd::NothingToSweep) {
            report.passedOver.push_back(band.bandName);
            if (report.whyPassedOver.empty()) {
                report.whyPassedOver = outcome.message;
            }
            continue;
        }
        report.stopped = outcome.message;
        keepBandSweep(band.bandName, report.notKept);
    }
    m_stationWatch.showState();  // the title without the band, and as rigctld stands now
    m_planBoxes.putBack(std::move(planned));
    m_results.setRecord(std::move(record));
    showGrid();
    m_devices.chart->setNotice(notice);
    m_results.showMemories();
    m_form.mnuBands->setEnabled(!m_bandResults.empty());
    if (!m_bandResults.empty()) {
        mnuBands_Click();
    }
    return report.text();
}

// The band's sweep as far as it went, at the plane the window shows (as Keep memory keeps
// it), for the Bands window and as a memory.
void frmMain::keepBandSweep(const std::string& bandName, std::string& notKept) {
    const SweepRecord& record = m_results.record();
    if (!record.hasReadings()) {
        return;
    }
    m_bandResults.push_back({bandName, m_results.shown()});
    std::string whyNot;
    if (!m_memories.add({bandMemoryName(bandName, record), true, 0, m_results.shown()}, whyNot) &&
        notKept.empty()) {
        notKept = whyNot;
    }
}

void frmMain::mnuBands_Click() {
    if (!m_bandsWindow) {
        m_bandsWindow =
            new BandsWindow(QDir(m_devices.config.directory()).filePath("bands-window.ini"),
                            *m_devices.clipboard, this);
        // "Sweep my bands · Yaesu FT-817": the window's heading says when, and the scale.
        m_pictures.offer(m_bandsWindow->pictureActions(), *m_bandsWindow, "bands", [this] {
            const std::string radio = m_pictures.radioName();
            return QString::fromStdString("Sweep my bands" + (radio.empty() ? "" : " · " + radio));
        });
    }
    m_bandsWindow->setBands(m_bandResults);
    m_bandsWindow->show();
    m_bandsWindow->raise();
    m_bandsWindow->activateWindow();  // Ctrl+C copies its table at once
}

// Made when first opened; it reads the history afresh each time it is opened.
void frmMain::mnuHistory_Click() {
    if (!m_historyWindow) {
        m_historyWindow = new HistoryWindow(
            m_devices.config.directory().toStdString(), m_stationIni.settings().history,
            *m_devices.messages,
            {.keep =
                 [this](const StoredSweep& sweep) {
                     m_memories.keep({storedSweepName(sweep), true, 0, sweep.entry.record});
                 },
             .save =
                 [this](const StoredSweep& sweep) {
                     const PollingPause paused(*this);
                     if (const auto path = m_devices.sweepFileDialog->chooseSaveName(
                             {"Save sweep as", "CSV files (*.csv);;Touchstone files (*.s1p)", "csv",
                              storedSweepFileName(sweep)})) {
                         saveChosenFile(
                             m_devices, *path,
                             sweepFileText(recordAsShown(sweep.entry), sweepFileKindOf(*path)),
                             "The sweep");
                     }
                 }},
            this);
        m_pictures.offer(m_historyWindow->pictureActions(), *m_historyWindow, "history",
                         [this] { return m_historyWindow->shownTitle(); });
    }
    m_historyWindow->setLimits(m_stationIni.settings().history);
    m_historyWindow->setPlotMode(m_form.Combo2->currentIndex());
    m_historyWindow->reload(m_antennas.inUse());
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}

}  // namespace zm
