#include "grid/Gridutil.h"

#include "framework/Bitmap.h"
#include "framework/Panel.h"

#include <gtest/gtest.h>

namespace {

QRgb PixelOf(const TBitmap& bitmap, int x, int y) {
    return bitmap.Image().pixel(x, y) & 0xFFFFFF;
}

TEST(GridutilDraw, TheTopLeftColourShowsTheBackground) {
    TBitmap glyph;
    glyph.SetSize(3, 1);
    glyph.Canvas->Brush.Color = clRed;
    glyph.Canvas->FillRect(Rect(0, 0, 3, 1));
    glyph.Canvas->Brush.Color = clBlue;
    glyph.Canvas->FillRect(Rect(1, 0, 2, 1));
    TBitmap target;
    target.SetSize(6, 2);
    // Stretched to twice its size: red, blue, red becomes green, blue, green in pairs.
    DrawBitmapTransp(*target.Canvas, glyph, clLime, Rect(0, 0, 6, 2));
    EXPECT_EQ(PixelOf(target, 0, 0), 0x00FF00u);
    EXPECT_EQ(PixelOf(target, 2, 1), 0x0000FFu);
    EXPECT_EQ(PixelOf(target, 5, 1), 0x00FF00u);

    TBitmap untouched;
    untouched.SetSize(4, 4);
    DrawBitmapResourceTransp(*untouched.Canvas, clLime, Rect(0, 0, 4, 4), "NoSuchPicture");
    EXPECT_EQ(PixelOf(untouched, 1, 1), 0xFFFFFFu);
}

// Columns that hold a red pixel in a band of rows.
std::pair<int, int> RedColumns(const TBitmap& bitmap, int top, int bottom) {
    int first = bitmap.Width(), last = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (PixelOf(bitmap, x, y) == 0xFF0000u) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

TEST(GridutilDraw, ErrorLinesRunUnderTheMarkedCharacters) {
    TPanel control(nullptr);
    TBitmap bitmap;
    bitmap.SetSize(300, 40);
    TCanvas& canvas = *bitmap.Canvas;
    const AnsiString text = "Sewer S12 is long";
    const TRect r = Rect(10, 5, 290, 35);
    // Characters 6-8 ("S12"): from where "Sewer " ends to where "Sewer S1" ends.
    DrawErrorLines(control, canvas, text, r, 12, 6, 3);
    const int from = r.Left + canvas.TextWidth("Sewer ");
    const int to = r.Left + canvas.TextWidth("Sewer S1");
    const auto [first, last] = RedColumns(bitmap, 15, 22);
    EXPECT_NEAR(first, from, 1);
    EXPECT_GE(last, to);
    EXPECT_LE(last, to + 4);
    EXPECT_EQ(RedColumns(bitmap, 0, 15).second, -1);
    EXPECT_EQ(RedColumns(bitmap, 22, 40).second, -1);

    // Marked past the end: the line reaches 4 pixels beyond the last character.
    TBitmap tail;
    tail.SetSize(300, 40);
    DrawErrorLines(control, *tail.Canvas, "ab", r, 0, 1, 5);
    EXPECT_GE(RedColumns(tail, 0, 40).second, r.Left + tail.Canvas->TextWidth("a") + 4);
}

} // namespace
