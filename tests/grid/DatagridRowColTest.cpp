#include "grid/Datagrid.h"

#include "tests/grid/GridTexts.h"
#include "tests/grid/ShownGrid.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

TEST(DatagridRowCol, RowsMoveWhole) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 4, 5);
    grid.HideColumn(2);
    grid.SetRowHeights(2, 40);
    grid.GetCellProperties(1, 2)->SetBrushColor(clRed);
    grid.SetRowSelect(2, true);

    grid.InsertRows(1, 2);
    // Row 2 is now row 4: the hidden column's text, its colour, height and selection with it.
    EXPECT_EQ(RowTexts(grid, 4), "a2 b2 c2 d2");
    EXPECT_EQ(grid.GetCellProperties(1, 4)->GetBrushColor(), clRed);
    EXPECT_EQ(grid.GetCellProperties(1, 4)->Row, 4);
    EXPECT_EQ(grid.GetRowHeights(4), 40);
    EXPECT_TRUE(grid.GetRowSelect(4));
    EXPECT_FALSE(grid.GetRowSelect(2));
    EXPECT_FALSE(grid.GetRowSelect(1));

    grid.RemoveRows(1, 3);
    EXPECT_EQ(RowTexts(grid, 1), "a2 b2 c2 d2");
    EXPECT_EQ(grid.GetCellProperties(1, 1)->Row, 1);
    EXPECT_TRUE(grid.GetRowSelect(1));

    grid.SwapRows(1, 3);
    EXPECT_EQ(RowTexts(grid, 3), "a2 b2 c2 d2");
    EXPECT_EQ(RowTexts(grid, 1), "a4 b4 c4 d4");
    EXPECT_EQ(grid.GetRowHeights(3), 40);
    EXPECT_TRUE(grid.GetRowSelect(3));
    EXPECT_EQ(grid.GetCellProperties(1, 3)->GetBrushColor(), clRed);
}

TEST(DatagridRowCol, RemovingTheSelectedRowsAfterAnInsertion) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 2, 7);
    grid.MouseActions->DisjunctRowSelect = true;
    grid.SetRowSelect(2, true);
    grid.SetRowSelect(4, true);
    grid.InsertRows(1, 1);
    EXPECT_EQ(grid.GetRowSelectCount(), 2);
    grid.RemoveSelectedRows();
    EXPECT_EQ(ColTexts(grid, 0), "a0  a1 a3 a5 a6");
    EXPECT_EQ(grid.GetRowSelectCount(), 0);
}

TEST(DatagridRowCol, RemovalRangesAndBadIndexes) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        const char* column;
    } rows[] = {
        {"past the end removes to the end", [](TDataGrid& g) { g.RemoveRows(4, 10); }, "a0 a1 a2 a3"},
        {"beyond the grid does nothing", [](TDataGrid& g) { g.RemoveRows(7, 1); }, "a0 a1 a2 a3 a4 a5"},
        {"none", [](TDataGrid& g) { g.RemoveRows(2, 0); }, "a0 a1 a2 a3 a4 a5"},
        {"Ex form", [](TDataGrid& g) { g.RemoveRowsEx(1, 2); }, "a0 a3 a4 a5"},
        {"clear rows", [](TDataGrid& g) { g.ClearRows(1, 2); }, "a0   a3 a4 a5"},
        {"clear normal cells", [](TDataGrid& g) { g.ClearNormalCells(); }, "a0 a1 a2 a3 a4 a5"},
        {"clear all", [](TDataGrid& g) { g.Clear(); }, "     "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 3, 6);
        row.act(grid);
        EXPECT_EQ(ColTexts(grid, 0), row.column);
    }

    struct Bad {
        const char* name;
        std::function<void(TDataGrid&)> act;
    } bad[] = {
        {"negative row", [](TDataGrid& g) { g.RemoveRows(-1, 2); }},
        {"negative count", [](TDataGrid& g) { g.RemoveRows(1, -2); }},
        {"every row", [](TDataGrid& g) { g.RemoveRows(0, 6); }},
        {"insert beyond", [](TDataGrid& g) { g.InsertRows(8, 1); }},
        {"column beyond", [](TDataGrid& g) { g.InsertCols(5, 1); }},
        {"remove every column", [](TDataGrid& g) { g.RemoveCols(0, 3); }},
        {"remove beyond", [](TDataGrid& g) { g.RemoveCols(2, 2); }},
        {"clear beyond", [](TDataGrid& g) { g.ClearRect(0, 0, 1, 9); }},
        {"swap beyond", [](TDataGrid& g) { g.SwapRows(1, 6); }},
    };
    for (const Bad& row : bad) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 3, 6);
        grid.HideColumn(1);
        EXPECT_THROW(row.act(grid), EInvalidGridOperation);
        EXPECT_EQ(ColTexts(grid, 0), "a0 a1 a2 a3 a4 a5");
        EXPECT_EQ(RowTexts(grid, 5), "a5 b5 c5");
        EXPECT_EQ(grid.GetColCount(), 2);
        EXPECT_FALSE(grid.GetLockFlag());
    }
}

