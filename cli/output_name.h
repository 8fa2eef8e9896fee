// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "results/sweep_files.h"

namespace zm {

// Where a sweep's file goes, as "Save sweep as" writes it: CSV or Touchstone by the name's
// ending, or CSV on standard output for "-".
struct SweepOutput {
    static constexpr std::string_view kStandardOutput = "-";

    std::string path{kStandardOutput};
    SweepFileKind kind = SweepFileKind::Csv;

    bool toStandardOutput() const { return path == kStandardOutput; }
};

// The name given to -o: one that ends in ".csv" or ".s1p", in any letter case, or "-".
// Empty for any other, with what to do in whyNot: "sweep.txt: the name must end in .csv
// (CSV) or .s1p (Touchstone), or be - for CSV on standard output".
std::optional<SweepOutput> readOutputName(std::string_view name, std::string& whyNot);

// The file of one band when `bandCount` bands are swept: with several, the band's name
// goes before the ending, "sweep.csv" -> "sweep-40m.csv", each character of it that could
// lead elsewhere in a path turned into "_"; with one band, and on standard output, the
// output as given.
SweepOutput outputForBand(const SweepOutput& output, std::string_view bandName,
                          std::size_t bandCount);

}  // namespace zm
