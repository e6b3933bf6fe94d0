#include "grid/Datagrid.h"

#include "framework/GridScrollArea.h"
#include "tests/grid/GridFiles.h"
#include "tests/grid/GridTexts.h"
#include "tests/grid/ShownGrid.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

TEST(DatagridHidden, HidingAndShowingAColumn) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 5, 3);
    for (int c = 0; c < 5; ++c)
        grid.SetColWidths(c, 10 * (c + 1));
    grid.HideColumn(2);
    EXPECT_EQ(grid.GetColCount(), 4);
    EXPECT_EQ(grid.RemapCol(2), 3);
    EXPECT_EQ(grid.RemapColInv(3), 2);
    EXPECT_EQ(grid.GetColWidths(2), 40);
    EXPECT_EQ(grid.GetColWidths(3), 50);
    EXPECT_EQ(grid.GetCells(2, 1), "c1");
    // Cells are written by real column too: display column 2 shows real column 3.
    grid.SetCellsEx(3, 1, "x");
    EXPECT_EQ(grid.GetCellEx(grid.RemapCol(2), 1), "x");
    EXPECT_EQ(RowTexts(grid, 1), "a1 b1 c1 x e1");
    grid.HideColumn(2);
    EXPECT_EQ(grid.NumHiddenColumns(), 1);

    grid.UnHideColumn(2);
    EXPECT_EQ(grid.GetColCount(), 5);
    EXPECT_EQ(grid.NumHiddenColumns(), 0);
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(grid.GetColWidths(c), 10 * (c + 1));
    grid.UnHideColumn(2);
    EXPECT_EQ(grid.GetColCount(), 5);
}

TEST(DatagridHidden, TheLastShownColumnStays) {
    TDataGrid grid(nullptr);
    grid.SetColCount(4);
    grid.HideColumns(0, 2);
    EXPECT_EQ(grid.GetColCount(), 1);
    grid.HideColumn(3);
    EXPECT_EQ(grid.GetColCount(), 1);
    EXPECT_FALSE(grid.IsHiddenColumn(3));
    grid.UnHideColumnsAll();
    EXPECT_EQ(grid.GetColCount(), 4);
}

TEST(DatagridHidden, DisplayAndRealColumnsAtEveryIndex) {
    // 300 columns, real columns 1 and 255 hidden.
    TDataGrid grid(nullptr);
    grid.SetColCount(300);
    grid.HideColumn(1);
    grid.HideColumn(255);
    grid.HideColumn(260);
    EXPECT_EQ(grid.NumHiddenColumns(), 2);
    struct Row {
        int display, real;
    } rows[] = {{0, 0}, {1, 2}, {252, 253}, {253, 254}, {254, 256}, {255, 257}, {297, 299}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.display);
        EXPECT_EQ(grid.RemapCol(row.display), row.real);
        EXPECT_EQ(grid.RemapColInv(row.real), row.display);
    }
    EXPECT_FALSE(grid.IsHiddenColumn(300));
}

TEST(DatagridHidden, HiddenRowsComeBackWhole) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 3, 10);
    grid.HideColumn(1);
    grid.GetCellProperties(2, 4)->SetBrushColor(clRed);
    grid.HideRows(3, 5);
    EXPECT_EQ(grid.GetRowCount(), 7);
    EXPECT_EQ(grid.NumHiddenRows(), 3);
    EXPECT_EQ(ColTexts(grid, 0), "a0 a1 a2 a6 a7 a8 a9");
    EXPECT_TRUE(grid.IsHiddenRow(4));
    EXPECT_EQ(grid.RemapRow(6), 3);
    EXPECT_EQ(grid.RemapRowInv(3), 6);
    EXPECT_EQ(grid.RemapRowInv(-1), -1);

    // A range starting at a hidden row changes nothing.
    grid.HideRows(4, 6);
    EXPECT_EQ(grid.GetRowCount(), 7);

    grid.UnHideRows(3, 5);
    EXPECT_EQ(grid.GetRowCount(), 10);
    EXPECT_EQ(grid.NumHiddenRows(), 0);
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(RowTexts(grid, r),
                  "a" + std::to_string(r) + " b" + std::to_string(r) + " c" + std::to_string(r));
    EXPECT_EQ(grid.GetCellProperties(2, 4)->GetBrushColor(), clRed);
    EXPECT_EQ(grid.GetCellProperties(2, 4)->Row, 4);
}

