#pragma once

#include "framework/AnsiString.h"
#include "framework/Component.h"
#include "grid/HTMLText.h"

// A cell text checker the grid consults when it checks or validates cells. This base changes
// nothing; checkers derived from it correct or mark a cell's text.
class TDataGridCheck : public TComponent {
public:
    using TComponent::TComponent;

    virtual AnsiString MarkError(int, int, const AnsiString& Value) { return Value; }
    virtual AnsiString Correct(int, int, const AnsiString& Value) { return Value; }
    virtual void StartCheck() {}
    virtual void StopCheck() {}

    bool GotoCell = false;
    bool AutoCorrect = false;
    bool AutoMarkError = false;
    bool UseCorrect = false;
    bool UseMarkError = false;
};

// Capitalises the first letter of the text and of every sentence: a letter after ".", "!" or
// "?" and one blank.
class TCapitalCheck : public TDataGridCheck {
public:
    using TDataGridCheck::TDataGridCheck;

    AnsiString Correct(int ACol, int ARow, const AnsiString& Value) override;
};

// Text with its first Old replaced by New; unchanged without one.
AnsiString ReplaceOnce(const AnsiString& Text, const AnsiString& Old, const AnsiString& New);
