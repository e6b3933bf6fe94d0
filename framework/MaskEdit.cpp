#include "framework/MaskEdit.h"

#include "framework/Clipboard.h"
#include "framework/MessageBeep.h"

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

void TCustomMaskEdit::SetEditMask(const AnsiString& value) {
    const AnsiString text = GetText();
    editMask = value;
    mask = ParseEditMask(value);
    SetText(text);
}

AnsiString TCustomMaskEdit::GetText() const {
    return IsMasked() ? MaskedText(mask, GetWindowText()) : GetWindowText();
}

void TCustomMaskEdit::SetText(const AnsiString& value) {
    SetWindowText(IsMasked() ? EditTextOf(mask, value) : value);
}

void TCustomMaskEdit::ShowMasked(const AnsiString& text, int caret) {
    const bool modified = text != GetWindowText();
    SetWindowText(text);
    SetSelStart(caret);
    if (modified)
        SetNativeModified(true);
}

void TCustomMaskEdit::BlankPlaces(int start, int end) {
    ShowMasked(BlankedPlaces(mask, GetWindowText(), start, end), start);
}

bool TCustomMaskEdit::InputMasked(char key) {
    if (GetSelLength() > 0)
        BlankPlaces(GetSelStart(), GetSelStart() + GetSelLength());
    const std::optional<TMaskTyped> typed = TypedIntoMask(mask, GetWindowText(), GetSelStart(), key);
    if (!typed)
        return false;
    if (typed->Placed)
        ShowMasked(typed->Text, typed->Caret);
    else
        SetSelStart(typed->Caret);
    return true;
}

void TCustomMaskEdit::WMChar(char& key, int keyData, TShiftState shift) {
    const bool control = static_cast<unsigned char>(key) < 0x20;
    if (!IsMasked() || (control && key != '\b')) {
        TCustomEdit::WMChar(key, keyData, shift);
        return;
    }
    KeyPress(key);
    if (key == 0 || GetReadOnly())
        return;
    Undoable([&] {
        if (key == '\b') {
            if (GetSelLength() > 0)
                BlankPlaces(GetSelStart(), GetSelStart() + GetSelLength());
            else if (const int before = PreviousInputPlace(mask, GetSelStart()); before >= 0)
                BlankPlaces(before, before + 1);
        } else if (!InputMasked(key)) {
            MessageBeep(0);
        }
    });
}

void TCustomMaskEdit::WMKeyDown(WORD& key, TShiftState shift) {
    if (!IsMasked() || key != VK_DELETE) {
        TCustomEdit::WMKeyDown(key, shift);
        return;
    }
    KeyDown(key, shift);
    if (key == 0 || GetReadOnly())
        return;
    const int start = GetSelStart();
    Undoable([&] { BlankPlaces(start, GetSelLength() > 0 ? start + GetSelLength() : start + 1); });
}

void TCustomMaskEdit::WMPaste() {
    if (!IsMasked()) {
        TCustomEdit::WMPaste();
        return;
    }
    if (GetReadOnly() || !Clipboard().HasText())
        return;
    const AnsiString pasted = PastedLine(Clipboard().GetAsText());
    Undoable([&] {
        for (const char c : pasted.str())
            if (!InputMasked(c))
                break;
    });
}

void TCustomMaskEdit::WMCut() {
    if (!IsMasked()) {
        TCustomEdit::WMCut();
        return;
    }
    if (GetReadOnly() || GetPasswordChar() != 0 || GetSelLength() == 0)
        return;
    Clipboard().SetAsText(GetSelText());
    Undoable([&] { BlankPlaces(GetSelStart(), GetSelStart() + GetSelLength()); });
}
