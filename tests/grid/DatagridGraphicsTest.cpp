#include "grid/Datagrid.h"

#include "framework/GridScrollArea.h"
#include "framework/ImageList.h"
#include "framework/StringList.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/grid/ShownGrid.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// A shown grid on white, cells of 64 x 41 pixels, one fixed row and column, nothing selected:
// cell (c, r) covers x 64c .. 64c + 63 and y 41r .. 41r + 40.
struct GraphicGrid : ShownGrid<TDataGrid> {
    GraphicGrid() {
        grid->SetDefaultRowHeight(41);
        grid->SetRowCount(4);
        grid->SetColCount(4);
        grid->SetColor(clWhite);
        grid->HideSelection();
        grid->VAlignment = vtaCenter;
    }
    // Cell (c, r) inside its lines.
    QImage Cell(int col, int row) {
        Show();
        QApplication::processEvents();
        const QImage shot = static_cast<GridScrollArea*>(grid->View())->viewport()->grab().toImage();
        return shot.copy(64 * col, 41 * row, 63, 40);
    }
};

// The box around the pixels that are not white.
QRect Drawn(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The box around the pixels of one colour.
QRect DrawnIn(const QImage& image, QRgb colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

constexpr QRgb Red = 0xFF0000;
constexpr QRgb Green = 0x00FF00;
constexpr QRgb Blue = 0x0000FF;

// An image list of 16 x 16 squares: red, green, blue.
struct Squares {
    Squares() {
        for (const QRgb colour : {Red, Green, Blue}) {
            QImage square(16, 16, QImage::Format_RGB32);
            square.fill(colour);
            images.Add(square);
        }
    }
    TImageList images{nullptr};
};

TEST(DatagridGraphics, ImageListCellsDrawTheirImagesWhereTheyArePlaced) {
    struct Case {
        const char* name;
        std::function<void(TDataGrid&)> set;
        // The squares' boxes in cell (1, 1), none where a colour must not show.
        QRect red, green, blue;
        bool text;
    };
    const Case cases[] = {
        {"index at top left",
         [](TDataGrid& g) { g.AddImageIdx(1, 1, 1, haLeft, vaTop); },
         {},
         QRect(1, 1, 16, 16),
         {},
         false},
        {"index at bottom right",
         [](TDataGrid& g) { g.AddImageIdx(1, 1, 2, haRight, vaBottom); },
         {},
         {},
         QRect(47, 24, 16, 16),
         false},
        {"index centred",
         [](TDataGrid& g) { g.AddImageIdx(1, 1, 0, haCenter, vaCenter); },
         QRect(24, 12, 16, 16),
         {},
         {},
         false},
        {"index before text",
         [](TDataGrid& g) {
             g.SetCells(1, 1, "ab");
             g.AddImageIdx(1, 1, 0, haBeforeText, vaTop);
         },
         QRect(1, 1, 16, 16),
         {},
         {},
         true},
        {"data image by the cell's number, no text",
         [](TDataGrid& g) {
             g.SetCells(1, 1, "2");
             g.AddDataImage(1, 1, 0, haLeft, vaTop);
         },
         {},
         {},
         QRect(1, 1, 16, 16),
         false},
        {"data image of a text that is no number",
         [](TDataGrid& g) {
             g.SetCells(1, 1, "x");
             g.AddDataImage(1, 1, 0, haLeft, vaTop);
         },
         {},
         {},
         {},
         false},
        {"data image beyond the list",
         [](TDataGrid& g) {
             g.SetCells(1, 1, "7");
             g.AddDataImage(1, 1, 0, haLeft, vaTop);
         },
         {},
         {},
         {},
         false},
        {"images side by side",
         [](TDataGrid& g) {
             g.AddMultiImage(1, 1, 0, haLeft, vaTop);
             g.GetCellImages(1, 1)->Add(2);
             g.GetCellImages(1, 1)->Add(0);
         },
         QRect(17, 1, 16, 16),
         {},
         QRect(1, 1, 16, 16),
         false},
        {"images stacked",
         [](TDataGrid& g) {
             g.AddMultiImage(1, 1, 1, haLeft, vaTop);
             g.GetCellImages(1, 1)->Add(1);
             g.GetCellImages(1, 1)->Add(0);
         },
         QRect(1, 17, 16, 16),
         QRect(1, 1, 16, 16),
         {},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphicGrid shown;
        shown.grid->VAlignment = vtaTop;
        Squares squares;
        shown.grid->SetImages(&squares.images);
        c.set(*shown.grid);
        const QImage cell = shown.Cell(1, 1);
        EXPECT_EQ(DrawnIn(cell, Red), c.red);
        EXPECT_EQ(DrawnIn(cell, Green), c.green);
        EXPECT_EQ(DrawnIn(cell, Blue), c.blue);
        // Text pixels: dark grey to black.
        bool text = false;
        for (int y = 0; y < cell.height(); ++y)
            for (int x = 0; x < cell.width(); ++x) {
                const QRgb pixel = cell.pixel(x, y);
                text = text || std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)}) < 100;
            }
        EXPECT_EQ(text, c.text);
        shown.grid->SetImages(nullptr);
    }
}

