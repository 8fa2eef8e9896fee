// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as station.ini. A sound file written back, over itself or fresh, must read back
// sound and as the same settings; a damaged one must give the defaults.

#include "fuzz/fuzz_check.h"
#include "station/station_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zm::fuzz::require;
    const std::string_view text = zm::fuzz::asText(data, size);
    const zm::StationFileRead read = zm::readStationText(text);
    if (!read.damage.empty()) {
        require(read.settings == zm::StationSettings{}, "a damaged file gives the defaults", text,
                read.damage);
        return 0;
    }
    for (const std::string& written :
         {zm::writeStationText(read.settings, text), zm::writeStationText(read.settings)}) {
        const zm::StationFileRead again = zm::readStationText(written);
        require(again.damage.empty(), "what is written reads back sound", text, again.damage);
        require(again.settings == read.settings, "what is written reads back the same", text,
                written);
    }
    return 0;
}
