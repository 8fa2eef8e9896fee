// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/sweep_results.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileInfo>

#include "app/chosen_file.h"
#include "results/memory_file.h"
#include "results/sweep_csv.h"

namespace zm {

namespace {

SweepFileRequest saveRequest(SweepFileKind kind) {
    if (kind == SweepFileKind::Csv) {
        return {"Save sweep as CSV", "CSV files (*.csv)", "csv", "sweep.csv"};
    }
    return {"Save sweep as Touchstone", "Touchstone files (*.s1p)", "s1p", "sweep.s1p"};
}

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

SweepResults::SweepResults(QWidget& window, Devices& devices, SweepModel& model,
                           FeedlinePlane& plane, MemoriesPart& memories, AtRest atRest,
                           std::function<void(SmithWindow&)> smithMade)
    : m_window(window),
      m_devices(devices),
      m_model(model),
      m_plane(plane),
      m_memories(memories),
      m_atRest(std::move(atRest)),
      m_smithMade(std::move(smithMade)) {
    const ChartMenuActions& menu = m_devices.chart->menuActions();
    connect(menu.copySweep, &QAction::triggered, this, &SweepResults::copySweep);
    connect(menu.saveCsv, &QAction::triggered, this, [this] { saveSweepAs(SweepFileKind::Csv); });
    connect(menu.saveTouchstone, &QAction::triggered, this,
            [this] { saveSweepAs(SweepFileKind::Touchstone); });
    connect(menu.keepMemory, &QAction::triggered, this, &SweepResults::keepAsMemory);
    connect(menu.loadMemory, &QAction::triggered, this, &SweepResults::loadMemory);
    connect(menu.memories, &QAction::triggered, this, [this] { m_memories.openDialog(); });
    connect(menu.smithChart, &QAction::triggered, this, &SweepResults::openSmithChart);
    connect(menu.matchPoint, &QAction::triggered, this, &SweepResults::matchMenuPoint);
    connect(&m_model, &SweepModel::changed, this, &SweepResults::showRecord);
    enableMenu();
}

void SweepResults::setRecord(SweepRecord record) {
    SweepRecord shown = m_plane.atShownPlane(record);
    m_model.setRecord(std::move(record), std::move(shown), m_plane.shownPlane());
}

void SweepResults::recordPoint(int point, SweepPoint swept) {
    SweepRecord record = m_model.record();
    placePoint(record, point, std::move(swept));
    setRecord(std::move(record));
}

void SweepResults::showAtPlane() {
    setRecord(m_model.record());
}

void SweepResults::showRecord() {
    m_devices.chart->setSweepRecord(m_model.shown());
    if (m_smithWindow) {
        m_smithWindow->chart().setSweep(m_model.shown());  // painted in the sweep's next wait
    }
    enableMenu();
}

void SweepResults::showMemories() {
    const std::vector<Memory> shown = m_plane.shownMemories(m_memories.memories());
    m_devices.chart->setMemories(shown);
    if (m_smithWindow) {
        m_smithWindow->chart().setMemories(shown);
    }
    m_memories.refreshDialog();
}

void SweepResults::enableMenu() {
    const ChartMenuActions& menu = m_devices.chart->menuActions();
    const bool swept = m_model.record().hasReadings();
    for (QAction* action : {menu.copySweep, menu.saveCsv, menu.saveTouchstone, menu.keepMemory}) {
        action->setEnabled(swept);
    }
}

void SweepResults::copySweep() {
    if (m_model.record().hasReadings()) {
        m_devices.clipboard->setText(writeSweepCsv(m_model.shown()));
    }
}

// Polling rests while the dialog and any message are up, as for the File menu's entries.
void SweepResults::saveSweepAs(SweepFileKind kind) {
    if (!m_model.record().hasReadings()) {
        return;
    }
    m_atRest([&] {
        if (const auto path = m_devices.sweepFileDialog->chooseSaveName(saveRequest(kind))) {
            saveChosenFile(m_devices, *path, sweepFileText(m_model.shown(), kind), "The sweep");
        }
    });
}

void SweepResults::keepAsMemory() {
    if (m_model.record().hasReadings()) {
        const std::string today = QDate::currentDate().toString("yyyy-MM-dd").toStdString();
        m_memories.keep({defaultMemoryName(m_model.record(), today), true, 0, m_model.shown()});
    }
}

void SweepResults::loadMemory() {
    m_atRest([&] {
        const auto path = m_devices.sweepFileDialog->chooseOpenName(kLoadRequest);
        if (!path) {
            return;
        }
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
    });
}

// As CSV, or as Touchstone when the name chosen ends in .s1p.
void SweepResults::saveMemory(const Memory& memory) {
    m_atRest([&] {
        if (const auto path =
                m_devices.sweepFileDialog->chooseSaveName(saveMemoryRequest(memory.name))) {
            saveChosenFile(m_devices, *path, sweepFileText(memory.record, sweepFileKindOf(*path)),
                           "The memory \"" + memory.name + "\"");
        }
    });
}

void SweepResults::openSmithChart() {
    if (!m_smithWindow) {
        m_smithWindow = new SmithWindow(
            QDir(m_devices.config.directory()).filePath("smith-chart.ini"), &m_window);
        m_smithWindow->chart().setSweep(m_model.shown());
        m_smithWindow->chart().setMemories(m_plane.shownMemories(m_memories.memories()));
        if (m_matchDialog) {
            m_smithWindow->chart().setMatchPath(m_matchDialog->path());
        }
        m_smithWindow->chart().onPointChosen = [this](const TracePoint& point) {
            matchPoint(point);
        };
        m_smithMade(*m_smithWindow);
    }
    m_smithWindow->show();
    m_smithWindow->raise();
    m_smithWindow->activateWindow();
}

void SweepResults::matchMenuPoint() {
    if (const auto point = m_devices.chart->menuPoint()) {
        matchPoint(*point);
    }
}

void SweepResults::matchPoint(const TracePoint& point) {
    if (!m_matchDialog) {
        m_matchDialog = new MatchDialog(*m_devices.clipboard, &m_window);
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

void SweepResults::setZoom(Zoom zoom) {
    if (m_smithWindow) {
        m_smithWindow->setZoom(zoom);
    }
}

void SweepResults::saveWindowSettings() {
    if (m_smithWindow && m_smithWindow->isVisible()) {
        m_smithWindow->saveSettings();  // beside config.ini, in a file of its own
    }
}

}  // namespace zm
