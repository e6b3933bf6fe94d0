#include "app/VisualeditInk.h"

#include <QGlyphRun>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
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

// Eight pixels at a time where the processor has 256-bit integer sums.
__attribute__((target("avx2"))) void BlendEight(QRgb colour, const uchar* alpha, QRgb* pixels) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i full = _mm256_set1_epi16(255);
    const __m256i half = _mm256_set1_epi16(0x80);
    const __m256i ink = _mm256_unpacklo_epi8(_mm256_set1_epi32(static_cast<int>(colour)), zero);
    std::uint64_t eight = 0;
    std::memcpy(&eight, alpha, sizeof eight);
    const __m128i spread =
        _mm_unpacklo_epi8(_mm_cvtsi64_si128(static_cast<long long>(eight)), _mm_setzero_si128());
    const __m128i low = _mm_unpacklo_epi16(spread, spread);
    const __m128i high = _mm_unpackhi_epi16(spread, spread);
    // In-lane unpacking puts pixels 0, 1, 4, 5 in the first half and 2, 3, 6, 7 in the second.
    const __m256i alphas[2] = {
        _mm256_set_m128i(_mm_unpacklo_epi32(high, high), _mm_unpacklo_epi32(low, low)),
        _mm256_set_m128i(_mm_unpackhi_epi32(high, high), _mm_unpackhi_epi32(low, low))};
    const __m256i ground = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels));
    const __m256i grounds[2] = {_mm256_unpacklo_epi8(ground, zero), _mm256_unpackhi_epi8(ground, zero)};
    __m256i blended[2];
    for (int part = 0; part < 2; ++part) {
        __m256i t = _mm256_add_epi16(_mm256_mullo_epi16(ink, alphas[part]),
                                     _mm256_mullo_epi16(grounds[part], _mm256_sub_epi16(full, alphas[part])));
        t = _mm256_add_epi16(_mm256_add_epi16(t, _mm256_srli_epi16(t, 8)), half);
        blended[part] = _mm256_srli_epi16(t, 8);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels), _mm256_packus_epi16(blended[0], blended[1]));
}

const bool Avx2 = __builtin_cpu_supports("avx2");
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
    coverage.Alpha.reserve(static_cast<std::size_t>((coverage.Width + Reach) * coverage.Height));
    for (int row = top; row <= bottom; ++row) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(row));
        std::pair<int, int> ink(coverage.Width, 0);
        for (int column = left; column <= right; ++column) {
            const auto alpha = static_cast<uchar>(255 - qRed(pixels[column]));
            coverage.Alpha.push_back(alpha);
            if (alpha != 0)
                ink = {std::min(ink.first, column - left), column - left + 1};
        }
        coverage.Alpha.insert(coverage.Alpha.end(), Reach, 0);
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

// The rows of a glyph's coverage, each from its first ink to its last inside the picture, a
// group of pixels at a time where the group lies inside the picture: columns past the ink take
// the group's spare alphas of 0, which leave them as they are.
template <int Group, typename Blender>
[[gnu::always_inline]] inline void PutRows(const NameInk::Rows& rows, Blender blendGroup) {
    for (int row = rows.FromRow; row < rows.ToRow; ++row) {
        QRgb* pixels = rows.Pixels + row * rows.Stride;
        const uchar* alpha = rows.Alpha + row * rows.AlphaStride;
        const auto [first, end] = rows.Ink[row];
        int column = std::max(first, rows.FromColumn);
        const int last = std::min(end, rows.ToColumn);
        for (; column < last && column + Group <= rows.Inside; column += Group)
            blendGroup(alpha + column, pixels + column);
        for (; column < last; ++column)
            pixels[column] = Blend(rows.Colour, alpha[column], pixels[column]);
    }
}

#if defined(__SSE2__)
__attribute__((target("avx2"))) void PutEights(const NameInk::Rows& rows) {
    PutRows<8>(rows, [&rows](const uchar* alpha, QRgb* pixels) { BlendEight(rows.Colour, alpha, pixels); });
}
#endif

void NameInk::Put(QImage& image, const Coverage& coverage, int x, int y, QRgb colour) {
    const int left = x + coverage.Left;
    const int top = y + coverage.Top;
    Rows rows;
    rows.Inside = image.width() - left;
    rows.FromColumn = std::max(0, -left);
    rows.ToColumn = std::min(coverage.Width, rows.Inside);
    rows.FromRow = std::max(0, -top);
    rows.ToRow = std::min(coverage.Height, image.height() - top);
    if (rows.FromColumn >= rows.ToColumn || rows.FromRow >= rows.ToRow)
        return;
    rows.Stride = image.bytesPerLine() / 4;
    rows.Pixels = reinterpret_cast<QRgb*>(image.bits()) + top * rows.Stride + left;
    rows.AlphaStride = coverage.Width + Reach;
    rows.Alpha = coverage.Alpha.data();
    rows.Ink = coverage.Ink.data();
    rows.Colour = colour;
#if defined(__SSE2__)
    if (Avx2)
        return PutEights(rows);
    PutRows<4>(rows, [colour](const uchar* alpha, QRgb* pixels) { BlendFour(colour, alpha, pixels); });
#else
    PutRows<1>(rows,
               [colour](const uchar* alpha, QRgb* pixels) { *pixels = Blend(colour, *alpha, *pixels); });
#endif
}

bool NameInk::Writes(quint32 glyph, double x, QRgb colour) {
    const double sixtyFourths = x * Phases;
    if (!(std::abs(sixtyFourths) < 1 << 30) || sixtyFourths != std::floor(sixtyFourths))
        return false;
    const int phase = static_cast<int>(sixtyFourths) & (Phases - 1);
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
    return coverage.Usable;
}

void NameInk::Write(QImage& image, quint32 glyph, double x, int y, QRgb colour) {
    const auto at = static_cast<int>(x * Phases);
    Put(image, CoverageOf(glyph, at & (Phases - 1)), at >> 6, y, colour);
}