TEST(DatagridGraphics, AListOfImagesRepaintsAsItChangesWhereverItsRowWent) {
    GraphicGrid shown;
    shown.grid->SetRowCount(3);
    Squares squares;
    shown.grid->SetImages(&squares.images);
    shown.grid->SetCells(1, 1, "b");
    shown.grid->SetCells(1, 2, "a");
    shown.grid->AddMultiImage(1, 1, 0, haLeft, vaTop);
    EXPECT_TRUE(DrawnIn(shown.Cell(1, 1), Green).isEmpty());
    shown.grid->GetCellImages(1, 1)->Add(1);
    EXPECT_EQ(DrawnIn(shown.Cell(1, 1), Green), QRect(1, 1, 16, 16));
    // Sorted, the list is in row 2 and still shows what is added to it.
    shown.grid->SortSettings->Column = 1;
    shown.grid->QSort();
    TIntList* moved = shown.grid->GetCellImages(1, 2);
    ASSERT_NE(moved, nullptr);
    moved->Add(2);
    EXPECT_EQ(DrawnIn(shown.Cell(1, 2), Blue), QRect(17, 1, 16, 16));
    EXPECT_TRUE(DrawnIn(shown.Cell(1, 1), Green).isEmpty());
}

TEST(DatagridGraphics, ImagesGoWithTheirImageList) {
    GraphicGrid shown;
    auto squares = std::make_unique<Squares>();
    shown.grid->SetImages(&squares->images);
    shown.grid->AddImageIdx(1, 1, 1, haLeft, vaTop);
    EXPECT_FALSE(DrawnIn(shown.Cell(1, 1), Green).isEmpty());
    // The list freed: the grid hears of it and draws nothing where its image was.
    squares.reset();
    EXPECT_EQ(shown.grid->GridImages, nullptr);
    shown.grid->Invalidate();
    EXPECT_TRUE(DrawnIn(shown.Cell(1, 1), Green).isEmpty());
    int index = -1;
    EXPECT_FALSE(shown.grid->GetImageIdx(1, 1, index));
}

TEST(DatagridGraphics, ACheckBoxStandsBeforeTheTextAndCentredDown) {
    GraphicGrid shown;
    shown.grid->AddCheckBox(1, 1, true, false);
    const QRect box = Drawn(shown.Cell(1, 1));
    // A 15-pixel box, 1 pixel in from the left, half way down the 40 pixels.
    EXPECT_LE(box.left(), 2);
    EXPECT_NEAR(box.center().y(), 20, 1.5);
    EXPECT_LE(box.height(), 16);
    EXPECT_GE(box.height(), 12);
}

TEST(DatagridGraphics, EveryControlStyleDrawsItsOwnCheckBox) {
    const TControlStyle styles[] = {csClassic, csFlat, csWinXP, csBorland, csZefra, csTheme};
    std::vector<QImage> looks;
    for (const TControlStyle style : styles) {
        SCOPED_TRACE(static_cast<int>(style));
        GraphicGrid shown;
        shown.grid->ControlLook->SetControlStyle(style);
        shown.grid->AddCheckBox(1, 1, true, false);
        const QImage cell = shown.Cell(1, 1);
        EXPECT_FALSE(Drawn(cell).isEmpty());
        for (const QImage& other : looks)
            EXPECT_NE(cell, other);
        looks.push_back(cell);
    }
}

TEST(DatagridGraphics, AProgressBarFillsItsShare) {
    GraphicGrid shown;
    shown.grid->SetCells(1, 1, "40");
    shown.grid->AddProgress(1, 1, clRed, clYellow);
    const QImage cell = shown.Cell(1, 1);
    int filled = 0;
    int empty = 0;
    for (int x = 0; x < cell.width(); ++x) {
        const QRgb pixel = cell.pixel(x, 4) & 0xFFFFFF;
        filled += pixel == 0xFF0000;
        empty += pixel == 0xFFFF00;
    }
    ASSERT_GT(filled + empty, 50);
    EXPECT_NEAR(static_cast<double>(filled) / (filled + empty), 0.4, 0.03);
}

TEST(DatagridGraphics, TreeLinesJoinTheRowsOfANode) {
    GraphicGrid shown;
    shown.grid->SetRowCount(5);
    shown.grid->SetFixedCols(0);
    shown.grid->CellNode->SetShowTree(true);
    shown.grid->AddNode(1, 3);
    const QImage inside = shown.Cell(0, 2);
    const QImage last = shown.Cell(0, 3);
    const QRgb silver = ToQColor(clSilver).rgb() & 0xFFFFFF;
    // The line runs down through a row inside the span and stops half way in its last row.
    const auto lineAt = [&](const QImage& cell, int y) {
        for (int x = 0; x < 16; ++x)
            if ((cell.pixel(x, y) & 0xFFFFFF) == silver)
                return true;
        return false;
    };
    EXPECT_TRUE(lineAt(inside, 2));
    EXPECT_TRUE(lineAt(inside, 36));
    EXPECT_TRUE(lineAt(last, 2));
    EXPECT_FALSE(lineAt(last, 36));
}

TEST_F(PrintedGrid, ACheckBoxPrintsBesideItsText) {
    grid.PrintSettings->PrintGraphics = true;
    grid.SetCells(1, 0, "Pump");
    // The page's top left, 254 dots an inch: a dot is a tenth of a millimetre.
    const auto printed = [this] {
        QImage image = PageImage(600, 300, 254);
        TCanvas canvas;
        canvas.SetImage(&image);
        grid.PrintDraw(&canvas, Rect(0, 0, 600, 300));
        return image;
    };
    const auto darkIn = [](const QImage& page, int x1, int x2) {
        int count = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = x1; x < x2; ++x)
                count += Dark(page, x, y);
        return count;
    };
    const QImage without = printed();
    grid.AddCheckBox(1, 0, true, false);
    const QImage with = printed();
    const int column = grid.GetPrintColOffset(1);
    // The box's frame and tick stand where the text began, the text further right.
    EXPECT_GT(darkIn(with, column, column + 40), darkIn(without, column, column + 40) + 40);
    EXPECT_GT(darkIn(with, column + 60, 600), 0);
}

} // namespace
