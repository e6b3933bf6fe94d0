// The canvas in tenths of a millimetre (MM_LOMETRIC): the mapping onto the device and the
// drawing and measuring that follow it.
#include "framework/Canvas.h"
#include "framework/CanvasMeasures.h"
#include "framework/CanvasStyles.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

namespace {

constexpr double TenthsPerInch = 254.0;
// Where a canvas has no device yet, it measures as the screen does.
constexpr int UnplacedDpi = 96;

QBrush QBrushOf(const TBrush& brush) {
    return QBrush(ToQColor(brush.Color), BrushStyleOf(brush.Style));
}

// Halves away from zero, as lround rounds, without the library call that every measured text
// would cost.
int Rounded(double value) {
    return static_cast<int>(value < 0 ? value - 0.5 : value + 0.5);
}

} // namespace

int TCanvas::SetMapMode(int mode) {
    FlushTexts();
    const int before = mapMode;
    mapMode = mode;
    return before;
}

void TCanvas::SetPageScale(double pixelsPerTenth, QPointF origin) {
    FlushTexts();
    pageScale = PageScale{pixelsPerTenth, origin};
}

void TCanvas::ResetPageScale() {
    FlushTexts();
    pageScale.reset();
}

double TCanvas::ScaleX() const {
    if (pageScale)
        return pageScale->PixelsPerTenth;
    const QPaintDevice* device = Device();
    return (device ? device->logicalDpiX() : UnplacedDpi) / TenthsPerInch;
}

double TCanvas::ScaleY() const {
    if (pageScale)
        return pageScale->PixelsPerTenth;
    const QPaintDevice* device = Device();
    return (device ? device->logicalDpiY() : UnplacedDpi) / TenthsPerInch;
}

QPointF TCanvas::Mapped(int x, int y) const {
    const QPointF origin = pageScale ? pageScale->Origin : QPointF();
    return {origin.x() + x * ScaleX(), origin.y() - y * ScaleY()};
}

QRectF TCanvas::Mapped(const TRect& r) const {
    return QRectF(Mapped(r.Left, r.Top), Mapped(r.Right, r.Bottom)).normalized();
}

TPoint TCanvas::LPtoDP(TPoint point) const {
    if (mapMode != MM_LOMETRIC)
        return point;
    const QPointF mapped = Mapped(point.x, point.y);
    return Point(Rounded(mapped.x()), Rounded(mapped.y()));
}

TPoint TCanvas::DPtoLP(TPoint point) const {
    if (mapMode != MM_LOMETRIC)
        return point;
    const QPointF origin = pageScale ? pageScale->Origin : QPointF();
    return Point(Rounded((point.x - origin.x()) / ScaleX()), Rounded((origin.y() - point.y) / ScaleY()));
}

