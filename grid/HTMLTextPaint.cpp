// Drawing a laid-out text and finding the anchor under a point.
#include "grid/HTMLText.h"
#include "grid/HTMLTextLayout.h"

#include "framework/Canvas.h"

#include <QPaintDevice>

#include <algorithm>
#include <cmath>

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

class LayoutPainter {
public:
    LayoutPainter(TCanvas& canvas, const TRect& rect, const THTMLRenderContext& context, int hovered)
        : canvas(canvas), rect(rect), context(context), hovered(hovered), font(canvas.Font),
          brush(canvas.Brush), pen(canvas.Pen),
          unit(std::max(1, static_cast<int>(std::lround(context.Scale)))) {}

    ~LayoutPainter() {
        canvas.Font = font;
        canvas.Brush = brush;
        canvas.Pen = pen;
    }

    void Paint(const HTMLLayout& layout) {
        pictures = &layout.Pictures;
        if (layout.BodyColor != clNone)
            Fill(rect, layout.BodyColor);
        if (!layout.BodyPicture.isNull())
            Tile(layout.BodyPicture);
        for (const HTMLLine& line : layout.Lines) {
            const int top = rect.Top + line.Top;
            if (top >= rect.Bottom)
                break;
            const int middle = top + line.Height / 2;
            if (context.Shown && (middle < context.Shown->first || middle >= context.Shown->second))
                continue;
            if (line.Background != clNone)
                Fill(Rect(rect.Left, top, rect.Right, top + line.Height), line.Background);
            for (const HTMLRun& run : line.Runs)
                PaintRun(run, top + line.Ascent);
        }
    }

private:
    void Fill(const TRect& area, TColor color) {
        canvas.Brush = TBrush{color, bsSolid};
        canvas.FillRect(area);
    }

    void Tile(const QImage& picture) {
        for (int y = rect.Top; y < rect.Bottom; y += picture.height())
            for (int x = rect.Left; x < rect.Right; x += picture.width()) {
                const int w = std::min(picture.width(), rect.Right - x);
                const int h = std::min(picture.height(), rect.Bottom - y);
                canvas.StretchDraw(Rect(x, y, x + w, y + h), picture.copy(0, 0, w, h));
            }
    }

    void PaintRun(const HTMLRun& run, int baseline) {
        const int left = rect.Left + run.X;
        if (run.Kind == HTMLRunKind::Rule) {
            canvas.Pen = TPen{clBlack, unit, psSolid, pmCopy};
            canvas.MoveTo(rect.Left, baseline - unit);
            canvas.LineTo(rect.Right, baseline - unit);
            return;
        }
        const bool hover = run.Style.Anchor >= 0 && run.Style.Anchor == hovered;
        TColor background = run.Style.Highlight ? clHighlight : run.Style.Background;
        if (hover && context.HoverColor != clNone)
            background = context.HoverColor;
        const int top = baseline + (run.Style.Angle ? 0 : run.Shift) - run.Ascent;
        if (run.Kind == HTMLRunKind::Image) {
            const TRect area = Rect(left, top, left + run.Width, top + run.Ascent + run.Descent);
            if (run.Animated)
                Fill(area, brush.Color);
            if (run.Picture >= 0)
                canvas.StretchDraw(area, (*pictures)[static_cast<std::size_t>(run.Picture)]);
            return;
        }
        if (background != clNone)
            Fill(Rect(left, top, left + run.Width, top + run.Ascent + run.Descent), background);
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
        if (run.Style.Angle != 0)
            canvas.TextOutRotated(left + run.Shift, baseline, run.Text, run.Style.Angle);
        else
            canvas.TextOut(left, top, run.Text);
    }

    // Steps of two pixels between the baseline and two pixels above it.
    void ZigZag(int from, int to, int baseline) {
        const int step = 2 * unit;
        std::vector<TPoint> points;
        for (int x = from, i = 0; x <= to; x += step, ++i)
            points.push_back(Point(x, i % 2 == 0 ? baseline : baseline - step));
        if (points.size() < 2)
            return;
        canvas.Pen = TPen{clRed, unit, psSolid, pmCopy};
        canvas.Polyline(points);
    }

    TCanvas& canvas;
    const TRect& rect;
    const THTMLRenderContext& context;
    int hovered;
    const TFont font;
    const TBrush brush;
    const TPen pen;
    // One pixel at the context's scale.
    int unit;
    // The pictures of the layout painted.
    const std::vector<QImage>* pictures = nullptr;
};

} // namespace

bool RenderHTMLText(TCanvas& canvas, const AnsiString& text, const TRect& rect,
                    const THTMLRenderContext& context, THTMLRenderResult& result) {
    const std::shared_ptr<const HTMLLayout> layout =
        LayOutHTML(text.view(), canvas.Font, rect.Width(), context.Scale, canvas.Device(),
                   HTMLSources{context.Container, context.Cache, context.Images, context.PixelsPerInch});
    const int hit = context.Mouse ? AnchorAt(*layout, rect, *context.Mouse) : -1;
    result.Anchor = hit >= 0 ? AnsiString(layout->Anchors[static_cast<std::size_t>(hit)]) : AnsiString();
    result.PlainText = layout->PlainText;
    result.Size = Point(layout->Width, layout->Height);
    result.Lines = static_cast<int>(layout->Lines.size());
    result.LineSpans.clear();
    for (const HTMLLine& line : layout->Lines)
        result.LineSpans.emplace_back(line.Top, line.Top + line.Height);
    if (context.Paint)
        LayoutPainter(canvas, rect, context, hit).Paint(*layout);
    return hit >= 0;
}