// Row 4 of eight hidden first, then the act, then every row shown again where asked.
// A coloured cell of real row 3 hidden and shown again with other rows: a new colour repaints the
// cell where the row now shows.
TEST(DatagridHidden, AShownRowsCellRepaintsWhereItShows) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        int shownAt;
    } rows[] = {
        {"hidden after row 1, shown alone",
         [](TDataGrid& g) {
             g.HideRow(3);
             g.HideRow(1);
             g.UnHideRow(3);
         },
         2},
        {"hidden after row 1, both shown one by one",
         [](TDataGrid& g) {
             g.HideRow(1);
             g.HideRow(3);
             g.UnHideRow(1);
             g.UnHideRow(3);
         },
         3},
        {"hidden after row 1, every row shown",
         [](TDataGrid& g) {
             g.HideRow(1);
             g.HideRow(3);
             g.UnHideRowsAll();
         },
         3},
        {"under a node contracted, row 1 hidden, node expanded",
         [](TDataGrid& g) {
             g.AddNode(2, 3);
             g.ContractNode(2);
             g.HideRow(1);
             g.ExpandNode(2);
         },
         2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ShownGrid<TDataGrid> shown;
        TDataGrid* grid = shown.grid;
        FillLettered(*grid, 3, 10);
        grid->GetCellProperties(2, 3)->SetBrushColor(clRed);
        row.act(*grid);
        shown.Show();
        QApplication::processEvents();
        PaintedArea painted(static_cast<GridScrollArea*>(grid->View())->viewport());
        grid->GetCellProperties(2, row.shownAt)->SetBrushColor(clLime);
        QApplication::processEvents();
        const TRect cell = grid->CellRect(2, row.shownAt);
        EXPECT_EQ(painted.area.boundingRect(), QRect(cell.Left, cell.Top, cell.Width(), cell.Height()));
    }
}

// Column A hidden: a text written into real column C repaints it where it shows, second.
TEST(DatagridHidden, AWrittenCellRepaintsWhereItShows) {
    const struct {
        const char* name;
        std::function<void(TDataGrid&)> write;
    } rows[] = {
        {"SetCells", [](TDataGrid& g) { g.SetCells(2, 1, "new"); }},
        {"SetCellsEx", [](TDataGrid& g) { g.SetCellsEx(2, 1, "new"); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ShownGrid<TDataGrid> shown;
        TDataGrid* grid = shown.grid;
        FillLettered(*grid, 4, 4);
        grid->HideColumn(0);
        shown.Show();
        QApplication::processEvents();
        PaintedArea painted(static_cast<GridScrollArea*>(grid->View())->viewport());
        row.write(*grid);
        QApplication::processEvents();
        const TRect cell = grid->CellRect(1, 1);
        EXPECT_EQ(painted.area.boundingRect(), QRect(cell.Left, cell.Top, cell.Width(), cell.Height()));
    }
}

TEST(DatagridHidden, RangesWithHiddenRowsInside) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        bool showAll;
        const char* column;
    } rows[] = {
        {"hiding over it skips it", [](TDataGrid& g) { g.HideRows(2, 6); }, false, "a0 a1 a7"},
        {"showing a range with shown rows between",
         [](TDataGrid& g) {
             g.HideRow(2);
             g.UnHideRows(2, 7);
         },
         false, "a0 a1 a2 a3 a4 a5 a6 a7"},
        {"showing all", [](TDataGrid& g) { g.HideRows(6, 7); }, true, "a0 a1 a2 a3 a4 a5 a6 a7"},
        {"rows inserted before it", [](TDataGrid& g) { g.InsertRows(1, 2); }, true,
         "a0   a1 a2 a3 a4 a5 a6 a7"},
        {"rows removed before it", [](TDataGrid& g) { g.RemoveRows(1, 2); }, true, "a0 a3 a4 a5 a6 a7"},
        {"rows removed after it", [](TDataGrid& g) { g.RemoveRows(4, 2); }, true, "a0 a1 a2 a3 a4 a7"},
        {"selected rows hidden",
         [](TDataGrid& g) {
             g.SetRowSelect(1, true);
             g.SetRowSelect(5, true);
             g.HideSelectedRows();
         },
         false, "a0 a2 a3 a5 a7"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 2, 8);
        grid.HideRow(4);
        row.act(grid);
        if (row.showAll)
            grid.UnHideRowsAll();
        EXPECT_EQ(ColTexts(grid, 0), row.column);
    }
}

