#include "app/VisualeditInk.h"

#include <QGlyphRun>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Ink beyond the glyph's outline box by more than this is not expected; a glyph whose drawing
// reaches it is left to the painter.
constexpr int Margin = 4;

// The colour over the ground at alpha of 255, each channel rounded as the painter's raster
// engine rounds it.
QRgb Blend(QRgb colour, uint alpha, QRgb ground) {
    const uint rest = 255 - alpha;
    uint t = (colour & 0xff00ff) * alpha + (ground & 0xff00ff) * rest;
    t = ((t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    uint u = ((colour >> 8) & 0xff00ff) * alpha + ((ground >> 8) & 0xff00ff) * rest;
    u = (u + ((u >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return t | u;
}

#if defined(__SSE2__)
// Four pixels at a time, with the same rounding.
void BlendFour(QRgb colour, const uchar* alpha, QRgb* pixels) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255);
    const __m128i half = _mm_set1_epi16(0x80);
    const __m128i ink = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(colour)), zero);
    std::uint32_t four = 0;
    std::memcpy(&four, alpha, sizeof four);
    __m128i spread = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(four)), zero);
    spread = _mm_unpacklo_epi16(spread, spread);
    const __m128i alphas[2] = {_mm_unpacklo_epi32(spread, spread), _mm_unpackhi_epi32(spread, spread)};
    const __m128i ground = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
    const __m128i grounds[2] = {_mm_unpacklo_epi8(ground, zero), _mm_unpackhi_epi8(ground, zero)};
    __m128i blended[2];
    for (int part = 0; part < 2; ++part) {
        __m128i t = _mm_add_epi16(_mm_mullo_epi16(ink, alphas[part]),
                                  _mm_mullo_epi16(grounds[part], _mm_sub_epi16(full, alphas[part])));
        t = _mm_add_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), half);
        blended[part] = _mm_srli_epi16(t, 8);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), _mm_packus_epi16(blended[0], blended[1]));
}
#endif

bool SameImage(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), static_cast<std::size_t>(a.width()) * 4) != 0)
            return false;
    return true;
}

} // namespace

NameInk::NameInk(const QRawFont& raw, QPainter::RenderHints hints) : raw(raw), hints(hints) {}

bool NameInk::Writable(const QPainter& painter, const QColor& colour) const {
    const QPaintDevice* device = painter.device();
    return device && device->devType() == QInternal::Image &&
           static_cast<const QImage*>(device)->format() == QImage::Format_RGB32 &&
           painter.deviceTransform().isIdentity() && !painter.hasClipping() && painter.opacity() == 1 &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
           painter.renderHints() == hints && colour.spec() == QColor::Rgb && colour.alpha() == 255;
}

NameInk::Coverage& NameInk::CoverageOf(quint32 glyph, int phase) {
    if (glyph >= glyphs.size())
        glyphs.resize(glyph + 1);
    if (!glyphs[glyph])
        glyphs[glyph] = std::make_unique<Phased>();
    return (*glyphs[glyph])[static_cast<std::size_t>(phase)];
}

void NameInk::DrawnByPainter(QImage& image, quint32 glyph, const std::vector<QPoint>& origins, int phase,
                             QRgb colour) const {
    QList<QPointF> positions;
    for (const QPoint& origin : origins)
        positions.append(QPointF(origin.x() + static_cast<double>(phase) / Phases, origin.y()));
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(QList<quint32>(positions.size(), glyph));
    run.setPositions(positions);
    QPainter painter(&image);
    painter.setRenderHints(hints, true);
    painter.setRenderHints(~hints, false);
    painter.setPen(QColor::fromRgb(colour));
    painter.drawGlyphRun(QPointF(0, 0), run);
}

