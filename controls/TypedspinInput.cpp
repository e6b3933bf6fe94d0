#include "controls/Typedspin.h"

#include "framework/Clipboard.h"
#include "framework/MessageBeep.h"
#include "framework/NumberFormat.h"

#include <algorithm>

// Keys and typing of the spin edit.

namespace {

// The "0x" of a hex spin.
constexpr int HexPrefix = 2;

} // namespace

void TTypedSpinEdit::WMKeyDown(WORD& key, TShiftState shift) {
    switch (key) {
    case VK_UP:
    case VK_DOWN:
        Step(key == VK_UP ? 1 : -1, false);
        key = 0;
        return;
    case VK_PRIOR:
    case VK_NEXT:
        Step(key == VK_PRIOR ? 1 : -1, true);
        key = 0;
        return;
    case VK_DELETE:
        if (!EditorEnabled || (spinType == sptHex && GetSelStart() < HexPrefix)) {
            key = 0;
            return;
        }
        break;
    default:
        break;
    }
    TCustomMaskEdit::WMKeyDown(key, shift);
}

// Asked before the window's default button takes Enter.
void TTypedSpinEdit::WantSpecialKey(WORD& key) {
    if (key == VK_RETURN && ReturnIsTab) {
        key = 0;
        PostKeyDown(VK_TAB);
    }
    TCustomMaskEdit::WantSpecialKey(key);
}

void TTypedSpinEdit::WMChar(char& key, int keyData, TShiftState shift) {
    if (!IsValidChar(key)) {
        MessageBeep(0);
        return;
    }
    TCustomMaskEdit::WMChar(key, keyData, shift);
}

TSpinCharRule TTypedSpinEdit::CharRule() const {
    static constexpr TSpinChars kinds[] = {TSpinChars::Integer, TSpinChars::Float, TSpinChars::Date,
                                           TSpinChars::Time, TSpinChars::Hex};
    return {kinds[spinType], precision, true, EditorEnabled, IsMasked() ? &Mask() : nullptr};
}

bool TTypedSpinEdit::IsValidChar(char& Key) {
    return SpinTakesChar(CharRule(), {GetWindowText(), GetSelStart(), GetSelLength()}, Key);
}

void TTypedSpinEdit::WMKillFocus() {
    TCustomMaskEdit::WMKillFocus();
    KeepInRange();
}

void TTypedSpinEdit::ViewFocusOut(FocusChange how) {
    // Not left, so not read as the least value.
    if (!HeldOnLeaving(how))
        TCustomMaskEdit::ViewFocusOut(how);
}

bool TTypedSpinEdit::TextUnread() const {
    return !ValueText().IsEmpty() && !ReadsValue();
}

bool TTypedSpinEdit::Typable() const {
    // With its editor off the spin only steps.
    return EditorEnabled && TUnreadTextBox::Typable();
}

void TTypedSpinEdit::ReadText() const {
    const AnsiString text = ValueText();
    switch (spinType) {
    case sptFloat:
        StrToFloat(text);
        break;
    case sptDate:
        StrToDate(text);
        break;
    case sptTime:
        StrToTime(text);
        break;
    case sptNormal:
    case sptHex:
        // "0x" without digits is no whole number either.
        StrToInt(text);
        break;
    }
}

bool TTypedSpinEdit::KeepsHexPrefix() const {
    return spinType != sptHex || GetSelStart() >= HexPrefix;
}

void TTypedSpinEdit::WMPaste() {
    if (!EditorEnabled || GetReadOnly() || !Clipboard().HasText())
        return;
    // Taken as if typed, or refused whole: a float reads a pasted "2,5" as a typed one, 2.5.
    const auto pasted =
        SpinPasted(CharRule(), {GetWindowText(), GetSelStart(), GetSelLength()}, Clipboard().GetAsText());
    if (!pasted || !EnterText(pasted->Text, pasted->SelStart))
        MessageBeep(0);
}

void TTypedSpinEdit::WMCut() {
    if (EditorEnabled && !GetReadOnly() && KeepsHexPrefix())
        TCustomMaskEdit::WMCut();
}
