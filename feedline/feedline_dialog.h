// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "feedline/cable_list.h"
#include "results/sweep_record.h"
#include "station/station_file.h"

namespace zm {

// What Setup, Feedline... shows when it opens.
struct FeedlineDialogInput {
    FeedlineSettings current;
    std::vector<Cable> cables;
    std::string cableListProblem;  // why the list is empty, for the user; empty when it is not
    SweepRecord lastSweep;         // at the meter: what "Find length..." fits
};

// Setup, Feedline...: the cable between the meter and the antenna, and its length.
class FeedlineDialog {
public:
    virtual ~FeedlineDialog() = default;
    // Modal; the feedline chosen with OK, none on Cancel.
    virtual std::optional<FeedlineSettings> edit(const FeedlineDialogInput& input) = 0;
};

}  // namespace zm