TEST(DatagridHidden, MovedRowsAndColumnsLeaveHiddenOnesInPlace) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 6, 8);
    grid.HideColumn(2);
    grid.MoveColumn(1, 3);
    EXPECT_EQ(RowTexts(grid, 1), "a1 c1 d1 e1 b1 f1");
    EXPECT_TRUE(grid.IsHiddenColumn(1));
    EXPECT_EQ(grid.GetCells(grid.RemapCol(3), 1), "b1");

    grid.HideRow(4);
    grid.MoveRow(1, 5);
    grid.UnHideRowsAll();
    EXPECT_EQ(ColTexts(grid, 0), "a0 a2 a3 a4 a5 a6 a1 a7");
}

TEST(DatagridHidden, AHiddenRowIsReadAndWrittenApart) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 3, 5);
    grid.HideRow(2);
    EXPECT_EQ(grid.GetCellsEx(1, 2), "b2");
    grid.SetCellsEx(1, 2, "kept");
    EXPECT_EQ(grid.GetCellsEx(1, 2), "kept");
    // The rows in view are untouched; the row comes back with its new text.
    EXPECT_EQ(ColTexts(grid, 1), "b0 b1 b3 b4");
    grid.UnHideRow(2);
    EXPECT_EQ(ColTexts(grid, 1), "b0 b1 kept b3 b4");
}

// a b c d e f, 4 rows: clearing a selection of rows 1 and 2 leaves the cells of hidden columns
// as they were.
TEST(DatagridHidden, ClearingTheSelectionLeavesHiddenColumns) {
    struct Row {
        const char* name;
        std::vector<int> hidden;
        bool disjunct;
        TGridRect selection;
        const char* row1;
        const char* row2;
    } rows[] = {
        {"none hidden", {}, false, {1, 1, 3, 2}, "a1    e1 f1", "a2    e2 f2"},
        {"hidden between the shown ones", {2, 4}, false, {1, 1, 3, 2}, "a1  c1  e1 ", "a2  c2  e2 "},
        {"hidden next to the selection", {3}, false, {1, 1, 2, 2}, "a1   d1 e1 f1", "a2   d2 e2 f2"},
        {"selected rows", {1, 3}, true, {}, " b1  d1  ", " b2  d2  "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 6, 4);
        for (int c : row.hidden)
            grid.HideColumn(c);
        if (row.disjunct) {
            grid.MouseActions->DisjunctRowSelect = true;
            grid.SetRowSelect(1, true);
            grid.SetRowSelect(2, true);
        } else {
            grid.SetSelection(row.selection);
        }
        grid.ClearSelection();
        EXPECT_EQ(RowTexts(grid, 1), row.row1);
        EXPECT_EQ(RowTexts(grid, 2), row.row2);
        EXPECT_EQ(RowTexts(grid, 3), "a3 b3 c3 d3 e3 f3");
    }
}

// a..e in 3 rows, some columns hidden, then the column count set from code: every column the
// grid counts reads and saves, and a hidden column keeps its cells and its place, hidden, until
// it is shown again.
TEST(DatagridHidden, AColumnCountKeepsHiddenColumnsWhole) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        const char* row1;
        const char* saved;
    } rows[] = {
        {"raised with b hidden",
         [](TDataGrid& g) {
             g.HideColumn(1);
             g.SetColCount(6);
         },
         "a1 b1 c1 d1 e1  ", "a0,c0,d0,e0,,|a1,c1,d1,e1,,|a2,c2,d2,e2,,|"},
        {"lowered before hidden d, then raised",
         [](TDataGrid& g) {
             g.HideColumn(3);
             g.SetColCount(2);
             g.SetColCount(4);
         },
         "a1 b1 c1 d1 e1", "a0,b0,c0,e0|a1,b1,c1,e1|a2,b2,c2,e2|"},
        {"lowered before hidden d, all shown, then raised",
         [](TDataGrid& g) {
             g.HideColumn(3);
             g.SetColCount(2);
             g.UnHideColumnsAll();
             g.SetColCount(4);
         },
         "a1 b1 c1 d1", "a0,b0,c0,d0|a1,b1,c1,d1|a2,b2,c2,d2|"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TestFolder folder;
        TDataGrid grid(nullptr);
        FillLettered(grid, 5, 3);
        grid.QuoteEmptyFields = false;
        row.act(grid);
        EXPECT_EQ(RowTexts(grid, 1), row.row1);
        const AnsiString file = folder.Path("cells.csv");
        grid.SaveToCSV(file);
        std::string saved = FileBytes(file);
        for (std::size_t at; (at = saved.find("\r\n")) != std::string::npos;)
            saved.replace(at, 2, "|");
        EXPECT_EQ(saved, row.saved);
    }
}

