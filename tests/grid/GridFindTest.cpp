#include "grid/Datagrid.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/GeometryPrinter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Which of the texts a find of S with the parameters matches, each alone in a grid's cell.
TEST(GridFind, HowACellMatches) {
    struct Row {
        const char* name;
        const char* cell;
        const char* find;
        TFindParameters params;
        bool found;
    } rows[] = {
        {"inside, another case", "Main Sewer 12", "sewer", 0, true},
        {"with case", "Main Sewer 12", "sewer", fnMatchCase, false},
        {"at the start only", "Main Sewer 12", "sewer", fnMatchStart, false},
        {"at the start", "Main Sewer 12", "MAIN", fnMatchStart, true},
        {"the whole text", "Main Sewer 12", "main sewer 12", fnMatchFull, true},
        {"not the whole text", "Main Sewer 12", "main sewer", fnMatchFull, false},
        {"a wildcard pattern", "Main Sewer 12", "m*1?", fnMatchRegular, true},
        {"a wildcard pattern with case", "Main Sewer 12", "m*1?", fnMatchRegular | fnMatchCase, false},
        {"without the tags", "<b>12</b>5", "125", fnIgnoreHTMLTags, true},
        {"tags are text otherwise", "<b>12</b>5", "125", 0, false},
        {"beyond ASCII", "Straße Süd", "SÜD", 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetCells(2, 3, row.cell);
        const TPoint expected = row.found ? TPoint{2, 3} : TPoint{-1, -1};
        EXPECT_EQ(grid.FindFirst(row.find, row.params), expected);
    }
}

// A grid of 4 x 4 cells, one fixed row and column, "x" in every cell: the hits one after another,
// written "col,row".
TEST(GridFind, TheWalksVisitEveryHitOnceAndEnd) {
    struct Row {
        const char* name;
        TFindParameters params;
        std::function<void(TDataGrid&)> setUp;
        const char* hits;
    } rows[] = {
        {"column by column", 0, nullptr, "1,1 1,2 1,3 2,1 2,2 2,3 3,1 3,2 3,3"},
        {"row by row", fnDirectionLeftRight, nullptr, "1,1 2,1 3,1 1,2 2,2 3,2 1,3 2,3 3,3"},
        {"backwards", fnBackward, nullptr, "3,3 3,2 3,1 2,3 2,2 2,1 1,3 1,2 1,1"},
        {"with the fixed cells", fnIncludeFixed | fnDirectionLeftRight, nullptr,
         "0,0 1,0 2,0 3,0 0,1 1,1 2,1 3,1 0,2 1,2 2,2 3,2 0,3 1,3 2,3 3,3"},
        {"footer rows and right fixed columns left out", fnDirectionLeftRight,
         [](TDataGrid& grid) { grid.FixedFooters = grid.FixedRightCols = 1; }, "1,1 2,1 1,2 2,2"},
        {"the current row", fnFindInCurrentRow | fnDirectionLeftRight,
         [](TDataGrid& grid) { grid.SetRow(2); }, "1,2 2,2 3,2"},
        {"the current column", fnFindInCurrentCol, [](TDataGrid& grid) { grid.SetCol(3); }, "3,1 3,2 3,3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetColCount(4);
        grid.SetRowCount(4);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                grid.SetCells(c, r, "x");
        if (row.setUp)
            row.setUp(grid);
        std::string hits;
        TPoint first = grid.FindFirst("x", row.params);
        for (TPoint hit = first; hit.x != -1; hit = grid.FindNext())
            hits += (hits.empty() ? "" : " ") + std::to_string(hit.x) + "," + std::to_string(hit.y);
        EXPECT_EQ(hits, row.hits);
        // After the last hit, the walk starts again from the first cell.
        EXPECT_EQ(grid.FindNext(), first);
    }
}

TEST(GridFind, AHitInTheLastCellEndsTheWalk) {
    TDataGrid grid(nullptr);
    grid.SetColCount(4);
    grid.SetRowCount(4);
    grid.SetCells(3, 3, "last");
    EXPECT_EQ(grid.FindFirst("last", 0), (TPoint{3, 3}));
    EXPECT_EQ(grid.FindNext(), (TPoint{-1, -1}));
    EXPECT_EQ(grid.FindNext(), (TPoint{3, 3}));
    EXPECT_EQ(grid.FindFirst("last", fnBackward), (TPoint{3, 3}));
    grid.SetCells(1, 1, "last");
    EXPECT_EQ(grid.FindNext(), (TPoint{1, 1}));
    EXPECT_EQ(grid.FindNext(), (TPoint{-1, -1}));
}

TEST(GridFind, AutoGotoAndGridsWithoutNormalCells) {
    TDataGrid grid(nullptr);
    grid.SetColCount(4);
    grid.SetRowCount(4);
    grid.SetCells(2, 3, "pipe");
    grid.FindFirst("PIPE", fnAutoGoto);
    EXPECT_EQ(grid.GetCol(), 2);
    EXPECT_EQ(grid.GetRow(), 3);
    grid.SetRowCount(1);
    EXPECT_EQ(grid.FindFirst("pipe", 0), (TPoint{-1, -1}));
    EXPECT_EQ(grid.FindNext(), (TPoint{-1, -1}));
}

TEST(GridFind, SearchFindsTheFirstRowStartingWithTheText) {
    TDataGrid grid(nullptr);
    EXPECT_EQ(grid.Search("A"), -1);
    grid.SetRowCount(1);
    EXPECT_EQ(grid.Search("A"), -1);
    grid.SetRowCount(5);
    grid.SetCells(1, 1, "beta");
    grid.SetCells(1, 2, "Alpha");
    grid.SetCells(1, 3, "alps");
    EXPECT_EQ(grid.Search("AL"), 2);
    EXPECT_EQ(grid.Search("ALP"), 2);
    EXPECT_EQ(grid.Search("ALPS"), 3);
    EXPECT_EQ(grid.Search("C"), -1);
    grid.SortSettings->Show = true;
    grid.SortSettings->Column = 2;
    grid.SetCells(2, 4, "alpha");
    EXPECT_EQ(grid.Search("ALPHA"), 4);
}

} // namespace
