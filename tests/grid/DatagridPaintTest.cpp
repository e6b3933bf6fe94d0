#include "grid/Datagrid.h"

#include "framework/Bitmap.h"
#include "framework/GridScrollArea.h"
#include "tests/grid/ShownGrid.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

QRgb Rgb(TColor color) {
    return ToQColor(color).rgb() & 0xFFFFFF;
}

// A square picture of one colour.
const TBitmap& Solid(int size, TColor color) {
    static TBitmap picture;
    picture.SetSize(size, size);
    picture.Canvas->Brush = TBrush{color, bsSolid};
    picture.Canvas->FillRect(Rect(0, 0, size, size));
    return picture;
}

// A shown grid of 5 x 6 cells, 64 x 21 pixels each, on white, one fixed row and column, nothing
// selected: cell (c, r) covers x 64c .. 64c + 63 and y 21r .. 21r + 20, its lines on the last of them.
struct PaintedGrid : ShownGrid<TDataGrid> {
    PaintedGrid() {
        grid->SetRowCount(6);
        grid->SetColor(clWhite);
        grid->SetFixedColor(clSilver);
        grid->HideSelection();
    }
    QImage Shot() {
        QApplication::processEvents();
        return static_cast<GridScrollArea*>(grid->View())->viewport()->grab().toImage();
    }
    QRgb Pixel(int x, int y) { return Shot().pixel(x, y) & 0xFFFFFF; }
    // Inside cell (c, r), away from its text.
    QRgb Inside(int col, int row) { return Pixel(64 * col + 50, 21 * row + 15); }
    // Cell (c, r) within its lines.
    QImage Cell(const QImage& shot, int col, int row) { return shot.copy(64 * col, 21 * row, 63, 20); }
};

using Prepare = std::function<void(TDataGrid&)>;

// One set-up after the other.
Prepare Then(Prepare first, Prepare second) {
    return [=](TDataGrid& g) {
        first(g);
        second(g);
    };
}

// A pixel of a grid set up as given.
QRgb PixelPainted(const Prepare& setUp, int x, int y) {
    PaintedGrid shown;
    if (setUp)
        setUp(*shown.grid);
    shown.Show();
    return shown.Pixel(x, y);
}

TEST(DatagridPaint, ColoursInTheirOrder) {
    Prepare red = [](TDataGrid& g) {
        g.OnGetCellColor = [](TObject*, int, int, TGridDrawState, TBrush* ABrush, TFont*) {
            ABrush->Color = clRed;
        };
    };
    Prepare bands = [](TDataGrid& g) {
        g.Bands->SetActive(true);
        g.Bands->SetPrimaryColor(clYellow);
        g.Bands->SetSecondaryColor(clAqua);
        g.Bands->SetPrimaryLength(2);
        g.Bands->SetSecondaryLength(1);
        g.SetFixedFooters(1);
    };
    Prepare selected = [](TDataGrid& g) {
        g.SetSelectionColor(clBlue);
        g.SetSelection({2, 2, 3, 3});
    };
    auto cellColour = [](TColor colour) {
        return [colour](TDataGrid& g) { g.GetCellProperties(2, 3)->SetBrushColor(colour); };
    };
    struct Row {
        const char* name;
        Prepare setUp;
        int col, row;
        TColor expected;
    } rows[] = {
        {"the grid's colour", nullptr, 2, 2, clWhite},
        {"a fixed cell", nullptr, 0, 2, clSilver},
        {"first normal row, primary", bands, 2, 1, clYellow},
        {"second, primary", bands, 2, 2, clYellow},
        {"third, secondary", bands, 2, 3, clAqua},
        {"fourth, primary again", bands, 2, 4, clYellow},
        {"the footer row", bands, 2, 5, clSilver},
        {"the fixed column beside the bands", bands, 0, 3, clSilver},
        {"the cell's own colour over the bands", Then(bands, cellColour(clLime)), 2, 3, clLime},
        {"an unset cell colour falls through to the bands", Then(bands, cellColour(UnsetCellColor)), 2, 3,
         clAqua},
        {"the colour event over the fixed colour", red, 0, 2, clRed},
        {"the colour event over the bands", Then(bands, red), 2, 1, clRed},
        {"the selection over the colour event", Then(red, selected), 2, 2, clBlue},
        {"beside the selection", Then(red, selected), 1, 2, clRed},
        {"no selection colours without ShowSelection",
         Then(Then(red, selected), [](TDataGrid& g) { g.SetShowSelection(false); }), 2, 2, clRed},
        {"a disjunct row selection",
         [](TDataGrid& g) {
             g.MouseActions->DisjunctRowSelect = true;
             g.SetSelectionColor(clBlue);
             g.SetRowSelect(3, true);
         },
         2, 3, clBlue},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PixelPainted(row.setUp, 64 * row.col + 50, 21 * row.row + 15), Rgb(row.expected));
    }
}

