#pragma once

#include "framework/AnsiString.h"

class TBitmap;

// The system clipboard: text, and pictures put there for other programs.
class TClipboard {
public:
    bool HasText() const;
    AnsiString GetAsText() const;
    void SetAsText(const AnsiString& text);
    // Puts a copy of the bitmap's pixels there.
    void Assign(const TBitmap& bitmap);
};

TClipboard& Clipboard();
