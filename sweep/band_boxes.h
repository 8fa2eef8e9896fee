// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

#include "bandplan/band_plan.h"

namespace zm {

// What the Band menu puts into the start and stop boxes for a band. The boxes are read to
// two decimals, a 10 kHz grid, so a band is planned on the grid's points inside it: the
// lower edge rounded up, and the stop box on the last point the step in force plans from
// there without passing the band. With 50 kHz steps:
//
//   20m  14.000 – 14.350 MHz   boxes 14.00 and 14.35: 8 points, 14.0 to 14.35
//   20m  14.025 – 14.350 MHz   boxes 14.03 and 14.33: 7 points, 14.03 to 14.33 (14.35 would
//                              show a stop the sweep never reaches)
//   17m  18.068 – 18.168 MHz   boxes 18.07 and 18.12: 18.07 and 18.12 (18.16 would plan a
//                              third point at 18.17, beyond the band)
//   60m  5.3515 – 5.3665 MHz   one point, at 5.36: no two grid points lie inside
//   60m  the five US channels  none: no grid point lies on a channel; Sweep my bands, which
//                              is not read from the boxes, sweeps them
struct BandBoxes {
    enum class Kind { Span, OnePoint, SweepMyBands };
    Kind kind = Kind::SweepMyBands;
    // On the grid; equal for one point, 0 for Sweep my bands.
    std::int64_t startHz = 0;
    std::int64_t stopHz = 0;
};

// For a carrier with sidebandHz either side (AM's must fit in the band too) and the step in
// force. A step too fine for the point counter keeps the band's grid edges, which the boxes
// then refuse as typing them would.
BandBoxes bandBoxes(const Band& band, double stepMHz, std::int64_t sidebandHz);

// A box's text for a grid frequency: 18070000 -> "18.07".
std::string boxText(std::int64_t hz);

// The Band menu's item for a band: its edges, and what it does when it is not a span:
// "60m  5.3515 – 5.3665 MHz (one point at 5.36)", "60m  5.332 – 5.405 MHz (Sweep my bands)".
std::string bandMenuItemText(const Band& band, std::int64_t sidebandHz);

}  // namespace zm
