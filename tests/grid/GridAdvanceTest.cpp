#include "grid/Datagrid.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Cell {
    int col, row;
    friend bool operator==(const Cell&, const Cell&) = default;
};

void PrintTo(const Cell& cell, std::ostream* out) {
    *out << "(" << cell.col << ", " << cell.row << ")";
}

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
        grid.OnAutoAddRow = [this](TObject*, int Index) {
            log.push_back("added row " + std::to_string(Index));
        };
        grid.OnAutoInsertCol = [this](TObject*, int Index) {
            log.push_back("added col " + std::to_string(Index));
        };
    }
    // Enter pressed at each cell in turn: where editing goes.
    std::vector<Cell> Walk(Cell from, int steps, bool forward = true) {
        std::vector<Cell> visited;
        grid.SetRow(from.row);
        grid.SetCol(from.col);
        log.clear();
        for (int i = 0; i < steps; ++i) {
            grid.AdvanceEdit(grid.GetCol(), grid.GetRow(), false, false, forward);
            visited.push_back({grid.GetCol(), grid.GetRow()});
        }
        return visited;
    }
    TDataGrid grid{nullptr};
    std::vector<std::string> log;
};

void TopToBottom(TDataGrid& grid) {
    grid.Navigation->AdvanceDirection = adTopBottom;
}

void AddingCells(TDataGrid& grid) {
    grid.Navigation->AdvanceInsert = true;
}

TEST(GridAdvance, EnterGoesOnInTheAdvanceDirection) {
    struct After {
        std::vector<Cell> visited;
        int rowCount = 3, colCount = 3;
        std::vector<std::string> added = {};
    };
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> setUp;
        Cell from;
        bool forward;
        After after;
    } rows[] = {
        {"left to right, wrapping to the first cell",
         nullptr,
         {1, 1},
         true,
         {{{2, 1}, {1, 2}, {2, 2}, {1, 1}}}},
        {"top to bottom", TopToBottom, {1, 1}, true, {{{1, 2}, {2, 1}, {2, 2}, {1, 1}}}},
        {"backwards, left to right", nullptr, {1, 1}, false, {{{2, 2}, {1, 2}, {2, 1}}}},
        {"backwards, top to bottom", TopToBottom, {1, 1}, false, {{{2, 2}, {2, 1}, {1, 2}}}},
        {"a read-only cell is passed",
         [](TDataGrid& grid) {
             grid.OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) {
                 CanEdit = !(ACol == 2 && ARow == 1);
             };
         },
         {1, 1},
         true,
         {{{1, 2}}}},
        {"a row added after the last cell", AddingCells, {2, 2}, true, {{{1, 3}}, 4, 3, {"added row 3"}}},
        {"the row refused",
         [](TDataGrid& grid) {
             AddingCells(grid);
             grid.OnCanAddRow = [](TObject*, bool& CanAdd) { CanAdd = false; };
         },
         {2, 2},
         true,
         {{{2, 2}}}},
        {"a column added after the last cell going down",
         [](TDataGrid& grid) {
             AddingCells(grid);
             TopToBottom(grid);
         },
         {2, 2},
         true,
         {{{3, 1}}, 3, 4, {"added col 3"}}},
        // Only column 1 of the first rows takes typing: one row is added, then editing wraps.
        {"at most one row added",
         [](TDataGrid& grid) {
             AddingCells(grid);
             grid.OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) {
                 CanEdit = ACol == 1 && ARow < 3;
             };
         },
         {2, 2},
         true,
         {{{1, 1}}, 4, 3, {"added row 3"}}},
        {"no editable cell: nothing moves",
         [](TDataGrid& grid) {
             grid.OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
         },
         {1, 1},
         true,
         {{{1, 1}}}},
        {"without AdvanceOnEnter",
         [](TDataGrid& grid) { grid.Navigation->AdvanceOnEnter = false; },
         {1, 1},
         true,
         {{{1, 1}}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        AdvanceGrid advance;
        if (row.setUp)
            row.setUp(advance.grid);
        const After& after = row.after;
        EXPECT_EQ(advance.Walk(row.from, static_cast<int>(after.visited.size()), row.forward), after.visited);
        EXPECT_EQ(advance.grid.GetRowCount(), after.rowCount);
        EXPECT_EQ(advance.grid.GetColCount(), after.colCount);
        std::vector<std::string> added;
        for (const std::string& entry : advance.log)
            if (entry.rfind("added", 0) == 0)
                added.push_back(entry);
        EXPECT_EQ(added, after.added);
        EXPECT_FALSE(advance.grid.GetEditorMode());
    }
}

TEST(GridAdvance, TheMoveIsReportedOnceFromTheCellLeft) {
    AdvanceGrid advance;
    advance.Walk({2, 1}, 1);
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

} // namespace
