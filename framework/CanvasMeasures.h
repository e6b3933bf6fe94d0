#pragma once

// The canvas's measures of one font in tenths of a millimetre, shared by its measuring and its
// drawing in MM_LOMETRIC.
#include "framework/Canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QRawFont>
#include <QVector>

#include <array>
#include <cmath>
#include <string>
#include <string_view>

// Widths of texts in one font: a text of printable ASCII adds up the advances of its characters
// and what each pair of neighbours adds (kerning, a ligature of two), each asked once; other
// texts, and those where a ligature may join three letters, are shaped whole. The same pieces
// place such a text's glyphs, where none of its pairs joins into one glyph.
struct TCanvas::TenthsMeasures {
    TenthsMeasures(const QFont& font, std::string name, int height, unsigned style);

    double Width(std::string_view text);
    // Appends the glyphs of text, its left end at x and its baseline at y (y downward), as
    // shaping places them; false, with nothing appended, where the text must be shaped whole.
    bool AppendGlyphs(std::string_view text, double x, double y, QVector<quint32>& glyphs,
                      QVector<QPointF>& positions);

    QFont Font;
    QFontMetricsF Metrics;
    std::string Name;
    int Height;
    unsigned Style;
    // Of Metrics, asked once.
    const double Ascent;
    const double LineHeight;
    // The font the glyphs are of.
    const QRawFont Raw;

private:
    static constexpr int First = 32;
    static constexpr int Count = 127 - First;
    static bool Printable(char c) { return c >= First && c < First + Count; }
    static bool Simple(std::string_view text);
    static std::size_t PairIndex(char a, char b) {
        return static_cast<std::size_t>((a - First) * Count + b - First);
    }

    // Asked of every character as the measures are made.
    double Advance(char c) const { return advances[static_cast<std::size_t>(c - First)]; }
    double Pair(char a, char b) {
        const double pair = pairs[PairIndex(a, b)];
        return std::isnan(pair) ? MeasurePair(a, b) : pair;
    }
    double MeasurePair(char a, char b);
    // A character's glyph in Raw; 0 when shaping gives it otherwise.
    quint32 Glyph(char c);
    // Whether shaping leaves the pair its characters' own two glyphs.
    bool Separate(char a, char b);

    std::array<double, Count> advances;
    std::array<double, Count * Count> pairs;
    // -1 until asked.
    std::array<qint64, Count> glyphIndexes;
    // 0 until asked, 1 separate, 2 joined or changed.
    std::array<signed char, Count * Count> joins{};
};
