#include "framework/Canvas.h"

#include "framework/Bitmap.h"
#include "framework/CanvasMeasures.h"
#include "framework/CanvasStyles.h"
#include "framework/Picture.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

QPainter::CompositionMode CompositionOf(TPenMode mode) {
    switch (mode) {
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

} // namespace

void TCanvas::BeginDrawing() {
    // A run inside a run is part of it.
    if (runDepth++ > 0)
        return;
    if (attached) {
        // A painter that clips already keeps its clip only by a save around each drawing.
        if (attached->hasClipping())
            return;
        attached->save();
        attached->setRenderHint(QPainter::Antialiasing, false);
        attachedRun = true;
        return;
    }
    if (!image || image->isNull())
        return;
    batch = std::make_unique<QPainter>(image);
    // The colours of system colours are looked up again for this run.
    penMade.second = false;
    brushMade.second = false;
}

void TCanvas::EndDrawing() {
    if (runDepth == 0 || --runDepth > 0)
        return;
    FlushTexts();
    if (attachedRun) {
        attached->restore();
        attachedRun = false;
    }
    batch.reset();
}

void TCanvas::Flush() {
    FlushTexts();
}

void TCanvas::Attach(QPainter& painter) {
    attached = &painter;
}

void TCanvas::Release() {
    FlushTexts();
    if (attachedRun) {
        attached->restore();
        attachedRun = false;
    }
    attached = nullptr;
}

void TCanvas::SetImage(QImage* newImage) {
    FlushTexts();
    image = newImage;
}

QPaintDevice* TCanvas::Device() const {
    if (attached)
        return attached->device();
    if (batch)
        return batch->device();
    return image && !image->isNull() ? image : nullptr;
}

void TCanvas::Paint(const std::function<void(QPainter&)>& draw) {
    FlushTexts();
    if (QPainter* painter = RunPainter()) {
        PrepareRunPainter(*painter);
        draw(*painter);
    } else if (attached) {
        attached->save();
        attached->setRenderHint(QPainter::Antialiasing, false);
        if (clip)
            attached->setClipRect(*clip, Qt::IntersectClip);
        draw(*attached);
        attached->restore();
    } else if (image && !image->isNull()) {
        QPainter painter(image);
        if (clip)
            painter.setClipRect(*clip);
        draw(painter);
    } else {
        return;
    }
    if (OnChange)
        OnChange(this);
}

void TCanvas::PaintIn(const TRect& r, const std::function<void(QPainter&, const QRectF&)>& draw) {
    const QRectF target = mapMode == MM_LOMETRIC ? Mapped(r) : QRectF(r.Left, r.Top, r.Width(), r.Height());
    Paint([&](QPainter& painter) { draw(painter, target); });
}

void TCanvas::UsePen(QPainter& painter) const {
    if (Pen.Mode == pmNop || Pen.Style == psClear) {
        painter.setPen(Qt::NoPen);
        return;
    }
    painter.setPen(QtPen());
    painter.setCompositionMode(CompositionOf(Pen.Mode));
}

const QPen& TCanvas::QtPen() const {
    const TPen& made = penMade.first;
    if (!batch || !penMade.second || made.Color != Pen.Color || made.Width != Pen.Width ||
        made.Style != Pen.Style || made.Mode != Pen.Mode) {
        const TColor color = Pen.Mode == pmBlack ? clBlack : Pen.Mode == pmWhite ? clWhite : Pen.Color;
        qtPen = QPen(ToQColor(color), Pen.Width, PenStyleOf(Pen.Style), Qt::FlatCap, Qt::MiterJoin);
        penMade = {Pen, true};
    }
    return qtPen;
}

const QBrush& TCanvas::QtBrush() const {
    const TBrush& made = brushMade.first;
    if (!batch || !brushMade.second || made.Color != Brush.Color || made.Style != Brush.Style) {
        qtBrush = QBrush(ToQColor(Brush.Color), BrushStyleOf(Brush.Style));
        brushMade = {Brush, true};
    }
    return qtBrush;
}

void TCanvas::UseBrush(QPainter& painter) const {
    painter.setBrush(QtBrush());
}

void TCanvas::MoveTo(int x, int y) {
    PenPos = Point(x, y);
}

void TCanvas::LineTo(int x, int y) {
    if (mapMode == MM_LOMETRIC)
        return LineToTenths(x, y);
    const TPoint from = PenPos;
    Paint([&](QPainter& painter) {
        UsePen(painter);
        // Qt leaves out the end with the larger coordinate along the line's longer axis; the
        // framework the end it draws to. A line drawn back along that axis moves a step back.
        const int dx = x - from.x;
        const int dy = y - from.y;
        const bool alongX = std::abs(dx) >= std::abs(dy);
        if (Pen.Width <= 1 && (alongX ? dx < 0 : dy < 0)) {
            const int stepX = alongX || std::abs(dx) == std::abs(dy) ? (dx > 0) - (dx < 0) : 0;
            const int stepY = !alongX || std::abs(dx) == std::abs(dy) ? (dy > 0) - (dy < 0) : 0;
            painter.drawLine(x - stepX, y - stepY, from.x - stepX, from.y - stepY);
        } else {
            painter.drawLine(from.x, from.y, x, y);
        }
    });
    PenPos = Point(x, y);
}

// The outline runs on the rectangle's outer pixels and the brush fills what lies inside it, so
// no pixel is drawn twice (which an exclusive-or pen would undo).
void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (mapMode == MM_LOMETRIC)
        return RectangleTenths(Rect(x1, y1, x2, y2));
    Paint([&](QPainter& painter) {
        const bool outlined = Pen.Style != psClear && Pen.Mode != pmNop;
        const int inset = outlined ? std::max(1, Pen.Width) : 0;
        painter.setCompositionMode(CompositionOf(Pen.Mode));
        if (Brush.Style != bsClear) {
            // Without a pen the filled area is one pixel smaller, as the framework draws it.
            const QRect inside = outlined
                                     ? QRect(x1 + inset, y1 + inset, x2 - x1 - 2 * inset, y2 - y1 - 2 * inset)
                                     : QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
            painter.fillRect(inside, QtBrush());
        }
        if (!outlined)
            return;
        UsePen(painter);
        painter.setBrush(Qt::NoBrush);
        const int half = inset / 2;
        const QRect outline(x1 + half, y1 + half, x2 - x1 - inset, y2 - y1 - inset);
        if (!FillsThinOutline(painter, outline))
            painter.drawRect(outline);
    });
}

