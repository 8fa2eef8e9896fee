// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/antenna_logbook.h"

#include "app/chosen_file.h"
#include "history/sweep_entry.h"
#include "history/sweep_time.h"
#include "results/sweep_files.h"

namespace zm {

namespace {

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

}  // namespace

AntennaLogbook::AntennaLogbook(QWidget& window, Devices& devices, const StationIni& station,
                               MemoriesPart& memories, ResultPictures& pictures,
                               SweepResults::AtRest atRest)
    : m_window(window),
      m_devices(devices),
      m_station(station),
      m_memories(memories),
      m_pictures(pictures),
      m_atRest(std::move(atRest)) {}

void AntennaLogbook::open(const std::string& antennaInUse, int plotMode) {
    if (!m_historyWindow) {
        m_historyWindow = new HistoryWindow(
            m_devices.config.directory().toStdString(), m_station.settings().history,
            *m_devices.messages,
            {.keep =
                 [this](const StoredSweep& sweep) {
                     m_memories.keep({storedSweepName(sweep), true, 0, sweep.entry.record});
                 },
             .save = [this](const StoredSweep& sweep) { m_atRest([&] { save(sweep); }); }},
            &m_window);
        m_pictures.offer(m_historyWindow->pictureActions(), *m_historyWindow, "history",
                         [this] { return m_historyWindow->shownTitle(); });
    }
    m_historyWindow->setLimits(m_station.settings().history);
    m_historyWindow->setPlotMode(plotMode);
    m_historyWindow->reload(antennaInUse);
    m_historyWindow->show();
    m_historyWindow->raise();
    m_historyWindow->activateWindow();
}

void AntennaLogbook::save(const StoredSweep& sweep) {
    if (const auto path = m_devices.sweepFileDialog->chooseSaveName(
            {"Save sweep as", "CSV files (*.csv);;Touchstone files (*.s1p)", "csv",
             storedSweepFileName(sweep)})) {
        saveChosenFile(m_devices, *path,
                       sweepFileText(recordAsShown(sweep.entry), sweepFileKindOf(*path)),
                       "The sweep");
    }
}

void AntennaLogbook::setZoom(Zoom zoom) {
    if (m_historyWindow) {
        m_historyWindow->setZoom(zoom);
    }
}

}  // namespace zm
