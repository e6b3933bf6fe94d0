#include "grid/Datagrid.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Three by three cells, one fixed row and column: the normal cells are (1..2, 1..2).
struct AdvanceGrid {
    AdvanceGrid() {
        grid.SetColCount(3);
        grid.SetRowCount(3);
        grid.SetOptions(grid.GetOptions() | goEditing);
        grid.Navigation->AdvanceOnEnter = true;
        grid.OnCellChanging = [this](TObject*, int OldRow, int OldCol, int NewRow, int NewCol, bool&) {
            log.push_back(std::to_string(OldCol) + "," + std::to_string(OldRow) + " to " +
                          std::to_string(NewCol) + "," + std::to_string(NewRow));
        };
        grid.OnAutoAddRow = [this](TObject*, int Index) { added += "row " + std::to_string(Index); };
        grid.OnAutoInsertCol = [this](TObject*, int Index) { added += "col " + std::to_string(Index); };
    }
    // Enter pressed at each cell in turn from (col, row): where editing goes, as "col,row ...".
    std::string Walk(int col, int row, int steps, bool forward = true) {
        std::string visited;
        grid.SetRow(row);
        grid.SetCol(col);
        log.clear();
        for (int i = 0; i < steps; ++i) {
            grid.AdvanceEdit(grid.GetCol(), grid.GetRow(), false, false, forward);
            visited += (i ? " " : "") + std::to_string(grid.GetCol()) + "," + std::to_string(grid.GetRow());
        }
        return visited;
    }
    TDataGrid grid{nullptr};
    std::vector<std::string> log;
    std::string added;
};

void TopToBottom(TDataGrid& grid) {
    grid.Navigation->AdvanceDirection = adTopBottom;
}

void AddingCells(TDataGrid& grid) {
    grid.Navigation->AdvanceInsert = true;
}

void Editable(TDataGrid& grid, bool (*editable)(int col, int row)) {
    grid.OnCanEditCell = [editable](TObject*, int ARow, int ACol, bool& CanEdit) {
        CanEdit = editable(ACol, ARow);
    };
}

TEST(GridAdvance, EnterGoesOnInTheAdvanceDirection) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> setUp;
        int col, row;
        bool forward;
        const char* visited;
        int rowCount, colCount;
        const char* added;
    } rows[] = {
        {"left to right, wrapping to the first cell", nullptr, 1, 1, true, "2,1 1,2 2,2 1,1", 3, 3, ""},
        {"top to bottom", TopToBottom, 1, 1, true, "1,2 2,1 2,2 1,1", 3, 3, ""},
        {"backwards, left to right", nullptr, 1, 1, false, "2,2 1,2 2,1", 3, 3, ""},
        {"backwards, top to bottom", TopToBottom, 1, 1, false, "2,2 2,1 1,2", 3, 3, ""},
        {"a read-only cell is passed",
         [](TDataGrid& g) { Editable(g, [](int c, int r) { return !(c == 2 && r == 1); }); }, 1, 1, true,
         "1,2", 3, 3, ""},
        {"a row added after the last cell", AddingCells, 2, 2, true, "1,3", 4, 3, "row 3"},
        {"the row refused",
         [](TDataGrid& g) {
             AddingCells(g);
             g.OnCanAddRow = [](TObject*, bool& CanAdd) { CanAdd = false; };
         },
         2, 2, true, "2,2", 3, 3, ""},
        {"a column added after the last cell going down",
         [](TDataGrid& g) {
             AddingCells(g);
             TopToBottom(g);
         },
         2, 2, true, "3,1", 3, 4, "col 3"},
        // Only column 1 of the first rows takes typing: one row is added, then editing wraps.
        {"at most one row added",
         [](TDataGrid& g) {
             AddingCells(g);
             Editable(g, [](int c, int r) { return c == 1 && r < 3; });
         },
         2, 2, true, "1,1", 4, 3, "row 3"},
        {"no editable cell: nothing moves", [](TDataGrid& g) { Editable(g, [](int, int) { return false; }); },
         1, 1, true, "1,1", 3, 3, ""},
        {"without AdvanceOnEnter", [](TDataGrid& g) { g.Navigation->AdvanceOnEnter = false; }, 1, 1, true,
         "1,1", 3, 3, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        AdvanceGrid advance;
        if (row.setUp)
            row.setUp(advance.grid);
        const auto steps = std::ranges::count(std::string_view(row.visited), ' ') + 1;
        EXPECT_EQ(advance.Walk(row.col, row.row, static_cast<int>(steps), row.forward), row.visited);
        EXPECT_EQ(advance.grid.GetRowCount(), row.rowCount);
        EXPECT_EQ(advance.grid.GetColCount(), row.colCount);
        EXPECT_EQ(advance.added, row.added);
        EXPECT_FALSE(advance.grid.GetEditorMode());
    }
}

