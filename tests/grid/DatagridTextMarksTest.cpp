#include "grid/Datagrid.h"

#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(CapitalCheck, CapitalisesSentences) {
    TCapitalCheck check(nullptr);
    struct Row {
        const char* text;
        const char* expected;
    } rows[] = {
        {"one. two! three? four.", "One. Two! Three? Four."},
        {"a.b", "A.b"},
        {"a.  b", "A.  b"},
        {"", ""},
        {"1. x", "1. X"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(check.Correct(0, 0, row.text), row.expected);
    }
    EXPECT_EQ(ReplaceOnce("a-b-c", "-", "+"), "a+b-c");
    EXPECT_EQ(ReplaceOnce("abc", "x", "+"), "abc");
}

void FillAb(TDataGrid& grid, int cols, int rows) {
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            grid.SetCells(c, r, "ab");
}

// '*' for a cell whose "ab" is marked with tag, '.' for one left as it was, row by row over the
// real columns.
std::string MarkedCells(const TDataGrid& grid, int cols, int rows, const char* tag) {
    std::string out;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            out += grid.GetCellEx(c, r) == "<" + std::string(tag) + ">ab</" + tag + ">" ? '*' : '.';
    return out;
}

// A 3 x 3 grid with one fixed row and column, every cell "ab".
struct MarkedGrid : testing::Test {
    MarkedGrid() { FillAb(grid, 3, 3); }
    std::string Marks(const char* tag) { return MarkedCells(grid, 3, 3, tag); }
    TDataGrid grid{nullptr};
};

TEST_F(MarkedGrid, MarksOverRanges) {
    struct Row {
        const char* label;
        void (TDataGrid::*mark)(bool, bool, int, const AnsiString&);
        bool doFixed;
        const char* expected;
    } rows[] = {
        {"column", &TDataGrid::HilightInCol, false, "....*..*."},
        {"column with fixed", &TDataGrid::HilightInCol, true, ".*..*..*."},
        {"row", &TDataGrid::HilightInRow, false, "....**..."},
        {"row with fixed", &TDataGrid::HilightInRow, true, "...***..."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        (grid.*row.mark)(true, row.doFixed, 1, "ab");
        EXPECT_EQ(Marks("hi"), row.expected);
        grid.UnHilightInGrid(true);
        EXPECT_EQ(Marks("hi"), ".........");
    }
    grid.MarkInGrid(false, false, "AB");
    EXPECT_EQ(Marks("e"), "....**.**");
    grid.UnMarkInGrid(false);
    grid.MarkInGrid(true, true, "AB");
    EXPECT_EQ(Marks("e"), ".........");
    grid.MarkInCell(true, 2, 0, "ab");
    EXPECT_EQ(Marks("e"), "..*......");
    grid.UnMarkInCell(2, 0);
    EXPECT_EQ(grid.GetCells(2, 0), "ab");
}

TEST_F(MarkedGrid, HighlightWithoutCaseAndBack) {
    grid.SetCells(1, 1, "xAbyab");
    grid.HilightInCell(false, 1, 1, "ab");
    EXPECT_EQ(grid.GetCells(1, 1), "x<hi>Ab</hi>y<hi>ab</hi>");
    grid.UnHilightInCell(1, 1);
    EXPECT_EQ(grid.GetCells(1, 1), "xAbyab");
}

// Upper-cases the cell at (2, 2) and counts what the grid asks of it.
struct CountingCheck : TDataGridCheck {
    CountingCheck() : TDataGridCheck(nullptr) {}
    AnsiString Correct(int ACol, int ARow, const AnsiString& Value) override {
        checked.push_back({ACol, ARow});
        return ACol == 2 && ARow == 2 ? Value.UpperCase() : Value;
    }
    void StartCheck() override { ++starts; }
    void StopCheck() override { ++stops; }
    std::vector<std::pair<int, int>> checked;
    int starts = 0;
    int stops = 0;
};

TEST_F(MarkedGrid, CheckingCells) {
    EXPECT_TRUE(grid.CheckGrid(false));
    CountingCheck check;
    check.UseCorrect = true;
    check.GotoCell = true;
    grid.SetCellChecker(&check);
    grid.SetCol(1);
    grid.SetRow(1);
    EXPECT_FALSE(grid.CheckGrid(false));
    EXPECT_EQ(check.checked, (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {1, 2}, {2, 2}}));
    EXPECT_EQ(check.starts, 1);
    EXPECT_EQ(check.stops, 1);
    EXPECT_EQ(grid.GetCells(2, 2), "AB");
    EXPECT_EQ(grid.GetCol(), 1);
    EXPECT_EQ(grid.GetRow(), 1);
    EXPECT_TRUE(grid.CheckRow(false, 1));
    grid.SetCellChecker(nullptr);
}