// A solid outline one pixel wide in an opaque colour covers the pixels from the rectangle's left
// to its right and top to bottom, both included, each once: filled as its four edges, it costs a
// fraction of Qt's stroke. False, with nothing drawn, for any other pen or painter, or an outline
// reaching past the picture's edge, where Qt's stroke leaves out a corner.
bool TCanvas::FillsThinOutline(QPainter& painter, const QRect& outline) const {
    const QPen& pen = painter.pen();
    if (Pen.Width > 1 || Pen.Style != psSolid || Pen.Mode != pmCopy || pen.widthF() > 1 ||
        pen.style() != Qt::SolidLine || pen.brush().style() != Qt::SolidPattern || !pen.color().isValid() ||
        pen.color().alpha() != 255 || painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.testRenderHint(QPainter::Antialiasing) || !painter.deviceTransform().isIdentity() ||
        painter.hasClipping() || outline.width() <= 0 || outline.height() <= 0 || !painter.device() ||
        !QRect(0, 0, painter.device()->width(), painter.device()->height())
             .contains(outline.adjusted(0, 0, 1, 1)))
        return false;
    const QColor colour = pen.color();
    const int width = outline.width() + 1;
    const int height = outline.height() + 1;
    painter.fillRect(QRect(outline.left(), outline.top(), width, 1), colour);
    painter.fillRect(QRect(outline.left(), outline.top() + height - 1, width, 1), colour);
    painter.fillRect(QRect(outline.left(), outline.top() + 1, 1, height - 2), colour);
    painter.fillRect(QRect(outline.left() + width - 1, outline.top() + 1, 1, height - 2), colour);
    return true;
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Paint([&](QPainter& painter) {
        UsePen(painter);
        UseBrush(painter);
        painter.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    });
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (mapMode == MM_LOMETRIC)
        return PolylineTenths(points, false);
    QPolygon polygon;
    for (const TPoint& point : points)
        polygon << QPoint(point.x, point.y);
    Paint([&](QPainter& painter) {
        UsePen(painter);
        painter.drawPolyline(polygon);
    });
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (mapMode == MM_LOMETRIC)
        return PolylineTenths(points, true);
    QPolygon polygon;
    for (const TPoint& point : points)
        polygon << QPoint(point.x, point.y);
    Paint([&](QPainter& painter) {
        UsePen(painter);
        UseBrush(painter);
        painter.drawPolygon(polygon);
    });
}

