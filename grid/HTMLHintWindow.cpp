#include "grid/HTMLHintWindow.h"

#include "grid/Datagrid.h"

namespace {

// The width a hint is measured in before the window takes the text's own width.
constexpr int MeasuredWidth = 1008;

} // namespace

THTMLHintWindow::THTMLHintWindow(TDataGrid* grid) : THintWindow(grid), grid(*grid) {}

TPoint THTMLHintWindow::Measure(const AnsiString& AHint, int width) {
    return grid.HTMLTextSize(AHint, Font, width);
}

TRect THTMLHintWindow::HintRect(TRect Rect, const AnsiString& AHint, const TRect& screen) {
    const TPoint size = Measure(AHint, MeasuredWidth);
    textWidth = size.x;
    textHeight = size.y;
    Rect.Right = Rect.Left + textWidth + 16;
    Rect.Bottom = Rect.Top + textHeight + 4;
    if (Rect.Right > screen.Right) {
        const int width = Rect.Width();
        Rect.Right = screen.Right - 2;
        Rect.Left = Rect.Right - width;
    }
    if (Rect.Bottom > screen.Bottom) {
        const int height = Rect.Height();
        Rect.Bottom = screen.Bottom - 2;
        Rect.Top = Rect.Bottom - height;
    }
    return Rect;
}

void THTMLHintWindow::ActivateHint(TRect Rect, const AnsiString& AHint) {
    THintWindow::ActivateHint(HintRect(Rect, AHint, ScreenArea(Point(Rect.Left, Rect.Top))), AHint);
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const AnsiString& AHint, void*) {
    const TPoint size = Measure(AHint, MaxWidth);
    return Rect(0, 0, size.x, size.y);
}

void THTMLHintWindow::Paint() {
    const TRect client = Rect(0, 0, Width(), Height());
    Canvas->Brush = TBrush{GetColor(), bsSolid};
    Canvas->FillRect(client);
    auto line = [this](TColor color, std::initializer_list<TPoint> points) {
        Canvas->Pen = TPen{color, 1, psSolid, pmCopy};
        Canvas->Polyline(points);
    };
    line(cl3DLight, {Point(client.Left, client.Bottom - 2), Point(client.Left, client.Top),
                     Point(client.Right - 1, client.Top)});
    line(cl3DDkShadow, {Point(client.Left, client.Bottom - 1), Point(client.Right - 1, client.Bottom - 1),
                        Point(client.Right - 1, client.Top - 1)});
    TRect text = client;
    text.Left += 4;
    text.Right -= 4;
    text.Top = (client.Height() - textHeight) / 2;
    text.Bottom = text.Top + textHeight + 8;
    THTMLRenderContext context = grid.HTMLContext();
    context.ShadowColor = clGray;
    context.AnchorColor = clBlue;
    THTMLRenderResult result;
    RenderHTMLText(*Canvas, GetCaption(), text, context, result);
}
