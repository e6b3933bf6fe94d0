#pragma once

#include "controls/Typededit.h"
#include "framework/Label.h"
#include "framework/Panel.h"

// Components of the calculator windows, owned by the window and placed in parent.

TLabel* NewLabel(TComponent* owner, TWinControl* parent, int left, int top);

// A panel along one side of parent (or filling it), height pixels high.
TPanel* NewAlignedPanel(TComponent* owner, TWinControl* parent, TAlign align, int height);

// An unsigned, left-aligned box 90 wide; its type before its decimals before its text.
TTypedEdit* NewTypedEdit(TComponent* owner, TWinControl* parent, int left, int top, TTypedEditType type,
                         std::int16_t precision, const AnsiString& text);

// The number a box holds, read as the box itself reads it (so "1,000" in a box without decimals
// is 1000); a text that is no number raises the conversion error.
double BoxNumber(const TTypedEdit* edit);

// The number as the framework's shortest text of up to 15 significant digits.
void SetNumber(TTypedEdit* edit, double value);
// Boxes of whole numbers show "0" for a number that is not whole: they are handed the nearest
// whole number, halves away from zero.
void SetWholeNumber(TTypedEdit* edit, double value);
