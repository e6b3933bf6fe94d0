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

// A 3 x 3 grid with one fixed row and column, every cell "ab".
struct MarkedGrid : testing::Test {
    MarkedGrid() {
        grid.SetColCount(3);
        grid.SetRowCount(3);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                grid.SetCells(c, r, "ab");
    }
    // '*' for a marked cell, '.' for an untouched one, row by row.
    std::string Marks(const char* tag) {
        std::string out;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                out += grid.GetCells(c, r) == "<" + std::string(tag) + ">ab</" + tag + ">" ? '*' : '.';
        return out;
    }
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

TEST_F(MarkedGrid, AFreedCheckerIsForgotten) {
    {
        TCapitalCheck check(nullptr);
        grid.SetCellChecker(&check);
    }
    EXPECT_EQ(grid.CellChecker, nullptr);
}

} // namespace
