#pragma once

#include "framework/AnsiString.h"

// The system clipboard's text.
class TClipboard {
public:
    bool HasText() const;
    AnsiString GetAsText() const;
    void SetAsText(const AnsiString& text);
};

TClipboard& Clipboard();
