#pragma once

#include "framework/AnsiString.h"
#include "framework/Canvas.h"

#include <QTextDocument>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// Rich-text cells drawn formatted: each distinct text is read into a document once and kept,
// up to a screenful or so of them.
class TRichCells {
public:
    // The rich text rtf drawn into r of canvas, at the canvas's resolution, in font where the
    // text names none.
    // With shown (from y down to y in r's units), only the lines whose middles lie there: a
    // part of a text going on over pages.
    void Paint(TCanvas& canvas, const AnsiString& rtf, const TRect& r, const TFont& font,
               std::optional<std::pair<int, int>> shown = std::nullopt);
    // Where its lines lie, set in font width tenths of a millimetre wide as a page prints them:
    // from each one's top down to its bottom, in tenths from the text's top.
    std::vector<std::pair<double, double>> PrintedLines(const AnsiString& rtf, const TFont& font, int width);
    // The document of a text, read once.
    QTextDocument& Document(const AnsiString& rtf);

private:
    std::unordered_map<std::string, std::unique_ptr<QTextDocument>> documents;
};
