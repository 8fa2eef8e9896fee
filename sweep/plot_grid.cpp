// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/plot_grid.h"

#include <stdexcept>
#include <string>

namespace zm {

namespace {

std::size_t cellIndex(int rows, int row, int column) {
    if (row < 1 || row > rows || column < 1 || column > PlotGrid::kColumns) {
        throw std::out_of_range("PlotGrid: no cell (" + std::to_string(row) + ", " +
                                std::to_string(column) + ") in " + std::to_string(rows) + " rows");
    }
    return static_cast<std::size_t>(row - 1) * PlotGrid::kColumns +
           static_cast<std::size_t>(column - 1);
}

}  // namespace

double cellValue(const Cell& cell) {
    if (const auto* number = std::get_if<double>(&cell)) {
        return *number;
    }
    if (const auto* fixed = std::get_if<Fixed4>(&cell)) {
        return fixed->toDouble();
    }
    return 0.0;
}

void PlotGrid::reallocate(int rows) {
    if (rows < 0) {
        throw std::invalid_argument("PlotGrid: negative row count " + std::to_string(rows));
    }
    // Built aside and swapped in, so a failed allocation leaves the old grid whole.
    std::vector<Cell> cells(static_cast<std::size_t>(rows) * kColumns);
    m_cells.swap(cells);
    m_rows = rows;
}

Cell& PlotGrid::at(int row, int column) {
    return m_cells[cellIndex(m_rows, row, column)];
}

const Cell& PlotGrid::at(int row, int column) const {
    return m_cells[cellIndex(m_rows, row, column)];
}

}  // namespace zm
