#include "controls/Typedspin.h"

#include "framework/Clipboard.h"
#include "framework/MessageBeep.h"
#include "framework/NumberFormat.h"

#include <algorithm>

// Keys and typing of the spin edit.

namespace {

bool IsControl(char key) {
    return static_cast<unsigned char>(key) < 32;
}

bool IsDigit(char key) {
    return key >= '0' && key <= '9';
}

bool IsHexDigit(char key) {
    return IsDigit(key) || (key >= 'A' && key <= 'F') || (key >= 'a' && key <= 'f');
}

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
    case VK_RETURN:
        if (ReturnIsTab) {
            key = 0;
            PostKeyDown(VK_TAB);
            return;
        }
        break;
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

void TTypedSpinEdit::WMChar(char& key, int keyData, TShiftState shift) {
    if (!IsValidChar(key)) {
        MessageBeep(0);
        return;
    }
    TCustomMaskEdit::WMChar(key, keyData, shift);
}

bool TTypedSpinEdit::IsValidChar(char& Key) {
    if (!EditorEnabled)
        return IsControl(Key) && Key != VK_BACK && Key != VK_RETURN;
    const std::string& text = GetWindowText().str();
    if (spinType == sptHex) {
        const bool hex = IsHexDigit(Key) || (IsControl(Key) && Key != VK_RETURN);
        return hex && GetSelStart() >= HexPrefix && !(Key == VK_BACK && GetSelStart() == HexPrefix);
    }
    const bool allowed = Key == '+' || Key == '-' || IsDigit(Key) || Key == DecimalSeparator ||
                         Key == ThousandSeparator || Key == DateSeparator || Key == TimeSeparator ||
                         (IsControl(Key) && Key != VK_RETURN);
    if (!allowed)
        return false;
    if ((Key == TimeSeparator && spinType != sptTime) || (Key == DateSeparator && spinType != sptDate))
        return false;
    // Hours, minutes and seconds: two separators at the most.
    if (Key == TimeSeparator && std::count(text.begin(), text.end(), TimeSeparator) >= 2)
        return false;
    // A mask's own places and literals hold a masked number's separator and decimals.
    if (spinType != sptFloat || IsMasked() || Key == VK_BACK || Key == VK_RETURN || Key == VK_ESCAPE)
        return true;
    if (Key == ThousandSeparator)
        Key = DecimalSeparator;
    const std::size_t separator = text.find(DecimalSeparator);
    if (Key == DecimalSeparator)
        return separator == std::string::npos && precision > 0;
    // Room for no more decimals once Precision of them stand after the caret's separator.
    if (precision >= 1 && separator != std::string::npos && GetSelLength() == 0 &&
        static_cast<std::size_t>(GetSelStart()) > separator && !IsControl(Key))
        return text.size() - separator - 1 < static_cast<std::size_t>(precision);
    return true;
}

void TTypedSpinEdit::WMKillFocus() {
    TCustomMaskEdit::WMKillFocus();
    KeepInRange();
}

bool TTypedSpinEdit::KeepsHexPrefix() const {
    return spinType != sptHex || GetSelStart() >= HexPrefix;
}

void TTypedSpinEdit::WMPaste() {
    if (!EditorEnabled || GetReadOnly())
        return;
    if (spinType == sptHex) {
        // Only hex digits, and only after the "0x", as typing takes them.
        const std::string pasted = Clipboard().GetAsText().str();
        if (!KeepsHexPrefix() || !std::all_of(pasted.begin(), pasted.end(), IsHexDigit)) {
            MessageBeep(0);
            return;
        }
    }
    TCustomMaskEdit::WMPaste();
}

void TTypedSpinEdit::WMCut() {
    if (EditorEnabled && !GetReadOnly() && KeepsHexPrefix())
        TCustomMaskEdit::WMCut();
}
