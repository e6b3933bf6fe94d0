#include "grid/Basegrid.h"

#include "tests/grid/ShownGrid.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/GeometryPrinter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Six 64-pixel columns and ten 24-pixel rows (the base grid draws its lines inside the cells),
// one fixed row and column, a 200 x 100 client area.
struct TestGrid : TBaseGrid {
    explicit TestGrid(TComponent* owner = nullptr) : TBaseGrid(owner) {
        SetScrollBars(ssNone);
        SetBounds(0, 0, 204, 104);
        SetColCount(6);
        SetRowCount(10);
        DisplayRowBound = 10;
    }
    using TBaseGrid::DisplayRowBound;
    using TBaseGrid::KeyDown;
};

// The grid's lettered cells: (c, r) holds column letter and row digit, "B3".
void Letter(TestGrid& grid) {
    for (int r = 0; r < grid.GetRowCount(); ++r)
        for (int c = 0; c < grid.GetColCount(); ++c)
            grid.SetCells(c, r, std::string(1, static_cast<char>('A' + c)) + std::to_string(r));
}

struct Tracked : TObject {
    explicit Tracked(int& alive) : alive(alive) { ++alive; }
    ~Tracked() override { --alive; }
    int& alive;
};

TEST(Basegrid, ABlockReadsAndWritesItsBaseCell) {
    TestGrid grid;
    Letter(grid);
    grid.MergeCells(1, 2, 2, 2);
    for (auto [c, r] : {std::pair{1, 2}, {2, 2}, {1, 3}, {2, 3}}) {
        SCOPED_TRACE(std::to_string(c) + "," + std::to_string(r));
        EXPECT_EQ(grid.GetCells(c, r), "B2");
        EXPECT_EQ(grid.BaseCell(c, r), Point(1, 2));
        EXPECT_EQ(grid.CellSpan(c, r), Point(1, 1));
    }
    grid.SetCells(2, 3, "block");
    EXPECT_EQ(grid.GetCells(1, 2), "block");
    grid.SplitCells(2, 3);
    EXPECT_EQ(grid.GetCells(1, 2), "block");
    EXPECT_EQ(grid.GetCells(2, 3), "C3");
    EXPECT_EQ(grid.GetCells(2, 2), "C2");
    EXPECT_FALSE(grid.IsMergedCell(2, 3));
}

TEST(Basegrid, MergeQueries) {
    TestGrid grid;
    grid.MergeCells(1, 1, 2, 3);  // two columns, three rows
    grid.MergeCells(1, 5, 3, 1);  // three columns
    grid.MergeCells(4, 1, 1, 1);  // a 1 x 1 block
    grid.GetCellProperties(5, 5); // properties, no block
    struct Row {
        int col, row;
        bool merged, xMerged, yMerged, base;
        TRect full;
    } rows[] = {
        {1, 1, true, false, true, true, {1, 1, 2, 3}},   {2, 3, true, false, true, false, {1, 1, 2, 3}},
        {1, 2, true, false, false, false, {1, 1, 2, 3}}, {2, 5, true, true, false, false, {1, 5, 3, 5}},
        {4, 1, true, false, false, true, {4, 1, 4, 1}},  {5, 5, false, false, false, true, {5, 5, 5, 5}},
        {0, 0, false, false, false, true, {0, 0, 0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.col) + "," + std::to_string(row.row));
        EXPECT_EQ(grid.IsMergedCell(row.col, row.row), row.merged);
        EXPECT_EQ(grid.IsXMergedCell(row.col, row.row), row.xMerged);
        EXPECT_EQ(grid.IsYMergedCell(row.col, row.row), row.yMerged);
        EXPECT_EQ(grid.IsBaseCell(row.col, row.row), row.base);
        EXPECT_EQ(grid.FullCell(row.col, row.row), row.full);
    }
    EXPECT_FALSE(grid.HasCellProperties(0, 0));

    EXPECT_EQ(grid.MinRowSpan(2), 2);
    EXPECT_EQ(grid.MinRowSpan(7), 10);
    EXPECT_EQ(grid.MaxRowSpan(1), 2);
    EXPECT_TRUE(grid.RowSpanIdentical(1, 3));
    EXPECT_FALSE(grid.RowSpanIdentical(1, 5));
    EXPECT_FALSE(grid.RowSpanIdentical(7, 8));
    EXPECT_TRUE(grid.ColSpanIdentical(1, 2));
    EXPECT_FALSE(grid.ColSpanIdentical(2, 3));
    EXPECT_TRUE(grid.ColSpanIdentical(0, 5));
}

