#pragma once

#include "controls/Typededit.h"
#include "framework/Label.h"

// Components of the calculator windows, owned by the window and placed in parent.

TLabel* NewLabel(TComponent* owner, TWinControl* parent, int left, int top);

// An unsigned, left-aligned box 90 wide; its type before its decimals before its text.
TTypedEdit* NewTypedEdit(TComponent* owner, TWinControl* parent, int left, int top, TTypedEditType type,
                         std::int16_t precision, const AnsiString& text);

// The number a box holds, read as the calculators read it: the framework's conversion of its text,
// whose conversion error a text that is no number raises.
double BoxNumber(const TTypedEdit* edit);
