#include "controls/SpinText.h"

AnsiString SpinValueText(const TCustomMaskEdit& edit) {
    return edit.IsMasked() ? edit.GetText().Trim() : edit.GetWindowText();
}

void WriteSpinValue(TCustomMaskEdit& edit, const AnsiString& text) {
    if (edit.IsMasked())
        edit.SetText(text);
    else
        edit.SetWindowText(text);
}
