// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

#include "meter/fixed4.h"

namespace zm {

// One cell of the plot grid: empty, a double, a text (the frequency labels) or a
// four-decimal fixed-point value (the SWR, exactly as the meter reading holds it).
using Cell = std::variant<std::monostate, double, std::string, Fixed4>;

// The chart's value of a cell: numbers as they are, empty and text as 0.
double cellValue(const Cell& cell);

// The table of a sweep: one row per sweep point, seven columns, both indexed from 1.
//   1 frequency label ("14.05 ")   2 R   3 X   4 Z   5 SWR   6 Phase   7 RHO = |Gamma|
// Columns 2..7 are the chart's series 1..6.
class PlotGrid {
public:
    static constexpr int kColumns = 7;

    // Discards everything: rows x 7 empty cells.
    void reallocate(int rows);
    int rows() const { return m_rows; }

    // 1-based; out-of-range indexes throw std::out_of_range.
    Cell& at(int row, int column);
    const Cell& at(int row, int column) const;

private:
    int m_rows = 0;
    std::vector<Cell> m_cells;
};

}  // namespace zm