TRect TCanvas::ClipBox() const {
    const QPaintDevice* device = Device();
    if (!device)
        return Rect(0, 0, 0, 0);
    const TPoint topLeft = DPtoLP(Point(0, 0));
    const TPoint bottomRight = DPtoLP(Point(device->width(), device->height()));
    return Rect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

QFont TCanvas::TenthsFont() const {
    QFont font(QString::fromStdString(Font.Name.str()));
    font.setPixelSize(std::max(1, std::abs(Font.GetHeight())));
    font.setBold(Font.Style & fsBold);
    font.setItalic(Font.Style & fsItalic);
    font.setUnderline(Font.Style & fsUnderline);
    font.setStrikeOut(Font.Style & fsStrikeOut);
    // Unhinted glyphs advance alike at every size, so a text measured here takes the same room
    // on paper and in a preview.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

TCanvas::TenthsMeasures::TenthsMeasures(const QFont& font, std::string name, int height, unsigned style)
    : Font(font), Metrics(font), Name(std::move(name)), Height(height), Style(style),
      Ascent(Metrics.ascent()), LineHeight(Metrics.height()), Raw(QRawFont::fromFont(font)) {
    for (int c = First; c < First + Count; ++c)
        advances[static_cast<std::size_t>(c - First)] = Metrics.horizontalAdvance(QChar(c));
    pairs.fill(std::nan(""));
    glyphIndexes.fill(-1);
}

bool TCanvas::TenthsMeasures::Simple(std::string_view text) {
    return text.find("ff") == std::string_view::npos &&
           std::all_of(text.begin(), text.end(), [](char c) { return Printable(c); });
}

double TCanvas::TenthsMeasures::Width(std::string_view text) {
    double width = 0;
    char previous = 0;
    for (const char c : text) {
        if (!Printable(c) || (c == 'f' && previous == 'f'))
            return Metrics.horizontalAdvance(
                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        width += Advance(c);
        if (previous != 0)
            width += Pair(previous, c);
        previous = c;
    }
    return width;
}

double TCanvas::TenthsMeasures::MeasurePair(char a, char b) {
    double& pair = pairs[PairIndex(a, b)];
    pair = Metrics.horizontalAdvance(QString(QChar(a)) + QChar(b)) - Advance(a) - Advance(b);
    return pair;
}

TCanvas::TCanvas() = default;

TCanvas::~TCanvas() = default;

TCanvas::TenthsMeasures& TCanvas::Measures() const {
    const int height = std::abs(Font.GetHeight());
    if (lastMeasures && lastMeasures->Height == height && lastMeasures->Style == Font.Style &&
        lastMeasures->Name == Font.Name.view())
        return *lastMeasures;
    FontKey key{Font.Name.str(), height, Font.Style};
    auto found = tenthsMeasures.find(key);
    if (found == tenthsMeasures.end())
        found = tenthsMeasures
                    .emplace(std::move(key), std::make_unique<TenthsMeasures>(TenthsFont(), Font.Name.str(),
                                                                              height, Font.Style))
                    .first;
    lastMeasures = found->second.get();
    return *lastMeasures;
}

const QFontMetricsF& TCanvas::TenthsMetrics() const {
    return Measures().Metrics;
}

int TCanvas::TextWidthTenths(const AnsiString& text) const {
    return Rounded(Measures().Width(text.view()));
}

void TCanvas::UseTenthsPen(QPainter& painter) const {
    if (Pen.Style == psClear || Pen.Mode == pmNop) {
        painter.setPen(Qt::NoPen);
        return;
    }
    // Never thinner than a device pixel, so that a line shows on a small preview.
    QPen pen(ToQColor(Pen.Color), std::max(1.0, Pen.Width * ScaleX()), PenStyleOf(Pen.Style), Qt::FlatCap,
             Qt::MiterJoin);
    pen.setCosmetic(true);
    painter.setPen(pen);
}

void TCanvas::LineToTenths(int x, int y) {
    const QLineF line(Mapped(PenPos.x, PenPos.y), Mapped(x, y));
    Paint([&](QPainter& painter) {
        UseTenthsPen(painter);
        painter.drawLine(line);
    });
    PenPos = Point(x, y);
}

void TCanvas::RectangleTenths(const TRect& r) {
    const QRectF area = Mapped(r);
    Paint([&](QPainter& painter) {
        painter.fillRect(area, QBrushOf(Brush));
        UseTenthsPen(painter);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(area);
    });
}

void TCanvas::FillRectTenths(const TRect& r) {
    const QRectF area = Mapped(r);
    Paint([&](QPainter& painter) { painter.fillRect(area, QBrushOf(Brush)); });
}

void TCanvas::PolylineTenths(const std::vector<TPoint>& points, bool closed) {
    QPolygonF polygon;
    for (const TPoint& point : points)
        polygon << Mapped(point.x, point.y);
    Paint([&](QPainter& painter) {
        UseTenthsPen(painter);
        if (closed) {
            painter.setBrush(QBrushOf(Brush));
            painter.drawPolygon(polygon);
        } else {
            painter.drawPolyline(polygon);
        }
    });
}

void TCanvas::DrawScaledText(QPainter& painter, int x, int y,
                             const std::function<void(QPainter&)>& draw) const {
    const QTransform before = painter.transform();
    painter.translate(Mapped(x, y));
    painter.scale(ScaleX(), ScaleY());
    painter.setFont(Measures().Font);
    painter.setPen(ToQColor(Font.Color));
    draw(painter);
    painter.setTransform(before);
}

void TCanvas::TextRectTenths(const TRect* r, int x, int y, const AnsiString& text) {
    const TenthsMeasures& measures = Measures();
    const double ascent = measures.Ascent;
    const TRect extent = Rect(x, y, x + TextWidthTenths(text), y - Rounded(measures.LineHeight));
    const QRectF ground = Mapped(r ? *r : extent);
    // A text inside its rectangle needs no clip, which spares a printed page many.
    const bool inside = !r || (extent.Left >= r->Left && extent.Right <= r->Right && extent.Top <= r->Top &&
                               extent.Bottom >= r->Bottom);
    if (inside && RunPainter()) {
        if (Brush.Style != bsClear)
            Paint([&](QPainter& painter) { painter.fillRect(ground, ToQColor(Brush.Color)); });
        if (!QueueText(x, y, text.view()))
            Paint([&](QPainter& painter) {
                DrawScaledText(painter, x, y, [&](QPainter& scaled) {
                    scaled.drawText(QPointF(0, ascent), CanvasText(text));
                });
            });
        return;
    }
    Paint([&](QPainter& painter) {
        if (Brush.Style != bsClear)
            painter.fillRect(ground, ToQColor(Brush.Color));
        if (!inside)
            painter.setClipRect(ground, Qt::IntersectClip);
        DrawScaledText(painter, x, y,
                       [&](QPainter& scaled) { scaled.drawText(QPointF(0, ascent), CanvasText(text)); });
    });
}

std::optional<int> TCanvas::DrawLineTenths(const AnsiString& text, const TRect& r, unsigned format) {
    const std::string_view line = text.view();
    if (line.find_first_of("\r\n\t") != std::string_view::npos ||
        (!(format & DT_NOPREFIX) && line.find('&') != std::string_view::npos) ||
        ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))))
        return std::nullopt;
    // Blanks at the ends take no part in aligning a line to the right or the centre.
    if ((format & (DT_CENTER | DT_RIGHT)) && !line.empty() && (line.front() == ' ' || line.back() == ' '))
        return std::nullopt;
    TenthsMeasures& measures = Measures();
    const double width = r.Right - r.Left;
    const double textWidth = measures.Width(line);
    const double height = measures.LineHeight;
    // A text that fits whole is one line, broken between words or not, and needs no clip.
    if (textWidth > width || height > std::abs(r.Top - r.Bottom))
        return std::nullopt;
    const double offset = (format & DT_CENTER)  ? (width - textWidth) / 2
                          : (format & DT_RIGHT) ? width - textWidth
                                                : 0;
    if (!QueueText(r.Left + offset, r.Top, line))
        return std::nullopt;
    return Rounded(height);
}

