#pragma once

#include <QPainter>
#include <QRawFont>

#include <array>
#include <memory>
#include <utility>
#include <vector>

class QImage;

// Writes a font's glyphs on a 32-bit picture from their coverage, pixel for pixel as the painter
// writes them but without its per-glyph work. Each glyph is drawn once by the painter at each
// 64th of a pixel it is asked at; its coverage is read back from that drawing, and writing it
// from the coverage must give the painter's own pixels on a ground of every colour before it is
// used in a colour. A glyph that fails, or is seldom used, is left to the painter.
class NameInk {
public:
    // Where a glyph's coverage rows meet the picture.
    struct Rows {
        QRgb* Pixels;
        qsizetype Stride;
        const uchar* Alpha;
        int AlphaStride;
        const std::pair<int, int>* Ink;
        int FromRow, ToRow, FromColumn, ToColumn;
        // Columns from the glyph's box's left to the picture's right edge.
        int Inside;
        QRgb Colour;
    };

    NameInk(const QRawFont& raw, QPainter::RenderHints hints);

    // Whether glyphs in colour can be written directly on the picture the painter draws on.
    bool Writable(const QPainter& painter, const QColor& colour) const;
    // Whether the glyph with its origin x pixels from a pixel's left is written in colour rather
    // than drawn by the painter, counting a use of it.
    bool Writes(quint32 glyph, double x, QRgb colour);
    // The glyph with its origin at (x, y) in colour, where it Writes.
    void Write(QImage& image, quint32 glyph, double x, int y, QRgb colour);

private:
    static constexpr int Phases = 64;
    // A glyph is checked once the painter has drawn it so many times: the check costs a few
    // hundred of the painter's drawings, which only a much-used glyph repays.
    static constexpr int PainterUses = 128;
    static constexpr int Reach = 7;
    // The pixels a glyph covers, relative to the pixel its origin falls in.
    struct Coverage {
        int Uses = 0;
        bool Read = false;
        bool Usable = false;
        bool Checked = false;
        QRgb CheckedColour = 0;
        int Left = 0;
        int Top = 0;
        int Width = 0;
        int Height = 0;
        // Rows of Width and Reach more, so that eight alphas from any column can be read.
        std::vector<uchar> Alpha;
        // Each row's first column of ink and the column after its last.
        std::vector<std::pair<int, int>> Ink;
    };
    using Phased = std::array<Coverage, Phases>;

    Coverage& CoverageOf(quint32 glyph, int phase);
    void Read(Coverage& coverage, quint32 glyph, int phase) const;
    bool Agrees(const Coverage& coverage, quint32 glyph, int phase, QRgb colour) const;
    // The glyph drawn by the painter on image with its origin at each origin moved by phase / 64.
    void DrawnByPainter(QImage& image, quint32 glyph, const std::vector<QPoint>& origins, int phase,
                        QRgb colour) const;
    // The coverage in colour over image with the glyph's origin in pixel (x, y).
    static void Put(QImage& image, const Coverage& coverage, int x, int y, QRgb colour);

    QRawFont raw;
    QPainter::RenderHints hints;
    std::vector<std::unique_ptr<Phased>> glyphs;
};
