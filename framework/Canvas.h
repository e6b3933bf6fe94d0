#pragma once

#include "framework/Geometry.h"
#include "framework/Graphics.h"

#include <functional>
#include <memory>
#include <vector>

#include <QBrush>
#include <QFontMetrics>
#include <QPen>
#include <QRect>

#include <optional>
#include <utility>

class QImage;
class QPaintDevice;
class QPainter;
class TBitmap;
class TPicture;

// How DrawText lays a text out in its rectangle.
enum TDrawTextFlag : unsigned {
    DT_LEFT = 0,
    DT_TOP = 0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    // Vertical placement, for a single line only.
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    // Tabs stand for runs of blanks to the next tab stop.
    DT_EXPANDTABS = 0x40,
    DT_NOCLIP = 0x100,
    // Measures instead of drawing.
    DT_CALCRECT = 0x400,
    // '&' stands as it is instead of underlining the next character.
    DT_NOPREFIX = 0x800,
    // Of several lines, those after the first show only as far as they show whole.
    DT_EDITCONTROL = 0x2000,
    DT_END_ELLIPSIS = 0x8000
};

// Drawing as the framework's canvas draws: a rectangle's Right and Bottom lie just outside it, a
// line leaves out its last point, and the pen's mode decides how its colour meets the pixels under
// it (the exclusive-or modes only where the pixels are ours: bitmaps, paint boxes and paints).
// The canvas draws through a painter somebody else opened (a paint, a printed page) while
// attached to it, or on an image; with neither, drawing does nothing and measuring still works.
class TCanvas : public TObject {
public:
    TCanvas();
    ~TCanvas() override;

    TPen Pen;
    TBrush Brush;
    TFont Font;
    TPoint PenPos;
    // After every drawing.
    TNotifyEvent OnChange;

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int x1, int y1, int x2, int y2);
    void Polyline(const std::vector<TPoint>& points);
    void Polygon(const std::vector<TPoint>& points);
    // Fills with the brush, whatever the pen.
    void FillRect(const TRect& r);
    // A one-pixel frame in the brush's colour.
    void FrameRect(const TRect& r);
    // The dotted frame of a focused item; drawing it again removes it.
    void DrawFocusRect(const TRect& r);
    // Text with its top-left corner at (x, y), on the brush unless the brush is clear; the pen
    // moves to the end of the text.
    void TextOut(int x, int y, const AnsiString& text);
    // The same, clipped to r, whose whole area takes the brush unless it is clear.
    void TextRect(const TRect& r, int x, int y, const AnsiString& text);
    int TextWidth(const AnsiString& text) const;
    int TextHeight(const AnsiString& text) const;
    // Text in r as format (DT_ flags) lays it out, lines broken at CR or LF, clipped to r unless
    // DT_NOCLIP; the brush fills behind the text unless it is clear. With DT_CALCRECT nothing is
    // drawn and r ends where the text does. Returns the text's height.
    int DrawText(const AnsiString& text, TRect& r, unsigned format);
    // Drawing stays inside r until RemoveClip.
    void SelectClipRect(const TRect& r);
    void RemoveClip();
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const TPicture& picture);

    // Draws through painter until Release.
    void Attach(QPainter& painter);
    void Release();
    // Draws on image (null for nothing), with a painter of its own for each drawing.
    void SetImage(QImage* image);
    // Where the drawing goes now, if anywhere.
    QPaintDevice* Device() const;
    // Many drawings on the image in a row: one painter serves them all until EndDrawing, instead
    // of one for each.
    void BeginDrawing();
    void EndDrawing();

private:
    void Paint(const std::function<void(QPainter&)>& draw);
    void UsePen(QPainter& painter) const;
    void UseBrush(QPainter& painter) const;
    // Pen and Brush in Qt; while drawing in a run, made again only when they changed.
    const QPen& QtPen() const;
    const QBrush& QtBrush() const;
    // Metrics of Font on the device drawn on, kept while font and device stay.
    const QFontMetrics& Metrics() const;

    QPainter* attached = nullptr;
    QImage* image = nullptr;
    std::unique_ptr<QPainter> batch;
    mutable QPen qtPen;
    mutable std::pair<TPen, bool> penMade{TPen{}, false};
    mutable QBrush qtBrush;
    mutable std::pair<TBrush, bool> brushMade{TBrush{}, false};
    std::optional<QRect> clip;
    mutable std::optional<QFontMetrics> metrics;
    mutable int metricsSize = 0;
    mutable unsigned metricsStyle = 0;
    mutable int metricsDpi = 0;
};

// Draws on the canvas's image with one painter while it lives.
class ScopedCanvasDrawing {
public:
    explicit ScopedCanvasDrawing(TCanvas& canvas) : canvas(canvas) { canvas.BeginDrawing(); }
    ~ScopedCanvasDrawing() { canvas.EndDrawing(); }
    ScopedCanvasDrawing(const ScopedCanvasDrawing&) = delete;
    ScopedCanvasDrawing& operator=(const ScopedCanvasDrawing&) = delete;

private:
    TCanvas& canvas;
};
