// HTML cells on a printed page: laid out in device pixels, where the engine works, and placed
// in the page's tenths of a millimetre.
#include "grid/Datagrid.h"

#include <QPaintDevice>

#include <algorithm>
#include <cmath>

TPoint TPrintPass::HTMLPrintSize(const AnsiString& text) {
    // Laid out on the screen, then taken at the size that many screen pixels print.
    const TPoint pixels = grid.HTMLTextSize(text, canvas.Font, 0);
    const double tenths = screenFactor * fontScale;
    return Point(static_cast<int>(std::ceil(pixels.x * tenths)),
                 static_cast<int>(std::ceil(pixels.y * tenths)));
}

void TPrintPass::DrawHTMLText(const AnsiString& text, const TRect& cell) {
    const TPoint topLeft = canvas.LPtoDP(Point(cell.Left, cell.Top));
    const TPoint bottomRight = canvas.LPtoDP(Point(cell.Right, cell.Bottom));
    // Device pixels an inch of the page takes, and those the device counts its fonts in.
    const double pageDpi = (canvas.LPtoDP(Point(254, 0)).x - canvas.LPtoDP(Point(0, 0)).x);
    const QPaintDevice* device = canvas.Device();
    const double deviceDpi = device ? device->logicalDpiX() : pageDpi;
    const TFont font = canvas.Font;
    const TBrush brush = canvas.Brush;
    const int mode = canvas.SetMapMode(MM_TEXT);
    canvas.Font.Size = std::max(
        1, static_cast<int>(std::lround(font.Size * fontScale * pageDpi / std::max(1.0, deviceDpi))));
    canvas.Brush.Style = bsClear;
    THTMLRenderContext context = grid.HTMLContext();
    context.Scale = pageDpi / std::max(1, grid.ScreenPixelsPerInch());
    context.BlinkOn = true;
    context.PixelsPerInch = static_cast<int>(std::lround(pageDpi));
    THTMLRenderResult result;
    RenderHTMLText(canvas, text, Rect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y), context, result);
    canvas.SetMapMode(mode);
    canvas.Font = font;
    canvas.Brush = brush;
}