void TCanvas::FillRect(const TRect& r) {
    if (mapMode == MM_LOMETRIC)
        return FillRectTenths(r);
    Paint(
        [&](QPainter& painter) { painter.fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), QtBrush()); });
}

void TCanvas::FrameRect(const TRect& r) {
    Paint([&](QPainter& painter) {
        painter.setPen(QPen(ToQColor(Brush.Color), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    });
}

void TCanvas::DrawFocusRect(const TRect& r) {
    Paint([&](QPainter& painter) {
        QPen dotted(Qt::white, 1);
        dotted.setDashPattern({1, 1});
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    });
}

const QFontMetrics& TCanvas::Metrics() const {
    const QPaintDevice* device = Device();
    const int dpi = device ? device->logicalDpiY() : 0;
    if (!metrics || metricsSize != Font.Size || metricsStyle != Font.Style || metricsDpi != dpi) {
        metrics.emplace(device ? QFontMetrics(Font.ToQFont(), device) : QFontMetrics(Font.ToQFont()));
        metricsSize = Font.Size;
        metricsStyle = Font.Style;
        metricsDpi = dpi;
    }
    return *metrics;
}

void TCanvas::TextOut(int x, int y, const AnsiString& text) {
    if (mapMode == MM_LOMETRIC) {
        TextRectTenths(nullptr, x, y, text);
        PenPos = Point(x + TextWidth(text), y);
        return;
    }
    const int width = TextWidth(text);
    const QFontMetrics& fontMetrics = Metrics();
    Paint([&](QPainter& painter) {
        if (Brush.Style != bsClear)
            painter.fillRect(QRect(x, y, width, fontMetrics.height()), ToQColor(Brush.Color));
        painter.setFont(Font.ToQFont());
        painter.setPen(ToQColor(Font.Color));
        painter.drawText(x, y + fontMetrics.ascent(), CanvasText(text));
    });
    PenPos = Point(x + width, y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const AnsiString& text) {
    if (mapMode == MM_LOMETRIC)
        return TextRectTenths(&r, x, y, text);
    const int ascent = Metrics().ascent();
    Paint([&](QPainter& painter) {
        const QRect area(r.Left, r.Top, r.Width(), r.Height());
        if (Brush.Style != bsClear)
            painter.fillRect(area, ToQColor(Brush.Color));
        painter.setClipRect(area, Qt::IntersectClip);
        painter.setFont(Font.ToQFont());
        painter.setPen(ToQColor(Font.Color));
        painter.drawText(x, y + ascent, CanvasText(text));
    });
}

int TCanvas::TextWidth(const AnsiString& text) const {
    if (mapMode == MM_LOMETRIC)
        return TextWidthTenths(text);
    return Metrics().horizontalAdvance(CanvasText(text));
}

int TCanvas::TextHeight(const AnsiString&) const {
    if (mapMode == MM_LOMETRIC)
        return static_cast<int>(std::lround(Measures().LineHeight));
    return Metrics().height();
}

int TCanvas::DrawText(const AnsiString& text, TRect& r, unsigned format) {
    if (mapMode == MM_LOMETRIC)
        return DrawTextTenths(text, r, format);
    QString lines = CanvasText(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    const bool singleLine = format & DT_SINGLELINE;
    int flags = (format & DT_CENTER)  ? Qt::AlignHCenter
                : (format & DT_RIGHT) ? Qt::AlignRight
                                      : Qt::AlignLeft;
    if (singleLine)
        flags |= Qt::TextSingleLine | ((format & DT_VCENTER)  ? Qt::AlignVCenter
                                       : (format & DT_BOTTOM) ? Qt::AlignBottom
                                                              : Qt::AlignTop);
    else
        flags |= Qt::AlignTop;
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    const QFontMetrics& fontMetrics = Metrics();
    if (format & DT_WORDBREAK)
        lines = BreakBetweenWords(lines, r.Width(), fontMetrics);
    else if (format & DT_END_ELLIPSIS)
        lines = fontMetrics.elidedText(lines, Qt::ElideRight, r.Width(), flags);
    const QRect area(r.Left, r.Top, r.Width(), r.Height());
    // Measuring, the text takes what it needs.
    const QRect room = (format & DT_CALCRECT) ? QRect(r.Left, r.Top, 1 << 20, 1 << 20) : area;
    const QRect extent = fontMetrics.boundingRect(room, flags, lines);
    if (format & DT_CALCRECT) {
        r.Right = r.Left + extent.width();
        r.Bottom = r.Top + extent.height();
        return extent.height();
    }
    QRect shown = area;
    if ((format & DT_EDITCONTROL) && !singleLine) {
        // The first line always shows; each further one only when it shows whole.
        const int whole = area.height() < fontMetrics.height()
                              ? 1
                              : (area.height() - fontMetrics.height()) / fontMetrics.lineSpacing() + 1;
        shown.setHeight(
            std::min(area.height(), (whole - 1) * fontMetrics.lineSpacing() + fontMetrics.height()));
    }
    Paint([&](QPainter& painter) {
        if (!(format & DT_NOCLIP) || shown != area)
            painter.setClipRect(shown, Qt::IntersectClip);
        if (Brush.Style != bsClear)
            painter.fillRect(extent, ToQColor(Brush.Color));
        painter.setFont(Font.ToQFont());
        painter.setPen(ToQColor(Font.Color));
        painter.drawText(area, flags, lines);
    });
    return extent.height();
}

void TCanvas::SelectClipRect(const TRect& r) {
    FlushTexts();
    clip = mapMode == MM_LOMETRIC ? Mapped(r).toAlignedRect() : QRect(r.Left, r.Top, r.Width(), r.Height());
}

void TCanvas::RemoveClip() {
    FlushTexts();
    clip.reset();
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    Paint([&](QPainter& painter) { painter.drawImage(QPoint(x, y), bitmap.DrawnImage()); });
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap) {
    Paint([&](QPainter& painter) {
        painter.drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()), bitmap.DrawnImage());
    });
}

void TCanvas::DrawInRect(const TRect& r,
                         const std::function<void(QPainter& painter, const QRect& target)>& draw) {
    Paint([&](QPainter& painter) {
        draw(painter, mapMode == MM_LOMETRIC ? Mapped(r).toAlignedRect()
                                             : QRect(r.Left, r.Top, r.Width(), r.Height()));
    });
}

void TCanvas::StretchDraw(const TRect& r, const TPicture& picture) {
    Paint([&](QPainter& painter) {
        painter.drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()), picture.Image());
    });
}

