#include "controls/Typededit.h"

// The caption label attached to the typed edit box follows the box.

void TTypedEdit::SetLabelBold(bool value) {
    if (FocusLabel)
        attached.SetBold(value);
}

void TTypedEdit::SetBounds(int left, int top, int width, int height) {
    TCustomEdit::SetBounds(left, top, width, height);
    attached.Place();
}

void TTypedEdit::SetParent(TWinControl* newParent) {
    TCustomEdit::SetParent(newParent);
    attached.SetParent(newParent);
}

void TTypedEdit::SetVisible(bool value) {
    TCustomEdit::SetVisible(value);
    attached.SetVisible(value);
}
