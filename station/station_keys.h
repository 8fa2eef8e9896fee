// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <string>
#include <string_view>

#include "station/station_file.h"

namespace zm {

// One key of station.ini: how its value is read into the settings and written from them.
// read gives false when the value does not fit; hint then tells the user what does, after
// the line: "line 4: baud=fast must be a rate in bit/s, e.g. 19200, or empty for ...".
// A value that does not fit may leave the settings half changed: the reader then gives
// the defaults for the whole file.
struct StationKey {
    std::string_view section;
    std::string_view key;
    std::string_view hint;
    bool (*read)(std::string_view value, StationSettings& settings);
    std::string (*write)(const StationSettings& settings);
};

// Every key this program knows, in the order it writes them into a new file.
extern const std::array<StationKey, 22> kStationKeys;

// The known key, or none for a key that a later version may know.
const StationKey* stationKeyFor(std::string_view section, std::string_view key);

}  // namespace zm
