#include "framework/Grids.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/GeometryPrinter.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

// A string grid whose key handling a test can call, with a 200 x 100 client area (a 2-pixel
// border, no scroll bars): six 64-pixel columns and ten 24-pixel rows with 1-pixel lines, one
// fixed row and column. Columns start at 0, 65, 130, 195; rows at 0, 25, 50, 75, 100.
struct TestGrid : TStringGrid {
    TestGrid() : TStringGrid(nullptr) {
        SetScrollBars(ssNone);
        SetBounds(0, 0, 204, 104);
        SetColCount(6);
        SetRowCount(10);
    }
    void Press(WORD key, unsigned shift = 0) { KeyDown(key, TShiftState{shift}); }
};

// Where the current cell and the view stand.
struct Place {
    int Col, Row, LeftCol, TopRow;
    friend bool operator==(const Place&, const Place&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Place& p) {
        return out << "(" << p.Col << ", " << p.Row << ") view from (" << p.LeftCol << ", " << p.TopRow
                   << ")";
    }
};

Place PlaceOf(const TCustomGrid& grid) {
    return {grid.GetCol(), grid.GetRow(), grid.GetLeftCol(), grid.GetTopRow()};
}

// The message of the grid error act raises.
template <class Act> AnsiString GridError(Act act) {
    try {
        act();
    } catch (const EInvalidGridOperation& e) {
        return e.Message;
    }
    return "no error";
}

TEST(Grid, FixedCountsStayBelowTheCounts) {
    TestGrid grid;
    EXPECT_EQ(GridError([&] { grid.SetFixedRows(10); }), "Fixed row count must be less than row count");
    EXPECT_EQ(GridError([&] { grid.SetFixedCols(6); }), "Fixed column count must be less than column count");
    EXPECT_EQ(grid.GetFixedRows(), 1);
    EXPECT_EQ(grid.GetFixedCols(), 1);

    grid.SetFixedRows(3);
    grid.SetRowCount(3);
    EXPECT_EQ(grid.GetFixedRows(), 2);
    grid.SetColCount(1);
    EXPECT_EQ(grid.GetFixedCols(), 0);
    grid.SetRowCount(1);
    EXPECT_EQ(grid.GetFixedRows(), 0);
    EXPECT_EQ(grid.GetRow(), 0);
}

