// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

#include "bandplan/band_plan.h"
#include "feedline/transmission_line.h"
#include "results/sweep_record.h"
#include "station/station_file.h"
#include "sweep/sweep_plan.h"

namespace zm {

// One sweep as it was asked for, copied when the run starts: nothing a front end changes
// meanwhile reaches the sweep in progress.
struct SweepRequest {
    SweepPlan plan;  // start, stop and step in MHz, the point count and the carrier mode
    // The plot mode's index, R+jX 0 to RHO 4: the grid columns each point fills.
    int plotMode = -1;
    BandPlan bandPlan;    // where the carrier may go; a plan without bands keys nothing
    SweepSettings sweep;  // the settle, the power ceiling, every point or refined
    // rigctld's port, and the radio's device when the program runs rigctld for it: the
    // radio that the sweep claims against other copies of the program.
    RigSettings rig;
    // Between the meter and the antenna; none: the readings are the meter's. A refined
    // sweep reads its curve at the plane shown.
    std::optional<Feedline> feedline;
    Plane shownPlane = Plane::Meter;
    // The antenna the sweep is for, and the radio's sockets tied to antennas: where the radio
    // says which socket it uses and a tie names that socket, the sweep is for the tied one.
    // None: the sweep names no antenna.
    std::optional<AntennaSettings> antennas = std::nullopt;
};

}  // namespace zm