// Four real columns, one fixed row and column, every cell "ab", real column 1 hidden: display
// columns 0, 1, 2 are real 0, 2, 3.
struct HiddenColumnGrid : testing::Test {
    HiddenColumnGrid() {
        FillAb(grid, 4, 3);
        grid.HideColumn(1);
    }
    std::string Marks(const char* tag) { return MarkedCells(grid, 4, 3, tag); }
    TDataGrid grid{nullptr};
};

TEST_F(HiddenColumnGrid, RowAndGridMarksReachTheShownColumns) {
    const struct {
        const char* label;
        void (*mark)(TDataGrid&);
        const char* tag;
        const char* expected;
    } rows[] = {
        {"row", [](TDataGrid& grid) { grid.HilightInRow(true, false, 1, "ab"); }, "hi", "......**...."},
        {"row with fixed", [](TDataGrid& grid) { grid.HilightInRow(true, true, 1, "ab"); }, "hi",
         "....*.**...."},
        {"grid", [](TDataGrid& grid) { grid.MarkInGrid(true, false, "ab"); }, "e", "......**..**"},
        {"row unmarked",
         [](TDataGrid& grid) {
             grid.MarkInGrid(true, true, "ab");
             grid.UnMarkInRow(true, 1);
         },
         "e", "*.**....*.**"},
        {"grid unmarked",
         [](TDataGrid& grid) {
             grid.HilightInGrid(true, true, "ab");
             grid.UnHilightInGrid(false);
         },
         "hi", "*.***...*..."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        row.mark(grid);
        EXPECT_EQ(Marks(row.tag), row.expected);
        for (int c = 0; c < 4; ++c) {
            grid.UnHilightInCol(true, c);
            grid.UnMarkInCol(true, c);
        }
    }
}

TEST_F(HiddenColumnGrid, RowAndGridChecksReachTheShownColumns) {
    CountingCheck check;
    check.UseCorrect = true;
    grid.SetCellChecker(&check);
    grid.CheckRow(false, 1);
    EXPECT_EQ(check.checked, (std::vector<std::pair<int, int>>{{2, 1}, {3, 1}}));
    check.checked.clear();
    grid.CheckGrid(false);
    EXPECT_EQ(check.checked, (std::vector<std::pair<int, int>>{{2, 1}, {3, 1}, {2, 2}, {3, 2}}));
    grid.SetCellChecker(nullptr);
}

TEST_F(HiddenColumnGrid, GoingToACheckedCellShowsItsColumn) {
    struct WhereCheck : TDataGridCheck {
        explicit WhereCheck(TDataGrid& grid) : TDataGridCheck(nullptr), grid(grid) {}
        AnsiString Correct(int, int, const AnsiString& Value) override {
            current.emplace_back(grid.GetCol(), grid.GetRow());
            return Value;
        }
        TDataGrid& grid;
        std::vector<std::pair<int, int>> current;
    } check(grid);
    check.UseCorrect = true;
    check.GotoCell = true;
    grid.SetCellChecker(&check);
    // Real column 3 shows as display column 2.
    grid.CheckCell(3, 2);
    grid.CheckRow(false, 1);
    EXPECT_EQ(check.current, (std::vector<std::pair<int, int>>{{2, 2}, {1, 1}, {2, 1}}));
    grid.SetCellChecker(nullptr);
}

TEST_F(MarkedGrid, AFreedCheckerIsForgotten) {
    {
        TCapitalCheck check(nullptr);
        grid.SetCellChecker(&check);
    }
    EXPECT_EQ(grid.CellChecker, nullptr);
}

} // namespace
