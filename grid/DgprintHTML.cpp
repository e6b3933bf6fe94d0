// HTML cells on a printed page: laid out once, in pixels where the engine works, and that layout
// placed in the page's tenths of a millimetre, on paper and in the preview alike.
#include "grid/Datagrid.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace {

// The whole points HTML text of a font set for the page is set in: the font's height counts tenths
// of a millimetre, the fit to the page included.
int HTMLPoints(const TFont& font) {
    return std::max(1, static_cast<int>(std::lround(-font.GetHeight() * 72.0 / 254.0)));
}

// HTML text for the page is laid out at a resolution fine enough that the widths are the font's
// own rather than a screen's rounded ones; that one layout is measured and drawn.
constexpr int FinePixelsPerInch = 1200;
// Tenths of a millimetre a pixel of it takes.
constexpr double FineTenths = 254.0 / FinePixelsPerInch;

int FinePixels(double tenths) {
    return static_cast<int>(tenths / FineTenths);
}

} // namespace

int TPrintPass::HTMLWidth(int displayCol, int spanCols) const {
    return std::max(1, SpanWidth(displayCol, spanCols) - letterWidth);
}

THTMLRenderContext TPrintPass::FineHTML(TCanvas& measure) const {
    static QImage fine = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(static_cast<int>(std::lround(FinePixelsPerInch / 0.0254)));
        image.setDotsPerMeterY(static_cast<int>(std::lround(FinePixelsPerInch / 0.0254)));
        return image;
    }();
    measure.SetImage(&fine);
    measure.Font = canvas.Font;
    measure.Font.SetSize(HTMLPoints(canvas.Font));
    THTMLRenderContext context = grid.HTMLContext();
    context.Scale = double(FinePixelsPerInch) / std::max(1, grid.ScreenPixelsPerInch()) * fontScale;
    context.PixelsPerInch = FinePixelsPerInch;
    return context;
}

TPoint TPrintPass::HTMLPrintSize(const AnsiString& text, int width, std::vector<TLineSpan>* lines) {
    TCanvas measure;
    THTMLRenderContext context = FineHTML(measure);
    context.Paint = false;
    THTMLRenderResult result;
    RenderHTMLText(measure, text, Rect(0, 0, FinePixels(width), 0), context, result);
    if (lines)
        for (const auto& [top, bottom] : result.LineSpans)
            lines->push_back({top * FineTenths, bottom * FineTenths});
    return Point(static_cast<int>(std::ceil(result.Size.x * FineTenths)),
                 static_cast<int>(std::ceil(result.Size.y * FineTenths)));
}

void TPrintPass::DrawHTMLText(const AnsiString& text, const TRect& cell) {
    TCanvas measure;
    THTMLRenderContext context = FineHTML(measure);
    context.BlinkOn = true;
    THTMLPagePlacement placement{Point(cell.Left, cell.Top), FineTenths, std::nullopt};
    // A part of a row going over pages shows only its own lines.
    if (band)
        placement.Shown.emplace(static_cast<int>(std::lround((cell.Top - band->Top) / FineTenths)),
                                static_cast<int>(std::lround((cell.Top - band->Bottom) / FineTenths)));
    const TBrushStyle brush = canvas.Brush.Style;
    canvas.Brush.Style = bsClear;
    PaintHTMLTextOnPage(measure, text,
                        Rect(0, 0, FinePixels(cell.Right - cell.Left), FinePixels(cell.Top - cell.Bottom)),
                        context, canvas, placement);
    canvas.Brush.Style = brush;
}
