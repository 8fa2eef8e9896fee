// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "bandplan/band_plan.h"
#include "feedline/transmission_line.h"
#include "history/sweep_entry.h"

namespace zm {

// What a file this program wrote holds, as a sweep for the history of `antenna`: a CSV of
// "Save sweep as" or zm480-sweep, a memory of memories/, or a Touchstone file. Its time is the
// file's own note, else the file's last change; its band the band of `plan` it lies in; its
// plane the file's. A feedline the file names is known by its figures when it is the
// station's or one of `cables`. Why not, in words for the user, when the file cannot be read.
struct ImportPlace {
    std::string antenna;
    const BandPlan* plan = nullptr;
    const std::optional<Feedline>* stationFeedline = nullptr;
    const std::vector<Cable>* cables = nullptr;
};
std::variant<SweepEntry, std::string> importedEntry(const std::filesystem::path& file,
                                                    const ImportPlace& place);

}  // namespace zm
