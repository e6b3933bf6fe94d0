#include "framework/Canvas.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <gtest/gtest.h>

#include <optional>

namespace {

// An image of the given resolution; white.
QImage WhiteImage(int width, int height, int dpi) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    // Dots per metre: 254 dpi is 10,000, one pixel per tenth of a millimetre.
    image.setDotsPerMeterX(dpi * 10000 / 254);
    image.setDotsPerMeterY(dpi * 10000 / 254);
    return image;
}

// The smallest rectangle of device pixels holding every pixel that is not white.
std::optional<QRect> Inked(const QImage& image) {
    std::optional<QRect> inked;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                inked = inked ? inked->united(QRect(x, y, 1, 1)) : QRect(x, y, 1, 1);
    return inked;
}

// DejaVu Sans Mono: every character advances 1233 / 2048 em; ascent 1901 and descent 483 make a
// line 2384 / 2048 em high. At 35 tenths (10 points): 21.07 across and 40.73 down.
void UseMonoFont(TCanvas& canvas) {
    canvas.Font.Name = "DejaVu Sans Mono";
    canvas.Font.SetHeight(-35);
}

} // namespace

TEST(CanvasTenths, PlacesTenthsOfAMillimetreOnTheDevicePixels) {
    const struct {
        const char* label;
        int dpi;
        std::optional<std::pair<double, QPointF>> page;
        TRect filled;
        QRect pixels;
    } rows[] = {
        // 254 dpi: one pixel per tenth, y downward on the device.
        {"the device's resolution", 254, std::nullopt, Rect(3, -2, 8, -6), QRect(3, 2, 5, 4)},
        // 0.1 pixel per tenth from (2, 1): 100 x 50 tenths are 10 x 5 pixels.
        {"a page placed on it", 96, std::pair{0.1, QPointF(2, 1)}, Rect(0, 0, 100, -50), QRect(2, 1, 10, 5)},
        {"a page at twice the size", 96, std::pair{2.0, QPointF(0, 0)}, Rect(1, -1, 4, -3),
         QRect(2, 2, 6, 4)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        QImage image = WhiteImage(20, 12, row.dpi);
        TCanvas canvas;
        canvas.SetImage(&image);
        EXPECT_EQ(canvas.SetMapMode(MM_LOMETRIC), MM_TEXT);
        if (row.page)
            canvas.SetPageScale(row.page->first, row.page->second);
        canvas.Brush.Color = clBlack;
        canvas.FillRect(row.filled);
        EXPECT_EQ(Inked(image), row.pixels);
    }
}

TEST(CanvasTenths, ClipBoxAndConversionsCountInTenths) {
    QImage image = WhiteImage(100, 50, 254);
    TCanvas canvas;
    canvas.SetImage(&image);
    EXPECT_EQ(canvas.ClipBox(), Rect(0, 0, 100, 50));
    canvas.SetMapMode(MM_LOMETRIC);
    // The page's top edge is y = 0 and everything below it lies lower.
    EXPECT_EQ(canvas.ClipBox(), Rect(0, 0, 100, -50));
    canvas.SetPageScale(0.5, QPointF(10, 0));
    EXPECT_EQ(canvas.ClipBox(), Rect(-20, 0, 180, -100));
}

TEST(CanvasTenths, TextsTakeTheSameRoomOnEveryDevice) {
    QImage screen = WhiteImage(10, 10, 96);
    QImage fine = WhiteImage(10, 10, 1200);
    TCanvas unplaced, onScreen, onFine;
    onScreen.SetImage(&screen);
    onFine.SetImage(&fine);
    onFine.SetPageScale(3, QPointF());
    for (TCanvas* canvas : {&unplaced, &onScreen, &onFine}) {
        canvas->SetMapMode(MM_LOMETRIC);
        UseMonoFont(*canvas);
        // 9 characters of 21.07.
        EXPECT_EQ(canvas->TextWidth("Sewer S12"), 190);
        EXPECT_EQ(canvas->TextHeight("gh"), 41);
    }
}

TEST(CanvasTenths, ATextIsDrawnWhereItWasMeasured) {
    QImage image = WhiteImage(200, 80, 254);
    TCanvas canvas;
    canvas.SetImage(&image);
    canvas.SetMapMode(MM_LOMETRIC);
    UseMonoFont(canvas);
    canvas.Brush.Style = bsClear;
    canvas.TextOut(10, -10, "MMMM");
    const std::optional<QRect> inked = Inked(image);
    ASSERT_TRUE(inked);
    // Four advances of 21.07 from x = 10; capitals stand on the baseline, 32.5 below the top.
    EXPECT_NEAR(inked->left(), 10, 3);
    EXPECT_NEAR(inked->right(), 10 + 84, 4);
    EXPECT_NEAR(inked->bottom(), 10 + 32, 2);
    EXPECT_EQ(canvas.PenPos, Point(10 + 84, -10));
}

TEST(CanvasTenths, WordBreakingMeasuresAndDrawsLineUnderLine) {
    const struct {
        const char* label;
        int width;
        int height;
    } rows[] = {
        // "abcd efgh" is 9 advances (189.6); "ijkl" goes below. A line of 40.73 takes 41.
        {"two lines", 190, 82},
        // Room for one word a line.
        {"three lines", 100, 123},
        {"one line", 300, 41},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        QImage image = WhiteImage(320, 160, 254);
        TCanvas canvas;
        canvas.SetImage(&image);
        canvas.SetMapMode(MM_LOMETRIC);
        UseMonoFont(canvas);
        TRect measured = Rect(0, -10, row.width, -10);
        EXPECT_EQ(canvas.DrawText("abcd efgh ijkl", measured, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX),
                  row.height);
        EXPECT_EQ(measured, Rect(0, -10, row.width, -10 - row.height));
        TRect room = Rect(0, -10, row.width, -150);
        canvas.DrawText("abcd efgh ijkl", room, DT_WORDBREAK | DT_NOPREFIX);
        const std::optional<QRect> inked = Inked(image);
        ASSERT_TRUE(inked);
        EXPECT_LE(inked->bottom(), 10 + row.height);
        EXPECT_GT(inked->bottom(), 10 + row.height - 41);
    }
}

TEST(CanvasTenths, LinesAndFramesFollowTheMapping) {
    QImage image = WhiteImage(30, 30, 254);
    TCanvas canvas;
    canvas.SetImage(&image);
    canvas.SetMapMode(MM_LOMETRIC);
    canvas.Pen.Width = 1;
    canvas.MoveTo(5, -20);
    canvas.LineTo(25, -20);
    EXPECT_EQ(Inked(image), QRect(5, 20, 20, 1));
    image.fill(Qt::white);
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(2, -2, 12, -8);
    EXPECT_EQ(Inked(image), QRect(2, 2, 11, 7));
}

TEST(CanvasTenths, TextsDrawnTogetherLandWhereEachAloneWould) {
    // DejaVu Sans kerns "AV", "To" and "r." and joins "fl" into one glyph; each drawing on a sheet
    // shown at 0.37 pixels a tenth from (3.5, 2.25), drawn on its own and in a run of drawings.
    const struct {
        const char* label;
        void (*draw)(TCanvas&);
    } rows[] = {
        {"at a point", [](TCanvas& c) { c.TextOut(13, -7, "AVATAR To 1.250E+00 r."); }},
        {"in a rectangle", [](TCanvas& c) { c.TextRect(Rect(0, -50, 900, -100), 20, -55, "Sewer S12"); }},
        {"joined letters", [](TCanvas& c) { c.TextOut(13, -120, "Initial flow (l/s)"); }},
        {"a line then a text over it",
         [](TCanvas& c) {
             c.TextOut(10, -30, "Velocity");
             c.MoveTo(0, -40);
             c.LineTo(400, -40);
             c.Font.Color = clRed;
             c.TextOut(10, -35, "Velocity");
         }},
        {"word-broken, left",
         [](TCanvas& c) {
             TRect r = Rect(30, -60, 400, -110);
             c.DrawText("Total Initial flow", r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
         }},
        {"right",
         [](TCanvas& c) {
             TRect r = Rect(30, -60, 400, -110);
             c.DrawText("99.700", r, DT_RIGHT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
         }},
        {"centred",
         [](TCanvas& c) {
             TRect r = Rect(30, -60, 401, -110);
             c.DrawText("To Wave", r, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
         }},
        {"too wide for one line",
         [](TCanvas& c) {
             TRect r = Rect(30, -60, 150, -200);
             c.DrawText("Ground level u/s (m)", r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        QImage alone = WhiteImage(180, 80, 96);
        QImage together = alone.copy();
        for (QImage* image : {&alone, &together}) {
            TCanvas canvas;
            canvas.SetImage(image);
            canvas.SetMapMode(MM_LOMETRIC);
            canvas.SetPageScale(0.37, QPointF(3.5, 2.25));
            canvas.Font.Name = "DejaVu Sans";
            canvas.Font.SetHeight(-35);
            canvas.Brush.Style = bsClear;
            std::optional<ScopedCanvasDrawing> run;
            if (image == &together)
                run.emplace(canvas);
            row.draw(canvas);
        }
        ASSERT_TRUE(Inked(alone));
        EXPECT_EQ(together, alone);
    }
}

TEST(CanvasTenths, TextsDrawnTogetherOnAnSvgPictureKeepTheirCharacters) {
    QBuffer written;
    QSvgGenerator picture;
    picture.setOutputDevice(&written);
    picture.setSize(QSize(200, 100));
    picture.setResolution(96);
    {
        QPainter painter(&picture);
        TCanvas canvas;
        canvas.Attach(painter);
        canvas.SetMapMode(MM_LOMETRIC);
        UseMonoFont(canvas);
        {
            const ScopedCanvasDrawing run(canvas);
            canvas.TextOut(10, -10, "Sewer S12");
        }
        canvas.Release();
    }
    EXPECT_NE(written.data().indexOf("Sewer S12"), -1);
}