TEST(DatagridPaint, HiddenColumnsPaintAsTheirRealColumns) {
    PaintedGrid shown;
    shown.grid->OnGetCellColor = [](TObject*, int, int ACol, TGridDrawState, TBrush* ABrush, TFont*) {
        if (ACol == 3)
            ABrush->Color = clLime;
    };
    shown.grid->GetCellProperties(4, 2)->SetBrushColor(clFuchsia);
    shown.grid->HideColumn(2);
    shown.Show();
    EXPECT_EQ(shown.Inside(2, 1), Rgb(clLime));
    EXPECT_EQ(shown.Inside(3, 1), Rgb(clWhite));
    EXPECT_EQ(shown.Inside(3, 2), Rgb(clFuchsia));
}

// Real columns 3-4 merged in row 2 show at display columns 2-3 once column 1 hides: one block,
// no line between them.
TEST(DatagridPaint, ABlockPaintsOverItsShownColumnsBesideAHiddenOne) {
    PaintedGrid shown;
    shown.grid->MergeCells(3, 2, 2, 1);
    shown.grid->GetCellProperties(3, 2)->SetBrushColor(clFuchsia);
    shown.grid->HideColumn(1);
    shown.Show();
    EXPECT_EQ(shown.Inside(2, 2), Rgb(clFuchsia));
    EXPECT_EQ(shown.Inside(3, 2), Rgb(clFuchsia));
    EXPECT_EQ(shown.Pixel(64 * 3 - 1, 21 * 2 + 15), Rgb(clFuchsia));
    EXPECT_EQ(shown.Inside(1, 2), Rgb(clWhite));
}

TEST(DatagridPaint, TheRowIndicatorStandsBesideTheCurrentRow) {
    PaintedGrid shown;
    // A current row to stand beside.
    shown.grid->UnHideSelection();
    // A red square in a white frame, the white (the corner's colour) see-through.
    TBitmap picture;
    picture.SetSize(8, 8);
    picture.Canvas->Brush = TBrush{clWhite, bsSolid};
    picture.Canvas->FillRect(Rect(0, 0, 8, 8));
    picture.Canvas->Brush = TBrush{clRed, bsSolid};
    picture.Canvas->FillRect(Rect(2, 2, 6, 6));
    shown.grid->SetRowIndicator(picture);
    // The grid keeps a copy: the picture painted over afterwards changes nothing.
    picture.Canvas->Brush = TBrush{clBlue, bsSolid};
    picture.Canvas->FillRect(Rect(0, 0, 8, 8));
    EXPECT_EQ(shown.grid->GetRowIndicator().Width(), 8);
    shown.Show();
    struct Row {
        int currentRow;
        int row;
        TColor colour;
    } rows[] = {{1, 1, clRed}, {1, 3, clSilver}, {3, 3, clRed}, {3, 1, clSilver}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.currentRow) + " " + std::to_string(row.row));
        shown.grid->SetRow(row.currentRow);
        // The picture's top left corner is the fixed cell's: its red from 2 to 5.
        EXPECT_EQ(shown.Pixel(4, 21 * row.row + 4), Rgb(row.colour));
    }
}

