#pragma once

#include "framework/Geometry.h"
#include "framework/Graphics.h"

#include <functional>
#include <memory>
#include <vector>

#include <QBrush>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPen>
#include <QPointF>
#include <QRect>
#include <QVector>

#include <map>
#include <optional>
#include <string_view>
#include <tuple>
#include <utility>

class QImage;
class QPaintDevice;
class QPainter;
class QRect;
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

// How the canvas reads the coordinates it is given (SetMapMode).
constexpr int MM_TEXT = 1;
// Tenths of a millimetre, x to the right and y upward, (0, 0) the top-left corner of the device
// or of the page placed on it: everything on a page has y <= 0.
constexpr int MM_LOMETRIC = 2;

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
    // The lines DrawText with DT_WORDBREAK sets text in, in a width: broken at CR or LF and
    // between words.
    std::vector<AnsiString> WrappedLines(const AnsiString& text, int width) const;
    // Drawing stays inside r until RemoveClip.
    void SelectClipRect(const TRect& r);
    void RemoveClip();

    // In MM_LOMETRIC coordinates are mapped onto the device at each call (a mirrored painter would
    // mirror the text): lines and fills land on whole device pixels, texts are laid out at their
    // size in tenths of a millimetre and then scaled, so they take the same room on every device.
    // A font's height (GetHeight) then counts in tenths of a millimetre. Returns the mode before.
    int SetMapMode(int mode);
    int GetMapMode() const { return mapMode; }
    // Places a page in MM_LOMETRIC: device pixels per tenth of a millimetre and the device pixel
    // where (0, 0) lies; without one the device's own resolution from its top-left corner.
    void SetPageScale(double pixelsPerTenth, QPointF origin);
    void ResetPageScale();
    // The device's whole area in the current units.
    TRect ClipBox() const;
    // A point in the current units as device pixels.
    TPoint LPtoDP(TPoint point) const;
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const TPicture& picture);
    void StretchDraw(const TRect& r, const QImage& picture);
    // Text turned angle degrees counter-clockwise about the start of its baseline at (x, y).
    void TextOutRotated(int x, int y, const AnsiString& text, int angle);
    // What the framework's own calls cannot draw (a control in a style, a picture with its own
    // transparency), drawn by Qt into r, given in the canvas's units and handed on in the
    // device's pixels.
    void DrawInRect(const TRect& r, const std::function<void(QPainter& painter, const QRect& target)>& draw);

    // Draws through painter until Release.
    void Attach(QPainter& painter);
    void Release();
    // Draws on image (null for nothing), with a painter of its own for each drawing.
    void SetImage(QImage* image);
    // Where the drawing goes now, if anywhere.
    QPaintDevice* Device() const;
    // Many drawings in a row until EndDrawing: on the image one painter serves them all instead
    // of one for each; an attached painter (unless it clips already) is saved once instead of
    // around each drawing. Texts in MM_LOMETRIC that need no clip are then drawn together, in
    // the order of the other drawings, at the latest by EndDrawing.
    void BeginDrawing();
    void EndDrawing();
    // Draws now what waits to be drawn together (before the device turns to a new page).
    void Flush();
    // Hands draw a painter on the device and r in its pixels, for what the canvas has no call of
    // its own for (a formatted document).
    void PaintIn(const TRect& r, const std::function<void(QPainter&, const QRectF&)>& draw);

private:
    struct PageScale {
        double PixelsPerTenth;
        QPointF Origin;
    };
    using FontKey = std::tuple<std::string, int, unsigned>;
    struct TenthsMeasures;

    // Texts waiting to be drawn together: glyphs in one font and colour, in tenths with y
    // downward (CanvasTextRun.cpp).
    struct QueuedTexts {
        TenthsMeasures* Measures = nullptr;
        TColor FontColor = clBlack;
        QVector<quint32> Glyphs;
        QVector<QPointF> Positions;
    };

    void Paint(const std::function<void(QPainter&)>& draw);
    // The painter of a run of drawings, if one runs.
    QPainter* RunPainter() const;
    void PrepareRunPainter(QPainter& painter) const;
    // Queues a one-line text whose top-left corner is at (x, y); false where it must be drawn
    // on its own.
    bool QueueText(double x, int y, std::string_view text);
    void FlushTexts();
    // DrawText of a text that stays one line in r, queued; its height, or none where it cannot.
    std::optional<int> DrawLineTenths(const AnsiString& text, const TRect& r, unsigned format);
    // The drawing of MM_LOMETRIC (CanvasTenths.cpp).
    double ScaleX() const;
    double ScaleY() const;
    QPointF Mapped(int x, int y) const;
    QRectF Mapped(const TRect& r) const;
    TPoint DPtoLP(TPoint point) const;
    QFont TenthsFont() const;
    // The measures of Font in MM_LOMETRIC, made once for each font and height.
    TenthsMeasures& Measures() const;
    const QFontMetricsF& TenthsMetrics() const;
    void UseTenthsPen(QPainter& painter) const;
    void LineToTenths(int x, int y);
    void RectangleTenths(const TRect& r);
    void FillRectTenths(const TRect& r);
    void PolylineTenths(const std::vector<TPoint>& points, bool closed);
    void TextRectTenths(const TRect* r, int x, int y, const AnsiString& text);
    int DrawTextTenths(const AnsiString& text, TRect& r, unsigned format);
    int TextWidthTenths(const AnsiString& text) const;
    // A text laid out in tenths of a millimetre, its box's top-left corner at (x, y).
    void DrawScaledText(QPainter& painter, int x, int y, const std::function<void(QPainter&)>& draw) const;
    void UsePen(QPainter& painter) const;
    bool FillsThinOutline(QPainter& painter, const QRect& outline) const;
    void UseBrush(QPainter& painter) const;
    // Pen and Brush in Qt; while drawing in a run, made again only when they changed.
    const QPen& QtPen() const;
    const QBrush& QtBrush() const;
    // Metrics of Font on the device drawn on, kept while font and device stay.
    const QFontMetrics& Metrics() const;

    QPainter* attached = nullptr;
    // Runs of drawings begun and not yet ended; the attached painter draws in one.
    int runDepth = 0;
    bool attachedRun = false;
    QueuedTexts queued;
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
    int mapMode = MM_TEXT;
    std::optional<PageScale> pageScale;
    mutable std::map<FontKey, std::unique_ptr<TenthsMeasures>> tenthsMeasures;
    // The measures asked for last, which the next call most often asks for again.
    mutable TenthsMeasures* lastMeasures = nullptr;
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
