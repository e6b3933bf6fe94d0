#include "framework/Canvas.h"
#include "resources/Cursors.h"
#include "tests/grid/EditingWindow.h"
#include "tests/grid/GridTexts.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int Notch = 120;

// Three lines a notch, as the system is set, for grids made from here on.
struct ThreeLinesANotch {
    ThreeLinesANotch() : before(QApplication::wheelScrollLines()) { QApplication::setWheelScrollLines(3); }
    ~ThreeLinesANotch() { QApplication::setWheelScrollLines(before); }
    int before;
};

void Wheel(TDataGrid& grid, int delta, TShiftState shift = {}) {
    static_cast<TControl&>(grid).ViewMouseWheel(shift, delta, 50, 50);
}

TEST(DatagridWheel, ANotchMovesTheCurrentRowByTheSystemsLines) {
    struct Row {
        const char* name;
        std::vector<int> deltas;
        int startRow;
        int row;
        bool enableWheel = true;
    } rows[] = {
        {"a notch down", {-Notch}, 1, 4},
        {"two notches up", {Notch, Notch}, 8, 2},
        {"up from row 2 stops at the first normal row", {Notch}, 2, 1},
        // 12 rows, 2 of them footers: 9 is the last normal row.
        {"down from row 8 stops above the footer rows", {-Notch}, 8, 9},
        {"a fine wheel's deltas make one notch", {-40, -40, -40}, 1, 4},
        {"EnableWheel off leaves a row a notch", {-Notch}, 1, 2, false},
    };
    const ThreeLinesANotch lines;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetColCount(4);
        grid.SetRowCount(12);
        grid.FixedFooters = 2;
        grid.EnableWheel = row.enableWheel;
        grid.SetRow(row.startRow);
        for (int delta : row.deltas)
            Wheel(grid, delta);
        EXPECT_EQ(grid.GetRow(), row.row);
    }
}

TEST(DatagridWheel, CtrlAndTheWheelZoomWithoutMovingTheRow) {
    struct Row {
        const char* name;
        int delta;
        bool intelliZoom;
        int colWidth;
        int row;
    } rows[] = {
        // Towards the user: 3 pixels more, 64 + 3.
        {"a notch down", -Notch, true, 67, 1},
        {"a notch up", Notch, true, 61, 1},
        {"without IntelliZoom the row moves", -Notch, false, 64, 4},
    };
    const ThreeLinesANotch lines;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetRowCount(20);
        grid.IntelliZoom = row.intelliZoom;
        Wheel(grid, row.delta, TShiftState{ssCtrl});
        EXPECT_EQ(grid.GetColWidths(1), row.colWidth);
        EXPECT_EQ(grid.GetRow(), row.row);
    }
}

TEST(DatagridWheel, ZoomStaysWithinTenLevelsAndComesBack) {
    TDataGrid grid(nullptr);
    grid.SetColWidths(2, 3);
    grid.Zoom(5);
    grid.Zoom(5);
    grid.Zoom(1);
    // Level 10: the 1 asked beyond it is ignored.
    EXPECT_EQ(grid.GetColWidths(1), 74);
    EXPECT_EQ(grid.GetColWidths(2), 13);
    EXPECT_EQ(grid.GetRowHeights(1), 31);
    grid.Zoom(-15);
    // Level -5: a 3-pixel column cannot lose 5 and keeps its width.
    EXPECT_EQ(grid.GetColWidths(1), 59);
    EXPECT_EQ(grid.GetColWidths(2), 3);
    EXPECT_EQ(grid.GetRowHeights(1), 16);
    grid.Zoom(5);
    EXPECT_EQ(grid.GetColWidths(1), 64);
    EXPECT_EQ(grid.GetColWidths(2), 3);
    EXPECT_EQ(grid.GetRowHeights(1), 21);
}

// Column widths 1..n (or, for rows, heights), joined by '/'.
std::string Widths(TDataGrid& grid) {
    std::string widths;
    for (int c = 1; c < grid.GetColCount(); ++c)
        widths += (c > 1 ? "/" : "") + std::to_string(grid.GetColWidths(c));
    return widths;
}