TEST(Basegrid, MergingOverABlockSplitsItAndStaysInTheGrid) {
    TestGrid grid;
    Letter(grid);
    grid.MergeCells(1, 1, 3, 3);
    // Overlaps the old block's right column: the old block is undone first.
    grid.MergeCells(3, 3, 2, 2);
    EXPECT_EQ(grid.GetCells(1, 1), "B1");
    EXPECT_EQ(grid.GetCells(2, 2), "C2");
    EXPECT_FALSE(grid.IsMergedCell(1, 1));
    EXPECT_EQ(grid.GetCells(4, 4), "D3");
    EXPECT_EQ(grid.BaseCell(3, 1), Point(3, 1));

    // Reaching out of the grid merges the part inside it.
    grid.MergeCells(4, 8, 5, 5);
    EXPECT_EQ(grid.FullCell(5, 9), Rect(4, 8, 5, 9));
    grid.MergeCells(-2, -2, 3, 3);
    EXPECT_EQ(grid.FullCell(0, 0), Rect(0, 0, 0, 0));
    EXPECT_TRUE(grid.IsMergedCell(0, 0));
    grid.MergeCells(6, 0, 2, 2);
    grid.MergeCells(2, 2, 0, 3);
    EXPECT_FALSE(grid.IsMergedCell(2, 2));

    // A row moved into a block belongs to no block of it.
    grid.MergeCells(1, 5, 2, 2);
    grid.MoveRow(6, 8);
    EXPECT_EQ(grid.BaseCell(2, 5), Point(1, 5));
    EXPECT_EQ(grid.BaseCell(2, 8), Point(2, 8));
    EXPECT_EQ(grid.GetCells(2, 8), "C6");
    grid.SplitCells(2, 8);
    EXPECT_EQ(grid.FullCell(1, 5), Rect(1, 5, 2, 6));
}

TEST(Basegrid, DisplayTextEventSeesTheBaseCellBelowTheBound) {
    TestGrid grid;
    Letter(grid);
    grid.MergeCells(1, 1, 2, 2);
    std::vector<TPoint> asked;
    grid.OnGetDisplText = [&](TObject*, int ACol, int ARow, AnsiString& Value) {
        asked.push_back(Point(ACol, ARow));
        Value = "<" + Value + ">";
    };
    EXPECT_EQ(grid.GetCells(2, 2), "<B1>");
    grid.DisplayRowBound = 5;
    EXPECT_EQ(grid.GetCells(3, 5), "D5");
    EXPECT_EQ(asked, std::vector<TPoint>{Point(1, 1)});
}

TEST(Basegrid, CellRectanglesSpanBlocksWhereverTheyStand) {
    struct Row {
        const char* name;
        int topRow;
        int col, row;
        TRect rect;
    } rows[] = {
        {"plain cell", 1, 1, 1, {64, 24, 128, 48}},
        {"block", 1, 2, 3, {64, 48, 192, 96}},
        // Rows 2 and 3 scrolled under the fixed row: the block starts above the client area.
        {"block with its base scrolled out", 4, 2, 3, {64, -24, 192, 24}},
        {"cell scrolled out", 4, 3, 1, {192, -48, 256, -24}},
        {"fixed cell", 4, 0, 0, {0, 0, 64, 24}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TestGrid grid;
        grid.MergeCells(1, 2, 2, 2);
        grid.SetTopRow(row.topRow);
        EXPECT_EQ(grid.CellRect(row.col, row.row), row.rect);
    }
    TestGrid grid;
    grid.MergeCells(1, 2, 2, 2);
    EXPECT_EQ(grid.CellSize(1, 2), Point(128, 48));
    EXPECT_EQ(grid.FixedColsWidth(), 64);
    grid.SetFixedRows(2);
    EXPECT_EQ(grid.FixedRowsHeight(), 48);
}

TEST(Basegrid, ObjectsAndSlots) {
    int alive = 0;
    {
        TestGrid grid;
        Tracked user(alive);
        grid.SetObjectEx(2, 2, &user);
        EXPECT_EQ(grid.GetCells(2, 2), "");
        EXPECT_EQ(grid.GetObjectEx(2, 2), &user);
        EXPECT_EQ(grid.GetObjectEx(3, 2), nullptr);
        EXPECT_FALSE(grid.HasCellProperties(3, 2));
        grid.SetGraphicObjectEx(2, 2, std::make_unique<Tracked>(alive));
        EXPECT_NE(grid.GetGraphicObjectEx(2, 2), nullptr);
        EXPECT_EQ(alive, 2);

        grid.SetCells(2, 2, "moved");
        grid.CopyRows(5, 2);
        EXPECT_EQ(grid.GetCells(2, 5), "moved");
        EXPECT_EQ(grid.GetObjectEx(2, 5), &user);
        EXPECT_FALSE(grid.HasCellProperties(2, 2));
        grid.NilRow(2);
        EXPECT_EQ(grid.GetCells(2, 2), "");
        EXPECT_EQ(alive, 2);

        grid.CopyCols(4, 2);
        EXPECT_EQ(grid.GetObjectEx(4, 5), &user);
        grid.NilCell(4, 5);
        EXPECT_EQ(grid.GetCells(4, 5), "");
        // The properties went, and the graphic with them; the user's object is the user's.
        EXPECT_EQ(alive, 1);
    }
    EXPECT_EQ(alive, 0);
}

TEST(Basegrid, SelectionCoversTheBlockOfTheCurrentCell) {
    TestGrid grid;
    grid.MergeCells(2, 2, 2, 2);
    grid.MergeCells(4, 4, 1, 1);
    grid.SetCol(3);
    grid.SetRow(3);
    EXPECT_TRUE(grid.IsSelected(2, 2));
    EXPECT_TRUE(grid.IsSelected(3, 2));
    EXPECT_FALSE(grid.IsSelected(4, 4));
    EXPECT_FALSE(grid.IsSelected(1, 1));
    grid.SetCol(4);
    grid.SetRow(4);
    EXPECT_TRUE(grid.IsSelected(4, 4));
    EXPECT_FALSE(grid.IsSelected(2, 2));
}

TEST(Basegrid, ArrowsStepOffBlocks) {
    struct Step {
        const char* name;
        WORD key;
        TPoint expected;
    } steps[] = {
        {"right off the block", VK_RIGHT, {4, 3}}, {"left into the block lands on its base", VK_LEFT, {2, 2}},
        {"down off the block", VK_DOWN, {2, 4}},   {"up into the block", VK_UP, {2, 2}},
        {"up off the block", VK_UP, {2, 1}},
    };
    TestGrid grid;
    grid.MergeCells(2, 2, 2, 2);
    grid.SetCol(3);
    grid.SetRow(3);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        WORD key = step.key;
        grid.KeyDown(key, {});
        EXPECT_EQ(Point(grid.GetCol(), grid.GetRow()), step.expected);
    }
}

} // namespace

