#include "grid/Datagrid.h"

#include "tests/grid/GridTexts.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Ten normal rows under a header: column 1 holds 1..10, column 2 a word per row.
void FillTen(TDataGrid& grid, int fixedRows = 1) {
    const char* words[] = {"Apple", "bob", "xylo", "Avocado", "ab", "cab", "Axe", "x", "aXb", "Bee"};
    grid.SetColCount(3);
    grid.SetRowCount(10 + fixedRows);
    grid.SetFixedRows(fixedRows);
    for (int i = 0; i < 10; ++i) {
        grid.SetCells(1, i + fixedRows, std::to_string(i + 1));
        grid.SetCells(2, i + fixedRows, words[i]);
    }
}

std::string Shown(TDataGrid& grid, int col) {
    std::string texts;
    for (int r = grid.GetFixedRows(); r < grid.GetRowCount(); ++r)
        texts += (r > grid.GetFixedRows() ? "|" : "") + grid.GetCells(col, r).str();
    return texts;
}

void Condition(TDataGrid& grid, int col, const char* condition, bool caseSensitive = true) {
    TFilterData* data = grid.Filter->Add();
    data->Column = static_cast<short>(col);
    data->Condition = condition;
    data->CaseSensitive = caseSensitive;
}

TEST(DatagridFilter, RowsShown) {
    struct Row {
        const char* name;
        int col;
        const char* condition;
        bool caseSensitive;
        const char* shown;
    } rows[] = {
        {"greater than 5", 1, ">5", true, "6|7|8|9|10"},
        {"starting with A", 2, "A*", true, "Apple|Avocado|Axe"},
        {"starting with A in any case", 2, "A*", false, "Apple|Avocado|ab|Axe|aXb"},
        {"not x", 2, "!x", true, "Apple|bob|xylo|Avocado|ab|cab|Axe|aXb|Bee"},
        {"a first and b last", 2, "a*&*b", true, "ab|aXb"},
        {"1 or 3", 1, "1;3", true, "1|3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillTen(grid);
        Condition(grid, row.col, row.condition, row.caseSensitive);
        grid.SetFilterActive(true);
        EXPECT_EQ(Shown(grid, row.col), row.shown);
        grid.SetFilterActive(false);
        EXPECT_EQ(Shown(grid, 1), "1|2|3|4|5|6|7|8|9|10");
        EXPECT_EQ(grid.NumHiddenRows(), 0);
    }
}

TEST(DatagridFilter, NoRowMatchingLeavesOneEmptyRowUntilTheFilterGoes) {
    for (const int fixedRows : {1, 0}) {
        SCOPED_TRACE(fixedRows);
        TDataGrid grid(nullptr);
        FillTen(grid, fixedRows);
        Condition(grid, 1, ">100");
        grid.SetFilterActive(true);
        EXPECT_EQ(grid.GetRowCount(), fixedRows + 1);
        EXPECT_EQ(Shown(grid, 1), "");
        grid.SetFilterActive(false);
        EXPECT_EQ(grid.GetRowCount(), fixedRows + 10);
        EXPECT_EQ(Shown(grid, 1), "1|2|3|4|5|6|7|8|9|10");
        EXPECT_EQ(grid.GetFixedRows(), fixedRows);
    }
}

TEST(DatagridFilter, FooterStaysAndProgressIsReported) {
    TDataGrid grid(nullptr);
    FillTen(grid);
    grid.SetRowCount(12);
    grid.SetFixedFooters(1);
    grid.SetCells(1, 11, "total");
    std::vector<int> progress;
    grid.OnFilterProgress = [&](TObject*, short value) { progress.push_back(value); };
    Condition(grid, 1, "<=2");
    grid.SetFilterActive(true);
    EXPECT_EQ(Shown(grid, 1), "1|2|total");
    EXPECT_EQ(progress, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    // The hidden rows keep their cells by real row.
    EXPECT_EQ(grid.GetCellsEx(1, 5), "5");
    EXPECT_TRUE(grid.IsHiddenRow(5));
    EXPECT_EQ(grid.RemapRowInv(3), 11);
    EXPECT_EQ(grid.RemapRow(11), 3);
    grid.SetFilterActive(false);
    EXPECT_EQ(Shown(grid, 1), "1|2|3|4|5|6|7|8|9|10|total");
}

TEST(DatagridFilter, RowsInsertedAmongHiddenRowsKeepThemInPlace) {
    TDataGrid grid(nullptr);
    FillTen(grid);
    Condition(grid, 1, "<4;>8");
    grid.SetFilterActive(true);
    ASSERT_EQ(Shown(grid, 1), "1|2|3|9|10");
    grid.InsertRows(4, 1);
    grid.SetCells(1, 4, "new");
    grid.RemoveRows(1, 1);
    grid.SetFilterActive(false);
    EXPECT_EQ(Shown(grid, 1), "2|3|4|5|6|7|8|new|9|10");
}

// No row matches, so an empty row stands in for them; the act, then the filter goes off. The
// stand-in goes only while it is the one normal row and nobody wrote in it; no data row goes.
TEST(DatagridFilter, TurningOffRemovesOnlyTheUntouchedStandIn) {
    const std::string all = "1|2|3|4|5|6|7|8|9|10";
    struct Row {
        const char* name;
        bool footer;
        std::function<void(TDataGrid&)> act;
        std::string shown;
    } rows[] = {
        {"untouched", false, [](TDataGrid&) {}, all},
        {"untouched, over a footer", true, [](TDataGrid&) {}, all + "|total"},
        {"a row added after it", false,
         [](TDataGrid& g) {
             g.AddRow();
             g.SetCells(1, g.GetRowCount() - 1, "added");
         },
         all + "||added"},
        {"a row inserted before the footer", true,
         [](TDataGrid& g) {
             g.InsertRows(2, 1);
             g.SetCells(1, 2, "added");
         },
         all + "||added|total"},
        {"the stand-in removed", false, [](TDataGrid& g) { g.RemoveRows(1, 1); }, all},
        {"typed into", false, [](TDataGrid& g) { g.SetCells(1, 1, "typed"); }, all + "|typed"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillTen(grid);
        if (row.footer) {
            grid.SetRowCount(12);
            grid.SetFixedFooters(1);
            grid.SetCells(1, 11, "total");
        }
        Condition(grid, 1, ">100");
        grid.SetFilterActive(true);
        ASSERT_EQ(grid.GetRowCount(), row.footer ? 3 : 2);
        row.act(grid);
        grid.SetFilterActive(false);
        EXPECT_EQ(Shown(grid, 1), row.shown);
        EXPECT_EQ(grid.NumHiddenRows(), 0);
    }
}

TEST(DatagridFilter, ApplyingAFilterNoRowMatchesWithoutAFixedRowLeavesTheGrid) {
    TDataGrid grid(nullptr);
    FillTen(grid, 0);
    Condition(grid, 1, ">100");
    EXPECT_NO_THROW(grid.ApplyFilter());
    EXPECT_EQ(Shown(grid, 1), "1|2|3|4|5|6|7|8|9|10");
    EXPECT_EQ(grid.NumHiddenRows(), 0);
}

TEST(DatagridFilter, HidingEveryNormalRowKeepsTheHeaderRowFixed) {
    // Hiding every row under the header leaves only the header, which the grid can show only as
    // a normal row; once rows show again it is the fixed header again and a sort leaves it on top.
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> hide;
        std::function<void(TDataGrid&)> show;
    } rows[] = {
        {"a filter applied, rows shown", [](TDataGrid& g) { g.ApplyFilter(); },
         [](TDataGrid& g) { g.UnHideRowsAll(); }},
        {"rows hidden, shown again", [](TDataGrid& g) { g.HideRows(1, 10); },
         [](TDataGrid& g) { g.UnHideRows(1, 10); }},
        {"a filter applied, turned on and off", [](TDataGrid& g) { g.ApplyFilter(); },
         [](TDataGrid& g) {
             g.SetFilterActive(true);
             g.SetFilterActive(false);
             g.UnHideRowsAll();
         }},
        // The node rows' labels match where the numbers do not: ungrouping leaves only the header.
        {"the filter on while grouped, then ungrouped",
         [](TDataGrid& g) {
             g.Group(2);
             g.Filter->Clear();
             Condition(g, 1, "A*;a*;b*;B*;c*;x*");
             g.SetFilterActive(true);
             g.UnGroup();
         },
         [](TDataGrid& g) { g.SetFilterActive(false); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillTen(grid);
        grid.SetCells(1, 0, "Number");
        Condition(grid, 1, ">100");
        row.hide(grid);
        row.show(grid);
        EXPECT_EQ(grid.GetFixedRows(), 1);
        grid.SortSettings->Column = 1;
        grid.QSort();
        EXPECT_EQ(grid.GetCells(1, 0), "Number");
        EXPECT_EQ(Shown(grid, 1), "1|2|3|4|5|6|7|8|9|10");
    }
}

} // namespace
