#include "grid/Datagrid.h"

#include "framework/Bitmap.h"
#include "framework/Icon.h"
#include "framework/ImageList.h"
#include "framework/Picture.h"
#include "framework/StringList.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/support/PdfPages.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

QImage Square(QRgb colour, int side = 16) {
    QImage square(side, side, QImage::Format_RGB32);
    square.fill(colour);
    return square;
}

// The box around the page's pixels near one colour.
QRect DrawnIn(const QImage& page, QRgb colour) {
    QRect box;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb pixel = page.pixel(x, y);
            if (std::abs(qRed(pixel) - qRed(colour)) + std::abs(qGreen(pixel) - qGreen(colour)) +
                    std::abs(qBlue(pixel) - qBlue(colour)) <
                60)
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

// Every kind of cell graphic that prints, each in a colour of its own, and some that do not.
struct PrintedGraphics : PrintedGrid {
    PrintedGraphics() {
        grid.PrintSettings->PrintGraphics = true;
        for (const QRgb colour : {0xFF0000u, 0x00FF00u, 0x0000FFu})
            images.Add(Square(colour));
        grid.SetImages(&images);
    }
    void AddBitmap(int row, QRgb colour, TCellHAlign ha = haBeforeText, TCellVAlign va = vaTop) {
        TBitmap* bitmap = grid.CreateBitmap(1, row, false, ha, va);
        bitmap->SetSize(16, 16);
        bitmap->Canvas->Brush.Color =
            static_cast<TColor>(qRed(colour) | qGreen(colour) << 8 | qBlue(colour) << 16);
        bitmap->Canvas->FillRect(Rect(0, 0, 16, 16));
    }
    void AddEveryKind() {
        AddBitmap(0, 0xFFFF00);
        grid.CreateIcon(1, 1, haBeforeText, vaTop)->SetImage(Square(0xFF00FF));
        grid.AddImageIdx(1, 2, 1, haBeforeText, vaTop);
        grid.AddMultiImage(1, 3, 0, haBeforeText, vaTop);
        grid.GetCellImages(1, 3)->Add(0);
        grid.GetCellImages(1, 3)->Add(2);
        const QString file = dir.filePath("teal.png");
        Square(0x008080, 8).save(file);
        grid.CreatePicture(1, 4, false, noStretch, 0, haBeforeText, vaTop)->LoadFromFile(file.toStdString());
        grid.CreateFilePicture(1, 5, false, noStretch, 0, haBeforeText, vaTop)
            ->SetFileName(file.toStdString());
        // These show on the screen only.
        grid.SetCells(1, 6, "1");
        grid.AddDataImage(1, 6, 0, haBeforeText, vaTop);
        grid.SetCells(1, 7, "40");
        grid.AddProgress(1, 7, clRed, clBlue);
        grid.CreateRadio(1, 8, 0, 0)->Add("one");
    }
    QImage Printed() {
        QImage page = PageImage(600, 900, 254);
        TCanvas canvas;
        canvas.SetImage(&page);
        grid.PrintDraw(&canvas, Rect(0, 0, 600, 900));
        return page;
    }
    std::vector<PdfImage> PrintedPdf() {
        const QString file = dir.filePath("graphics.pdf");
        Responder().AnswerFile(file.toStdString());
        grid.Print();
        return PdfImages(file);
    }
    TImageList images{nullptr};
    QTemporaryDir dir;
};

TEST_F(PrintedGraphics, EveryKindThatPrintsIsOnThePageAtScreenResolution) {
    AddEveryKind();
    const std::vector<PdfImage> printed = PrintedPdf();
    // Bitmap, icon, image, two images, picture and file picture: 16 pixels (the pictures 8)
    // printed as wide as 16 screen pixels, 96 to the inch.
    ASSERT_EQ(printed.size(), 7u);
    for (const PdfImage& image : printed) {
        EXPECT_EQ(image.Page, 1);
        EXPECT_EQ(image.Width, image.Height);
        EXPECT_TRUE(image.Width == 16 || image.Width == 8) << image.Width;
        EXPECT_NEAR(image.PixelsPerInchX, 96, 1);
    }
    grid.PrintSettings->PrintGraphics = false;
    EXPECT_TRUE(PrintedPdf().empty());
}

TEST_F(PrintedGraphics, AGraphicStandsWhereItsPlacingSaysAndTheTextKeepsClear) {
    grid.SetCells(1, 0, "Pump");
    const int column = grid.GetPrintColOffset(1);
    (void)column;
    struct Case {
        const char* name;
        TCellHAlign ha;
        TCellVAlign va;
        // Where the 16-pixel square prints, 42 dots (tenths of a millimetre) a side, from the
        // column's left and the row's top.
        int left, top;
    };
    const Case cases[] = {
        {"before the text, at the top", haBeforeText, vaTop, 3, 0},
        {"left, at the bottom", haLeft, vaBottom, 3, -1},
        {"right, centred", haRight, vaCenter, -1, -2},
    };
    const QImage without = Printed();
    const QRect text = DrawnIn(without, 0x000000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AddBitmap(0, 0x00FF00, c.ha, c.va);
        const QImage page = Printed();
        const QRect square = DrawnIn(page, 0x00FF00);
        const QRect words = DrawnIn(page, 0x000000);
        const int left = grid.GetPrintColOffset(1);
        const int right = left + grid.GetPrintColWidth(1);
        EXPECT_NEAR(square.width(), 42, 1);
        EXPECT_NEAR(square.height(), 42, 1);
        if (c.left >= 0) {
            EXPECT_NEAR(square.left(), left + c.left, 1);
            // The text moved right by the square and the inset.
            EXPECT_NEAR(words.left() - text.left(), 45, 2);
        } else {
            EXPECT_LE(square.right(), right + 1);
            EXPECT_GE(square.right(), right - 10);
            EXPECT_EQ(words.left(), text.left());
        }
        if (c.top == 0) {
            EXPECT_LE(square.top(), 2);
        }
        if (c.top == -2) {
            EXPECT_NEAR(square.center().y(), words.center().y(), 8);
        }
        grid.RemoveBitmap(1, 0);
    }
}

} // namespace
