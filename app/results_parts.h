// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

#include "app/devices.h"
#include "app/feedline_plane.h"
#include "app/memories_part.h"
#include "app/result_pictures.h"
#include "app/sweep_model.h"
#include "app/sweep_results.h"
#include "station/station_file.h"

class QWidget;

namespace zm {

// What a sweep leaves: its record and its files, the memories kept beside it, and the
// pictures of the charts that show them; wired to one another here.
struct ResultsParts {
    // `rig` gives station.ini's [rig], which the pictures' headings name.
    ResultsParts(QWidget& window, Devices& devices, SweepModel& model, FeedlinePlane& plane,
                 std::function<const RigSettings&()> rig, const SweepResults::AtRest& atRest);

    MemoriesPart memories;
    SweepResults sweep;
    ResultPictures pictures;
};

}  // namespace zm
