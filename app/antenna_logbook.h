// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>
#include <string>

#include "app/devices.h"
#include "app/memories_part.h"
#include "app/result_pictures.h"
#include "app/station_ini.h"
#include "app/sweep_results.h"
#include "dialogs/history_window.h"
#include "zoom/zoom.h"

class QWidget;

namespace zm {

// Antenna, History...: the History window of every sweep kept, the antenna in use first, with
// its trend and drift; a sweep chosen there kept as a memory or saved as a file.
class AntennaLogbook {
public:
    AntennaLogbook(QWidget& window, Devices& devices, const StationIni& station,
                   MemoriesPart& memories, ResultPictures& pictures, SweepResults::AtRest atRest);

    // Made when first opened; it reads the history afresh each time it is opened.
    void open(const std::string& antennaInUse, int plotMode);
    void setZoom(Zoom zoom);

private:
    void save(const StoredSweep& sweep);

    QWidget& m_window;
    Devices& m_devices;
    const StationIni& m_station;
    MemoriesPart& m_memories;
    ResultPictures& m_pictures;
    SweepResults::AtRest m_atRest;
    QPointer<HistoryWindow> m_historyWindow;
};

}  // namespace zm