TEST(DatagridPaint, TheFixedCellsRelief) {
    PaintedGrid shown;
    shown.Show();
    // Cell (1, 0): white along its top and left, grey along its bottom and right.
    const QImage shot = shown.Shot();
    auto at = [&](int x, int y) { return shot.pixel(x, y) & 0xFFFFFF; };
    EXPECT_EQ(at(100, 10), Rgb(clSilver));
    EXPECT_EQ(at(100, 0), Rgb(clWhite));
    EXPECT_EQ(at(64, 10), Rgb(clWhite));
    EXPECT_EQ(at(100, 20), Rgb(clGray));
    EXPECT_EQ(at(127, 10), Rgb(clGray));
    EXPECT_EQ(at(126, 10), Rgb(clSilver));
    // The fixed column's cell (0, 2) the same way.
    EXPECT_EQ(at(0, 50), Rgb(clWhite));
    EXPECT_EQ(at(30, 62), Rgb(clGray));
    EXPECT_EQ(at(63, 50), Rgb(clGray));

    // The standard look leaves the framework's lines alone.
    PaintedGrid standard;
    standard.grid->Look = glStandard;
    standard.Show();
    EXPECT_EQ(standard.Pixel(100, 0), Rgb(clSilver));
    EXPECT_EQ(standard.Pixel(100, 20), Rgb(clGray));
}

TEST(DatagridPaint, BordersAndTheirPens) {
    PaintedGrid shown;
    shown.grid->OnGetCellBorder = [](TObject*, int ARow, int ACol, TPen* APen, TCellBorders& Borders) {
        if (ACol == 2 && ARow == 2) {
            APen->Color = clRed;
            Borders = cbLeft | cbTop;
        }
    };
    std::vector<std::pair<int, int>> asked;
    shown.grid->OnGetCellBorderProp = [&](TObject*, int ARow, int ACol, TPen*, TPen* TopPen, TPen*, TPen*) {
        asked.emplace_back(ARow, ACol);
        if (ACol == 2 && ARow == 2)
            TopPen->Color = clBlue;
    };
    shown.Show();
    const QImage shot = shown.Shot();
    auto at = [&](int x, int y) { return shot.pixel(x, y) & 0xFFFFFF; };
    // Cell (2, 2) covers 128..191 x 42..62; its borders lie one pixel in.
    EXPECT_EQ(at(129, 55), Rgb(clRed));
    EXPECT_EQ(at(160, 43), Rgb(clBlue));
    EXPECT_EQ(at(160, 55), Rgb(clWhite));
    EXPECT_EQ(at(189, 55), Rgb(clWhite));
    EXPECT_NE(std::find(asked.begin(), asked.end(), std::pair(2, 3)), asked.end());
}

TEST(DatagridPaint, TheFocusRectangle) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> setUp;
        bool drawn;
    } rows[] = {
        {"on the current cell", [](TDataGrid&) {}, true},
        {"hidden", [](TDataGrid& g) { g.HideFocusRect = true; }, false},
        {"not with whole rows selected", [](TDataGrid& g) { g.SetOptions(g.GetOptions() | goRowSelect); },
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PaintedGrid shown;
        shown.grid->UnHideSelection();
        shown.grid->SetSelectionColor(clBlue);
        row.setUp(*shown.grid);
        shown.Show();
        shown.form.View()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(shown.form.View()));
        shown.grid->SetFocus();
        // The top edge of the current cell (1, 1): dots where the rectangle runs.
        const QImage shot = shown.Shot();
        int dots = 0;
        for (int x = 66; x < 124; ++x)
            dots += (shot.pixel(x, 21) & 0xFFFFFF) != Rgb(clBlue);
        EXPECT_EQ(dots > 10, row.drawn);
    }
}