TEST(GridAdvance, TheMoveIsReportedOnceFromTheCellLeft) {
    AdvanceGrid advance;
    advance.Walk(2, 1, 1);
    EXPECT_EQ(advance.log, (std::vector<std::string>{"2,1 to 1,2"}));
    advance.grid.AdvanceEdit(1, 2, true, true, true);
    EXPECT_TRUE(advance.grid.GetEditorMode());
}

TEST(GridAdvance, SelectedRowsGoWithTheirRowsWhenRowsComeAbove) {
    TDataGrid grid(nullptr);
    grid.SetRowCount(6);
    for (int r = 1; r < 6; ++r)
        grid.SetCells(1, r, "r" + std::to_string(r));
    grid.SelectRows(3, 2);
    grid.SelectToRowSelect(true);
    grid.InsertRows(1, 1);
    grid.RemoveSelectedRows();
    std::vector<std::string> left;
    for (int r = 1; r < grid.GetRowCount(); ++r)
        left.push_back(grid.GetCells(1, r).str());
    EXPECT_EQ(left, (std::vector<std::string>{"", "r1", "r2", "r5"}));
}

TEST(GridAdvance, TheSelectionTakenIntoTheRowSelection) {
    struct Row {
        const char* name;
        bool replace;
        std::vector<int> selected;
    } rows[] = {
        {"added to the rows chosen before", false, {1, 3, 4, 5}},
        {"in place of them", true, {3, 4, 5}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetRowCount(8);
        grid.MouseActions->DisjunctRowSelect = true;
        grid.SetRowSelect(1, true);
        grid.SetSelection({1, 3, 2, 5});
        grid.SelectToRowSelect(row.replace);
        std::vector<int> selected;
        for (int r = 0; r < grid.GetRowCount(); ++r)
            if (grid.GetRowSelect(r))
                selected.push_back(r);
        EXPECT_EQ(selected, row.selected);
    }
}

TEST(GridAdvance, WholeRowsColumnsAndRanges) {
    TDataGrid grid(nullptr);
    grid.SetColCount(6);
    grid.SetRowCount(8);
    grid.SelectRows(2, 3);
    EXPECT_EQ(grid.GetSelection(), (TGridRect{1, 2, 5, 4}));
    grid.SelectCols(3, 2);
    EXPECT_EQ(grid.GetSelection(), (TGridRect{3, 1, 4, 7}));
    grid.SelectRange(2, 3, 4, 6);
    EXPECT_EQ(grid.GetSelection(), (TGridRect{2, 4, 3, 6}));
    grid.MouseActions->DisjunctRowSelect = true;
    grid.SelectRows(6, 4);
    EXPECT_EQ(grid.GetRowSelectCount(), 2);
    EXPECT_TRUE(grid.GetRowSelect(7));
    EXPECT_THROW(grid.GetRowSelect(8), EDataGridError);
}

// Rows a count takes away leave the row selection, and rows past the end are never selected.
TEST(GridAdvance, SelectionsStayInsideTheRows) {
    struct Counts {
        const char* name;
        std::vector<int> counts;
        std::vector<int> selected;
    } counts[] = {
        {"fewer rows", {5}, {2}},
        {"fewer rows, then more again", {5, 9}, {2}},
        {"a single row, then more again", {1, 9}, {}},
        {"more rows", {9}, {2, 6}},
    };
    for (const Counts& row : counts) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetRowCount(8);
        grid.MouseActions->DisjunctRowSelect = true;
        grid.SetRowSelect(2, true);
        grid.SetRowSelect(6, true);
        for (int count : row.counts)
            grid.SetRowCount(count);
        std::vector<int> selected;
        for (int r = 0; r < grid.GetRowCount(); ++r)
            if (grid.GetRowSelect(r))
                selected.push_back(r);
        EXPECT_EQ(selected, row.selected);
        EXPECT_EQ(grid.GetRowSelectCount(), static_cast<int>(row.selected.size()));
    }

    struct Rows {
        const char* name;
        int from;
        int count;
        TGridRect selection;
    } rows[] = {
        {"inside", 2, 2, {1, 2, 3, 3}},
        {"to the last row", 3, 2, {1, 3, 3, 4}},
        {"past the last row", 3, 10, {1, 3, 3, 4}},
        // The selection the grid had stays.
        {"beyond the last row", 5, 2, {2, 1, 2, 1}},
        {"no rows", 2, 0, {2, 1, 2, 1}},
    };
    for (const Rows& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetColCount(4);
        grid.SetRowCount(5);
        grid.SetSelection({2, 1, 2, 1});
        grid.SelectRows(row.from, row.count);
        EXPECT_EQ(grid.GetSelection(), row.selection);
        EXPECT_LT(grid.GetRow(), grid.GetRowCount());
    }
}

} // namespace
