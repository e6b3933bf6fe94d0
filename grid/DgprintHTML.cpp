// HTML cells on a printed page: laid out in device pixels, where the engine works, and placed
// in the page's tenths of a millimetre.
#include "grid/Datagrid.h"

#include <QPaintDevice>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace {

// The points a font set for the page prints in: its height counts tenths of a millimetre, the
// fit to the page included. Unrounded: each use rounds once, after its own scale.
double PrintedPoints(const TFont& font) {
    return -font.GetHeight() * 72.0 / 254.0;
}

int WholePoints(double points) {
    return std::max(1, static_cast<int>(std::lround(points)));
}

// The resolution HTML text is measured at for the page.
constexpr int FinePixelsPerInch = 1200;

// Device pixels an inch of the page takes.
double PageDpi(const TCanvas& canvas) {
    return canvas.LPtoDP(Point(254, 0)).x - canvas.LPtoDP(Point(0, 0)).x;
}

} // namespace

int TPrintPass::HTMLWidth(int displayCol, int spanCols) const {
    return std::max(1, SpanWidth(displayCol, spanCols) - letterWidth);
}

TPoint TPrintPass::HTMLPrintSize(const AnsiString& text, int width, std::vector<TLineSpan>* lines) {
    // Measured at a resolution fine enough that the widths are the font's own rather than a
    // screen's rounded ones, so that the page draws the text in the room measured.
    static QImage fine = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(static_cast<int>(std::lround(FinePixelsPerInch / 0.0254)));
        image.setDotsPerMeterY(static_cast<int>(std::lround(FinePixelsPerInch / 0.0254)));
        return image;
    }();
    TCanvas measure;
    measure.SetImage(&fine);
    measure.Font = canvas.Font;
    measure.Font.SetSize(WholePoints(PrintedPoints(canvas.Font)));
    THTMLRenderContext context = grid.HTMLContext();
    context.Paint = false;
    context.Scale = double(FinePixelsPerInch) / std::max(1, grid.ScreenPixelsPerInch()) * fontScale;
    context.PixelsPerInch = FinePixelsPerInch;
    THTMLRenderResult result;
    const double tenths = 254.0 / FinePixelsPerInch;
    RenderHTMLText(measure, text, Rect(0, 0, static_cast<int>(width / tenths), 0), context, result);
    if (lines)
        for (const auto& [top, bottom] : result.LineSpans)
            lines->push_back({top * tenths, bottom * tenths});
    return Point(static_cast<int>(std::ceil(result.Size.x * tenths)),
                 static_cast<int>(std::ceil(result.Size.y * tenths)));
}

void TPrintPass::DrawHTMLText(const AnsiString& text, const TRect& cell) {
    const TPoint topLeft = canvas.LPtoDP(Point(cell.Left, cell.Top));
    const TPoint bottomRight = canvas.LPtoDP(Point(cell.Right, cell.Bottom));
    // A part of a row going over pages shows only its own lines.
    std::optional<std::pair<int, int>> shown;
    if (band)
        shown.emplace(canvas.LPtoDP(Point(0, band->Top)).y, canvas.LPtoDP(Point(0, band->Bottom)).y);
    // Device pixels an inch of the page takes, and those the device counts its fonts in.
    const double pageDpi = PageDpi(canvas);
    const QPaintDevice* device = canvas.Device();
    const double deviceDpi = device ? device->logicalDpiX() : pageDpi;
    const TFont font = canvas.Font;
    const TBrush brush = canvas.Brush;
    const int mode = canvas.SetMapMode(MM_TEXT);
    canvas.Font.Size = WholePoints(PrintedPoints(font) * pageDpi / std::max(1.0, deviceDpi));
    canvas.Brush.Style = bsClear;
    THTMLRenderContext context = grid.HTMLContext();
    context.Scale = pageDpi / std::max(1, grid.ScreenPixelsPerInch()) * fontScale;
    context.BlinkOn = true;
    context.Shown = shown;
    context.PixelsPerInch = static_cast<int>(std::lround(pageDpi));
    THTMLRenderResult result;
    RenderHTMLText(canvas, text, Rect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y), context, result);
    canvas.SetMapMode(mode);
    canvas.Font = font;
    canvas.Brush = brush;
}
