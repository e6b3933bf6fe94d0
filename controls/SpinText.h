#pragma once

#include "framework/MaskEdit.h"

// The text a spin edit's value is read from and written to, through its edit mask when it has
// one; both spin edits, the controls' and the grid's, go through these.

// With an edit mask, what the mask keeps, without blanks; otherwise the shown text.
AnsiString SpinValueText(const TCustomMaskEdit& edit);
// Shows a value's text, fitted into the edit mask when there is one.
void WriteSpinValue(TCustomMaskEdit& edit, const AnsiString& text);
