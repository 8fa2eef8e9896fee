// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "meter/meter_record.h"
#include "sweep/plot_grid.h"

namespace zm {

// What a sweep point puts into its row of the plot grid: the plot mode's columns, each with
// the point's value, or emptied for a point that was not keyed. The row's other columns
// keep what an earlier sweep in another plot mode left there.
//
//   R+jX        2 R, 3 X            SWR - 3:1, SWR - 10:1   5 SWR (the meter's four decimals)
//   Z & Phase   4 Z, 6 phase        RHO                     7 |Gamma| against 50 ohm
struct GridRow {
    int row = 0;                              // from 1
    std::vector<std::pair<int, Cell>> cells;  // column, value

    // The columns as bits: bit c for column c.
    std::uint8_t columnBits() const;
};

// The row of a point read as `reading`, or of one not keyed (none), in the plot mode of
// that index (none selected: no columns).
GridRow gridRowOf(int row, int plotMode, const MeterReading* reading);

}  // namespace zm
