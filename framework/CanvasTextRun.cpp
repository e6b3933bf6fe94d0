// Texts drawn in a run (MM_LOMETRIC): the glyphs of one-line texts in one font and colour are
// gathered and drawn together, which costs a printed page far less than a text at a time. They
// are drawn before anything else the canvas draws, so everything lands in its order.
#include "framework/Canvas.h"
#include "framework/CanvasMeasures.h"

#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>

namespace {

// The glyph runs that shaping makes of a text in a font.
QList<QGlyphRun> Shaped(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    return layout.glyphRuns();
}

} // namespace

quint32 TCanvas::TenthsMeasures::Glyph(char c) {
    qint64& glyph = glyphIndexes[static_cast<std::size_t>(c - First)];
    if (glyph < 0) {
        const QList<QGlyphRun> runs = Shaped(QString(QChar(c)), Font);
        const bool own = runs.size() == 1 && runs[0].rawFont() == Raw && runs[0].glyphIndexes().size() == 1;
        glyph = own ? runs[0].glyphIndexes()[0] : 0;
    }
    return static_cast<quint32>(glyph);
}

bool TCanvas::TenthsMeasures::Separate(char a, char b) {
    signed char& join = joins[PairIndex(a, b)];
    if (join == 0) {
        const QList<QGlyphRun> runs = Shaped(QString(QChar(a)) + QChar(b), Font);
        const bool separate = runs.size() == 1 && runs[0].rawFont() == Raw &&
                              runs[0].glyphIndexes() == QList<quint32>{Glyph(a), Glyph(b)};
        join = separate ? 1 : 2;
    }
    return join == 1;
}

bool TCanvas::TenthsMeasures::AppendGlyphs(std::string_view text, double x, double y,
                                           QVector<quint32>& glyphs, QVector<QPointF>& positions) {
    if (!Simple(text) || !Raw.isValid())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (Glyph(text[i]) == 0 || (i > 0 && !Separate(text[i - 1], text[i])))
            return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        glyphs.push_back(Glyph(text[i]));
        positions.push_back(QPointF(x, y));
        x += Advance(text[i]);
        if (i + 1 < text.size())
            x += Pair(text[i], text[i + 1]);
    }
    return true;
}

QPainter* TCanvas::RunPainter() const {
    return batch ? batch.get() : attachedRun ? attached : nullptr;
}

void TCanvas::PrepareRunPainter(QPainter& painter) const {
    // The painter is ours for the run: what a drawing set that the next one does not set is set
    // back.
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (clip)
        painter.setClipRect(*clip);
    else
        painter.setClipping(false);
}

bool TCanvas::QueueText(double x, int y, std::string_view text) {
    // A picture written as SVG keeps a text only where it knows its characters.
    const QPainter* painter = RunPainter();
    if (!painter || painter->paintEngine()->type() == QPaintEngine::SVG)
        return false;
    TenthsMeasures& measures = Measures();
    if (!queued.Glyphs.isEmpty() && (queued.Measures != &measures || queued.FontColor != Font.Color))
        FlushTexts();
    if (!measures.AppendGlyphs(text, x, measures.Ascent - y, queued.Glyphs, queued.Positions))
        return false;
    queued.Measures = &measures;
    queued.FontColor = Font.Color;
    return true;
}

void TCanvas::FlushTexts() {
    if (queued.Glyphs.isEmpty())
        return;
    QPainter& painter = *RunPainter();
    PrepareRunPainter(painter);
    {
        QGlyphRun run;
        run.setRawFont(queued.Measures->Raw);
        run.setGlyphIndexes(queued.Glyphs);
        run.setPositions(queued.Positions);
        const QTransform before = painter.transform();
        const QPointF origin = pageScale ? pageScale->Origin : QPointF();
        painter.setTransform(QTransform(ScaleX(), 0, 0, ScaleY(), origin.x(), origin.y()), true);
        painter.setPen(ToQColor(queued.FontColor));
        painter.drawGlyphRun(QPointF(), run);
        painter.setTransform(before);
    }
    queued.Glyphs.clear();
    queued.Positions.clear();
    if (OnChange)
        OnChange(this);
}
