#include "grid/Datagrid.h"

#include "tests/grid/ErrorText.h"
#include "tests/grid/GridTexts.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/LocaleSeparators.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

// Column 1 down rows 1..4 and row 1 along columns 1..4 hold the texts given.
TDataGrid& Filled(TDataGrid& grid, std::initializer_list<const char*> texts) {
    grid.SetColCount(6);
    grid.SetRowCount(6);
    int i = 1;
    for (const char* text : texts) {
        grid.SetCells(1, i, text);
        grid.SetCells(i, 1, text);
        ++i;
    }
    return grid;
}

TEST(DatagridSums, OverRanges) {
    LocaleSeparators locale('.', ',');
    struct Row {
        const char* name;
        std::function<double(TDataGrid&)> calculate;
        double expected;
    } rows[] = {
        // 1,000 + (empty) + 2.5 + 6
        {"column sum", [](TDataGrid& g) { return g.ColumnSum(1, 1, 4); }, 1008.5},
        {"row sum", [](TDataGrid& g) { return g.RowSum(1, 1, 4); }, 1008.5},
        // 1008.5 / 4
        {"column average, the empty cell counted", [](TDataGrid& g) { return g.ColumnAvg(1, 1, 4); },
         252.125},
        {"row average over four", [](TDataGrid& g) { return g.RowAvg(1, 1, 4); }, 252.125},
        {"column minimum, the empty cell as 0", [](TDataGrid& g) { return g.ColumnMin(1, 1, 4); }, 0},
        {"row minimum of two", [](TDataGrid& g) { return g.RowMin(1, 3, 4); }, 2.5},
        {"column maximum", [](TDataGrid& g) { return g.ColumnMax(1, 1, 4); }, 1000},
        {"row maximum", [](TDataGrid& g) { return g.RowMax(1, 2, 4); }, 6},
        {"a range running backwards sums nothing", [](TDataGrid& g) { return g.ColumnSum(1, 3, 1); }, 0},
        {"and its extremes are its first cell", [](TDataGrid& g) { return g.ColumnMax(1, 3, 1); }, 2.5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        EXPECT_EQ(row.calculate(Filled(grid, {"1,000", "", "2.5", "6"})), row.expected);
    }
}

TEST(DatagridSums, CommaDecimals) {
    LocaleSeparators locale(',', '.');
    TDataGrid grid(nullptr);
    // 1000.5 + 0.25
    EXPECT_EQ(Filled(grid, {"1.000,5", "0,25"}).ColumnSum(1, 1, 2), 1000.75);
}

TEST(DatagridSums, FaultsChangeNothing) {
    LocaleSeparators locale('.', ',');
    TDataGrid grid(nullptr);
    Filled(grid, {"1", "two", "3"});
    EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.ColumnSum(1, 1, 3); }),
              "Cell does not contain a float value");
    EXPECT_THROW(grid.RowMax(1, 1, 3), EDataGridError);
    EXPECT_EQ(ColTexts(grid, 1), " 1 two 3  ");
    // No cells to average over.
    EXPECT_THROW(grid.ColumnAvg(1, 2, 1), EInvalidOp);
    EXPECT_THROW(grid.RowAvg(1, 5, 4), EInvalidOp);
}

TEST(DatagridSums, Numbering) {
    TDataGrid grid(nullptr);
    grid.SetColCount(4);
    grid.SetRowCount(5);
    grid.SetFixedFooters(1);
    grid.AutoNumberCol(2);
    EXPECT_EQ(ColTexts(grid, 2), " 1 2 3 ");
    grid.FixedRightCols = 1;
    grid.AutoNumberRow(0);
    EXPECT_EQ(RowTexts(grid, 0), " 1 2 ");
    // A grid without normal rows numbers nothing.
    TDataGrid fixedOnly(nullptr);
    fixedOnly.SetRowCount(2);
    fixedOnly.SetFixedFooters(1);
    fixedOnly.AutoNumberCol(1);
    EXPECT_EQ(ColTexts(fixedOnly, 1), " ");
}

// Each row: a lettered 4 x 4 grid set up, then the selection made, or none at all.
TEST(DatagridSums, TheSelectedText) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> setUp;
        std::optional<TGridRect> selection;
        const char* expected;
    } rows[] = {
        {"two by two", nullptr, TGridRect{1, 1, 2, 2}, "b1\tc1\r\nb2\tc2\r\n"},
        {"one cell", nullptr, TGridRect{3, 2, 3, 2}, "d2\r\n"},
        {"over a hidden column", [](TDataGrid& g) { g.HideColumn(2); }, TGridRect{1, 1, 2, 1}, "b1\td1\r\n"},
        {"whole rows",
         [](TDataGrid& g) {
             g.SetOptions(g.GetOptions() | goRowSelect);
             g.DragDropSettings->OleEntireRows = true;
         },
         TGridRect{1, 3, 3, 3}, "a3\tb3\tc3\td3\r\n"},
        {"disjunct rows",
         [](TDataGrid& g) {
             g.MouseActions->DisjunctRowSelect = true;
             g.SetRowSelect(1, true);
             g.SetRowSelect(3, true);
         },
         TGridRect{2, 2, 3, 2}, "c1\td1\r\nc3\td3\r\n"},
        {"lines quoted",
         [](TDataGrid& g) {
             g.ClipboardMultiLineQuoting = g.Multilinecells = true;
             g.SetCells(1, 1, "x\r\ny");
         },
         TGridRect{1, 1, 1, 1}, "\"x\r\ny\"\r\n"},
        {"nothing selected", nullptr, std::nullopt, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 4, 4);
        if (row.setUp)
            row.setUp(grid);
        if (row.selection)
            grid.SetSelection(*row.selection);
        else
            grid.HideSelection();
        EXPECT_EQ(grid.SelectedText(), row.expected);
    }
}

} // namespace
