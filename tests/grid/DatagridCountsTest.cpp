#include "grid/Datagrid.h"

#include "tests/grid/ErrorText.h"
#include "tests/grid/GridTexts.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(DatagridCounts, TheAlwaysFixedSwitches) {
    TDataGrid grid(nullptr);
    grid.SetRowCount(1);
    grid.SetColCount(1);
    EXPECT_EQ(grid.GetFixedRows(), 0);
    grid.FixedRowAlways = true;
    grid.FixedColAlways = true;
    EXPECT_EQ(grid.GetFixedRowsEx(), 1);
    EXPECT_EQ(grid.GetFixedColsEx(), 1);
    EXPECT_EQ(grid.TBaseGrid::GetFixedRows(), 0);
    // Counts above one make them real.
    grid.SetRowCount(2);
    grid.SetColCount(3);
    EXPECT_EQ(grid.TBaseGrid::GetFixedRows(), 1);
    EXPECT_EQ(grid.TBaseGrid::GetFixedCols(), 1);
}

TEST(DatagridCounts, TheRowCountSetsTheDisplayTextBound) {
    TDataGrid grid(nullptr);
    grid.SetRowCount(3);
    grid.OnGetDisplText = [](TObject*, int, int, AnsiString& Value) { Value = "shown"; };
    EXPECT_EQ(grid.GetCells(1, 2), "shown");
    // Rows the framework adds stay outside it; rows the grid inserts do not.
    grid.TBaseGrid::SetRowCount(4);
    EXPECT_EQ(grid.GetCells(1, 3), "");
    grid.InsertRows(1, 1);
    EXPECT_EQ(grid.GetCells(1, 4), "shown");
    grid.InsertEmptyRows(5, 2);
    EXPECT_EQ(grid.GetCells(1, 6), "");
}

TEST(DatagridCounts, HeadersFromLists) {
    struct Row {
        const char* name;
        int fixedRows;
        const char* expected;
    } rows[] = {
        {"more headers than columns", 1, "A B\\ C"},
        {"no fixed row", 0, "a0 b0 c0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 3, 3);
        grid.SetFixedRows(row.fixedRows);
        TStringList headers;
        for (const char* header : {"A", "B\\", "C", "D", "E"})
            headers.Add(header);
        grid.SetColumnHeaders(headers);
        EXPECT_EQ(RowTexts(grid, 0), row.expected);
    }

    // Fewer headers leave the other header cells empty; "\n" makes a line break.
    TDataGrid grid(nullptr);
    FillLettered(grid, 3, 3);
    TStringList headers;
    headers.Add("Flow\\n(l/s)");
    grid.SetColumnHeaders(headers);
    EXPECT_EQ(RowTexts(grid, 0), "Flow\r(l/s)  ");
    grid.ClearColumnHeaders();
    EXPECT_EQ(RowTexts(grid, 0), "  ");

    // A hidden column keeps its header, and the headers after it reach the last column.
    TDataGrid hiding(nullptr);
    FillLettered(hiding, 4, 2);
    hiding.HideColumn(1);
    TStringList four;
    for (const char* header : {"A", "B", "C", "D"})
        four.Add(header);
    hiding.SetColumnHeaders(four);
    hiding.UnHideColumn(1);
    EXPECT_EQ(RowTexts(hiding, 0), "A B C D");
    hiding.HideColumn(2);
    hiding.ClearColumnHeaders();
    hiding.UnHideColumn(2);
    EXPECT_EQ(RowTexts(hiding, 0), "   ");
}

TEST(DatagridCounts, ThePrintedColumnTables) {
    TDataGrid grid(nullptr);
    EXPECT_EQ(grid.GetPrintColWidth(255), 0);
    EXPECT_EQ(grid.GetPrintColOffset(0), 0);
    for (int col : {-1, 256})
        EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.GetPrintColWidth(col); }),
                  "Columns is not in valid range");
    grid.SetColCount(300);
    EXPECT_EQ(grid.GetPrintColOffset(299), 0);
    EXPECT_THROW(grid.GetPrintColOffset(300), EDataGridError);
}

TEST(DatagridCounts, FixedSizes) {
    TDataGrid grid(nullptr);
    grid.SetFixedCols(2);
    grid.SetFixedColWidth(20);
    grid.SetFixedRowHeight(30);
    EXPECT_EQ(grid.GetColWidths(0), 20);
    EXPECT_EQ(grid.GetColWidths(1), 20);
    EXPECT_EQ(grid.GetColWidths(2), 64);
    EXPECT_EQ(grid.GetFixedColWidth(), 20);
    EXPECT_EQ(grid.GetFixedRowHeight(), 30);
    EXPECT_EQ(grid.GetRowHeights(1), 21);
}

TEST(DatagridCounts, CellsAsNumbers) {
    LocaleSeparators locale('.', ',');
    struct Row {
        const char* text;
        double value;
    } rows[] = {{"1,000", 1000}, {"", 0}, {"  ", 0}, {"(1,234.5)", -1234.5}};
    TDataGrid grid(nullptr);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        grid.SetCells(1, 1, row.text);
        EXPECT_EQ(grid.GetFloats(1, 1), row.value);
    }
    for (const char* text : {"1.2.3", "-"}) {
        SCOPED_TRACE(text);
        grid.SetCells(1, 1, text);
        EXPECT_THROW(grid.GetFloats(1, 1), EDataGridError);
    }
    grid.SetInts(2, 2, -42);
    EXPECT_EQ(grid.GetCells(2, 2), "-42");
}

} // namespace
