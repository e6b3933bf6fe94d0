#include "app/VisualeditGlyphs.h"

#include <array>

namespace {

// Never drawn with, so it stands for the button's face.
constexpr TColor Transparent = clFuchsia;

void Line(TCanvas& c, TColor color, int width, int x1, int y1, int x2, int y2) {
    c.Pen = TPen{color, width, psSolid, pmCopy};
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

void Square(TCanvas& c, TColor pen, TColor fill, int x1, int y1, int x2, int y2) {
    c.Pen = TPen{pen, 1, psSolid, pmCopy};
    c.Brush = fill == Transparent ? TBrush{fill, bsClear} : TBrush{fill, bsSolid};
    c.Rectangle(x1, y1, x2, y2);
}

void Disc(TCanvas& c, TColor color, int x1, int y1, int x2, int y2) {
    c.Pen = TPen{color, 1, psSolid, pmCopy};
    c.Brush = TBrush{color, bsSolid};
    c.Ellipse(x1, y1, x2, y2);
}

void Letters(TCanvas& c, const char* text, TColor color) {
    c.Brush.Style = bsClear;
    c.Font.Name = "Arial";
    c.Font.SetSize(7);
    c.Font.SetStyle(fsBold);
    c.Font.Color = color;
    c.TextOut(1, 2, text);
}

void Draw(TCanvas& c, ToolGlyph glyph) {
    switch (glyph) {
    case ToolGlyph::Zoom:
        c.Brush.Style = bsClear;
        c.Pen = TPen{clBlack, 2, psSolid, pmCopy};
        c.Ellipse(2, 1, 11, 10);
        Line(c, clBlack, 3, 9, 9, 14, 14);
        break;
    case ToolGlyph::Draw:
        Line(c, clOlive, 3, 4, 12, 13, 3);
        Line(c, clBlack, 1, 2, 14, 4, 12);
        break;
    case ToolGlyph::Pick:
        c.Pen = TPen{clBlack, 1, psSolid, pmCopy};
        c.Brush = TBrush{clWhite, bsSolid};
        c.Polygon({Point(4, 1), Point(4, 13), Point(7, 10), Point(10, 15), Point(12, 14), Point(9, 9),
                   Point(13, 9)});
        break;
    case ToolGlyph::Sewer:
        Line(c, clBlue, 2, 2, 13, 14, 3);
        break;
    case ToolGlyph::Junction:
        Square(c, clMaroon, clWhite, 3, 3, 13, 13);
        break;
    case ToolGlyph::SewerName:
        Letters(c, "S1", clBlue);
        break;
    case ToolGlyph::JunctionName:
        Letters(c, "J1", clMaroon);
        break;
    case ToolGlyph::Drop:
        Line(c, clBlue, 2, 2, 13, 14, 1);
        Disc(c, clRed, 7, 3, 13, 9);
        break;
    case ToolGlyph::Datum:
        Square(c, clYellow, Transparent, 2, 2, 14, 14);
        Square(c, clMaroon, Transparent, 4, 4, 12, 12);
        Square(c, clMaroon, clRed, 6, 6, 10, 10);
        break;
    case ToolGlyph::Centre:
        for (const auto& [x, y, dx, dy] : {std::array{1, 1, 1, 1}, std::array{14, 1, -1, 1},
                                           std::array{1, 14, 1, -1}, std::array{14, 14, -1, -1}}) {
            Line(c, clBlack, 1, x, y, x + 4 * dx, y);
            Line(c, clBlack, 1, x, y, x, y + 4 * dy);
        }
        Square(c, clMaroon, clWhite, 6, 6, 10, 10);
        break;
    }
}

} // namespace

std::unique_ptr<TBitmap> MakeToolGlyph(ToolGlyph glyph) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(16, 16);
    TCanvas& canvas = *bitmap->Canvas;
    canvas.Brush = TBrush{Transparent, bsSolid};
    canvas.FillRect(Rect(0, 0, 16, 16));
    Draw(canvas, glyph);
    return bitmap;
}
