// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/grid_row.h"

#include "results/impedance.h"

namespace zm {

std::uint8_t GridRow::columnBits() const {
    std::uint8_t bits = 0;
    for (const auto& [column, cell] : cells) {
        bits |= static_cast<std::uint8_t>(1u << column);
    }
    return bits;
}

GridRow gridRowOf(int row, int plotMode, const MeterReading* reading) {
    const auto cell = [](const std::optional<double>& value) -> Cell {
        return value ? Cell(*value) : Cell();
    };
    GridRow filled{row, {}};
    auto& cells = filled.cells;
    switch (plotMode) {
        case 0:  // R+jX
            cells = {{2, reading ? cell(reading->R) : Cell()},
                     {3, reading ? cell(reading->X) : Cell()}};
            break;
        case 1:  // Z & Phase
            cells = {{4, reading ? cell(reading->Z) : Cell()},
                     {6, reading ? cell(reading->Phase) : Cell()}};
            break;
        case 2:  // SWR - 3:1
        case 3:  // SWR - 10:1
            cells = {{5, reading ? Cell(reading->SWR) : Cell()}};
            break;
        case 4:  // RHO: |Gamma| against 50 ohm, 0 for a matched load and 1 for an open or short
            cells = {{7, reading && reading->Z && reading->Phase
                             ? Cell(rhoOf(*reading->Z, *reading->Phase))
                             : Cell()}};
            break;
        default:
            break;
    }
    return filled;
}

}  // namespace zm
