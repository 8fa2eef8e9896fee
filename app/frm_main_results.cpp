// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's context menu: the last sweep copied or saved, and what follows the sweep on
// the other windows.

#include <QAction>
#include <QDir>

#include "app/frm_main.h"
#include "results/sweep_csv.h"

namespace zm {

namespace {

SweepFileRequest saveRequest(SweepFileKind kind) {
    if (kind == SweepFileKind::Csv) {
        return {"Save sweep as CSV", "CSV files (*.csv)", "csv", "sweep.csv"};
    }
    return {"Save sweep as Touchstone", "Touchstone files (*.s1p)", "s1p", "sweep.s1p"};
}

}  // namespace

void frmMain::connectResultsMenu() {
    const ChartMenuActions& menu = m_devices.chart->menuActions();
    connect(menu.copySweep, &QAction::triggered, this, &frmMain::mnuCopySweep_Click);
    connect(menu.saveCsv, &QAction::triggered, this, &frmMain::mnuSaveSweepCsv_Click);
    connect(menu.saveTouchstone, &QAction::triggered, this, &frmMain::mnuSaveSweepTouchstone_Click);
    connect(menu.keepMemory, &QAction::triggered, this, &frmMain::mnuKeepMemory_Click);
    connect(menu.loadMemory, &QAction::triggered, this, &frmMain::mnuLoadMemory_Click);
    connect(menu.memories, &QAction::triggered, this, &frmMain::mnuMemories_Click);
    connect(menu.smithChart, &QAction::triggered, this, &frmMain::mnuSmithChart_Click);
    connect(menu.matchPoint, &QAction::triggered, this, &frmMain::mnuMatchPoint_Click);
    offerPictures({menu.copyImage, menu.saveImage}, *m_devices.chart, "sweep");
    connect(menu.saveReport, &QAction::triggered, this, &frmMain::mnuSaveReport_Click);
    connect(m_form.mnuSmithChart, &QAction::triggered, this, &frmMain::mnuSmithChart_Click);
    enableResultsMenu();
}

// A point of the sweep in progress, as the engine recorded it.
void frmMain::recordPoint(int point, SweepPoint swept) {
    placePoint(m_record, point, std::move(swept));
    showSweepRecord();
}

void frmMain::clearSweepRecord() {
    m_record = SweepRecord{};
    m_filledColumns.clear();
    showSweepRecord();
}

void frmMain::showSweepRecord() {
    m_shownRecord = m_feedlinePlane.atShownPlane(m_record);
    m_devices.chart->setSweepRecord(m_shownRecord);
    if (m_smithWindow) {
        m_smithWindow->chart().setSweep(m_shownRecord);  // painted in the sweep's next wait
    }
    enableResultsMenu();
}

void frmMain::enableResultsMenu() {
    const ChartMenuActions& menu = m_devices.chart->menuActions();
    const bool swept = m_record.hasReadings();
    for (QAction* action : {menu.copySweep, menu.saveCsv, menu.saveTouchstone, menu.keepMemory}) {
        action->setEnabled(swept);
    }
}

void frmMain::mnuCopySweep_Click() {
    if (m_record.hasReadings()) {
        m_devices.clipboard->setText(writeSweepCsv(m_shownRecord));
    }
}

void frmMain::mnuSaveSweepCsv_Click() {
    saveSweepAs(SweepFileKind::Csv);
}

void frmMain::mnuSaveSweepTouchstone_Click() {
    saveSweepAs(SweepFileKind::Touchstone);
}

// Polling rests while the dialog and any message are up, as for the File menu's entries.
void frmMain::saveSweepAs(SweepFileKind kind) {
    if (!m_record.hasReadings()) {
        return;
    }
    const PollingPause paused(*this);
    if (const auto path = m_devices.sweepFileDialog->chooseSaveName(saveRequest(kind))) {
        saveFile(*path, sweepFileText(m_shownRecord, kind), "The sweep");
    }
}

void frmMain::saveFile(const std::string& path, const std::string& text, std::string_view what) {
    std::string whyNot;
    if (!m_devices.textFiles->write(path, text, whyNot)) {
        m_devices.messages->show(std::string(what) + " could not be saved to " + path + " (" +
                                 whyNot +
                                 "). Any file of that name is unchanged; choose another folder "
                                 "or name.");
    }
}

void frmMain::mnuSmithChart_Click() {
    if (!m_smithWindow) {
        m_smithWindow =
            new SmithWindow(QDir(m_devices.config.directory()).filePath("smith-chart.ini"), this);
        m_smithWindow->chart().setSweep(m_shownRecord);
        m_smithWindow->chart().setMemories(m_feedlinePlane.shownMemories(m_memories.memories()));
        if (m_matchDialog) {
            m_smithWindow->chart().setMatchPath(m_matchDialog->path());
        }
        m_smithWindow->chart().onPointChosen = [this](const TracePoint& point) {
            matchPoint(point);
        };
        offerPictures(m_smithWindow->chart().pictureActions(), m_smithWindow->chart(),
                      "smith-chart");
    }
    m_smithWindow->show();
    m_smithWindow->raise();
    m_smithWindow->activateWindow();
}

void frmMain::mnuMatchPoint_Click() {
    if (const auto point = m_devices.chart->menuPoint()) {
        matchPoint(*point);
    }
}

void frmMain::matchPoint(const TracePoint& point) {
    if (!m_matchDialog) {
        m_matchDialog = new MatchDialog(*m_devices.clipboard, this);
        m_matchDialog->onPathChosen = [this](std::vector<std::complex<double>> path) {
            if (m_smithWindow) {
                m_smithWindow->chart().setMatchPath(std::move(path));
            }
        };
    }
    m_matchDialog->setPoint(point);
    m_matchDialog->show();
    m_matchDialog->raise();
}

}  // namespace zm
