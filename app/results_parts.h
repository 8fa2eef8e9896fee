// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include "app/devices.h"
#include "app/feedline_plane.h"
#include "app/memories_part.h"
#include "app/result_pictures.h"
#include "app/sweep_results.h"
#include "station/station_file.h"
#include "sweep/sweep_plan.h"

class QWidget;

namespace zm {

// What a sweep leaves: its record and its files, the memories kept beside it, and the
// pictures of the charts that show them; wired to one another here.
struct ResultsParts {
    // `plan` is the plan in force, `rig` station.ini's [rig], for the pictures' headings.
    ResultsParts(QWidget& window, Devices& devices, FeedlinePlane& plane, const SweepPlan& plan,
                 std::function<const RigSettings&()> rig, const SweepResults::AtRest& atRest);

    MemoriesPart memories;
    SweepResults sweep;
    ResultPictures pictures;
};

}  // namespace zm