int TCanvas::DrawTextTenths(const AnsiString& text, TRect& r, unsigned format) {
    if (!(format & DT_CALCRECT) && Brush.Style == bsClear && RunPainter())
        if (const std::optional<int> height = DrawLineTenths(text, r, format))
            return *height;
    QString lines = CanvasText(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    int flags = (format & DT_CENTER)  ? Qt::AlignHCenter
                : (format & DT_RIGHT) ? Qt::AlignRight
                                      : Qt::AlignLeft;
    if (format & DT_SINGLELINE)
        flags |= Qt::TextSingleLine | ((format & DT_VCENTER)  ? Qt::AlignVCenter
                                       : (format & DT_BOTTOM) ? Qt::AlignBottom
                                                              : Qt::AlignTop);
    else
        flags |= Qt::AlignTop;
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    const double width = r.Right - r.Left;
    const double height = std::abs(r.Top - r.Bottom);
    // Lines break at blanks only, as on the screen: "(l/s)" stays whole.
    if (format & DT_WORDBREAK)
        lines = BreakBetweenWords(lines, width, TenthsMetrics());
    // Measuring, the text takes the height it needs, and the width too unless it breaks.
    constexpr double Unbounded = 1 << 24;
    const bool measuring = format & DT_CALCRECT;
    const QRectF room(0, 0, measuring && !(format & DT_WORDBREAK) ? Unbounded : width,
                      measuring ? Unbounded : height);
    const QRectF extent = TenthsMetrics().boundingRect(room, flags, lines);
    if (measuring) {
        if (!(format & DT_WORDBREAK))
            r.Right = r.Left + Rounded(extent.width());
        r.Bottom = r.Top - Rounded(extent.height());
        return Rounded(extent.height());
    }
    const QRectF area = Mapped(r);
    Paint([&](QPainter& painter) {
        if (!(format & DT_NOCLIP))
            painter.setClipRect(area, Qt::IntersectClip);
        DrawScaledText(painter, r.Left, r.Top, [&](QPainter& scaled) {
            if (Brush.Style != bsClear)
                scaled.fillRect(extent, ToQColor(Brush.Color));
            scaled.drawText(QRectF(0, 0, width, height), flags, lines);
        });
    });
    return Rounded(extent.height());
}