// Black on white leaves 255 less the coverage in every channel.
void NameInk::Read(Coverage& coverage, quint32 glyph, int phase) const {
    coverage.Read = true;
    const QRectF box = raw.boundingRect(glyph);
    const int x = Margin + static_cast<int>(std::ceil(-box.left()));
    const int y = Margin + static_cast<int>(std::ceil(-box.top()));
    QImage image(x + static_cast<int>(std::ceil(box.right())) + Margin + 1,
                 y + static_cast<int>(std::ceil(box.bottom())) + Margin + 1, QImage::Format_RGB32);
    image.fill(Qt::white);
    DrawnByPainter(image, glyph, {QPoint(x, y)}, phase, qRgb(0, 0, 0));
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int row = 0; row < image.height(); ++row) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(row));
        for (int column = 0; column < image.width(); ++column) {
            const QRgb pixel = pixels[column];
            if (qRed(pixel) != qGreen(pixel) || qGreen(pixel) != qBlue(pixel))
                return;
            if (qRed(pixel) == 255)
                continue;
            left = std::min(left, column);
            right = std::max(right, column);
            top = std::min(top, row);
            bottom = std::max(bottom, row);
        }
    }
    if (right < 0) {
        coverage.Usable = true;
        return;
    }
    if (left == 0 || top == 0 || right == image.width() - 1 || bottom == image.height() - 1)
        return;
    coverage.Left = left - x;
    coverage.Top = top - y;
    coverage.Width = right - left + 1;
    coverage.Height = bottom - top + 1;
    coverage.Alpha.reserve(static_cast<std::size_t>((coverage.Width + 3) * coverage.Height));
    for (int row = top; row <= bottom; ++row) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(row));
        std::pair<int, int> ink(coverage.Width, 0);
        for (int column = left; column <= right; ++column) {
            const auto alpha = static_cast<uchar>(255 - qRed(pixels[column]));
            coverage.Alpha.push_back(alpha);
            if (alpha != 0)
                ink = {std::min(ink.first, column - left), column - left + 1};
        }
        coverage.Alpha.insert(coverage.Alpha.end(), 3, 0);
        coverage.Ink.push_back(ink);
    }
    coverage.Usable = true;
}

// The painter's drawing and the written coverage side by side on 256 grounds, each channel of
// the k-th a shift of k, so that every coverage meets every value of every channel.
bool NameInk::Agrees(const Coverage& coverage, quint32 glyph, int phase, QRgb colour) const {
    constexpr int Grounds = 256;
    constexpr int Across = 16;
    const int width = coverage.Width + 2 * Margin;
    const int height = coverage.Height + 2 * Margin;
    QImage drawn(width * Across, height * (Grounds / Across), QImage::Format_RGB32);
    std::vector<QPoint> origins;
    {
        QPainter grounds(&drawn);
        for (int k = 0; k < Grounds; ++k) {
            const int left = k % Across * width;
            const int top = k / Across * height;
            const auto channel = [k](int shift) { return (k + shift) % Grounds; };
            grounds.fillRect(left, top, width, height, QColor(channel(0), channel(85), channel(170)));
            origins.emplace_back(left + Margin - coverage.Left, top + Margin - coverage.Top);
        }
    }
    QImage written = drawn.copy();
    DrawnByPainter(drawn, glyph, origins, phase, colour);
    for (const QPoint& origin : origins)
        Put(written, coverage, origin.x(), origin.y(), colour);
    return SameImage(drawn, written);
}

void NameInk::Put(QImage& image, const Coverage& coverage, int x, int y, QRgb colour) {
    const int left = x + coverage.Left;
    const int top = y + coverage.Top;
    const int fromColumn = std::max(0, -left);
    const int toColumn = std::min(coverage.Width, image.width() - left);
    const int fromRow = std::max(0, -top);
    const int toRow = std::min(coverage.Height, image.height() - top);
    if (fromColumn >= toColumn || fromRow >= toRow)
        return;
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int row = fromRow; row < toRow; ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(bits + (top + row) * stride) + left;
        const uchar* alpha = coverage.Alpha.data() + static_cast<std::size_t>(row * (coverage.Width + 3));
        const auto [first, end] = coverage.Ink[static_cast<std::size_t>(row)];
        int column = std::max(first, fromColumn);
        const int last = std::min(end, toColumn);
#if defined(__SSE2__)
        for (; column < last && column + 4 <= toColumn; column += 4)
            BlendFour(colour, alpha + column, pixels + column);
#endif
        for (; column < last; ++column)
            pixels[column] = Blend(colour, alpha[column], pixels[column]);
    }
}

bool NameInk::Write(QImage& image, quint32 glyph, double x, int y, QRgb colour) {
    const double sixtyFourths = x * Phases;
    if (!(std::abs(sixtyFourths) < 1 << 30) || sixtyFourths != std::floor(sixtyFourths))
        return false;
    const auto at = static_cast<int>(sixtyFourths);
    const int phase = at & (Phases - 1);
    Coverage& coverage = CoverageOf(glyph, phase);
    if (coverage.Uses < PainterUses) {
        ++coverage.Uses;
        return false;
    }
    if (!coverage.Read)
        Read(coverage, glyph, phase);
    if (coverage.Usable && (!coverage.Checked || coverage.CheckedColour != colour)) {
        coverage.Checked = true;
        coverage.CheckedColour = colour;
        coverage.Usable = Agrees(coverage, glyph, phase, colour);
    }
    if (!coverage.Usable)
        return false;
    Put(image, coverage, at >> 6, y, colour);
    return true;
}
