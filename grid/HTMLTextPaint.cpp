// Drawing a laid-out text and finding the anchor under a point.
#include "grid/HTMLText.h"
#include "grid/HTMLTextLayout.h"

#include "framework/Canvas.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

int AnchorAt(const HTMLLayout& layout, const TRect& rect, TPoint point) {
    const int x = point.x - rect.Left;
    const int y = point.y - rect.Top;
    for (const HTMLLine& line : layout.Lines) {
        if (y < line.Top || y >= line.Top + line.Height)
            continue;
        for (const HTMLRun& run : line.Runs)
            if (run.Style.Anchor >= 0 && x >= run.X && x < run.X + run.Width)
                return run.Style.Anchor;
        return -1;
    }
    return -1;
}

// Where a layout's pixels land: at the rectangle's own pixels on the canvas it was laid out on,
// or placed on a page in tenths of a millimetre.
class LayoutPlace {
public:
    LayoutPlace(const TRect& rect, const THTMLPagePlacement* page) : rect(rect), page(page) {}

    bool OnPage() const { return page != nullptr; }
    // Of the rectangle's own pixels, from its top-left corner.
    int Width() const { return rect.Width(); }
    int Height() const { return rect.Height(); }
    TPoint At(int x, int y) const {
        if (!page)
            return Point(rect.Left + x, rect.Top + y);
        return Point(page->TopLeft.x + static_cast<int>(std::lround(x * page->PixelTenths)),
                     page->TopLeft.y - static_cast<int>(std::lround(y * page->PixelTenths)));
    }
    TRect Area(int left, int top, int right, int bottom) const {
        const TPoint from = At(left, top);
        const TPoint to = At(right, bottom);
        return Rect(from.x, from.y, to.x, to.y);
    }
    // A pen's width, never thinner than the canvas's unit.
    int Length(int pixels) const {
        return page ? std::max(1, static_cast<int>(std::lround(pixels * page->PixelTenths))) : pixels;
    }
    // Whether the line whose middle stands there shows on the page.
    bool Shows(int middle) const {
        return !page || !page->Shown || (middle >= page->Shown->first && middle < page->Shown->second);
    }

private:
    const TRect& rect;
    const THTMLPagePlacement* page;
};

class LayoutPainter {
public:
    // layoutDpi: the resolution the layout's fonts were measured at.
    LayoutPainter(TCanvas& canvas, const LayoutPlace& place, const THTMLRenderContext& context, int hovered,
                  int layoutDpi)
        : canvas(canvas), place(place), context(context), hovered(hovered), font(canvas.Font),
          brush(canvas.Brush), pen(canvas.Pen),
          unit(std::max(1, static_cast<int>(std::lround(context.Scale)))), layoutDpi(layoutDpi) {}

    ~LayoutPainter() {
        canvas.Font = font;
        canvas.Brush = brush;
        canvas.Pen = pen;
    }

    void Paint(const HTMLLayout& layout) {
        pictures = &layout.Pictures;
        if (layout.BodyColor != clNone)
            Fill(place.Area(0, 0, place.Width(), place.Height()), layout.BodyColor);
        if (!layout.BodyPicture.isNull())
            Tile(layout.BodyPicture);
        for (const HTMLLine& line : layout.Lines) {
            if (line.Top >= place.Height())
                break;
            if (!place.Shows(line.Top + line.Height / 2))
                continue;
            if (line.Background != clNone)
                Fill(place.Area(0, line.Top, place.Width(), line.Top + line.Height), line.Background);
            for (const HTMLRun& run : line.Runs)
                PaintRun(run, line.Top + line.Ascent);
        }
    }

private:
    void Fill(const TRect& area, TColor color) {
        canvas.Brush = TBrush{color, bsSolid};
        canvas.FillRect(area);
    }

    void Picture(const TRect& area, const QImage& picture) {
        canvas.DrawInRect(
            area, [&picture](QPainter& painter, const QRect& target) { painter.drawImage(target, picture); });
    }

    void Tile(const QImage& picture) {
        for (int y = 0; y < place.Height(); y += picture.height())
            for (int x = 0; x < place.Width(); x += picture.width()) {
                const int w = std::min(picture.width(), place.Width() - x);
                const int h = std::min(picture.height(), place.Height() - y);
                Picture(place.Area(x, y, x + w, y + h), picture.copy(0, 0, w, h));
            }
    }

    void PaintRun(const HTMLRun& run, int baseline) {
        const int left = run.X;
        if (run.Kind == HTMLRunKind::Rule) {
            canvas.Pen = TPen{clBlack, place.Length(unit), psSolid, pmCopy};
            const TPoint from = place.At(0, baseline - unit);
            const TPoint to = place.At(place.Width(), baseline - unit);
            canvas.MoveTo(from.x, from.y);
            canvas.LineTo(to.x, to.y);
            return;
        }
        const bool hover = run.Style.Anchor >= 0 && run.Style.Anchor == hovered;
        TColor background = run.Style.Highlight ? clHighlight : run.Style.Background;
        if (hover && context.HoverColor != clNone)
            background = context.HoverColor;
        const int top = baseline + (run.Style.Angle ? 0 : run.Shift) - run.Ascent;
        if (run.Kind == HTMLRunKind::Image) {
            const TRect area = place.Area(left, top, left + run.Width, top + run.Ascent + run.Descent);
            if (run.Animated)
                Fill(area, brush.Color);
            if (run.Picture >= 0)
                Picture(area, (*pictures)[static_cast<std::size_t>(run.Picture)]);
            return;
        }
        if (background != clNone)
            Fill(place.Area(left, top, left + run.Width, top + run.Ascent + run.Descent), background);
        canvas.Brush.Style = bsClear;
        canvas.Font.Size = run.Style.Size;
        canvas.Font.Style = run.Style.Style;
        if (run.Style.Shadow) {
            canvas.Font.Color = context.ShadowColor;
            DrawText(run, left + unit, top + unit, baseline + unit);
        }
        canvas.Font.Color = TextColor(run, hover);
        DrawText(run, left, top, baseline);
        if (run.Style.Error)
            ZigZag(left, left + run.Width, baseline + run.Shift);
    }

