#pragma once

#include "framework/AnsiString.h"
#include "framework/Canvas.h"

#include <QTextDocument>

#include <memory>
#include <string>
#include <unordered_map>

// Rich-text cells drawn formatted: each distinct text is read into a document once and kept,
// up to a screenful or so of them.
class TRichCells {
public:
    // The rich text rtf drawn into r of canvas, at the canvas's resolution, in font where the
    // text names none.
    void Paint(TCanvas& canvas, const AnsiString& rtf, const TRect& r, const TFont& font);
    // The document of a text, read once.
    QTextDocument& Document(const AnsiString& rtf);

private:
    std::unordered_map<std::string, std::unique_ptr<QTextDocument>> documents;
};
