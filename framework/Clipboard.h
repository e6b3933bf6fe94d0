#pragma once

#include "framework/AnsiString.h"

#include <memory>

class QImage;
class QMimeData;
class TBitmap;

// The system clipboard: its text (UTF-8, "text/plain"), bytes by MIME type, and pictures put there
// for other programs. Whatever is set between Open and the matching Close goes onto the clipboard
// as one piece, in all its formats; set outside, each replaces what the clipboard held.
class TClipboard {
public:
    TClipboard();
    ~TClipboard();

    void Open();
    void Close();

    bool HasText() const;
    bool HasFormat(const AnsiString& MimeType) const;
    AnsiString GetAsText() const;
    void SetAsText(const AnsiString& text);
    // The bytes of one format, empty when the clipboard has none.
    AnsiString GetAsBytes(const AnsiString& MimeType) const;
    void SetAsBytes(const AnsiString& MimeType, const AnsiString& bytes);
    // Puts a copy of the bitmap's pixels there.
    void Assign(const TBitmap& bitmap);
    void SetAsImage(const QImage& image);

private:
    // The data being gathered while open, or fresh data to hand over at once.
    QMimeData& Data();
    void HandOverUnlessOpen();

    int openCount = 0;
    std::unique_ptr<QMimeData> pending;
};

TClipboard& Clipboard();

// The first line of a clipboard text, without its line end: what a paste puts in one line.
AnsiString PastedLine(const AnsiString& pasted);