// Ranges reaching outside the grid of ten rows are cut to it; one taking every row changes nothing.
TEST(DatagridHidden, RowRangesOutsideTheGridAreCut) {
    const std::string all = "a0 a1 a2 a3 a4 a5 a6 a7 a8 a9";
    struct Row {
        const char* name;
        int from, to;
        std::string shown;
    } rows[] = {
        {"past the end", 8, 20, "a0 a1 a2 a3 a4 a5 a6 a7"},
        {"from a negative row", -1, 2, "a3 a4 a5 a6 a7 a8 a9"},
        {"wholly past the end", 12, 20, all},
        {"every row", 0, 9, all},
        {"every row and beyond", -5, 30, all},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 3, 10);
        EXPECT_NO_THROW(grid.HideRows(row.from, row.to));
        EXPECT_EQ(ColTexts(grid, 0), row.shown);
        grid.UnHideRowsAll();
        EXPECT_EQ(ColTexts(grid, 0), all);
    }
}

// a..d in 5 rows, row 2 out of view while columns 1 and 2 are swapped or merged: it comes back
// changed as the others are, its colour with its cell.
TEST(DatagridHidden, ColumnOperationsReachHiddenRows) {
    struct Hiding {
        const char* name;
        std::function<void(TDataGrid&)> hide;
        std::function<void(TDataGrid&)> show;
    } hidings[] = {
        {"hidden", [](TDataGrid& g) { g.HideRow(2); }, [](TDataGrid& g) { g.UnHideRowsAll(); }},
        {"filtered out",
         [](TDataGrid& g) {
             TFilterData* data = g.Filter->Add();
             data->Column = 0;
             data->Condition = "!a2";
             g.SetFilterActive(true);
         },
         [](TDataGrid& g) { g.SetFilterActive(false); }},
        {"under a contracted node",
         [](TDataGrid& g) {
             g.AddNode(1, 2);
             g.ContractNode(1);
         },
         [](TDataGrid& g) { g.ExpandNode(1); }},
    };
    struct Operation {
        const char* name;
        std::function<void(TDataGrid&)> act;
        const char* row2;
        const char* row3;
        int colouredCol;
    } operations[] = {
        {"swap", [](TDataGrid& g) { g.SwapColumns(1, 2); }, "a2 c2 b2 d2", "a3 c3 b3 d3", 2},
        {"swap with a hidden column",
         [](TDataGrid& g) {
             g.HideColumn(2);
             g.SwapColumns(1, 2);
             g.UnHideColumnsAll();
         },
         "a2 c2 b2 d2", "a3 c3 b3 d3", 2},
        {"merge", [](TDataGrid& g) { g.MergeCols(1, 2); }, "a2 b2_c2 d2", "a3 b3_c3 d3", 1},
        {"merge with a hidden column",
         [](TDataGrid& g) {
             g.HideColumn(3);
             g.MergeCols(1, 2);
             g.UnHideColumnsAll();
         },
         "a2 b2_c2 d2", "a3 b3_c3 d3", 1},
    };
    // Cells joined by blanks, a blank inside a cell shown as "_".
    const auto texts = [](TDataGrid& g, int row) {
        std::string joined;
        for (int c = 0; c < g.GetColCount() + g.NumHiddenColumns(); ++c) {
            std::string cell = g.GetCells(c, row).str();
            std::replace(cell.begin(), cell.end(), ' ', '_');
            joined += (c ? " " : "") + cell;
        }
        return joined;
    };
    for (const Hiding& hiding : hidings)
        for (const Operation& operation : operations) {
            SCOPED_TRACE(std::string(hiding.name) + ", " + operation.name);
            TDataGrid grid(nullptr);
            FillLettered(grid, 4, 5);
            grid.SetColors(1, 2, clRed);
            hiding.hide(grid);
            operation.act(grid);
            hiding.show(grid);
            EXPECT_EQ(texts(grid, 2), operation.row2);
            EXPECT_EQ(texts(grid, 3), operation.row3);
            EXPECT_EQ(grid.GetColors(operation.colouredCol, 2), clRed);
        }
}