TEST(DatagridPaint, TextsShowAsTheirCellsSay) {
    struct Row {
        const char* name;
        std::function<void(TDataGrid&)> setUp;
        const char* text;
        const char* shownAs;
    } rows[] = {
        {"password characters",
         [](TDataGrid& g) {
             g.OnIsPasswordCell = [](TObject*, int ARow, int ACol, bool& IsPassword) {
                 IsPassword = ACol == 1 && ARow == 1;
             };
         },
         "abc", "***"},
        {"the first line only", [](TDataGrid&) {}, "first\rsecond", "first"},
        {"a link without its protocol", [](TDataGrid& g) { g.URLShow = true; }, "http://a.org/x",
         "ftp://a.org/x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PaintedGrid shown;
        row.setUp(*shown.grid);
        shown.grid->SetCells(1, 1, row.text);
        shown.grid->SetCells(2, 1, row.shownAs);
        shown.Show();
        const QImage shot = shown.Shot();
        EXPECT_EQ(shown.Cell(shot, 1, 1), shown.Cell(shot, 2, 1));
        EXPECT_NE(shown.Cell(shot, 1, 1), shown.Cell(shot, 3, 1));
    }
}

// The first column and row of a cell's image holding ink.
std::pair<int, int> InkCorner(const QImage& cell) {
    int left = cell.width(), top = cell.height();
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            if ((cell.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                left = std::min(left, x);
                top = std::min(top, y);
            }
    return {left, top};
}

TEST(DatagridPaint, TheTextMargins) {
    PaintedGrid shown;
    shown.grid->SetCells(1, 1, "x");
    shown.Show();
    const auto [left, top] = InkCorner(shown.Cell(shown.Shot(), 1, 1));
    shown.grid->SetXYOffset(Point(7, 5));
    const auto [movedLeft, movedTop] = InkCorner(shown.Cell(shown.Shot(), 1, 1));
    EXPECT_EQ(movedLeft - left, 5);
    EXPECT_EQ(movedTop - top, 3);
}

TEST(DatagridPaint, TheSizingLineComesAndGoes) {
    PaintedGrid shown;
    shown.grid->SetRowCount(4);
    shown.Show();
    auto dots = [&](int from, int to) {
        const QImage shot = shown.Shot();
        int count = 0;
        for (int y = from; y < to; ++y)
            count += (shot.pixel(100, y) & 0xFFFFFF) == 0;
        return count;
    };
    shown.grid->DrawSizingLine(100);
    // Down to the last row's bottom (4 rows of 21), not below.
    EXPECT_GT(dots(22, 84), 10);
    EXPECT_EQ(dots(84, 150), 0);
    shown.grid->DrawSizingLine(100);
    EXPECT_EQ(dots(22, 84), 0);
}

TEST(DatagridPaint, TheSoftFrame) {
    PaintedGrid shown;
    shown.form.SetColor(clYellow);
    shown.Show();
    QApplication::processEvents();
    const QImage frame = shown.grid->View()->grab().toImage();
    EXPECT_EQ(frame.pixel(1, 50) & 0xFFFFFF, Rgb(clGray));
    EXPECT_EQ(frame.pixel(0, 50) & 0xFFFFFF, Rgb(clYellow));
    EXPECT_EQ(frame.pixel(150, 1) & 0xFFFFFF, Rgb(clGray));
}

TEST(DatagridPaint, BackgroundPicturesOutlineAndSortGlyph) {
    Prepare tiled = [](TDataGrid& g) { g.BackGround->SetBitmap(Solid(8, clLime)); };
    Prepare placed = [](TDataGrid& g) {
        g.BackGround->SetDisplay(bdFixed);
        g.BackGround->SetLeft(140);
        g.BackGround->SetTop(50);
        g.BackGround->SetBitmap(Solid(30, clRed));
    };
    Prepare outlined = [](TDataGrid& g) {
        g.SetSelectionRectangle(true);
        g.SetSelection({2, 2, 3, 3});
    };
    Prepare sortedOn2 = [](TDataGrid& g) { g.SortSettings->Column = 2; };
    struct Row {
        const char* name;
        Prepare setUp;
        int x, y;
        TColor expected;
    } rows[] = {
        {"tiles behind the normal cells", tiled, 150, 55, clLime},
        {"not behind the fixed ones", tiled, 30, 55, clSilver},
        {"one picture at its place", placed, 150, 55, clRed},
        {"beside the picture", placed, 180, 55, clWhite},
        // Cell (2, 2) inside its lines covers 129..190 x 43..61.
        {"the selection's outline on its left", outlined, 129, 55, clBlack},
        {"and on its top", outlined, 160, 43, clBlack},
        {"the sort glyph's lit edge", Then(sortedOn2, [](TDataGrid& g) { g.SortSettings->Show = true; }), 139,
         13, clWhite},
        {"no sort glyph unless shown", sortedOn2, 139, 13, clSilver},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PixelPainted(row.setUp, row.x, row.y), Rgb(row.expected));
    }
}

TEST(DatagridPaint, SmallAndEmptyGridsPaint) {
    PaintedGrid shown;
    shown.grid->SetRowCount(1);
    shown.grid->SetColCount(1);
    shown.grid->WordWrap = true;
    shown.grid->SetCells(0, 0, "only");
    shown.Show();
    EXPECT_EQ(shown.Pixel(200, 100), Rgb(clWhite));
}

} // namespace
