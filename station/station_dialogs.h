// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "station/rig_model_list.h"
#include "station/serial_devices.h"
#include "station/station_file.h"

namespace zm {

// What Setup, Station shows when it opens.
struct StationDialogInput {
    std::string meterPortName;  // "Com01": the port of the window's port list
    std::string meterDevice;    // the device that port opens now
    std::vector<SerialDevice> devices;
    std::vector<RigModel> models;
    RigSettings rig;
    // The rates a model accepts; empty when unknown.
    std::function<std::vector<int>(int model)> ratesOf;
    // Test: reaches rigctld for these settings and hands over what the radio answered, or why
    // not, later, from the event loop.
    std::function<void(const RigSettings&, std::function<void(std::string)>)> test;
};

// What the user chose with OK.
struct StationChoice {
    std::string meterDevice;  // the device for the meter's port; unchanged when the same
    RigSettings rig;
};

// Setup, Station: the meter's device and the radio, in one dialog.
class StationDialogs {
public:
    virtual ~StationDialogs() = default;
    // Modal; empty on Cancel.
    virtual std::optional<StationChoice> ask(const StationDialogInput& input) = 0;
};

}  // namespace zm
