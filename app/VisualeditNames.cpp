#include "app/VisualeditNames.h"

#include <QImage>
#include <QPainter>
#include <QTextLayout>

NameGlyphs::NameGlyphs(const QFont& font, QPaintDevice* device)
    : font(font), device(device), raw(QRawFont::fromFont(font)) {}

QList<QGlyphRun> NameGlyphs::Shaped(const QString& text) const {
    QTextLayout layout(text, font, device);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    return layout.glyphRuns();
}

const NameGlyphs::Glyph& NameGlyphs::GlyphOf(char c) {
    Glyph& glyph = glyphs[static_cast<std::size_t>(c - First)];
    if (!glyph.Asked) {
        const QList<QGlyphRun> runs = Shaped(QString(QChar(c)));
        glyph.Asked = true;
        glyph.Own = runs.size() == 1 && runs[0].rawFont() == raw && runs[0].glyphIndexes().size() == 1;
        if (glyph.Own)
            glyph.Index = runs[0].glyphIndexes()[0];
    }
    return glyph;
}

const NameGlyphs::Step& NameGlyphs::StepOf(char a, char b) {
    Step& step = steps[static_cast<std::size_t>((a - First) * Count + b - First)];
    if (!step.Asked) {
        const Glyph& first = GlyphOf(a);
        const Glyph& second = GlyphOf(b);
        const QList<QGlyphRun> runs = Shaped(QString(QChar(a)) + QChar(b));
        step.Asked = true;
        step.Separate = first.Own && second.Own && runs.size() == 1 && runs[0].rawFont() == raw &&
                        runs[0].glyphIndexes() == QList<quint32>{first.Index, second.Index};
        if (step.Separate)
            step.Advance = runs[0].positions()[1].x() - runs[0].positions()[0].x();
    }
    return step;
}

bool NameGlyphs::Compose(std::string_view text) {
    indexes.clear();
    positions.clear();
    qreal x = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c < First || c >= First + Count || !GlyphOf(c).Own)
            return false;
        if (i > 0) {
            const Step& step = StepOf(text[i - 1], c);
            if (!step.Separate)
                return false;
            x += step.Advance;
        }
        indexes.push_back(GlyphOf(c).Index);
        positions.push_back(QPointF(x, 0));
    }
    return true;
}

void NameGlyphs::Draw(QPainter& painter, int x, int y, std::string_view text, const QColor& colour) {
    if (!raw.isValid() || !Compose(text)) {
        painter.setPen(colour);
        painter.drawText(x, y, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        return;
    }
    if (indexes.isEmpty())
        return;
    if (!ink)
        ink.emplace(raw, painter.renderHints());
    // A name is written, leaving the painter's pen as the drawing before set it, or drawn whole.
    const bool writable = ink->Writable(painter, colour);
    bool written = writable;
    for (qsizetype i = 0; writable && i < indexes.size(); ++i)
        written = ink->Writes(indexes[i], x + positions[i].x(), colour.rgb()) && written;
    if (!written) {
        painter.setPen(colour);
        DrawRun(painter, x, y);
        return;
    }
    auto& image = *static_cast<QImage*>(painter.device());
    for (qsizetype i = 0; i < indexes.size(); ++i)
        ink->Write(image, indexes[i], x + positions[i].x(), y, colour.rgb());
}

void NameGlyphs::DrawRun(QPainter& painter, int x, int y) {
    run.setRawFont(raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    painter.drawGlyphRun(QPointF(x, y), run);
}