std::string Heights(TDataGrid& grid) {
    std::string heights;
    for (int r = 1; r < grid.GetRowCount(); ++r)
        heights += (r > 1 ? "/" : "") + std::to_string(grid.GetRowHeights(r));
    return heights;
}

TEST(DatagridWheel, SizesSetAndCellsMovedWhileZoomedKeepTheirPlace) {
    const struct {
        const char* name;
        void (*act)(TDataGrid&);
        int level;
        const char* zoomed;
        const char* level0;
    } rows[] = {
        // 8 - 5 = 3; at -10 the 3 pixels cannot lose 5 more and stay.
        {"a narrow column zoomed out twice",
         [](TDataGrid& grid) {
             grid.SetColWidths(1, 8);
             grid.Zoom(-5);
             grid.Zoom(-5);
         },
         -10, "3/54/54/54", "8/64/64/64"},
        // 10/20/30/40 + 2, column 1 removed, + 1: 23/33/43.
        {"a column removed while zoomed",
         [](TDataGrid& grid) {
             for (int c = 1; c <= 4; ++c)
                 grid.SetColWidths(c, 10 * c);
             grid.Zoom(2);
             grid.RemoveCols(1, 1);
             grid.Zoom(1);
         },
         3, "23/33/43", "20/30/40"},
        // 100 set at level 2 grows by the next level's 1, and is 98 at level 0.
        {"a width set while zoomed",
         [](TDataGrid& grid) {
             grid.Zoom(2);
             grid.SetColWidths(1, 100);
             grid.Zoom(1);
         },
         3, "101/67/67/67", "98/64/64/64"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetColCount(5);
        row.act(grid);
        EXPECT_EQ(Widths(grid), row.zoomed);
        grid.Zoom(-row.level);
        EXPECT_EQ(Widths(grid), row.level0);
    }
}

TEST(DatagridWheel, RowsInsertedWhileZoomedKeepTheirPlace) {
    TDataGrid grid(nullptr);
    grid.SetRowCount(4);
    grid.Zoom(4);
    EXPECT_EQ(Heights(grid), "25/25/25");
    // A new row is a default row grown by the level like the others.
    grid.InsertRows(1, 1);
    EXPECT_EQ(Heights(grid), "25/25/25/25");
    grid.Zoom(-4);
    EXPECT_EQ(Heights(grid), "21/21/21/21");
}

TEST(DatagridWheel, RowsAndColumnsShownAgainWhileZoomedTakeTheLevelAndGiveItBack) {
    using Act = void (*)(TDataGrid&);
    const Act none = [](TDataGrid&) {};
    const struct {
        const char* name;
        Act atZero;
        Act atFour;
        Act backAtZero;
    } rows[] = {
        {"the filter off", none,
         [](TDataGrid& grid) {
             TFilterData* only = grid.Filter->Add();
             only->Column = 1;
             only->Condition = "b1;b2";
             grid.SetFilterActive(true);
             grid.SetFilterActive(false);
         },
         none},
        {"a node expanded", none,
         [](TDataGrid& grid) {
             grid.AddNode(1, 4);
             grid.ContractNode(1);
             grid.ExpandNode(1);
         },
         none},
        {"a column hidden at 0 shown at +4", [](TDataGrid& grid) { grid.HideColumn(2); },
         [](TDataGrid& grid) { grid.UnHideColumn(2); }, none},
        {"a column hidden at +4 shown at 0", none, [](TDataGrid& grid) { grid.HideColumn(2); },
         [](TDataGrid& grid) { grid.UnHideColumn(2); }},
        // Six different texts: a node row goes in before each row.
        {"grouped at +4, ungrouped at 0", none, [](TDataGrid& grid) { grid.Group(3); },
         [](TDataGrid& grid) { grid.UnGroup(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        FillLettered(grid, 5, 7);
        row.atZero(grid);
        grid.Zoom(4);
        row.atFour(grid);
        // Every row and column that shows at +4 is 4 pixels larger than at 0.
        for (int r = 0; r < grid.GetRowCount(); ++r)
            EXPECT_EQ(grid.GetRowHeights(r), 25) << "row " << r;
        for (int c = 0; c < grid.GetColCount(); ++c)
            EXPECT_EQ(grid.GetColWidths(c), 68) << "column " << c;
        grid.Zoom(-4);
        row.backAtZero(grid);
        EXPECT_EQ(Heights(grid), "21/21/21/21/21/21");
        EXPECT_EQ(Widths(grid), "64/64/64/64");
    }
}

TEST(DatagridWheel, ASizeNeverShrinksAsTheLevelGoesUp) {
    const struct {
        const char* name;
        int width;
        std::vector<int> zooms;
        std::vector<int> widths;
    } rows[] = {
        // 3 - 5 is no width: the column keeps 3, and 3 it stays on the way back to 0.
        {"3 pixels out by 5 and back one by one", 3, {-5, 1, 1, 1, 1, 1}, {3, 3, 3, 3, 3, 3}},
        // 2 and 1 at -1 and -2; 0 would be none, so 1 down to -5 and up to -2.
        {"3 pixels out and back one by one",
         3,
         {-1, -1, -1, -1, -1, 1, 1, 1, 1, 1},
         {2, 1, 1, 1, 1, 1, 1, 1, 2, 3}},
        {"3 pixels in by 10, out by 15, in by 5", 3, {10, -15, 5}, {13, 3, 3}},
        {"8 pixels out by 10 in two and back", 8, {-5, -5, 5, 5}, {3, 3, 3, 8}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetColWidths(1, row.width);
        std::vector<int> widths;
        for (const int x : row.zooms) {
            grid.Zoom(x);
            widths.push_back(grid.GetColWidths(1));
        }
        EXPECT_EQ(widths, row.widths);
    }
}

// A grid whose sort moves its rows by swapping them, as a descendant keeping its own rows' data does.
struct SwappingGrid : TDataGrid {
    using TDataGrid::TDataGrid;
};

// Column 1 of 3 pixels and column 2 of 30 (rows the same) change places at -5, where the first is
// too small to follow: back at 0 each has the other's size.
TEST(DatagridWheel, SizesSwappedWhileZoomedOutComeBackWithTheirCells) {
    const struct {
        const char* name;
        void (*swap)(TDataGrid&);
        const char* widths;
        const char* heights;
    } rows[] = {
        {"columns swapped", [](TDataGrid& grid) { grid.SwapColumns(1, 2); }, "30/3/64", "3/30/21"},
        {"rows swapped", [](TDataGrid& grid) { grid.SwapRows(1, 2); }, "3/30/64", "30/3/21"},
        // "z" in row 1 goes last, a2 and a3 move up.
        {"rows sorted by swapping", [](TDataGrid& grid) { grid.SortByColumn(0); }, "3/30/64", "30/21/3"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SwappingGrid grid(nullptr);
        FillLettered(grid, 4, 4);
        grid.SetCells(0, 1, "z");
        grid.SetColWidths(1, 3);
        grid.SetColWidths(2, 30);
        grid.SetRowHeights(1, 3);
        grid.SetRowHeights(2, 30);
        grid.Zoom(-5);
        row.swap(grid);
        grid.Zoom(5);
        EXPECT_EQ(Widths(grid), row.widths);
        EXPECT_EQ(Heights(grid), row.heights);
    }
}

TEST(DatagridWheel, ANotchOntoMergedRowsStopsOnTheirBaseCell) {
    const ThreeLinesANotch lines;
    TDataGrid grid(nullptr);
    grid.SetColCount(4);
    grid.SetRowCount(12);
    grid.MergeCells(1, 3, 1, 3);
    grid.SetCol(1);
    grid.SetRow(1);
    // Three rows down lands on row 4, inside the block of rows 3-5.
    Wheel(grid, -Notch);
    EXPECT_EQ(grid.GetRow(), 3);
}

TEST(DatagridWheel, CellFontsGrowAndShrinkWithTheZoomLevel) {
    const struct {
        const char* name;
        int level;
        int fontSize;
    } rows[] = {
        {"4 points larger", 4, 12},
        {"4 points smaller", -4, 4},
        // 8 - 9 points would be no size at all: Qt would draw its own default size instead.
        {"never below 1 point", -9, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        ASSERT_EQ(grid.Font.Size, 8);
        grid.SetCells(1, 1, "Invert level");
        grid.Zoom(row.level);
        grid.AutoSizeCol(1);
        TCanvas canvas;
        canvas.Font = grid.Font;
        canvas.Font.Size = row.fontSize;
        // The text's width in the zoomed font, and the column's 4 pixels.
        EXPECT_EQ(grid.GetColWidths(1), canvas.TextWidth("Invert level") + 4);
    }
}

bool ShowsCursor(const TDataGrid& grid, int id) {
    const QWidget* cells = static_cast<QAbstractScrollArea*>(grid.View())->viewport();
    return cells->cursor().pixmap().toImage() == LoadCursor(id).pixmap().toImage();
}

// The editing window's grid, 12 columns by 30 rows, the current cell at (2, 3), the middle
// button pressed and let go at (150, 80).
struct Panning : EditingWindow {
    explicit Panning(TIntelliPan pan, bool showHint = true) {
        grid->SetColCount(12);
        grid->SetRowCount(30);
        grid->IntelliPan = pan;
        grid->ShowHint = showHint;
        Show();
        Select(2, 3);
        QTest::mouseClick(Cells(), Qt::MiddleButton, {}, QPoint(150, 80));
    }
    void MoveBy(int dx, int dy) { static_cast<TControl*>(grid)->ViewMouseMove({}, 150 + dx, 80 + dy); }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i)
            grid->WMTimer(999);
    }
};

TEST(DatagridPan, TheCurrentCellStepsOnceATickTowardsTheMouse) {
    struct Row {
        const char* name;
        TIntelliPan pan;
        int dx;
        int dy;
        int col;
        int row;
        int cursor;
    } rows[] = {
        {"20 pixels right, vertical panning", ipVertical, 20, 0, 2, 3, 8000},
        {"20 pixels right, both ways", ipBoth, 20, 0, 4, 3, 8003},
        {"20 pixels down", ipVertical, 0, 20, 2, 5, 8001},
        {"up and left, both ways", ipBoth, -20, -20, 0, 1, 8006},
        {"down and left, horizontal panning", ipHorizontal, -20, 20, 0, 3, 8002},
        {"within 5 pixels", ipBoth, 5, -5, 2, 3, 8000},
        {"no panning", ipNone, 20, 20, 2, 3, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Panning window(row.pan);
        EXPECT_EQ(ShowsCursor(*window.grid, 8000), row.pan != ipNone);
        EXPECT_EQ(window.grid->ShowHint, row.pan == ipNone);
        window.MoveBy(row.dx, row.dy);
        window.Ticks(2);
        EXPECT_EQ(window.grid->GetCol(), row.col);
        EXPECT_EQ(window.grid->GetRow(), row.row);
        if (row.cursor != 0) {
            EXPECT_TRUE(ShowsCursor(*window.grid, row.cursor));
        }
    }
}

TEST(DatagridPan, AKeyStopsPanningAndIsHandled) {
    Panning window(ipVertical);
    window.MoveBy(0, 20);
    window.Ticks(1);
    window.Press(Qt::Key_Down);
    EXPECT_EQ(window.grid->GetRow(), 5);
    window.Ticks(3);
    EXPECT_EQ(window.grid->GetRow(), 5);
    EXPECT_FALSE(ShowsCursor(*window.grid, 8000));
    EXPECT_TRUE(window.grid->ShowHint);
}

TEST(DatagridPan, HintsStayOffAfterPanningWhereTheyWereOff) {
    Panning window(ipVertical, false);
    window.Press(Qt::Key_Down);
    EXPECT_FALSE(window.grid->ShowHint);
}

TEST(DatagridPan, LeavingTheGridOrAClickStopsPanning) {
    struct Row {
        const char* name;
        void (*leave)(Panning&);
    } rows[] = {
        {"the focus goes to another control", [](Panning& window) { window.edit->SetFocus(); }},
        {"a left click",
         [](Panning& window) { QTest::mouseClick(window.Cells(), Qt::LeftButton, {}, QPoint(150, 80)); }},
        {"the grid hides", [](Panning& window) { window.grid->Hide(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Panning window(ipVertical);
        window.MoveBy(0, 40);
        row.leave(window);
        const int stoppedAt = window.grid->GetRow();
        window.Ticks(3);
        EXPECT_EQ(window.grid->GetRow(), stoppedAt);
    }
}

} // namespace
