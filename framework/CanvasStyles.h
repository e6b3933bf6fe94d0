#pragma once

#include "framework/AnsiString.h"
#include "framework/Graphics.h"

#include <QString>
#include <QStringList>

// What the canvas's drawing in pixels and in tenths of a millimetre share.
Qt::PenStyle PenStyleOf(TPenStyle style);
Qt::BrushStyle BrushStyleOf(TBrushStyle style);
QString CanvasText(const AnsiString& text);

// The lines broken between words, as a line's width allows (Metrics measures whole or fractional
// pixels): a word wider than the line stands alone on it, unbroken.
template <class Metrics>
QString BreakBetweenWords(const QString& text, double width, const Metrics& metrics) {
    QStringList broken;
    for (const QString& paragraph : text.split(QChar('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QChar(' '))) {
            const QString longer = line.isEmpty() ? word : line + QChar(' ') + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
                broken << line;
                line = word;
            } else {
                line = longer;
            }
        }
        broken << line;
    }
    return broken.join(QChar('\n'));
}
