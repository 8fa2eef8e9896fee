// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "results/sweep_record.h"
#include "results/text_file.h"

namespace zm {

// How many colours the charts tell memories apart by.
inline constexpr int kMemoryColours = 8;

// A sweep kept to compare the next ones against, drawn dashed in its own colour.
struct Memory {
    std::string name;
    bool shown = true;
    int colour = 0;  // which of the charts' memory colours, 0 to kMemoryColours - 1
    SweepRecord record;
};

// A memory as a file: the sweep's CSV, as "Save sweep as CSV…" writes it, after three
// comment lines of its own, which any CSV reader passes over:
//
//   # memory: 14:03 14.000-14.350 MHz
//   # shown: yes
//   # colour: 2
//   # program: ZM-480 Plot
//   ...
std::string writeMemoryFile(const Memory& memory);

// Reads a memory file, or any CSV of ours put among them: without its own lines it is named
// `fallbackName`, shown, and its colour is -1, for the caller to choose. The sweep's notes
// (its time, band, step and carrier mode) come back from the CSV's comment lines. A file without a
// reading is refused, as for "Load memory…".
std::variant<Memory, FileError> readMemoryFile(std::string_view text,
                                               std::string_view fallbackName);

// "14:03 14.000-14.350 MHz": when the sweep began and its band, with the date before the
// time when that was not `today` ("2024-05-01"); the band alone for a sweep read from a file.
std::string defaultMemoryName(const SweepRecord& record, std::string_view today);

// "40m 14:03": a band's sweep of "Sweep my bands...", by its band and the time it began.
std::string bandMemoryName(std::string_view bandName, const SweepRecord& record);

// A name as typed, on one line and without blanks at either end; empty when nothing is left.
std::string cleanMemoryName(std::string_view typed);

// The colour of `colours` that the fewest memories use, the first of equals.
int leastUsedColour(const std::vector<Memory>& memories, int colours);

}  // namespace zm
