// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as window.ini. A sound file gives one of the zoom's steps, and that zoom written
// reads back the same; a damaged one gives 100 %.

#include "fuzz/fuzz_check.h"
#include "zoom/zoom.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using zm::fuzz::require;
    const std::string_view text = zm::fuzz::asText(data, size);
    const zm::WindowFileRead read = zm::readWindowText(text);
    require(zm::Zoom::ofPercent(read.zoom.percent()).has_value(), "the zoom is one of the steps",
            text);
    if (!read.damage.empty()) {
        require(read.zoom == zm::Zoom(), "a damaged file gives 100 %", text, read.damage);
        return 0;
    }
    const zm::WindowFileRead again = zm::readWindowText(zm::writeWindowText(read.zoom));
    require(again.damage.empty() && again.zoom == read.zoom, "what is written reads back the same",
            text, again.damage);
    return 0;
}
