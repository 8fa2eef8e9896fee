// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "results/sweep_record.h"
#include "results/text_file.h"

namespace zm {

enum class SweepFileKind { Csv, Touchstone };

// The file's text in the chosen format.
std::string sweepFileText(const SweepRecord& record, SweepFileKind kind);

// A sweep file's kind by its name: ".s1p" in any case is Touchstone, anything else the CSV
// this program writes.
SweepFileKind sweepFileKindOf(std::string_view fileName);

// A sweep file loaded as a memory, in the kind its name says. A file without a single
// reading, at its plane or the meter's beyond the feedline's loss, has nothing to draw and
// is refused.
std::variant<SweepRecord, FileError> readSweepFile(std::string_view fileName,
                                                   std::string_view text);

}  // namespace zm
