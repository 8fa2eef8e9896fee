// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include "bandplan/band_plan.h"
#include "station/station_file.h"

namespace zm {

// "Sweep my bands...": which bands of the chosen plan to sweep in one run, and the points in
// each band's sweep.
class BandsDialog {
public:
    virtual ~BandsDialog() = default;
    // The bands ticked (by name, in the plan's order) and the points, starting from
    // `current`; none on Cancel.
    virtual std::optional<BandsSettings> ask(const BandPlan& plan,
                                             const BandsSettings& current) = 0;
};

}  // namespace zm
