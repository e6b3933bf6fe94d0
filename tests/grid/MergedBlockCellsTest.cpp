#include "grid/Datagrid.h"

#include "framework/GridScrollArea.h"
#include "tests/grid/GridFiles.h"
#include "tests/grid/HtmlTableCells.h"
#include "tests/grid/ShownGrid.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A merged block by its cells (stored columns, rows counted with hidden ones, inclusive) and the
// text it shows.
struct Block {
    TRect Cells;
    std::string Text;
};

// A cell by its stored column and its row counted with hidden ones, and the text it holds.
struct CellText {
    int Col;
    int Row;
    std::string Text;
};

// Real rows 1-3 of column B merged, row 1 hidden: the block shows from row 2, which holds its
// text while the block lasts.
void BlockUnderHiddenBase(TDataGrid& grid) {
    grid.MergeCells(1, 1, 1, 3);
    grid.HideRow(1);
}

// Real rows 1-3 from column B, cols columns wide, merged over row 2 hidden; B1 cleared, then every
// row shown again.
void ClearB1AboveHiddenRow(TDataGrid& grid, int cols) {
    grid.HideRow(2);
    grid.MergeCells(1, 1, cols, 2);
    grid.ClearRect(1, 1, 1, 1);
    grid.UnHideRowsAll();
}

// Rows 1-3 of column D merged, one of them hidden, the rows grouped on D and ungrouped, then every
// row shown again.
void GroupOnD1ToD3Hiding(TDataGrid& grid, int hidden) {
    grid.MergeCells(3, 1, 1, 3);
    grid.HideRow(hidden);
    grid.Group(3);
    grid.UnGroup();
    grid.UnHideRowsAll();
}

// Every row shown again, then the block over B1 split.
void ShowAllAndSplitB1(TDataGrid& grid) {
    grid.UnHideRowsAll();
    grid.SplitCells(1, 1);
}

// Turns the shown rows over.
void SortDescendingOnA(TDataGrid& grid) {
    grid.SortSettings->Column = 0;
    grid.SortSettings->Direction = sdDescending;
    grid.QSort();
}

// Column E's runs, rows 0-3 reading x and 4-6 y, merged within column F's blocks over the same
// rows, a column hidden.
void MergeEWithinF(TDataGrid& grid, int hidden) {
    for (int r = 0; r < 7; ++r)
        grid.SetCells(4, r, r < 4 ? "x" : "y");
    grid.MergeCells(5, 0, 1, 4);
    grid.MergeCells(5, 4, 1, 3);
    grid.HideColumn(hidden);
    grid.MergeColumnCells(4, false);
}

// Column B merged over its first rows and the two below them, a row hidden (-1 for none), two
// rows fixed: the first block reaches into the fixed rows and ends past them, then the column is
// split.
void SplitBelowFixedBlock(TDataGrid& grid, int firstRows, int hidden) {
    grid.MergeCells(1, 0, 1, firstRows);
    grid.MergeCells(1, firstRows, 1, 2);
    if (hidden >= 0)
        grid.HideRow(hidden);
    grid.SetFixedRows(2);
    grid.SplitColumnCells(1);
}

// The same along row 1 with two fixed columns.
void SplitBesideFixedBlock(TDataGrid& grid, int firstCols, int hidden) {
    grid.MergeCells(0, 1, firstCols, 1);
    grid.MergeCells(firstCols, 1, 2, 1);
    if (hidden >= 0)
        grid.HideColumn(hidden);
    grid.SetFixedCols(2);
    grid.SplitRowCells(1);
}

const Block* BlockHolding(const std::vector<Block>& blocks, int col, int row) {
    for (const Block& block : blocks)
        if (col >= block.Cells.Left && col <= block.Cells.Right && row >= block.Cells.Top &&
            row <= block.Cells.Bottom)
            return &block;
    return nullptr;
}

// The shown rows of a block, as display rows.
std::vector<int> ShownRows(const TDataGrid& grid, const TRect& cells) {
    std::vector<int> rows;
    for (int r = cells.Top; r <= cells.Bottom; ++r)
        if (!grid.IsHiddenRow(r))
            rows.push_back(grid.RemapRow(r));
    return rows;
}