void TCanvas::StretchDraw(const TRect& r, const QImage& picture) {
    Paint(
        [&](QPainter& painter) { painter.drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()), picture); });
}

void TCanvas::TextOutRotated(int x, int y, const AnsiString& text, int angle) {
    Paint([&](QPainter& painter) {
        const QTransform before = painter.transform();
        painter.translate(x, y);
        painter.rotate(-(angle % 360));
        painter.setFont(Font.ToQFont());
        painter.setPen(ToQColor(Font.Color));
        painter.drawText(0, 0, CanvasText(text));
        painter.setTransform(before);
    });
}

Qt::PenStyle PenStyleOf(TPenStyle style) {
    switch (style) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

Qt::BrushStyle BrushStyleOf(TBrushStyle style) {
    switch (style) {
    case bsClear:
        return Qt::NoBrush;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}

std::vector<AnsiString> TCanvas::WrappedLines(const AnsiString& text, int width) const {
    QString lines = CanvasText(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    lines = mapMode == MM_LOMETRIC ? BreakBetweenWords(lines, width, TenthsMetrics())
                                   : BreakBetweenWords(lines, width, Metrics());
    std::vector<AnsiString> wrapped;
    for (const QString& line : lines.split(QChar('\n')))
        wrapped.emplace_back(line.toStdString());
    return wrapped;
}

QString CanvasText(const AnsiString& text) {
    return QString::fromUtf8(text.c_str(), text.Length());
}
