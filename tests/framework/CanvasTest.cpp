#include "framework/Bitmap.h"
#include "framework/Form.h"
#include "framework/PaintBox.h"

#include <QApplication>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

QRgb Colour(const TBitmap& bitmap, int x, int y) {
    return bitmap.Image().pixel(x, y) & 0xFFFFFF;
}

// The bitmap's pixels, rows split by '|': '.' white, '#' black, 'r' red, '?' anything else.
std::string Pixels(const TBitmap& bitmap) {
    std::string rows;
    for (int y = 0; y < bitmap.Height(); ++y) {
        rows += y > 0 ? "|" : "";
        for (int x = 0; x < bitmap.Width(); ++x) {
            const QRgb pixel = Colour(bitmap, x, y);
            rows += pixel == 0xFFFFFF ? '.' : pixel == 0 ? '#' : pixel == 0xFF0000 ? 'r' : '?';
        }
    }
    return rows;
}

void Line(TCanvas& c, int x1, int y1, int x2, int y2) {
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

// Each drawing on a white 6 x 5 bitmap, black pen, red brush.
TEST(Canvas, DrawsPixelsAsTheFrameworkDoes) {
    const struct {
        const char* label;
        void (*draw)(TCanvas&);
        const char* expected;
    } drawings[] = {
        {"a line leaves out its last point", [](TCanvas& c) { Line(c, 0, 1, 5, 1); },
         "......|#####.|......|......|......"},
        {"leftward too", [](TCanvas& c) { Line(c, 5, 1, 0, 1); }, "......|.#####|......|......|......"},
        {"upward too", [](TCanvas& c) { Line(c, 2, 4, 2, 0); }, "......|..#...|..#...|..#...|..#..."},
        {"a diagonal drawn back", [](TCanvas& c) { Line(c, 4, 4, 0, 0); },
         "......|.#....|..#...|...#..|....#."},
        {"a rectangle's right and bottom lie outside it", [](TCanvas& c) { c.Rectangle(0, 0, 5, 4); },
         "#####.|#rrr#.|#rrr#.|#####.|......"},
        {"without a pen the fill is one pixel smaller",
         [](TCanvas& c) {
             c.Pen.Style = psClear;
             c.Rectangle(1, 1, 5, 4);
         },
         "......|.rrr..|.rrr..|......|......"},
        {"a clear brush leaves the inside alone",
         [](TCanvas& c) {
             c.Brush.Style = bsClear;
             c.Rectangle(1, 0, 4, 3);
         },
         ".###..|.#.#..|.###..|......|......"},
        {"FillRect takes the brush whatever the pen", [](TCanvas& c) { c.FillRect(Rect(2, 2, 4, 5)); },
         "......|......|..rr..|..rr..|..rr.."},
        {"FrameRect draws in the brush's colour", [](TCanvas& c) { c.FrameRect(Rect(0, 0, 3, 3)); },
         "rrr...|r.r...|rrr...|......|......"},
    };
    // Drawn alone, and among others with one painter for all.
    for (const bool batched : {false, true})
        for (const auto& drawing : drawings) {
            SCOPED_TRACE(drawing.label);
            TBitmap bitmap;
            bitmap.SetSize(6, 5);
            bitmap.Canvas->Pen.Color = clBlack;
            bitmap.Canvas->Brush.Color = clRed;
            std::optional<ScopedCanvasDrawing> drawingAtOnce;
            if (batched)
                drawingAtOnce.emplace(*bitmap.Canvas);
            drawing.draw(*bitmap.Canvas);
            drawingAtOnce.reset();
            EXPECT_EQ(Pixels(bitmap), drawing.expected);
        }
}

// A rectangle's outline covers the pixels Qt's stroke of it with a one-pixel pen covers, whatever
// its size, at the bitmap's edges and beyond them, on its own, in a run or on an attached painter.
TEST(Canvas, ThinOutlinesCoverWhatQtsStrokeCovers) {
    const struct {
        int x1, y1, x2, y2;
    } rectangles[] = {{2, 2, 4, 4},   {2, 2, 5, 3}, {1, 1, 2, 9},   {3, 3, 11, 11}, {-3, 2, 6, 7},
                      {8, -2, 20, 5}, {4, 4, 3, 8}, {0, 0, 12, 10}, {5, 5, 5, 5},   {6, 1, 7, 2}};
    const TColor colours[] = {clBlack, clMaroon, clRed};
    enum class Painter { Own, Run, Attached };
    for (const Painter way : {Painter::Own, Painter::Run, Painter::Attached})
        for (const auto& r : rectangles)
            for (const TColor colour : colours) {
                SCOPED_TRACE(std::to_string(static_cast<int>(way)) + ": " + std::to_string(r.x1) + ", " +
                             std::to_string(r.y1) + ", " + std::to_string(r.x2) + ", " +
                             std::to_string(r.y2));
                TBitmap bitmap;
                bitmap.SetSize(12, 10);
                TCanvas& canvas = *bitmap.Canvas;
                canvas.Brush.Style = bsClear;
                canvas.Pen.Color = colour;
                QImage expected = bitmap.Image().copy();
                {
                    QPainter stroke(&expected);
                    stroke.setPen(QPen(ToQColor(colour), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
                    stroke.drawRect(QRect(r.x1, r.y1, r.x2 - r.x1 - 1, r.y2 - r.y1 - 1));
                }
                std::optional<ScopedCanvasDrawing> run;
                std::optional<QPainter> attached;
                if (way == Painter::Run)
                    run.emplace(canvas);
                if (way == Painter::Attached) {
                    attached.emplace(canvas.Device());
                    canvas.Attach(*attached);
                }
                canvas.Rectangle(r.x1, r.y1, r.x2, r.y2);
                if (attached) {
                    canvas.Release();
                    attached->end();
                }
                run.reset();
                EXPECT_EQ(bitmap.Image(), expected);
            }
}

TEST(Canvas, ExclusiveOrDrawnTwiceLeavesThePictureAsItWas) {
    TBitmap bitmap;
    bitmap.SetSize(20, 12);
    TCanvas& canvas = *bitmap.Canvas;
    canvas.Brush.Color = clRed;
    canvas.FillRect(Rect(3, 3, 15, 9));
    const QImage before = bitmap.Image().copy();
    canvas.Pen.Mode = pmXor;
    canvas.Pen.Color = clGray;
    for (int pass = 0; pass < 2; ++pass) {
        canvas.MoveTo(0, 0);
        canvas.LineTo(19, 11);
        canvas.Brush.Style = bsClear;
        canvas.Rectangle(2, 2, 12, 10);
        canvas.DrawFocusRect(Rect(1, 1, 18, 11));
        if (pass == 0) {
            EXPECT_NE(bitmap.Image(), before);
            // Gray over white: 0x808080 ^ 0xFFFFFF.
            EXPECT_EQ(Colour(bitmap, 2, 5), 0x7F7F7Fu);
        }
    }
    EXPECT_EQ(bitmap.Image(), before);
}

TEST(Canvas, TextIsMeasuredAndWrittenOnTheBrush) {
    TBitmap bitmap;
    bitmap.SetSize(200, 40);
    TCanvas& canvas = *bitmap.Canvas;
    const int width = canvas.TextWidth("Sewer S1");
    EXPECT_GT(width, canvas.TextWidth("S1"));
    EXPECT_GT(canvas.TextHeight("S1"), 5);
    canvas.Brush.Color = clRed;
    canvas.TextOut(10, 5, "Sewer S1");
    EXPECT_EQ(canvas.PenPos, Point(10 + width, 5));
    // The brush fills behind the text, from its top-left corner.
    EXPECT_EQ(Colour(bitmap, 10, 5), 0xFF0000u);
    EXPECT_EQ(Colour(bitmap, 9, 5), 0xFFFFFFu);
    canvas.Brush.Color = clWhite;
    canvas.TextRect(Rect(0, 20, 30, 40), 0, 22, "a text far wider than its rectangle");
    EXPECT_EQ(Colour(bitmap, 100, 30), 0xFFFFFFu);
}

// The columns of a bitmap's rows from..to that hold a pixel other than white.
std::pair<int, int> InkColumns(const TBitmap& bitmap) {
    int first = bitmap.Width(), last = -1;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (Colour(bitmap, x, y) != 0xFFFFFF) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

TEST(Canvas, DrawTextPlacesMeasuresAndClips) {
    struct Row {
        const char* name;
        unsigned format;
        bool inLeftThird, inMiddle, inRightThird;
    } rows[] = {
        {"left", DT_SINGLELINE | DT_VCENTER, true, false, false},
        {"centred", DT_SINGLELINE | DT_VCENTER | DT_CENTER, false, true, false},
        {"right", DT_SINGLELINE | DT_VCENTER | DT_RIGHT, false, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TBitmap bitmap;
        bitmap.SetSize(150, 30);
        bitmap.Canvas->Brush.Style = bsClear;
        bitmap.Canvas->Font.Color = clBlack;
        TRect r = Rect(0, 0, 150, 30);
        bitmap.Canvas->DrawText("MM", r, row.format);
        const auto [first, last] = InkColumns(bitmap);
        EXPECT_EQ(first < 50, row.inLeftThird);
        EXPECT_EQ(first > 50 && last < 100, row.inMiddle);
        EXPECT_EQ(last > 100, row.inRightThird);
    }

    TBitmap bitmap;
    bitmap.SetSize(100, 60);
    TCanvas& canvas = *bitmap.Canvas;
    TRect measured = Rect(10, 10, 10, 10);
    EXPECT_EQ(canvas.DrawText("Sewer", measured, DT_CALCRECT | DT_SINGLELINE), canvas.TextHeight("Sewer"));
    EXPECT_EQ(measured.Width(), canvas.TextWidth("Sewer"));
    TRect twoLines = Rect(0, 0, 10, 10);
    canvas.DrawText("a\r\nb", twoLines, DT_CALCRECT);
    EXPECT_EQ(twoLines.Height(), 2 * canvas.TextHeight("a"));
    EXPECT_EQ(Colour(bitmap, 12, 12), 0xFFFFFFu);

    // A long text stops at its rectangle; a clip keeps every drawing inside it.
    canvas.Brush.Style = bsClear;
    TRect cell = Rect(0, 0, 20, 20);
    canvas.DrawText("a text far wider than its cell", cell, DT_SINGLELINE);
    EXPECT_EQ(InkColumns(bitmap).second < 20, true);
    canvas.SelectClipRect(Rect(0, 30, 50, 60));
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clRed;
    canvas.FillRect(Rect(0, 30, 100, 60));
    canvas.RemoveClip();
    EXPECT_EQ(Colour(bitmap, 49, 40), 0xFF0000u);
    EXPECT_EQ(Colour(bitmap, 50, 40), 0xFFFFFFu);
    canvas.FillRect(Rect(0, 30, 100, 60));
    EXPECT_EQ(Colour(bitmap, 50, 40), 0xFF0000u);
}

TEST(Canvas, WordBreakingAsAnEditControl) {
    TBitmap bitmap;
    bitmap.SetSize(200, 100);
    TCanvas& canvas = *bitmap.Canvas;
    const int lineHeight = canvas.TextHeight("gh");
    // Lines break between words only; a word wider than the line stands whole on its own.
    TRect words = Rect(0, 0, canvas.TextWidth("Initial") + 1, 0);
    TRect separate = Rect(0, 0, 0, 0);
    canvas.DrawText("Initial flow (l/s)", words, DT_CALCRECT | DT_WORDBREAK);
    canvas.DrawText("Initial\rflow\r(l/s)", separate, DT_CALCRECT);
    EXPECT_EQ(words.Height(), separate.Height());
    TRect number = Rect(0, 0, 10, 0);
    canvas.DrawText("1.012E+00", number, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(number.Height(), lineHeight);
    EXPECT_EQ(number.Width(), canvas.TextWidth("1.012E+00"));

    // Of three lines in room for one and a half, only the first shows.
    canvas.Font.Color = clBlack;
    canvas.Brush.Style = bsClear;
    TRect room = Rect(0, 0, 200, lineHeight + lineHeight / 2);
    canvas.DrawText("one\rtwo\rthree", room, DT_EDITCONTROL);
    int lowest = -1;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (Colour(bitmap, x, y) != 0xFFFFFF)
                lowest = y;
    EXPECT_GE(lowest, 0);
    EXPECT_LT(lowest, lineHeight);
}

TEST(Font, HeightInPixelsFollowsTheSize) {
    TFont font;
    font.Size = 8;
    EXPECT_EQ(font.GetHeight(), -11);
    font.SetHeight(-16);
    EXPECT_EQ(font.Size, 12);
    font.PixelsPerInch = 144;
    EXPECT_EQ(font.GetHeight(), -24);
    const int pointSize = font.ToQFont().pointSize();
    font.Size = 10;
    EXPECT_NE(font.ToQFont().pointSize(), pointSize);
}

struct PaintBoxForm : TForm {
    PaintBoxForm() : TForm(nullptr) {
        SetColor(clWhite);
        Box->SetParent(this);
        Box->SetBounds(0, 0, 40, 30);
        EndLayout();
    }
    TPaintBox* Box = new TPaintBox(this);
};

TEST(PaintBox, RepaintClearsToTheParentsColourAndRunsOnPaintAtOnce) {
    PaintBoxForm form;
    int paints = 0;
    form.Box->OnPaint = [&](TObject* sender) {
        EXPECT_EQ(sender, form.Box);
        ++paints;
        form.Box->Canvas->Pen.Color = clBlack;
        form.Box->Canvas->MoveTo(0, 0);
        form.Box->Canvas->LineTo(10, 0);
    };
    // A band drawn outside OnPaint stays in the picture until the next repaint.
    form.Box->Canvas->Pen.Color = clRed;
    form.Box->Canvas->MoveTo(0, 5);
    form.Box->Canvas->LineTo(30, 5);
    form.Box->Repaint();
    EXPECT_EQ(paints, 1);
    QImage shown(40, 30, QImage::Format_RGB32);
    form.Box->View()->render(&shown);
    EXPECT_EQ(shown.pixel(5, 0) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(shown.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(paints, 1);
    // A new size gives a new picture, painted when the view next paints.
    form.Box->SetBounds(0, 0, 60, 30);
    form.Box->View()->render(&shown);
    EXPECT_EQ(paints, 2);
}

} // namespace
