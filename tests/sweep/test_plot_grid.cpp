// SPDX-License-Identifier: GPL-3.0-or-later

#include "sweep/plot_grid.h"

#include <gtest/gtest.h>

#include <ostream>

#include <stdexcept>
#include <string>

namespace zm {
namespace {

TEST(PlotGrid, ReallocateGivesRowsOfSevenEmptyCells) {
    PlotGrid grid;
    grid.reallocate(8);
    ASSERT_EQ(grid.rows(), 8);
    for (int row = 1; row <= 8; ++row) {
        for (int column = 1; column <= PlotGrid::kColumns; ++column) {
            EXPECT_TRUE(std::holds_alternative<std::monostate>(grid.at(row, column)));
        }
    }
}

TEST(PlotGrid, ReallocateDiscardsEveryValue) {
    PlotGrid grid;
    grid.reallocate(3);
    grid.at(2, 5) = Fixed4::fromDouble(1.5);
    grid.at(1, 1) = std::string("14 ");
    grid.reallocate(3);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(grid.at(2, 5)));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(grid.at(1, 1)));
}

TEST(PlotGrid, NegativeRowCountIsRefusedAndTheGridKept) {
    PlotGrid grid;
    grid.reallocate(2);
    grid.at(2, 7) = 0.5;
    EXPECT_THROW(grid.reallocate(-1), std::invalid_argument);
    ASSERT_EQ(grid.rows(), 2);
    EXPECT_EQ(cellValue(grid.at(2, 7)), 0.5);
}

struct BoundsCase {
    const char* name;
    int row;
    int column;
    bool exists;
    friend void PrintTo(const BoundsCase& c, std::ostream* os) { *os << c.name; }
};

class GridBoundsTable : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(GridBoundsTable, IndexesFromOne) {
    PlotGrid grid;
    grid.reallocate(8);
    const PlotGrid& constGrid = grid;
    const BoundsCase& c = GetParam();
    if (c.exists) {
        EXPECT_NO_THROW(grid.at(c.row, c.column));
        EXPECT_NO_THROW(constGrid.at(c.row, c.column));
    } else {
        EXPECT_THROW(grid.at(c.row, c.column), std::out_of_range);
        EXPECT_THROW(constGrid.at(c.row, c.column), std::out_of_range);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cells, GridBoundsTable,
    ::testing::Values(BoundsCase{"FirstCell", 1, 1, true}, BoundsCase{"LastCell", 8, 7, true},
                      BoundsCase{"RowZero", 0, 1, false}, BoundsCase{"RowPastEnd", 9, 1, false},
                      BoundsCase{"ColumnZero", 1, 0, false}, BoundsCase{"ColumnEight", 1, 8, false},
                      BoundsCase{"NegativeRow", -1, 1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlotGrid, CellValueCountsOnlyNumbers) {
    EXPECT_EQ(cellValue(Cell{}), 0.0);
    EXPECT_EQ(cellValue(Cell{-12.25}), -12.25);
    EXPECT_EQ(cellValue(Cell{std::string("14.05 ")}), 0.0);
    EXPECT_EQ(cellValue(Cell{Fixed4::fromTenThousandths(15000)}), 1.5);
}

}  // namespace
}  // namespace zm