    TColor TextColor(const HTMLRun& run, bool hover) const {
        if (run.Style.Blink && !context.BlinkOn)
            return brush.Color;
        if (run.Style.Highlight)
            return clHighlightText;
        if (hover && context.HoverFontColor != clNone)
            return context.HoverFontColor;
        if (run.Style.Anchor >= 0)
            return context.AnchorColor;
        return run.Style.Color == clNone ? font.Color : run.Style.Color;
    }

    void DrawText(const HTMLRun& run, int left, int top, int baseline) {
        if (place.OnPage()) {
            PageText(run, run.Style.Angle != 0 ? left + run.Shift : left, baseline);
            return;
        }
        if (run.Style.Angle != 0) {
            const TPoint at = place.At(left + run.Shift, baseline);
            canvas.TextOutRotated(at.x, at.y, run.Text, run.Style.Angle);
        } else {
            const TPoint at = place.At(left, top);
            canvas.TextOut(at.x, at.y, run.Text);
        }
    }

    // On a page, the run is drawn in the font it was measured in, as large as the layout's pixels
    // are placed: its words stand where the layout set them.
    void PageText(const HTMLRun& run, int left, int baseline) {
        const TPoint at = place.At(left, baseline);
        const TPoint far = place.At(left + MeasureSpan, baseline);
        canvas.PaintIn(Rect(at.x, at.y, far.x, at.y), [&](QPainter& painter, const QRectF& target) {
            const double scale = target.width() / MeasureSpan;
            QFont shown = canvas.Font.ToQFont();
            const QPaintDevice* device = painter.device();
            shown.setPointSizeF(run.Style.Size * double(layoutDpi) / (device ? device->logicalDpiY() : 96));
            const QTransform before = painter.transform();
            painter.translate(target.topLeft());
            painter.scale(scale, scale);
            if (run.Style.Angle != 0)
                painter.rotate(-(run.Style.Angle % 360));
            painter.setFont(shown);
            painter.setPen(ToQColor(canvas.Font.Color));
            painter.drawText(QPointF(0, 0),
                             QString::fromUtf8(run.Text.data(), static_cast<qsizetype>(run.Text.size())));
            painter.setTransform(before);
        });
    }

    // Steps of two pixels between the baseline and two pixels above it.
    void ZigZag(int from, int to, int baseline) {
        const int step = 2 * unit;
        std::vector<TPoint> points;
        for (int x = from, i = 0; x <= to; x += step, ++i)
            points.push_back(place.At(x, i % 2 == 0 ? baseline : baseline - step));
        if (points.size() < 2)
            return;
        canvas.Pen = TPen{clRed, place.Length(unit), psSolid, pmCopy};
        canvas.Polyline(points);
    }

    // Layout pixels over which a page's scale is taken, enough for it to be exact.
    static constexpr int MeasureSpan = 100000;

    TCanvas& canvas;
    const LayoutPlace& place;
    const THTMLRenderContext& context;
    int hovered;
    const TFont font;
    const TBrush brush;
    const TPen pen;
    // One pixel at the context's scale.
    int unit;
    int layoutDpi;
    // The pictures of the layout painted.
    const std::vector<QImage>* pictures = nullptr;
};

// The layout RenderHTMLText paints, measures and hit tests.
std::shared_ptr<const HTMLLayout> LayoutOf(TCanvas& canvas, const AnsiString& text, const TRect& rect,
                                           const THTMLRenderContext& context) {
    return LayOutHTML(text.view(), canvas.Font, rect.Width(), context.Scale, canvas.Device(),
                      HTMLSources{context.Container, context.Cache, context.Images, context.PixelsPerInch});
}

int LayoutDpi(const TCanvas& canvas) {
    const QPaintDevice* device = canvas.Device();
    return device ? device->logicalDpiY() : 96;
}

} // namespace

bool RenderHTMLText(TCanvas& canvas, const AnsiString& text, const TRect& rect,
                    const THTMLRenderContext& context, THTMLRenderResult& result) {
    const std::shared_ptr<const HTMLLayout> layout = LayoutOf(canvas, text, rect, context);
    const int hit = context.Mouse ? AnchorAt(*layout, rect, *context.Mouse) : -1;
    result.Anchor = hit >= 0 ? AnsiString(layout->Anchors[static_cast<std::size_t>(hit)]) : AnsiString();
    result.PlainText = layout->PlainText;
    result.Size = Point(layout->Width, layout->Height);
    result.Lines = static_cast<int>(layout->Lines.size());
    result.LineSpans.clear();
    for (const HTMLLine& line : layout->Lines)
        result.LineSpans.emplace_back(line.Top, line.Top + line.Height);
    if (context.Paint)
        LayoutPainter(canvas, LayoutPlace(rect, nullptr), context, hit, LayoutDpi(canvas)).Paint(*layout);
    return hit >= 0;
}

void PaintHTMLTextOnPage(TCanvas& measure, const AnsiString& text, const TRect& rect,
                         const THTMLRenderContext& context, TCanvas& page,
                         const THTMLPagePlacement& placement) {
    const std::shared_ptr<const HTMLLayout> layout = LayoutOf(measure, text, rect, context);
    LayoutPainter(page, LayoutPlace(rect, &placement), context, -1, LayoutDpi(measure)).Paint(*layout);
}
