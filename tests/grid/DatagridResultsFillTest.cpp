#include "grid/Datagrid.h"

#include "tests/grid/ShownGrid.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int Columns = 26;

std::string Text(int sewer, int col, const char* update) {
    return std::string(update) + std::to_string(sewer) + ":" + std::to_string(col);
}

// The results table's update as its window runs it: emptied to the header row, one row per
// sewer written by real column, then the chooser's ticks hiding or showing each column with
// the grid out of sight.
void Update(TDataGrid& grid, int sewers, const char* update, const std::vector<bool>& ticked) {
    grid.RemoveRows(1, grid.GetRowCount() - 1);
    grid.InsertRows(1, sewers);
    grid.SetFixedRows(1);
    for (int i = 0; i < sewers; ++i)
        for (int c = 0; c < Columns; ++c)
            grid.SetCells(c, i + 1, Text(i, c, update));
    grid.SetVisible(false);
    for (int c = 0; c < Columns; ++c) {
        if (ticked[static_cast<std::size_t>(c)])
            grid.UnHideColumn(c);
        else
            grid.HideColumn(c);
    }
    grid.SetVisible(true);
}

TEST(DatagridResultsFill, TwoUpdatesWithFiveColumnsUnticked) {
    ShownGrid<TDataGrid> shown;
    TDataGrid& grid = *shown.grid;
    grid.SetColCount(Columns);
    grid.SetRowCount(2);
    int colourAsked = 0;
    grid.OnGetCellColor = [&](TObject*, int, int, TGridDrawState, TBrush*, TFont*) { ++colourAsked; };
    for (int c = 0; c < Columns; ++c) {
        grid.SetColWidths(c, 40 + c);
        grid.SetCells(c, 0, "H" + std::to_string(c));
    }
    grid.SetRowHeights(1, 40);
    grid.GetCellProperties(1, 1)->SetBrushColor(clRed);
    shown.Show();

    std::vector<bool> ticked(Columns, true);
    for (int c : {2, 3, 6, 7, 8})
        ticked[static_cast<std::size_t>(c)] = false;
    Update(grid, 3, "a", ticked);
    QApplication::processEvents();
    EXPECT_GT(colourAsked, 0);
    EXPECT_EQ(grid.GetRowCount(), 4);
    // The rows made are new: of the default height, without the old row's properties.
    EXPECT_EQ(grid.GetRowHeights(1), grid.GetDefaultRowHeight());
    EXPECT_FALSE(grid.HasCellProperties(1, 1));
    EXPECT_EQ(grid.GetColCount(), 21);
    EXPECT_EQ(grid.NumHiddenColumns(), 5);
    // The shown columns 2 and 3 are real columns 4 and 5; hidden cells read by real column.
    EXPECT_EQ(grid.RemapCol(2), 4);
    EXPECT_EQ(grid.RemapCol(4), 9);
    EXPECT_EQ(grid.GetColWidths(2), 44);
    EXPECT_EQ(grid.GetCells(3, 2), Text(1, 3, "a"));
    EXPECT_EQ(grid.GetCells(25, 3), Text(2, 25, "a"));

    // Updated again with the columns hidden: their cells are written all the same.
    Update(grid, 5, "b", ticked);
    QApplication::processEvents();
    EXPECT_EQ(grid.GetRowCount(), 6);
    EXPECT_EQ(grid.GetColCount(), 21);
    EXPECT_EQ(grid.GetCells(7, 5), Text(4, 7, "b"));
    EXPECT_EQ(grid.GetCells(2, 0), "H2");

    // Every column ticked: each shows again at its place with its width.
    Update(grid, 5, "c", std::vector<bool>(Columns, true));
    EXPECT_EQ(grid.GetColCount(), Columns);
    for (int c = 0; c < Columns; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(grid.GetColWidths(c), 40 + c);
        EXPECT_EQ(grid.GetCells(c, 1), Text(0, c, "c"));
    }
}

} // namespace
