#include "app/VisualeditInk.h"
#include "app/VisualeditNames.h"

#include <QFont>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace {

// Every channel of every pixel its own, so that each coverage meets many grounds.
QImage VariedGround(int width, int height) {
    QImage ground(width, height, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ground.setPixel(x, y, static_cast<QRgb>(random()) | 0xff000000);
    return ground;
}

QFont Font(const char* family, int points, bool bold, bool italic) {
    QFont font(family, points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

constexpr QRgb Black = 0xff000000;
constexpr QRgb Grey = 0xff808080;
constexpr QRgb Maroon = 0xff800000;
constexpr QRgb Odd = 0xff123456;

// Writes the glyph as soon as it is written at all: a glyph is left to the painter for its
// first uses.
bool Written(NameInk& ink, QImage& image, quint32 glyph, double x, int y, QRgb colour) {
    for (int use = 0; use < 1100; ++use)
        if (ink.Writes(glyph, x, colour)) {
            ink.Write(image, glyph, x, y, colour);
            return true;
        }
    return false;
}

// A glyph written from its coverage is the painter's drawing of it: at whole pixels and at
// fractions of one, in several sizes and styles, and cut by every edge. Black is written; a
// colour the painter blends otherwise than the coverage gives is left to the painter untouched.
TEST(NameInk, WritesAGlyphAsThePainterDrawsIt) {
    const struct {
        const char* label;
        QFont font;
        char character;
        double x;
        int y;
        QRgb colour;
    } rows[] = {
        {"small, whole pixel", Font("Sans Serif", 8, false, false), 'S', 10, 20, Black},
        {"small, a fraction", Font("Sans Serif", 8, false, false), '7', 10.96875, 20, Black},
        {"small, a quarter", Font("Sans Serif", 8, false, false), 'J', 10.25, 20, Black},
        {"large bold", Font("Sans Serif", 28, true, false), 'W', 3.5, 32, Black},
        {"italic", Font("Serif", 20, false, true), 'f', 5.015625, 28, Black},
        {"cut at the left", Font("Sans Serif", 14, false, false), 'M', -4.5, 20, Black},
        {"cut at the top", Font("Sans Serif", 14, false, false), 'g', 10, 3, Black},
        {"cut at the right", Font("Sans Serif", 14, false, false), 'A', 33.75, 20, Black},
        {"cut at the bottom", Font("Sans Serif", 14, false, false), 'y', 12, 38, Black},
        {"grey", Font("Sans Serif", 8, false, false), 'J', 10.25, 20, Grey},
        {"maroon", Font("Sans Serif", 8, false, false), '0', 10, 20, Maroon},
        {"odd", Font("Sans Serif", 14, false, false), 'S', 10.5, 20, Odd},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const QRawFont raw = QRawFont::fromFont(row.font);
        const quint32 glyph = raw.glyphIndexesForString(QString(QChar(row.character))).value(0);
        const QImage ground = VariedGround(40, 40);
        QImage drawn = ground;
        {
            QPainter painter(&drawn);
            painter.setPen(QColor::fromRgb(row.colour));
            QGlyphRun run;
            run.setRawFont(raw);
            run.setGlyphIndexes({glyph});
            run.setPositions({QPointF(row.x - std::floor(row.x), 0)});
            painter.drawGlyphRun(QPointF(std::floor(row.x), row.y), run);
        }
        QImage written = ground;
        QPainter painter(&written);
        NameInk ink(raw, painter.renderHints());
        ASSERT_TRUE(ink.Writable(painter, QColor::fromRgb(row.colour)));
        const bool wrote = Written(ink, written, glyph, row.x, row.y, row.colour);
        painter.end();
        EXPECT_EQ(wrote, row.colour == Black);
        EXPECT_TRUE(written == (wrote ? drawn : ground));
        EXPECT_FALSE(drawn == ground);
    }
}

// A painter that clips, moves, fades or mixes otherwise, or a see-through colour, leaves the
// glyphs to the painter's own drawing.
TEST(NameInk, LeavesAnUnusualPainterToItsOwnDrawing) {
    QImage image = VariedGround(20, 20);
    QPainter painter(&image);
    const NameInk ink(QRawFont::fromFont(QFont("Sans Serif", 8)), painter.renderHints());
    const QColor black(Qt::black);
    EXPECT_TRUE(ink.Writable(painter, black));
    EXPECT_FALSE(ink.Writable(painter, QColor(0, 0, 0, 128)));
    const std::function<void(QPainter&)> changes[] = {
        [](QPainter& p) { p.setClipRect(0, 0, 5, 5); },
        [](QPainter& p) { p.translate(0.5, 0); },
        [](QPainter& p) { p.setOpacity(0.5); },
        [](QPainter& p) { p.setCompositionMode(QPainter::CompositionMode_Multiply); },
        [](QPainter& p) { p.setRenderHint(QPainter::TextAntialiasing, false); },
    };
    for (const auto& change : changes) {
        painter.save();
        change(painter);
        EXPECT_FALSE(ink.Writable(painter, black));
        painter.restore();
    }
    QImage argb(20, 20, QImage::Format_ARGB32_Premultiplied);
    QPainter other(&argb);
    EXPECT_FALSE(ink.Writable(other, black));
}

// Names written glyph by glyph look as the painter writes the whole text, on any ground, once
// their glyphs are written from their coverage as well as before.
TEST(NameGlyphs, NamesLookAsThePainterWritesThem) {
    const QFont font("Sans Serif", 8);
    const struct {
        const char* text;
        int x, y;
        QRgb colour;
    } rows[] = {
        {"S12345", 4, 14, Black},    {"J67890", 50, 30, Maroon}, {"Sewer-with-a-long-name", -30, 20, Black},
        {"AVAWAY fi", 10, 44, Grey}, {"J9", 110, 3, Black},      {"Überlauf-7", 20, 60, Black},
    };
    QImage drawn = VariedGround(120, 64);
    QImage written = drawn;
    QPainter drawing(&drawn);
    drawing.setFont(font);
    QPainter writing(&written);
    writing.setFont(font);
    NameGlyphs glyphs(font, &written);
    for (int round = 0; round < 300; ++round)
        for (const auto& row : rows) {
            drawing.setPen(QColor::fromRgb(row.colour));
            drawing.drawText(row.x, row.y, QString::fromUtf8(row.text));
            glyphs.Draw(writing, row.x, row.y, row.text, QColor::fromRgb(row.colour));
        }
    drawing.end();
    writing.end();
    EXPECT_TRUE(written == drawn);
}

} // namespace