// Row 2 hidden while the grid had columns a..d, then e and f added: columns moved or merged since
// reach it too.
TEST(DatagridHidden, ColumnOperationsReachRowsHiddenBeforeColumnsWereAdded) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        const char* row1;
        const char* row2;
    } rows[] = {
        {"a column moved to the new end", [](TDataGrid& g) { g.MoveColumn(1, 5); }, "a1 c1 d1 e1 f1 b1",
         "a2 c2 d2   b2"},
        {"a new column moved before the old ones", [](TDataGrid& g) { g.MoveColumn(5, 1); },
         "a1 f1 b1 c1 d1 e1", "a2  b2 c2 d2 "},
        {"a column merged into a new one", [](TDataGrid& g) { g.MergeCols(5, 1); }, "a1 c1 d1 e1 f1 b1",
         "a2 c2 d2  b2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 4, 5);
        grid.HideRow(2);
        grid.SetColCount(6);
        grid.SetCells(4, 1, "e1");
        grid.SetCells(5, 1, "f1");
        row.act(grid);
        grid.UnHideRowsAll();
        EXPECT_EQ(RowTexts(grid, 1), row.row1);
        EXPECT_EQ(RowTexts(grid, 2), row.row2);
    }
}

// Ten rows a0..a9 with some hidden, then fewer rows or a load: rows past the new count go with
// it, a load replaces those it loads over, and every row left shows again.
TEST(DatagridHidden, ANewCountOrALoadTakesTheHiddenRowsAlong) {
    TestFolder folder;
    const AnsiString three = folder.Path("three.csv");
    WriteFile(three, "p\r\nq\r\nr\r\n");
    const AnsiString one = folder.Path("one.csv");
    WriteFile(one, "p\r\n");
    const AnsiString empty = folder.Path("empty.txt");
    WriteFile(empty, "");
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> act;
        const char* column1;
    } rows[] = {
        {"a row past the count",
         [](TDataGrid& g) {
             g.HideRow(8);
             g.SetRowCount(5);
         },
         "b0 b1 b2 b3 b4"},
        {"a row before the count",
         [](TDataGrid& g) {
             g.HideRow(3);
             g.SetRowCount(5);
         },
         "b0 b1 b2 b3 b4 b5"},
        {"a row right after the last row kept",
         [](TDataGrid& g) {
             g.HideRow(5);
             g.SetRowCount(5);
         },
         "b0 b1 b2 b3 b4"},
        {"a three-line load",
         [&](TDataGrid& g) {
             g.HideRow(2);
             g.HideRow(8);
             g.LoadFromCSV(three);
         },
         "b0 p q r"},
        {"a one-line load under a filter that kept one row",
         [&](TDataGrid& g) {
             TFilterData* data = g.Filter->Add();
             data->Column = 1;
             data->Condition = "b5";
             g.SetFilterActive(true);
             g.LoadFromCSV(one);
             g.SetFilterActive(false);
             g.SetFilterActive(true);
             g.SetFilterActive(false);
         },
         "b0 p"},
        {"a load appended",
         [&](TDataGrid& g) {
             g.HideRow(2);
             g.InsertFromCSV(one);
         },
         "b0 b1 b2 b3 b4 b5 b6 b7 b8 b9 p"},
        // A fixed-width load writes its lines over the rows shown and keeps the rows after them,
        // hidden ones too: b2 lay among the rows written over, b8 after them.
        {"a fixed-width load of three lines",
         [&](TDataGrid& g) {
             g.HideRow(2);
             g.HideRow(8);
             TIntList positions = Positions({1, 2, 3});
             g.LoadFromFixed(three, &positions);
         },
         "b0 p q r b5 b6 b7 b8 b9"},
        {"an empty fixed-width load",
         [&](TDataGrid& g) {
             g.HideRow(2);
             TIntList positions = Positions({1, 2, 3});
             g.LoadFromFixed(empty, &positions);
         },
         "b0 b1 b2 b3 b4 b5 b6 b7 b8 b9"},
        {"a fixed-width load past the rows",
         [&](TDataGrid& g) {
             g.SetRowCount(3);
             g.HideRow(2);
             TIntList positions = Positions({1, 2, 3});
             g.LoadFromFixed(three, &positions);
         },
         "b0 p q r"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 3, 10);
        grid.IncludeFixedCells = false;
        row.act(grid);
        EXPECT_NO_THROW(grid.UnHideRowsAll());
        EXPECT_EQ(ColTexts(grid, 1), row.column1);
        EXPECT_EQ(grid.NumHiddenRows(), 0);
    }
}

} // namespace
