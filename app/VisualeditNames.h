#pragma once

#include "app/VisualeditInk.h"

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>

#include <array>
#include <optional>
#include <string_view>

class QPaintDevice;
class QPainter;

// The names of a picture in one font on one device, written as shaping writes them but shaped
// only a character and a pair of neighbours at a time: a name of printable ASCII takes each
// character's glyph and, from each pair, where shaping puts the second after the first (its
// advance and any kerning). A name with a character or a pair that shapes otherwise (another
// font, a ligature) is shaped whole.
class NameGlyphs {
public:
    NameGlyphs(const QFont& font, QPaintDevice* device);

    // The text in colour with the left end of its baseline at (x, y).
    void Draw(QPainter& painter, int x, int y, std::string_view text, const QColor& colour);

private:
    static constexpr int First = 32;
    static constexpr int Count = 127 - First;
    // A character's glyph, or none.
    struct Glyph {
        bool Asked = false;
        bool Own = false;
        quint32 Index = 0;
    };
    // Where shaping puts a pair's second glyph after its first, or none.
    struct Step {
        bool Asked = false;
        bool Separate = false;
        qreal Advance = 0;
    };

    QList<QGlyphRun> Shaped(const QString& text) const;
    const Glyph& GlyphOf(char c);
    const Step& StepOf(char a, char b);
    // Puts text's glyphs into run; false where it must be shaped whole.
    bool Compose(std::string_view text);
    // The composed glyphs drawn by the painter.
    void DrawRun(QPainter& painter, int x, int y);

    QFont font;
    QPaintDevice* device;
    QRawFont raw;
    std::array<Glyph, Count> glyphs;
    std::array<Step, Count * Count> steps;
    QGlyphRun run;
    QList<quint32> indexes;
    QList<QPointF> positions;
    // Made at the first name, in the hints of the painter it is written with.
    std::optional<NameInk> ink;
};
