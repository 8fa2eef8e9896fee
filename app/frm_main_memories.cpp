// SPDX-License-Identifier: GPL-3.0-or-later
// The memories: kept from the last sweep or loaded from a file, shown, hidden, renamed,
// deleted and saved from their dialog, and drawn by both charts.

#include <QDate>
#include <QFileInfo>
#include <algorithm>

#include "app/frm_main.h"

namespace zm {

namespace {

const SweepFileRequest kLoadRequest{"Load memory", "Sweeps (*.csv *.s1p *.S1P);;All files (*)", "",
                                    ""};

// The name as a file name: no folder separators, and a memory loaded from "dipole.s1p"
// is offered as "dipole.csv", not "dipole.s1p.csv".
SweepFileRequest saveMemoryRequest(const std::string& name) {
    QString fileName = QString::fromStdString(name).replace('/', '-').replace(':', '.');
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == "csv" || suffix == "s1p") {
        fileName.chop(suffix.size() + 1);
    }
    return {"Save memory", "CSV files (*.csv);;Touchstone files (*.s1p)", "csv",
            fileName.toStdString() + ".csv"};
}

}  // namespace

void frmMain::mnuKeepMemory_Click() {
    if (m_record.hasReadings()) {
        const std::string today = QDate::currentDate().toString("yyyy-MM-dd").toStdString();
        m_memories.keep({defaultMemoryName(m_record, today), true, 0, m_shownRecord});
    }
}

void frmMain::mnuLoadMemory_Click() {
    const PollingPause paused(*this);
    if (const auto path = m_devices.sweepFileDialog->chooseOpenName(kLoadRequest)) {
        std::string whyNot;
        if (const auto text = m_devices.textFiles->read(*path, whyNot)) {
            const auto read = readSweepFile(*path, *text);
            if (const auto* record = std::get_if<SweepRecord>(&read)) {
                const std::string name =
                    QFileInfo(QString::fromStdString(*path)).fileName().toStdString();
                m_memories.keep({name, true, 0, *record});
            } else {
                whyNot = std::get<FileError>(read).describe();
            }
        }
        if (!whyNot.empty()) {
            m_devices.messages->show("The memory could not be loaded from " + *path + ": " +
                                     whyNot + ". The charts are left as they were.");
        }
    }
}

void frmMain::mnuMemories_Click() {
    m_memories.openDialog();
}

// As CSV, or as Touchstone when the name chosen ends in .s1p.
void frmMain::saveMemory(const Memory& memory) {
    const PollingPause paused(*this);
    if (const auto path =
            m_devices.sweepFileDialog->chooseSaveName(saveMemoryRequest(memory.name))) {
        saveFile(*path, sweepFileText(memory.record, sweepFileKindOf(*path)),
                 "The memory \"" + memory.name + "\"");
    }
}

void frmMain::memoriesChanged() {
    const std::vector<Memory> shown = m_feedlinePlane.shownMemories(m_memories.memories());
    m_devices.chart->setMemories(shown);
    if (m_smithWindow) {
        m_smithWindow->chart().setMemories(shown);
    }
    m_memories.refreshDialog();
}

}  // namespace zm
