#include "controls/Typedmaskedit.h"

#include <QPainter>

namespace {

TColor ParentColorOf(const TControl& control) {
    return control.Parent() ? control.Parent()->GetColor() : control.GetColor();
}

} // namespace

TTypedMaskEdit::TTypedMaskEdit(TComponent* owner)
    : TCustomMaskEdit(owner), normalColor(GetColor()), normalFontColor(Font.Color) {
    attached.MaskEditRules = true;
    attached.SetMargin(0);
}

void TTypedMaskEdit::SetColor(TColor value) {
    normalColor = value;
    TCustomMaskEdit::SetColor(value);
}

void TTypedMaskEdit::SetEnabled(bool value) {
    const bool was = GetEnabled();
    TCustomMaskEdit::SetEnabled(value);
    if (Loading() || was == value)
        return;
    TCustomMaskEdit::SetColor(value ? normalColor : disabledColor);
}

void TTypedMaskEdit::SetFlat(bool value) {
    if (value == flat)
        return;
    flat = value;
    SetColor(value ? ParentColorOf(*this) : clWindow);
    SetBorderStyle(value ? bsNone : bsSingle);
    SetTextMargins(0, 0, 0, value ? 1 : 0);
    Invalidate();
}

void TTypedMaskEdit::SetAlignement(TAlignment value) {
    alignement = value;
    SetAlignment(value);
}

void TTypedMaskEdit::SetModified(bool value) {
    SetNativeModified(value);
    if (ShowModified)
        Font.SetColor(value ? ModifiedColor : normalFontColor);
}

void TTypedMaskEdit::SetBounds(int left, int top, int width, int height) {
    TCustomMaskEdit::SetBounds(left, top, width, height);
    attached.Place();
}

void TTypedMaskEdit::SetParent(TWinControl* newParent) {
    TCustomMaskEdit::SetParent(newParent);
    attached.SetParent(newParent);
}

void TTypedMaskEdit::SetVisible(bool value) {
    TCustomMaskEdit::SetVisible(value);
    attached.SetVisible(value);
}

void TTypedMaskEdit::WMSetFocus() {
    TCustomMaskEdit::WMSetFocus();
    normalColor = GetColor();
    TCustomMaskEdit::SetColor(FocusColor);
    undoText = GetEditText();
}

void TTypedMaskEdit::SetText(const AnsiString& value) {
    TCustomMaskEdit::SetText(value);
    if (Focused())
        undoText = GetEditText();
}

void TTypedMaskEdit::WMKillFocus() {
    TCustomMaskEdit::WMKillFocus();
    TCustomMaskEdit::SetColor(normalColor);
}

void TTypedMaskEdit::DoEnter() {
    if (IsMasked() && SelectFirstChar)
        SetSelection(0, 1);
    TCustomMaskEdit::DoEnter();
}

void TTypedMaskEdit::WantSpecialKey(WORD& key) {
    if (key == VK_RETURN && ReturnIsTab) {
        key = 0;
        PostKeyDown(VK_TAB);
    } else if (key == VK_ESCAPE && CanUndo) {
        Undoable([this] { SetWindowText(undoText); });
        SelectAll();
    }
}

void TTypedMaskEdit::WMChar(char& key, int keyData, TShiftState shift) {
    TCustomMaskEdit::WMChar(key, keyData, shift);
    if (ShowModified && GetNativeModified())
        Font.SetColor(ModifiedColor);
}

void TTypedMaskEdit::KeyUp(WORD& key, TShiftState shift) {
    TCustomMaskEdit::KeyUp(key, shift);
    const AnsiString& shown = GetEditText();
    if (!IsMasked() || GetSelStart() != shown.Length() || shown.Pos(AnsiString(Mask().Blank)) > 0)
        return;
    bool accept = true;
    if (OnMaskComplete)
        OnMaskComplete(this, GetText(), accept);
    if (AutoTab && accept)
        PostKeyDown(VK_TAB);
}

void TTypedMaskEdit::CMMouseEnter() {
    TCustomMaskEdit::CMMouseEnter();
    if (AutoFocus && CanFocus())
        SetFocus();
}

void TTypedMaskEdit::WMPaint(QPainter& painter) {
    TCustomMaskEdit::WMPaint(painter);
    if (!flat)
        return;
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(0, Height() - 1, Width(), Height() - 1);
}