// A row written whole, from texts lent or given, reads as the same row written cell by cell:
// plain, beside and inside a block, partly, a row just added, and with the grid on screen.
TEST(Basegrid, ARowWrittenWholeReadsAsWrittenCellByCell) {
    struct RowCase {
        const char* Label;
        bool Shown;
        bool Merged;
        int Row; // -1 for a row added below the others
        int Columns;
    };
    const RowCase cases[] = {
        {"plain row", false, false, 5, 6},         {"first columns only", false, false, 5, 3},
        {"row beside a block", false, true, 4, 6}, {"row through a block", false, true, 3, 6},
        {"shown grid", true, false, 5, 6},         {"shown grid through a block", true, true, 2, 6},
        {"a row just added", false, false, -1, 6}, {"a row just added, partly", false, false, -1, 3},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.Label);
        ShownGrid<TestGrid> byCell;
        ShownGrid<TestGrid> byRow;
        ShownGrid<TestGrid> given;
        int row = c.Row;
        for (auto* shown : {&byCell, &byRow, &given}) {
            Letter(*shown->grid);
            if (c.Merged)
                shown->grid->MergeCells(1, 2, 2, 2);
            if (c.Row < 0) {
                row = shown->grid->GetRowCount();
                shown->grid->SetRowCount(row + 1);
            }
            if (c.Shown)
                shown->Show();
        }
        std::vector<AnsiString> texts;
        for (int col = 0; col < c.Columns; ++col)
            texts.push_back("new" + std::to_string(col));
        for (int col = 0; col < c.Columns; ++col)
            byCell.grid->SetCellEx(col, row, texts[static_cast<std::size_t>(col)]);
        given.grid->SetRowCells(row, std::vector<AnsiString>(texts));
        byRow.grid->SetRowCells(row, texts);
        for (int r = 0; r < byCell.grid->GetRowCount(); ++r)
            for (int col = 0; col < byCell.grid->GetColCount(); ++col) {
                EXPECT_EQ(byRow.grid->GetCells(col, r), byCell.grid->GetCells(col, r)) << col << "," << r;
                EXPECT_EQ(given.grid->GetCells(col, r), byCell.grid->GetCells(col, r)) << col << "," << r;
            }
    }
}

TEST(Basegrid, ARowWrittenOutOfRangeChangesNothing) {
    TestGrid grid;
    Letter(grid);
    std::vector<AnsiString> tooWide(7, "x");
    EXPECT_THROW(grid.SetRowCells(1, tooWide), EInvalidGridOperation);
    std::vector<AnsiString> texts(2, "x");
    EXPECT_THROW(grid.SetRowCells(10, texts), EInvalidGridOperation);
    EXPECT_THROW(grid.SetRowCells(-1, texts), EInvalidGridOperation);
    EXPECT_THROW(grid.SetRowCells(10, std::vector<AnsiString>(2, "x")), EInvalidGridOperation);
    EXPECT_THROW(grid.SetRowCells(1, std::vector<AnsiString>(7, "x")), EInvalidGridOperation);
    for (int c = 0; c < grid.GetColCount(); ++c)
        EXPECT_EQ(grid.GetCells(c, 1), std::string(1, static_cast<char>('A' + c)) + "1");
}