TEST(DatagridRowCol, ColumnsWithHiddenOnes) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        const char* row1;
        int colCount, hidden;
        int hiddenAt;
    } rows[] = {
        // a b c d [e] f: e hidden.
        {"remove a shown column before the hidden one", [](TDataGrid& g) { g.RemoveCols(1, 1); },
         "a1 c1 d1 e1 f1", 4, 1, 3},
        {"remove the hidden column", [](TDataGrid& g) { g.RemoveCols(4, 1); }, "a1 b1 c1 d1 f1", 5, 0, -1},
        {"remove a run across it", [](TDataGrid& g) { g.RemoveCols(3, 2); }, "a1 b1 c1 f1", 4, 0, -1},
        {"insert before it", [](TDataGrid& g) { g.InsertCols(1, 2); }, "a1   b1 c1 d1 e1 f1", 7, 1, 6},
        {"add a column", [](TDataGrid& g) { g.AddColumn(); }, "a1 b1 c1 d1 e1 f1 ", 6, 1, 4},
        {"swap it with a shown one", [](TDataGrid& g) { g.SwapColumns(1, 4); }, "a1 e1 c1 d1 b1 f1", 5, 1, 1},
        {"merge two columns", [](TDataGrid& g) { g.MergeCols(0, 2); }, "a1 c1 b1 d1 e1 f1", 4, 1, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 6, 3);
        grid.HideColumn(4);
        row.act(grid);
        EXPECT_EQ(RowTexts(grid, 1), row.row1);
        EXPECT_EQ(grid.GetColCount(), row.colCount);
        EXPECT_EQ(grid.NumHiddenColumns(), row.hidden);
        if (row.hiddenAt >= 0) {
            EXPECT_TRUE(grid.IsHiddenColumn(row.hiddenAt));
        }
    }
}

TEST(DatagridRowCol, AHiddenColumnLeftBehindShowsWithItsWidth) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 6, 3);
    grid.SetColWidths(4, 33);
    grid.HideColumn(4);
    grid.RemoveCols(1, 1);
    grid.UnHideColumn(3);
    EXPECT_EQ(grid.GetColCount(), 5);
    EXPECT_EQ(grid.GetColWidths(3), 33);
    EXPECT_EQ(grid.GetCells(3, 1), "e1");
    EXPECT_EQ(grid.GetCells(4, 1), "f1");
}

TEST(DatagridRowCol, SwappingColumnsMovesTheSortColumnAndWidths) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 4, 3);
    grid.SetColWidths(1, 30);
    grid.SortSettings->Column = 1;
    grid.SwapColumns(1, 3);
    EXPECT_EQ(RowTexts(grid, 2), "a2 d2 c2 b2");
    EXPECT_EQ(grid.GetColWidths(3), 30);
    EXPECT_EQ(grid.SortSettings->Column, 3);
}

TEST(DatagridRowCol, MergingAndSplittingRuns) {
    TDataGrid grid(nullptr);
    grid.SetColCount(3);
    grid.SetRowCount(5);
    const char* texts[] = {"head", "A", "A", "B", "B"};
    for (int r = 0; r < 5; ++r)
        grid.SetCells(1, r, texts[r]);
    grid.MergeColumnCells(1, true);
    EXPECT_EQ(grid.CellSpan(1, 2), Point(0, 1));
    EXPECT_EQ(grid.CellSpan(1, 4), Point(0, 1));
    EXPECT_EQ(grid.BaseCell(1, 4), Point(1, 3));
    EXPECT_FALSE(grid.IsMergedCell(1, 0));

    grid.SplitColumnCells(1);
    EXPECT_FALSE(grid.IsMergedCell(1, 1));
    EXPECT_FALSE(grid.IsMergedCell(1, 4));

    grid.SetCells(0, 2, "x");
    grid.SetCells(1, 2, "x");
    grid.SetCells(2, 2, "y");
    grid.MergeRowCells(2, true);
    EXPECT_EQ(grid.CellSpan(1, 2), Point(0, 0));
    grid.SetCells(2, 2, "x");
    grid.MergeRowCells(2, true);
    EXPECT_EQ(grid.CellSpan(2, 2), Point(1, 0));

    // Clearing a block frees its properties and so dissolves it.
    grid.ClearRect(1, 2, 2, 2);
    EXPECT_FALSE(grid.HasCellProperties(1, 2));
    EXPECT_EQ(grid.GetCells(2, 2), "");
}

TEST(DatagridRowCol, MergeColsTrimsAndIsCellSearchesHiddenColumns) {
    TDataGrid grid(nullptr);
    grid.SetColCount(4);
    grid.SetRowCount(3);
    grid.SetCells(1, 1, "a");
    grid.SetCells(2, 2, "b");
    grid.SetCells(3, 2, "needle");
    grid.HideColumn(3);
    int col = -1, row = -1;
    EXPECT_TRUE(grid.IsCell("needle", col, row));
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 2);
    EXPECT_FALSE(grid.IsCell("none", col, row));

    grid.OnGetDisplText = [](TObject*, int, int, AnsiString& Value) { Value = "shown"; };
    EXPECT_FALSE(grid.IsCell("shown", col, row));
    grid.OnGetDisplText = nullptr;

    grid.MergeCols(1, 2);
    EXPECT_EQ(grid.GetCells(1, 1), "a");
    EXPECT_EQ(grid.GetCells(1, 2), "b");
    EXPECT_EQ(grid.GetCells(2, 2), "needle");
}

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