// The table SaveToHTML should write: each block once, at its first shown cell, over its shown
// columns and rows; every other cell its own text.
std::vector<std::vector<std::string>> ExpectedTable(const TDataGrid& grid, const std::vector<Block>& blocks) {
    std::vector<std::vector<std::string>> table;
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        table.emplace_back();
        for (int col = 0; col < grid.GetColCount(); ++col) {
            const Block* block = BlockHolding(blocks, grid.RemapCol(col), grid.RemapRowInv(row));
            if (!block) {
                table.back().push_back(grid.GetCells(grid.RemapCol(col), row).str());
                continue;
            }
            std::vector<int> cols;
            for (int c = 0; c < grid.GetColCount(); ++c)
                if (grid.RemapCol(c) >= block->Cells.Left && grid.RemapCol(c) <= block->Cells.Right)
                    cols.push_back(c);
            const std::vector<int> rows = ShownRows(grid, block->Cells);
            if (col != cols.front() || row != rows.front())
                continue;
            std::string cell = block->Text;
            if (cols.size() > 1)
                cell += " x" + std::to_string(cols.size());
            if (rows.size() > 1)
                cell += " v" + std::to_string(rows.size());
            table.back().push_back(cell);
        }
    }
    return table;
}

// Every cell of each block names the block's base and no other cell names one; the shown cells
// read, write and export as the blocks say.
void ExpectBlocks(TDataGrid& grid, const std::vector<Block>& blocks) {
    for (int r = 0; r < grid.GetRowCount() + grid.NumHiddenRows(); ++r)
        for (int c = 0; c < grid.GetColCount() + grid.NumHiddenColumns(); ++c) {
            SCOPED_TRACE("cell " + std::to_string(c) + ", " + std::to_string(r));
            const TCellProperties* props = grid.BlockRowProperties(c, r);
            const Block* block = BlockHolding(blocks, c, r);
            const int row = grid.IsHiddenRow(r) ? -1 : grid.RemapRow(r);
            if (!block) {
                EXPECT_TRUE(!props || (props->SpanX == -1 && props->SpanY == -1));
                if (row >= 0) {
                    EXPECT_EQ(grid.BaseCell(c, row), Point(c, row));
                }
                continue;
            }
            ASSERT_NE(props, nullptr);
            const TRect& cells = block->Cells;
            const bool base = c == cells.Left && r == cells.Top;
            EXPECT_EQ(props->IsBaseCell, base);
            EXPECT_EQ(Point(props->SpanX, props->SpanY),
                      base ? Point(cells.Width(), cells.Height()) : Point(c - cells.Left, r - cells.Top));
            if (row < 0)
                continue;
            EXPECT_EQ(grid.BaseCell(c, row), Point(cells.Left, grid.RemapRow(cells.Top)));
            EXPECT_EQ(grid.GetCells(c, row), block->Text);
        }
    // On screen each shown cell of a block stands for the block's shown columns and rows, drawn
    // and selected from its top-left one.
    for (int row = 0; row < grid.GetRowCount(); ++row)
        for (int col = 0; col < grid.GetColCount(); ++col) {
            SCOPED_TRACE("shown cell " + std::to_string(col) + ", " + std::to_string(row));
            const Block* block = BlockHolding(blocks, grid.RemapCol(col), grid.RemapRowInv(row));
            TRect shown = Rect(col, row, col, row);
            if (block) {
                const std::vector<int> rows = ShownRows(grid, block->Cells);
                shown = Rect(grid.RemapColInv(block->Cells.Left), rows.front(),
                             grid.RemapColInv(block->Cells.Right + 1) - 1, rows.back());
            }
            const auto offset = [](int count, const std::function<int(int)>& size) {
                int sum = 0;
                for (int k = 0; k < count; ++k)
                    sum += size(k);
                return sum;
            };
            const auto width = [&grid](int k) { return grid.GetColWidths(k); };
            const auto height = [&grid](int k) { return grid.GetRowHeights(k); };
            EXPECT_EQ(grid.CellRect(col, row),
                      Rect(offset(shown.Left, width), offset(shown.Top, height),
                           offset(shown.Right + 1, width), offset(shown.Bottom + 1, height)));
            if (!block)
                continue;
            grid.SetCol(col);
            grid.SetRow(row);
            grid.SelectBaseCell();
            EXPECT_EQ(Point(grid.GetCol(), grid.GetRow()), Point(shown.Left, shown.Top));
        }
    // A text written into a block's last shown cell is the block's.
    for (const Block& block : blocks) {
        const std::vector<int> rows = ShownRows(grid, block.Cells);
        grid.SetCells(block.Cells.Right, rows.back(), "written");
        EXPECT_EQ(grid.GetCells(block.Cells.Left, rows.front()), "written") << block.Text;
        grid.SetCells(block.Cells.Right, rows.back(), block.Text);
    }
    TestFolder folder;
    grid.SaveToHTML(folder.Path("blocks.html"));
    EXPECT_EQ(TableCells(FileBytes(folder.Path("blocks.html"))), ExpectedTable(grid, blocks));
}

