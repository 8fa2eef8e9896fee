// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include "app/devices.h"
#include "app/station_ini.h"
#include "app/station_watch.h"

class QWidget;

namespace zm {

// The station as the window keeps it: station.ini, and the radio's side watched at the
// rigctld that station.ini's [rig] names.
struct StationParts {
    // `sweepRunning` says whether a sweep holds the station.
    StationParts(QWidget& window, Devices& devices, std::function<bool()> sweepRunning)
        : ini(devices.config.directory(), *devices.messages),
          watch(
              window, devices, [this]() -> const RigSettings& { return ini.settings().rig; },
              std::move(sweepRunning)) {}

    StationIni ini;
    StationWatch watch;
};

}  // namespace zm
