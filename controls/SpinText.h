#pragma once

#include "framework/DateTime.h"
#include "framework/MaskEdit.h"

// The text a spin edit's value is read from and written to, through its edit mask when it has
// one; both spin edits, the controls' and the grid's, go through these.

// How a spin reads the text of its value; false for a text that holds none.
using TSpinReader = bool (*)(const AnsiString& text, double& value);
bool ReadSpinInt(const AnsiString& text, double& value);
bool ReadSpinFloat(const AnsiString& text, double& value);
// A short date, or a date followed by a time.
bool ReadSpinDate(const AnsiString& text, double& value);
bool ReadSpinTime(const AnsiString& text, double& value);
// The hexadecimal digits after a "0x" of two characters; false without any.
bool ReadSpinHex(const AnsiString& text, double& value);

// A date, time or hex text: with an edit mask, what the mask keeps, without blanks unless they are
// figures; otherwise the shown text.
AnsiString SpinValueText(const TCustomMaskEdit& edit);
// Shows a date, time or hex text; with an edit mask, the text's pieces between the mask's literals
// each go into the places between those literals, a piece followed by a literal to the right of
// its places (led by zeros when it is all digits, a minus before the zeros), the last one to the
// left; with a blank that is a figure, every piece to the right, led by zeros. A text the mask cannot hold so
// that read gives back the same value leaves the edit as it was, and answers false.
bool WriteSpinValue(TCustomMaskEdit& edit, const AnsiString& text, TSpinReader read);
// A whole or decimal number's text: with an edit mask, the number its places hold, the mask's
// other literals left out (NumberInMask); otherwise the shown text.
AnsiString SpinNumberText(const TCustomMaskEdit& edit);
// The caret's place in SpinNumberText: the figures before it.
int SpinNumberCaret(const TCustomMaskEdit& edit);
// Shows a number's text; with an edit mask, fitted into its places (MaskTextOfNumber). A number
// the mask cannot hold so that read gives back the same value leaves the edit as it was, and
// answers false.
bool WriteSpinNumber(TCustomMaskEdit& edit, const AnsiString& text, TSpinReader read);

// The date a spin last wrote and the text it showed it as: a short date format may leave out
// the century or the day, so that the text alone does not read as that date.
struct TShownDate {
    TDateTime Value = 0;
    AnsiString Text;
};
// The spin's text as a date: the date shown while the edit still shows its text, else the text
// read by ReadSpinDate.
bool ReadShownDate(const TCustomMaskEdit& edit, const TShownDate& shown, TDateTime& value);
