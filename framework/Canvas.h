#pragma once

#include "framework/Geometry.h"
#include "framework/Graphics.h"

#include <functional>
#include <vector>

class QImage;
class QPaintDevice;
class QPainter;
class TBitmap;

// Drawing as the framework's canvas draws: a rectangle's Right and Bottom lie just outside it, a
// line leaves out its last point, and the pen's mode decides how its colour meets the pixels under
// it (the exclusive-or modes only where the pixels are ours: bitmaps, paint boxes and paints).
// The canvas draws through a painter somebody else opened (a paint, a printed page) while
// attached to it, or on an image; with neither, drawing does nothing and measuring still works.
class TCanvas : public TObject {
public:
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
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& r, const TBitmap& bitmap);

    // Draws through painter until Release.
    void Attach(QPainter& painter);
    void Release();
    // Draws on image (null for nothing), with a painter of its own for each drawing.
    void SetImage(QImage* image);
    // Where the drawing goes now, if anywhere.
    QPaintDevice* Device() const;

private:
    void Paint(const std::function<void(QPainter&)>& draw);
    void UsePen(QPainter& painter) const;
    void UseBrush(QPainter& painter) const;

    QPainter* attached = nullptr;
    QImage* image = nullptr;
};