// 6 columns A-F by 7 rows 0-6, no fixed ones, all in view; each cell holds its column's letter
// and row.
void FillGrid(TDataGrid& grid) {
    grid.SetBounds(0, 0, 800, 400);
    GridCellTexts texts;
    for (int r = 0; r < 7; ++r) {
        texts.emplace_back();
        for (char c = 'A'; c <= 'F'; ++c)
            texts.back().push_back(c + std::to_string(r));
    }
    SetCellTexts(grid, texts);
    grid.SetFixedCols(0);
    grid.SetFixedRows(0);
}

TEST(MergedBlockCells, EveryCellOfABlockNamesItsBaseThroughEveryChange) {
    struct Row {
        const char* label;
        std::function<void(TDataGrid&)> change;
        std::vector<Block> blocks;
        // Cells that hold their own texts again, the base's too, once a block is split.
        std::vector<CellText> texts = {};
    } rows[] = {
        // Real rows 1 and 3 merged: the block holds the hidden row between them.
        {"merge over a hidden row, shown again",
         [](TDataGrid& grid) {
             grid.HideRows(2, 2);
             grid.MergeCells(1, 1, 1, 2);
             grid.UnHideRowsAll();
         },
         {{{1, 1, 1, 3}, "B1"}}},
        {"merge over a hidden row still hidden",
         [](TDataGrid& grid) {
             grid.HideRows(2, 2);
             grid.MergeCells(1, 1, 1, 2);
         },
         {{{1, 1, 1, 3}, "B1"}}},
        {"merge over a hidden row holding a block of its own",
         [](TDataGrid& grid) {
             grid.MergeCells(2, 2, 1, 1);
             grid.HideRows(2, 2);
             grid.MergeCells(1, 1, 2, 2);
             grid.UnHideRowsAll();
         },
         {{{1, 1, 2, 3}, "B1"}}},
        // Columns are stored ones, as for the cells' texts.
        {"merge over a hidden column, shown again",
         [](TDataGrid& grid) {
             grid.HideColumn(2);
             grid.MergeCells(1, 1, 2, 1);
             grid.UnHideColumnsAll();
         },
         {{{1, 1, 2, 1}, "B1"}}},
        {"merge over a hidden column still hidden",
         [](TDataGrid& grid) {
             grid.HideColumn(2);
             grid.MergeCells(1, 1, 3, 1);
         },
         {{{1, 1, 3, 1}, "B1"}}},
        {"merge to the last column with an earlier one hidden",
         [](TDataGrid& grid) {
             grid.HideColumn(0);
             grid.MergeCells(4, 1, 2, 1);
         },
         {{{4, 1, 5, 1}, "E1"}}},
        {"a block's middle row hidden and shown again",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 3);
             grid.HideRows(2, 2);
             grid.UnHideRowsAll();
         },
         {{{1, 1, 2, 3}, "B1"}}},
        {"a block's middle row filtered out",
         [](TDataGrid& grid) {
             TFilterData* data = grid.Filter->Add();
             data->Column = 0;
             data->Condition = "!A2";
             grid.SetFilterActive(true);
             grid.MergeCells(1, 1, 2, 2);
         },
         {{{1, 1, 2, 3}, "B1"}}},
        {"a block's base row hidden",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 1, 3);
             grid.HideRow(1);
         },
         {{{1, 1, 1, 3}, "B1"}}},
        {"a row inserted inside a block",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 2);
             grid.InsertRows(2, 1);
         },
         {{{1, 1, 2, 3}, "B1"}}},
        {"a row inserted at a block's first row",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 2);
             grid.InsertRows(1, 1);
         },
         {{{1, 2, 2, 3}, "B1"}}},
        // Real rows 1-4, row 2 hidden; the new row goes in before real row 3.
        {"a row inserted inside a block over a hidden row",
         [](TDataGrid& grid) {
             grid.HideRows(2, 2);
             grid.MergeCells(1, 1, 1, 3);
             grid.InsertRows(2, 1);
             grid.UnHideRowsAll();
         },
         {{{1, 1, 1, 5}, "B1"}}},
        // The framework's own row calls, which know nothing of hidden rows.
        {"a row the framework inserts inside a block",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 2);
             grid.InsertEmptyRows(2, 1);
         },
         {{{1, 1, 2, 3}, "B1"}}},
        {"a block's base row the framework deletes",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 3);
             grid.DeleteRow(1);
         },
         {{{1, 1, 2, 2}, "B2"}}},
        {"a row removed inside a block",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 3);
             grid.RemoveRows(2, 1);
         },
         {{{1, 1, 2, 2}, "B1"}}},
        // The row holding the text goes; the next one is the base, with its own text.
        {"a block's base row removed",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 3);
             grid.RemoveRows(1, 1);
         },
         {{{1, 1, 2, 2}, "B2"}}},
        {"a selected row inside a block removed",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 3);
             grid.SetRowSelect(2, true);
             grid.RemoveSelectedRows();
         },
         {{{1, 1, 2, 2}, "B1"}}},
        {"every row of a block removed",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 2);
             grid.RemoveRows(1, 2);
         },
         {}},
        {"the row count lowered into a block",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 4, 1, 3);
             grid.SetRowCount(5);
         },
         {{{1, 4, 1, 4}, "B4"}}},
        {"a column inserted inside a block",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 2);
             grid.InsertCols(2, 1);
         },
         {{{1, 1, 3, 2}, "B1"}}},
        {"a column inserted inside a block over a hidden column",
         [](TDataGrid& grid) {
             grid.HideColumn(2);
             grid.MergeCells(1, 1, 3, 1);
             grid.InsertCols(2, 1);
             grid.UnHideColumnsAll();
         },
         {{{1, 1, 4, 1}, "B1"}}},
        {"a column removed inside a block",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 3, 2);
             grid.RemoveCols(2, 1);
         },
         {{{1, 1, 2, 2}, "B1"}}},
        // A row moved in or out leaves the block's rows apart: the block is split.
        {"a row moved into a block",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 3);
             grid.MoveRow(5, 2);
         },
         {}},
        {"a row moved out of a block",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 3);
             grid.MoveRow(2, 5);
         },
         {}},
        {"a row moved past a block",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 2, 2, 2);
             grid.MoveRow(1, 5);
         },
         {{{1, 1, 2, 2}, "B2"}}},
        {"a column moved past a block",
         [](TDataGrid& grid) {
             grid.MergeCells(2, 1, 2, 2);
             grid.MoveColumn(1, 4);
         },
         {{{1, 1, 2, 2}, "C1"}}},
        {"two rows of a block swapped",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 1, 3);
             grid.SwapRows(1, 3);
         },
         {}},
        {"two rows swapped, each holding a block",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 1);
             grid.MergeCells(3, 4, 3, 1);
             grid.SwapRows(1, 4);
         },
         {{{3, 1, 5, 1}, "D4"}, {{1, 4, 2, 4}, "B1"}}},
        {"two columns swapped, one of them in a block",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 2);
             grid.SwapColumns(2, 4);
         },
         {}},
        // Descending on column A turns the rows over: row r goes to 6 - r.
        {"rows sorted",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 2, 2, 1);
             grid.MergeCells(4, 3, 1, 2);
             grid.SortSettings->Column = 0;
             grid.SortSettings->Direction = sdDescending;
             grid.QSort();
         },
         {{{1, 4, 2, 4}, "B2"}}},
        // Only column A's cells move: a block beside it stays, one in it comes apart.
        {"column A sorted alone",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 2, 2, 1);
             grid.MergeCells(0, 1, 1, 2);
             grid.SortSettings->Column = 0;
             grid.SortSettings->Direction = sdDescending;
             grid.SortSettings->SingleColumn = true;
             grid.QSort();
         },
         {{{1, 2, 2, 2}, "B2"}}},
        // Each row of column B opens a group: a node row goes in before each row, column B
        // goes, and the block of row 2 moves whole to row 5, columns C-D.
        {"rows grouped",
         [](TDataGrid& grid) {
             grid.MergeCells(3, 2, 2, 1);
             grid.Group(1);
         },
         {{{2, 5, 3, 5}, "D2"}}},
        {"rows grouped and ungrouped",
         [](TDataGrid& grid) {
             grid.MergeCells(3, 2, 2, 1);
             grid.Group(1);
             grid.UnGroup();
         },
         {{{3, 2, 4, 2}, "D2"}}},
        // Grouped, column E is the fourth and rows 5-7 hold row 2, a node row and row 3.
        {"a block over a node row, ungrouped",
         [](TDataGrid& grid) {
             grid.Group(1);
             grid.MergeCells(3, 5, 1, 3);
             grid.UnGroup();
         },
         {{{4, 2, 4, 3}, "E2"}}},
        // With the shown rows turned over A2's row is at real row 5, A3's at 4.
        {"a block whose base row is hidden split by a sort",
         [](TDataGrid& grid) {
             BlockUnderHiddenBase(grid);
             SortDescendingOnA(grid);
         },
         {},
         {{1, 1, "B1"}, {1, 5, "B2"}, {1, 4, "B3"}}},
        // The new row before real row 2 is the block's first shown row.
        {"a row inserted below a block's hidden base row",
         [](TDataGrid& grid) {
             BlockUnderHiddenBase(grid);
             grid.InsertRows(1, 1);
         },
         {{{1, 1, 1, 4}, "B1"}}},
        {"a row inserted below a block's hidden base row, the block split",
         [](TDataGrid& grid) {
             BlockUnderHiddenBase(grid);
             grid.InsertRows(1, 1);
             ShowAllAndSplitB1(grid);
         },
         {},
         {{1, 1, "B1"}, {1, 2, ""}, {1, 3, "B2"}, {1, 4, "B3"}}},
        // The row removed goes with its own text; the block's text stays the block's.
        {"the row showing a block's text removed below its hidden base",
         [](TDataGrid& grid) {
             BlockUnderHiddenBase(grid);
             grid.RemoveRows(1, 1);
         },
         {{{1, 1, 1, 2}, "B1"}}},
        {"the row showing a block's text removed below its hidden base, the block split",
         [](TDataGrid& grid) {
             BlockUnderHiddenBase(grid);
             grid.RemoveRows(1, 1);
             ShowAllAndSplitB1(grid);
         },
         {},
         {{1, 1, "B1"}, {1, 2, "B3"}}},
        // Row 2 becomes the block's base, hidden, with its own text.
        {"a block's base row removed, the row below it hidden",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 1, 3);
             grid.HideRow(2);
             grid.RemoveRows(1, 1);
         },
         {{{1, 1, 1, 2}, "B2"}}},
        // Column C hidden: column F shows fourth but is stored fifth; its blocks rule E's runs.
        {"column cells merged within the blocks of a column past a hidden one",
         [](TDataGrid& grid) { MergeEWithinF(grid, 2); },
         {{{4, 0, 4, 3}, "x"}, {{4, 4, 4, 6}, "y"}, {{5, 0, 5, 3}, "F0"}, {{5, 4, 5, 6}, "F4"}}},
        {"column cells merged within the blocks of a hidden column",
         [](TDataGrid& grid) { MergeEWithinF(grid, 5); },
         {{{4, 0, 4, 3}, "x"}, {{4, 4, 4, 6}, "y"}, {{5, 0, 5, 3}, "F0"}, {{5, 4, 5, 6}, "F4"}}},
        // Column C hidden: the shown columns A, B, D read x and E, F w; the block takes C between.
        {"row cells merged over a hidden column",
         [](TDataGrid& grid) {
             for (int c = 0; c < 6; ++c)
                 grid.SetCells(c, 1, c == 2 ? "z" : c < 4 ? "x" : "w");
             grid.HideColumn(2);
             grid.MergeRowCells(1, true);
         },
         {{{0, 1, 3, 1}, "x"}, {{4, 1, 5, 1}, "w"}}},
        // Row 4 reads y throughout; the block over D-F in row 2 parts B from D.
        {"row cells merged within the blocks of other rows, a column hidden",
         [](TDataGrid& grid) {
             for (int c = 0; c < 6; ++c)
                 grid.SetCells(c, 4, "y");
             grid.MergeCells(3, 2, 3, 1);
             grid.HideColumn(2);
             grid.MergeRowCells(4, false);
         },
         {{{0, 4, 1, 4}, "y"}, {{3, 4, 5, 4}, "y"}, {{3, 2, 5, 2}, "D2"}}},
        // Columns C and D hidden: the block over E-F shows third and fourth.
        {"row cells split with columns hidden",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 1);
             grid.MergeCells(4, 1, 2, 1);
             grid.HideColumns(2, 3);
             grid.SplitRowCells(1);
         },
         {}},
        {"column cells split below a block reaching into the fixed rows",
         [](TDataGrid& grid) { SplitBelowFixedBlock(grid, 3, -1); },
         {}},
        {"column cells split below a block reaching into the fixed rows over a hidden row",
         [](TDataGrid& grid) { SplitBelowFixedBlock(grid, 4, 1); },
         {}},
        {"row cells split beside a block reaching into the fixed columns",
         [](TDataGrid& grid) { SplitBesideFixedBlock(grid, 3, -1); },
         {}},
        {"row cells split beside a block reaching into the fixed columns over a hidden column",
         [](TDataGrid& grid) { SplitBesideFixedBlock(grid, 4, 1); },
         {}},
        {"part of a block cleared",
         [](TDataGrid& grid) {
             grid.MergeCells(1, 1, 2, 2);
             grid.ClearRect(2, 2, 2, 2);
         },
         {}},
        // Its base cleared, the block is split and the others keep their texts; its first row
        // cleared, the rows left go on as a block, as after a removal.
        {"a block's base cleared above a hidden row",
         [](TDataGrid& grid) { ClearB1AboveHiddenRow(grid, 2); },
         {},
         {{1, 1, ""}, {1, 2, "B2"}, {1, 3, "B3"}, {2, 1, "C1"}}},
        {"a block's first row cleared above a hidden row",
         [](TDataGrid& grid) { ClearB1AboveHiddenRow(grid, 1); },
         {{{1, 2, 1, 3}, "B2"}},
         {{1, 1, ""}}},
        {"the row showing a block's text cleared below its hidden base",
         [](TDataGrid& grid) {
             BlockUnderHiddenBase(grid);
             grid.ClearRect(1, 1, 1, 1);
             grid.UnHideRowsAll();
         },
         {},
         {{1, 1, "B1"}, {1, 2, ""}, {1, 3, "B3"}}},
        // Row 1 heads rows 1-3, contracted; turned over, the rows are 6, 5, 4, 1, 2, 3, 0.
        {"rows sorted with a block over a contracted node's rows",
         [](TDataGrid& grid) {
             grid.MergeCells(2, 1, 1, 3);
             grid.AddNode(1, 3);
             grid.ContractNode(1);
             SortDescendingOnA(grid);
         },
         {{{2, 3, 2, 5}, "C1"}}},
        // Grouped, rows 2-4 hold B1's node row, row 1 and B2's node row; B1's is hidden. The node
        // rows go, row 1 stays with its own text.
        {"a block below a hidden node row, ungrouped",
         [](TDataGrid& grid) {
             grid.Group(1);
             grid.MergeCells(3, 2, 1, 3);
             grid.HideRow(2);
             grid.UnGroup();
         },
         {{{4, 1, 4, 1}, "E1"}}},
        // A hidden row keeps its own cell of column D, out of any block, while grouped; the shown
        // ones come back with their group's text.
        {"rows grouped by a column holding a block over a hidden row, and ungrouped",
         [](TDataGrid& grid) { GroupOnD1ToD3Hiding(grid, 2); },
         {},
         {{3, 1, "D1"}, {3, 2, "D2"}, {3, 3, "D1"}}},
        {"rows grouped by a column holding a block below its hidden base, and ungrouped",
         [](TDataGrid& grid) { GroupOnD1ToD3Hiding(grid, 1); },
         {},
         {{3, 1, "D1"}, {3, 2, "D1"}, {3, 3, "D1"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid grid(nullptr);
        FillGrid(grid);
        row.change(grid);
        ExpectBlocks(grid, row.blocks);
        for (const CellText& cell : row.texts)
            EXPECT_EQ(grid.GetCellsEx(cell.Col, cell.Row), cell.Text) << cell.Col << ", " << cell.Row;
    }
}

// Columns A and B hidden, C and D show first: a block over C1:D1 merged or split repaints there.
TEST(MergedBlockCells, ABlockMergedOrSplitRepaintsWhereItShows) {
    const struct {
        const char* label;
        std::function<void(TDataGrid&)> before;
        std::function<void(TDataGrid&)> change;
    } rows[] = {
        {"merged", [](TDataGrid&) {}, [](TDataGrid& grid) { grid.MergeCells(2, 1, 2, 1); }},
        {"split", [](TDataGrid& grid) { grid.MergeCells(2, 1, 2, 1); },
         [](TDataGrid& grid) { grid.SplitCells(2, 1); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ShownGrid<TDataGrid> shown;
        TDataGrid& grid = *shown.grid;
        FillGrid(grid);
        grid.HideColumns(0, 1);
        row.before(grid);
        shown.Show();
        QApplication::processEvents();
        PaintedArea painted(static_cast<GridScrollArea*>(grid.View())->viewport());
        row.change(grid);
        QApplication::processEvents();
        const QRect block(0, grid.GetRowHeights(0), grid.GetColWidths(0) + grid.GetColWidths(1),
                          grid.GetRowHeights(1));
        EXPECT_TRUE(painted.area.contains(block));
    }
}

// A block over rows 1-3 counts in the rows' spans wherever its columns are stored, shown or not.
TEST(MergedBlockCells, RowSpansCountEveryStoredColumn) {
    struct Row {
        const char* label;
        TRect block;
        int hidden;
    } rows[] = {
        {"no column hidden", {5, 1, 5, 3}, -1},
        {"a column hidden before the block", {5, 1, 5, 3}, 2},
        {"the block's column hidden", {5, 1, 5, 3}, 5},
        {"a column hidden inside the block", {3, 1, 5, 3}, 4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid grid(nullptr);
        FillGrid(grid);
        grid.MergeCells(row.block.Left, row.block.Top, row.block.Width() + 1, row.block.Height() + 1);
        if (row.hidden >= 0)
            grid.HideColumn(row.hidden);
        EXPECT_EQ(grid.MinRowSpan(2), 2);
        EXPECT_EQ(grid.MaxRowSpan(2), 2);
        EXPECT_TRUE(grid.RowSpanIdentical(2, 3));
        EXPECT_FALSE(grid.RowSpanIdentical(3, 4));
    }
}

} // namespace
