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
        keepMemory({defaultMemoryName(m_record, today), true, 0, m_shownRecord});
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
                keepMemory({name, true, 0, *record});
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
    if (!m_memoriesDialog) {
        m_memoriesDialog = new MemoriesDialog(
            {[this](std::size_t i, bool shown, const std::string& name) {
                 changeMemory(i, shown, name);
             },
             [this](std::size_t i) { deleteMemory(i); }, [this](std::size_t i) { saveMemory(i); }},
            this);
        m_memoriesDialog->setMemories(m_shelf.memories());
    }
    m_memoriesDialog->show();
    m_memoriesDialog->raise();
}

// Every change is shown at once; one the disk refused is also told, and lasts this run.
void frmMain::keepMemory(Memory memory) {
    std::string whyNot;
    if (!m_shelf.add(std::move(memory), whyNot)) {
        m_devices.messages->show(whyNot);
    }
    memoriesChanged();
}

// A row's tick or name; the one that did not change writes nothing, and the charts are
// told once.
void frmMain::changeMemory(std::size_t index, bool shown, const std::string& name) {
    std::string whyNot;
    if (!m_shelf.setShown(index, shown, whyNot)) {
        m_devices.messages->show(whyNot);
    }
    if (!m_shelf.rename(index, name, whyNot)) {
        m_devices.messages->show(whyNot);
    }
    memoriesChanged();
}

void frmMain::deleteMemory(std::size_t index) {
    std::string whyNot;
    if (!m_shelf.remove(index, whyNot)) {
        m_devices.messages->show(whyNot);
    }
    memoriesChanged();
}

// As CSV, or as Touchstone when the name chosen ends in .s1p.
void frmMain::saveMemory(std::size_t index) {
    const Memory memory = m_shelf.memories().at(index);  // the dialog runs the event loop
    const PollingPause paused(*this);
    if (const auto path =
            m_devices.sweepFileDialog->chooseSaveName(saveMemoryRequest(memory.name))) {
        saveFile(*path, sweepFileText(memory.record, sweepFileKindOf(*path)),
                 "The memory \"" + memory.name + "\"");
    }
}

void frmMain::memoriesChanged() {
    const std::vector<Memory> shown = shownMemories();
    m_devices.chart->setMemories(shown);
    if (m_smithWindow) {
        m_smithWindow->chart().setMemories(shown);
    }
    if (m_memoriesDialog) {
        m_memoriesDialog->setMemories(m_shelf.memories());
    }
}

// Once, at the first start-up: the files stay where they are for the user to mend or remove.
void frmMain::reportDamagedMemories() {
    if (m_damagedMemories.empty() || m_closed) {
        return;
    }
    std::string text = "These memories could not be read and are not shown:";
    for (const std::string& damage : m_damagedMemories) {
        text += "\n" + damage;
    }
    m_devices.messages->show(text + "\nThey are left as they are in " +
                             m_shelf.folder().toStdString() +
                             "; mend or remove them there, then start the program again.");
    m_damagedMemories.clear();
}

}  // namespace zm