TEST(Grid, OutOfRangeRaisesAndChangesNothing) {
    struct Row {
        const char* name;
        void (*act)(TestGrid&);
    } rows[] = {
        {"no rows", [](TestGrid& g) { g.SetRowCount(0); }},
        {"negative columns", [](TestGrid& g) { g.SetColCount(-2); }},
        {"negative fixed rows", [](TestGrid& g) { g.SetFixedRows(-1); }},
        {"width past the last column", [](TestGrid& g) { g.SetColWidths(6, 10); }},
        {"height of row -1", [](TestGrid& g) { g.SetRowHeights(-1, 10); }},
        {"current row past the end", [](TestGrid& g) { g.SetRow(10); }},
        {"current column before the start", [](TestGrid& g) { g.SetCol(-1); }},
        {"top row among the fixed", [](TestGrid& g) { g.SetTopRow(0); }},
        {"cell past the last row", [](TestGrid& g) { g.SetCells(0, 10, "x"); }},
        {"cell in column -1", [](TestGrid& g) { g.GetCells(-1, 0); }},
        {"moving a row past the end", [](TestGrid& g) { g.MoveRow(1, 10); }},
        {"deleting every row", [](TestGrid& g) { g.DeleteRows(0, 10); }},
        {"deleting rows past the end", [](TestGrid& g) { g.DeleteRows(8, 3); }},
        {"inserting past the end", [](TestGrid& g) { g.InsertEmptyRows(11, 1); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TestGrid grid;
        grid.SetCells(1, 1, "kept");
        EXPECT_THROW(row.act(grid), EInvalidGridOperation);
        EXPECT_EQ(grid.GetRowCount(), 10);
        EXPECT_EQ(grid.GetColCount(), 6);
        EXPECT_EQ(PlaceOf(grid), (Place{1, 1, 1, 1}));
        EXPECT_EQ(grid.GetCells(1, 1), "kept");
    }
}

TEST(Grid, HitsAndRectangles) {
    struct Row {
        const char* name;
        int topRow;
        int x, y;
        TGridCoord cell;
    } hits[] = {
        {"fixed corner", 1, 10, 10, {0, 0}},
        {"first scrolling cell", 1, 70, 30, {1, 1}},
        {"last pixel of a cell's line", 1, 64, 24, {0, 0}},
        {"cell cut by the client edge", 1, 199, 99, {3, 3}},
        {"beyond the last column", 1, 500, 10, {-1, -1}},
        {"scrolled rows", 5, 70, 30, {1, 5}},
        {"fixed row while scrolled", 5, 70, 10, {1, 0}},
    };
    for (const Row& hit : hits) {
        SCOPED_TRACE(hit.name);
        TestGrid grid;
        grid.SetTopRow(hit.topRow);
        EXPECT_EQ(grid.MouseCoord(hit.x, hit.y), hit.cell);
    }

    struct Rect {
        const char* name;
        int topRow;
        int col, row;
        TRect rect;
    } rects[] = {
        {"fixed corner", 1, 0, 0, {0, 0, 64, 24}},
        {"first scrolling cell", 1, 1, 1, {65, 25, 129, 49}},
        {"cut at the client edge", 1, 3, 3, {195, 75, 200, 99}},
        {"column out of view", 1, 4, 1, {}},
        {"row scrolled out", 5, 1, 1, {}},
        {"row scrolled in", 5, 1, 5, {65, 25, 129, 49}},
        {"fixed column of a scrolled row", 5, 0, 6, {0, 50, 64, 74}},
    };
    for (const Rect& rect : rects) {
        SCOPED_TRACE(rect.name);
        TestGrid grid;
        grid.SetTopRow(rect.topRow);
        EXPECT_EQ(grid.CellRect(rect.col, rect.row), rect.rect);
    }

    // Columns 1-2 and rows 1-3 show whole.
    TestGrid grid;
    EXPECT_EQ(grid.VisibleColCount(), 2);
    EXPECT_EQ(grid.VisibleRowCount(), 3);
    // A 4-pixel column 1 brings column 3 in whole (it ends at 200).
    grid.SetColWidths(1, 4);
    EXPECT_EQ(grid.VisibleColCount(), 3);
    EXPECT_EQ(grid.MouseCoord(70, 30), (TGridCoord{2, 1}));
}

TEST(Grid, KeysMoveTheCurrentCellAndTheView) {
    struct Step {
        const char* name;
        WORD key;
        unsigned shift;
        Place expected;
    } steps[] = {
        {"down", VK_DOWN, 0, {1, 2, 1, 1}},
        // A page is the 3 rows in view; the top moves with it.
        {"page down", VK_NEXT, 0, {1, 5, 1, 4}},
        {"end of the row scrolls the last column in", VK_END, 0, {5, 5, 4, 4}},
        {"right at the last column", VK_RIGHT, 0, {5, 5, 4, 4}},
        {"ctrl+home", VK_HOME, ssCtrl, {1, 1, 1, 1}},
        {"up at the first row", VK_UP, 0, {1, 1, 1, 1}},
        // Rows 7-9 fill the client area under the fixed row; column 4-5 the width.
        {"ctrl+end", VK_END, ssCtrl, {5, 9, 4, 7}},
        {"home", VK_HOME, 0, {1, 9, 1, 7}},
        {"page up", VK_PRIOR, 0, {1, 6, 1, 4}},
        {"ctrl+page down", VK_NEXT, ssCtrl, {1, 6, 1, 4}},
        {"ctrl+page up", VK_PRIOR, ssCtrl, {1, 4, 1, 4}},
        {"ctrl+down scrolls only", VK_DOWN, ssCtrl, {1, 4, 1, 5}},
        {"tab without goTabs", VK_TAB, 0, {1, 4, 1, 5}},
    };
    TestGrid grid;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        grid.Press(step.key, step.shift);
        EXPECT_EQ(PlaceOf(grid), step.expected);
    }
}

TEST(Grid, TabsWrapAndShiftExtendsTheSelection) {
    TestGrid grid;
    grid.SetOptions(grid.GetOptions() | goTabs);
    grid.Press(VK_END, ssCtrl);
    grid.Press(VK_TAB);
    EXPECT_EQ(PlaceOf(grid), (Place{1, 1, 1, 1}));
    grid.Press(VK_TAB, ssShift);
    EXPECT_EQ(PlaceOf(grid), (Place{5, 9, 4, 7}));
    EXPECT_EQ(grid.GetSelection(), (TGridRect{5, 9, 5, 9}));

    grid.Press(VK_UP, ssShift);
    grid.Press(VK_LEFT, ssShift);
    EXPECT_EQ(grid.GetSelection(), (TGridRect{4, 8, 5, 9}));
    grid.Press(VK_LEFT);
    EXPECT_EQ(grid.GetSelection(), (TGridRect{3, 8, 3, 8}));
}

// The wheel is the grid view's test.
TEST(Grid, VetoedCells) {
    TestGrid grid;
    grid.SetRow(2);
    int clicks = 0;
    grid.OnClick = [&](TObject*) { ++clicks; };
    grid.OnSelectCell = [](TObject*, int, int ARow, bool& CanSelect) { CanSelect = ARow != 3; };
    grid.SetRow(3);
    EXPECT_EQ(grid.GetRow(), 2);
    grid.SetRow(4);
    EXPECT_EQ(grid.GetRow(), 4);
    EXPECT_EQ(clicks, 2);

    grid.SetSelection({6, 10, 6, 10});
    EXPECT_EQ(grid.GetSelection(), (TGridRect{6, 10, 6, 10}));
}

// The texts of column c, top to bottom.
std::vector<std::string> Column(const TStringGrid& grid, int c) {
    std::vector<std::string> texts;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        texts.push_back(grid.GetCells(c, r).str());
    return texts;
}

TEST(Grid, RowsAndColumnsMoveWithTheirCellsAndSizes) {
    using Texts = std::vector<std::string>;
    struct Row {
        const char* name;
        void (*act)(TestGrid&);
        Texts col1;
        int heightOfRow2;
    } rows[] = {
        {"move row 1 to 3", [](TestGrid& g) { g.MoveRow(1, 3); }, {"h", "b", "c", "a"}, 24},
        {"move row 3 to 1", [](TestGrid& g) { g.MoveRow(3, 1); }, {"h", "c", "a", "b"}, 40},
        {"delete row 2", [](TestGrid& g) { g.DeleteRow(2); }, {"h", "a", "c"}, 24},
        {"insert two rows at 2",
         [](TestGrid& g) { g.InsertEmptyRows(2, 2); },
         {"h", "a", "", "", "b", "c"},
         24},
        {"delete rows 1-2", [](TestGrid& g) { g.DeleteRows(1, 2); }, {"h", "c"}, -1},
        {"append rows", [](TestGrid& g) { g.InsertEmptyRows(4, 1); }, {"h", "a", "b", "c", ""}, 24},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TestGrid grid;
        grid.SetRowCount(4);
        // Column 5 holds column 1's letters in capitals.
        for (int r = 0; r < 4; ++r) {
            grid.SetCells(1, r, std::string(1, "habc"[r]));
            grid.SetCells(5, r, std::string(1, "HABC"[r]));
        }
        grid.SetRowHeights(1, 40);
        row.act(grid);
        EXPECT_EQ(Column(grid, 1), row.col1);
        Texts upper = row.col1;
        for (std::string& text : upper)
            for (char& c : text)
                c = static_cast<char>(std::toupper(c));
        EXPECT_EQ(Column(grid, 5), upper);
        if (row.heightOfRow2 >= 0) {
            EXPECT_EQ(grid.GetRowHeights(2), row.heightOfRow2);
        }
    }

    TestGrid grid;
    grid.SetCells(1, 2, "x");
    grid.SetColWidths(1, 30);
    grid.SetCol(1);
    grid.MoveColumn(1, 4);
    EXPECT_EQ(grid.GetCells(4, 2), "x");
    EXPECT_EQ(grid.GetColWidths(4), 30);
    EXPECT_EQ(grid.GetCol(), 4);
}

TEST(Grid, ColumnsBeyondALoweredCountKeepTheirCells) {
    TestGrid grid;
    grid.SetCells(5, 3, "hidden");
    grid.SetColCount(3);
    EXPECT_EQ(grid.GetCells(5, 3), "hidden");
    grid.SetRowCount(12);
    grid.MoveRow(3, 11);
    EXPECT_EQ(grid.GetCells(5, 11), "hidden");
    grid.SetColCount(6);
    EXPECT_EQ(grid.GetCells(5, 11), "hidden");
    EXPECT_THROW(grid.GetCells(6, 0), EInvalidGridOperation);
}

} // namespace
