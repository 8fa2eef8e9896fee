// The chart's context menu: the last sweep copied or saved, and the reference trace.

#include <QAction>
#include <QDateTime>
#include <QFileInfo>

#include "app/frm_main.h"
#include "results/sweep_csv.h"
#include "sweep/rigctld_protocol.h"

namespace zm {

namespace {

SweepFileRequest saveRequest(SweepFileKind kind) {
    if (kind == SweepFileKind::Csv) {
        return {"Save sweep as CSV", "CSV files (*.csv)", "csv", "sweep.csv"};
    }
    return {"Save sweep as Touchstone", "Touchstone files (*.s1p)", "s1p", "sweep.s1p"};
}

const SweepFileRequest kLoadRequest{"Load reference", "Sweeps (*.csv *.s1p *.S1P);;All files (*)",
                                    "", ""};

std::string fileNameOf(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName().toStdString();
}

}  // namespace

void frmMain::connectResultsMenu() {
    const ChartMenuActions& menu = m_devices.chart->menuActions();
    connect(menu.copySweep, &QAction::triggered, this, &frmMain::mnuCopySweep_Click);
    connect(menu.saveCsv, &QAction::triggered, this, &frmMain::mnuSaveSweepCsv_Click);
    connect(menu.saveTouchstone, &QAction::triggered, this, &frmMain::mnuSaveSweepTouchstone_Click);
    connect(menu.keepReference, &QAction::triggered, this, &frmMain::mnuKeepReference_Click);
    connect(menu.loadReference, &QAction::triggered, this, &frmMain::mnuLoadReference_Click);
    connect(menu.clearReference, &QAction::triggered, this, &frmMain::mnuClearReference_Click);
    enableResultsMenu();
}

// Point i as the radio was tuned and the meter answered; a rejected poll is no reading,
// whatever the meter reading still holds. Point 1 begins the record of a new sweep.
void frmMain::recordPoint(int point, double frequencyMHz, const PointTaking& taken) {
    if (point == 1) {
        const QString now = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss");
        m_record = SweepRecord{{now.toStdString(), m_plan.StartFreq, m_plan.StopFreq,
                                m_plan.StepFreq, m_plan.CarrierMode},
                               {}};
    }
    m_record.points.push_back({rigFrequencyHz(frequencyMHz).value_or(0),
                               pointReadingOf(m_reading, m_pollAccepted), taken});
    m_devices.chart->setSweepRecord(m_record);
    enableResultsMenu();
}

void frmMain::clearSweepRecord() {
    m_record = SweepRecord{};
    m_devices.chart->setSweepRecord(m_record);
    enableResultsMenu();
}

void frmMain::enableResultsMenu() {
    const ChartMenuActions& menu = m_devices.chart->menuActions();
    const bool swept = m_record.hasReadings();
    for (QAction* action :
         {menu.copySweep, menu.saveCsv, menu.saveTouchstone, menu.keepReference}) {
        action->setEnabled(swept);
    }
    menu.clearReference->setEnabled(m_hasReference);
}

void frmMain::mnuCopySweep_Click() {
    if (m_record.hasReadings()) {
        m_devices.clipboard->setText(writeSweepCsv(m_record));
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
    setTimer1Enabled(false);
    if (const auto path = m_devices.sweepFileDialog->chooseSaveName(saveRequest(kind))) {
        std::string whyNot;
        if (!m_devices.textFiles->write(*path, sweepFileText(m_record, kind), whyNot)) {
            m_devices.messages->show("The sweep could not be saved to " + *path + " (" + whyNot +
                                     "). Any file of that name is unchanged; choose another "
                                     "folder or name.");
        }
    }
    setTimer1Enabled(true);
}

void frmMain::mnuKeepReference_Click() {
    if (m_record.hasReadings()) {
        m_devices.chart->setReference(m_record, "Reference: sweep of " + m_record.notes.takenAt);
        m_hasReference = true;
        enableResultsMenu();
    }
}

void frmMain::mnuLoadReference_Click() {
    setTimer1Enabled(false);
    if (const auto path = m_devices.sweepFileDialog->chooseOpenName(kLoadRequest)) {
        std::string whyNot;
        if (const auto text = m_devices.textFiles->read(*path, whyNot)) {
            const auto read = readSweepFile(*path, *text);
            if (const auto* reference = std::get_if<SweepRecord>(&read)) {
                m_devices.chart->setReference(*reference, "Reference: " + fileNameOf(*path));
                m_hasReference = true;
                enableResultsMenu();
            } else {
                whyNot = std::get<FileError>(read).describe();
            }
        }
        if (!whyNot.empty()) {
            m_devices.messages->show("The reference could not be loaded from " + *path + ": " +
                                     whyNot + ". The chart is left as it was.");
        }
    }
    setTimer1Enabled(true);
}

void frmMain::mnuClearReference_Click() {
    m_devices.chart->clearReference();
    m_hasReference = false;
    enableResultsMenu();
}

}  // namespace zm
