#include "controls/Typededit.h"

#include "controls/TypedText.h"
#include "framework/Clipboard.h"
#include "framework/KeyMapping.h"
#include "framework/Links.h"
#include "framework/MessageBeep.h"
#include "framework/NumberFormat.h"
#include "framework/TextEncoding.h"

#include <algorithm>

// Keyboard, clipboard and mouse of the typed edit box: what may be typed where.

namespace {

constexpr char Escape = 0x1B;
constexpr int KeypadKeyData = 1 << 22;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsRangeSeparator(char c) {
    return c == ',' || c == '-' || c == ';';
}

bool Holds(const AnsiString& text, char c) {
    return text.str().find(c) != std::string::npos;
}

} // namespace

void TTypedEdit::WMChar(char& key, int keyData, TShiftState shift) {
    // Selecting, the clipboard and undo work in every box: no type's filter takes them for typing.
    if (IsEditingShortcut(key)) {
        PassChar(key, keyData, shift);
        if (GetNativeModified())
            SetModified(true);
        return;
    }
    const char typed = key;
    const AnsiString before = GetWindowText();
    // A key and the box's own rewrite of the value for it are one step to undo; Enter only goes
    // to OnKeyPress, whose handler may show another record.
    TKeyOutcome outcome = TKeyOutcome::Refused;
    if (key == '\r')
        outcome = FilterChar(key, keyData, shift);
    else
        Undoable([&] { outcome = FilterChar(key, keyData, shift); });
    if (outcome != TKeyOutcome::Passed && RefusalHeard(typed, shift) && GetWindowText() == before)
        MessageBeep(0);
    if (outcome == TKeyOutcome::Refused)
        return;
    const int caret = GetSelStart();
    if (TabOnFullLength && LengthLimit > 0 && GetSelLength() == 0 && FixedLength(GetText()) > LengthLimit &&
        caret >= PrefixLength() &&
        CharacterCount(GetText().view().substr(0, static_cast<std::size_t>(caret - PrefixLength()))) ==
            LengthLimit)
        PostKeyDown(VK_TAB);
    if (GetNativeModified())
        SetModified(true);
}

bool TTypedEdit::RefusalHeard(char typed, TShiftState shift) const {
    // A number box drops what cannot stand in a number: the typist must hear it, or "12.5" in a
    // box without decimals reads 125 unnoticed. Enter, Escape and the short-cuts drop silently.
    const bool typing = typed == '\b' || static_cast<unsigned char>(typed) >= 0x20;
    return NumberBox() && typing && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt) && !GetReadOnly();
}

TTypedEdit::TKeyOutcome TTypedEdit::FilterChar(char& key, int keyData, TShiftState shift) {
    if (key == '\r') {
        if (OnKeyPress)
            OnKeyPress(this, key);
        return TKeyOutcome::Refused;
    }
    if (key == Escape && !canUndo) {
        TCustomEdit::WMChar(key, keyData, shift);
        return TKeyOutcome::Refused;
    }
    // A key with Ctrl or Alt held types nothing; its short-cuts come as control characters.
    if ((shift.Contains(ssCtrl) || shift.Contains(ssAlt)) && static_cast<unsigned char>(key) >= 0x20)
        return TKeyOutcome::Refused;
    // The native edit ignores typing in a read-only box; the box's own rewrites (sign toggle,
    // a leading "0", capitals, regrouping) must not change it either.
    if (GetReadOnly()) {
        PassChar(key, keyData, shift);
        return TKeyOutcome::Passed;
    }
    if (ExcelStyleDecimalSeparator && key == '.' && (keyData & KeypadKeyData) != 0)
        key = DecimalSeparator;
    KeepSelectionInValue();
    const AnsiString value = GetText();
    const int caret = GetSelStart();
    const bool selected = GetSelLength() > 0;
    if (key == '\b' && !prefix.IsEmpty() && caret <= PrefixLength() && !selected)
        return TKeyOutcome::Refused;
    // The integer part holds at most LengthLimit characters, before and after a Backspace.
    if (LengthLimit > 0 && FixedLength(value) > LengthLimit && !selected && caret < DecimalPos() &&
        key != '\b' && key != DecimalSeparator)
        return TKeyOutcome::Refused;
    if (key == '\b' && !KeepsAfterDeleting(ValueWithout(1, 0)))
        return TKeyOutcome::Refused;
    // A character typed over a selection takes its place, which may join the digits around the
    // point (a minus toggles the sign instead).
    if (LengthLimit > 0 && selected && key != '-' && static_cast<unsigned char>(key) >= 0x20 &&
        FixedLength(ValueTyped(key)) - 1 > LengthLimit)
        return TKeyOutcome::Refused;
    const bool number = NumberBox();
    if (key == '-' && !Signed && number)
        return TKeyOutcome::Refused;
    // Nor a digit that makes a number no double holds, which the box could not read back.
    if (number && IsDigit(key) && !NumberFits(ValueTyped(key).view()))
        return TKeyOutcome::Refused;
    // A minus is only ever the first character: what is typed before it goes after it.
    if (number && !selected && caret == PrefixLength() && value.view().starts_with('-') && key != '-' &&
        static_cast<unsigned char>(key) >= 0x20)
        SetSelStart(caret + 1);

    switch (editType) {
    case etNumeric:
        if (key == '-') {
            ToggleSign();
            return TKeyOutcome::Ignored;
        }
        if (key != '\b' && key != '\t' && !IsDigit(key) && !shift.Contains(ssCtrl))
            return TKeyOutcome::Ignored;
        break;
    case etFloat:
        return FilterFloat(key, keyData, shift);
    case etMoney:
        return FilterMoney(key, keyData, shift);
    case etUppercase:
    case etLowerCase:
        TypeInCase(editType == etUppercase, key, keyData, shift);
        return TKeyOutcome::Passed;
    case etMixedCase:
        PassChar(key, keyData, shift);
        ShowMixedCase();
        return TKeyOutcome::Passed;
    case etRange: {
        const TKeyOutcome outcome = FilterRange(key);
        if (outcome != TKeyOutcome::Passed)
            return outcome;
        break;
    }
    case etHex:
        if (key != '\b' && key != '\t' && key != '-' && !IsHexDigit(key))
            return TKeyOutcome::Ignored;
        break;
    default:
        break;
    }
    PassChar(key, keyData, shift);
    return TKeyOutcome::Passed;
}

TTypedEdit::TKeyOutcome TTypedEdit::FilterFloat(char& key, int keyData, TShiftState shift) {
    if (key != '\b' && key != '\t' && key != ',' && key != '-' && key != '.' && !IsDigit(key))
        return TKeyOutcome::Ignored;
    if (key == DecimalSeparator && !Holds(GetSelText(), DecimalSeparator) && RefuseDecimalSeparator())
        return TKeyOutcome::Refused;
    // Leaving the box reads its text back: a ',' or '.' that is neither separator never reads.
    if ((key == ',' || key == '.') && key != DecimalSeparator && key != ThousandSeparator)
        return TKeyOutcome::Refused;
    const TKeyOutcome outcome = FilterSeparatorsAndSign(key);
    if (outcome == TKeyOutcome::Passed)
        PassChar(key, keyData, shift);
    return outcome;
}

TTypedEdit::TKeyOutcome TTypedEdit::FilterMoney(char& key, int keyData, TShiftState shift) {
    if (key == DecimalSeparator && RefuseDecimalSeparator())
        return TKeyOutcome::Refused;
    if (key != '\b' && key != '\t' && key != '-' && !IsDigit(key) && key != DecimalSeparator)
        return TKeyOutcome::Ignored;
    const TKeyOutcome outcome = FilterSeparatorsAndSign(key);
    if (outcome != TKeyOutcome::Passed)
        return outcome;
    const char typed = key;
    PassChar(key, keyData, shift);
    const AnsiString value = GetText();
    if (!value.IsEmpty() && value != "-" && typed != DecimalSeparator) {
        SetModified(GetNativeModified());
        AutoSeparators();
    }
    return TKeyOutcome::Passed;
}

TTypedEdit::TKeyOutcome TTypedEdit::FilterSeparatorsAndSign(char key) {
    if ((key == ThousandSeparator || key == DecimalSeparator) && SeparatorMisplaced())
        return TKeyOutcome::Refused;
    const int caret = GetSelStart();
    const bool selected = GetSelLength() > 0;
    if (FractionFull() && !selected && (IsDigit(key) || key == DecimalSeparator)) {
        // The fraction keeps Precision digits: a digit typed inside it replaces the next one.
        if (!IsDigit(key) || caret == ValueEnd())
            return TKeyOutcome::Refused;
        SetSelection(caret, caret + 1);
    }
    // Typed into an empty box, or over the whole value, the separator gets the 0 before it that
    // the box needs to read it.
    if (key == DecimalSeparator && ValueWithout(0, 0).IsEmpty()) {
        Show("0" + AnsiString(DecimalSeparator));
        SetSelStart(PrefixLength() + 2);
        SetModified(true);
        return TKeyOutcome::Refused;
    }
    // A minus is only ever the first character: typed anywhere else it toggles the sign.
    if (key == '-' && (!selected || caret > PrefixLength())) {
        ToggleSign();
        return TKeyOutcome::Refused;
    }
    return TKeyOutcome::Passed;
}

TTypedEdit::TKeyOutcome TTypedEdit::FilterRange(char key) const {
    if (key == '\b' || key == '\t' || IsDigit(key))
        return TKeyOutcome::Passed;
    if (!IsRangeSeparator(key))
        return TKeyOutcome::Ignored;
    const AnsiString& shown = GetWindowText();
    const int caret = GetSelStart();
    const bool atStart = caret <= PrefixLength();
    const char before = atStart ? 0 : shown[caret];
    if (caret < shown.Length() && IsRangeSeparator(shown[caret + 1]))
        return TKeyOutcome::Refused;
    // The list reads a '-' where a number begins as its sign: first in an item ("-5,-1") or
    // just after a range's dash ("-3--1").
    const bool afterDash = before == '-' && caret - 1 > PrefixLength() && IsDigit(shown[caret - 1]);
    if (key == '-' && (atStart || before == ',' || before == ';' || afterDash))
        return TKeyOutcome::Passed;
    return atStart || IsRangeSeparator(before) ? TKeyOutcome::Refused : TKeyOutcome::Passed;
}

bool TTypedEdit::RefuseDecimalSeparator() {
    if (!Holds(GetText(), DecimalSeparator) && precision != 0)
        return false;
    if (precision > 0)
        SelectAfterDecimal();
    return true;
}

void TTypedEdit::ToggleSign() {
    const int caret = GetSelStart();
    const int length = GetSelLength();
    const AnsiString value = GetText();
    if (Holds(value, '-')) {
        Show(value.SubString(2, value.Length()));
        SetSelStart(caret > 0 && caret > PrefixLength() ? caret - 1 : PrefixLength());
    } else {
        Show("-" + value);
        SetSelStart(caret + 1);
    }
    // A selection moves with the text.
    SetSelLength(length);
    SetModified(true);
}

bool TTypedEdit::SeparatorMisplaced() const {
    AnsiString rest = GetText();
    if (!Holds(rest, ThousandSeparator))
        return false;
    int caret = GetSelStart() - PrefixLength();
    int nearest = rest.Length();
    for (;;) {
        const int at = rest.Pos(AnsiString(ThousandSeparator));
        if (at == 0)
            return nearest >= 4;
        const int distance = std::abs(at - caret);
        nearest = std::min(nearest, distance);
        if (distance < 3)
            return true;
        if (at < caret)
            caret -= at;
        rest.Delete(1, at);
    }
}

bool TTypedEdit::FractionFull() const {
    if (precision <= 0)
        return false;
    const AnsiString value = GetText();
    const int caret = GetSelStart() - PrefixLength();
    const int decimal = value.Pos(AnsiString(DecimalSeparator));
    return value.Length() - caret <= precision && decimal > 0 && decimal <= caret &&
           value.Length() - decimal >= precision;
}

void TTypedEdit::PassChar(char& key, int keyData, TShiftState shift) {
    TCustomEdit::WMChar(key, keyData, shift);
}

void TTypedEdit::ShowMixedCase() {
    const AnsiString capitalised = MixedCase(GetText());
    if (capitalised == GetText())
        return;
    const int caret = GetSelStart();
    Show(capitalised);
    SetSelStart(caret);
}

void TTypedEdit::WMKeyDown(WORD& key, TShiftState shift) {
    if (key == VK_DELETE)
        KeepSelectionInValue();
    const int start = GetSelStart();
    const int end = start + GetSelLength();
    const int prefixEnd = PrefixLength();
    const int valueEnd = ValueEnd();
    const bool hasPrefix = !prefix.IsEmpty();
    const bool hasSuffix = !suffix.IsEmpty();
    const bool editable = !GetReadOnly();
    if (key == VK_RETURN && ReturnIsTab) {
        key = VK_TAB;
        PostKeyDown(VK_TAB);
    }
    // Dropped keys reach neither OnKeyDown nor the native edit; a character they type still comes.
    switch (key) {
    case VK_RIGHT:
        if (hasSuffix && end >= valueEnd)
            return;
        break;
    case VK_LEFT:
        if (hasPrefix && end <= prefixEnd)
            return;
        break;
    case VK_END:
        if (!hasSuffix)
            break;
        if (shift.Contains(ssShift))
            SetSelection(start, valueEnd);
        else
            SetSelStart(valueEnd);
        return;
    case VK_HOME:
        if (!hasPrefix)
            break;
        if (shift.Contains(ssShift))
            SetSelection(valueEnd, prefixEnd);
        else
            SetSelStart(prefixEnd);
        return;
    case VK_BACK:
        if (!hasPrefix)
            break;
        if (start <= prefixEnd + 1)
            return;
        if (editable)
            SetModified(true);
        break;
    case VK_DELETE:
        if (hasSuffix && end >= valueEnd && start == end)
            return;
        if (start < prefixEnd)
            break;
        if (!KeepsAfterDeleting(ValueWithout(0, 1)))
            return;
        if (editable)
            SetModified(true);
        break;
    default:
        break;
    }
    // A money box regroups after Delete, in the same step to undo.
    if (key == VK_DELETE && editType == etMoney && editable) {
        Undoable([&] {
            TCustomEdit::WMKeyDown(key, shift);
            AutoSeparators();
        });
    } else {
        TCustomEdit::WMKeyDown(key, shift);
    }
    KeepCaretAfterPrefix();
}

void TTypedEdit::KeepSelectionInValue() {
    if (GetReadOnly())
        return;
    const TValueRange range = SelectedRange();
    const int start = PrefixLength() + range.Start;
    if (start != GetSelStart() || range.Length != GetSelLength())
        SetSelection(start, start + range.Length);
}

bool TTypedEdit::KeepsAfterDeleting(const AnsiString& rest) const {
    return (LengthLimit <= 0 || FixedLength(rest) - 1 <= LengthLimit) &&
           (!NumberBox() || NumberFits(rest.view()));
}

void TTypedEdit::KeepCaretAfterPrefix() {
    if (!prefix.IsEmpty() && GetSelStart() < PrefixLength())
        SetSelStart(PrefixLength());
}

void TTypedEdit::WantSpecialKey(WORD& key) {
    if (key == VK_ESCAPE && canUndo) {
        Undoable([this] { SetText(undoValue); });
        Font.SetColor(normalFontColor);
        SelectAll();
        SetModified(false);
        key = 0;
        if (Parent()) {
            Parent()->PostKeyDown(VK_ESCAPE);
            Parent()->PostKeyUp(VK_ESCAPE);
        }
    } else if (key == VK_RETURN && Parent()) {
        Parent()->PostKeyDown(VK_RETURN);
        Parent()->PostKeyUp(VK_RETURN);
    }
    TCustomEdit::WantSpecialKey(key);
}

bool TTypedEdit::ClipboardAllowed(const TClipboardEvent& event) {
    bool allow = true;
    if (event)
        event(this, SelectedValue(), allow);
    return allow;
}

void TTypedEdit::WMCopy() {
    if (ClipboardAllowed(OnClipboardCopy))
        TCustomEdit::WMCopy();
}

void TTypedEdit::WMCut() {
    if (!KeepsAfterDeleting(ValueWithout(0, 0)) || !ClipboardAllowed(OnClipboardCut))
        return;
    KeepSelectionInValue();
    TCustomEdit::WMCut();
}

void TTypedEdit::WMPaste() {
    if (GetReadOnly() || !Clipboard().HasText() || !ClipboardAllowed(OnClipboardPaste))
        return;
    const TValueRange range = SelectedRange();
    const int start = range.Start;
    const bool selected = GetSelLength() > 0;
    const TEntered entered = Entered(GetText(), start, range.Length, Clipboard().GetAsText());
    if (!entered.Taken)
        return;
    // The paste and the box's own rewrite of it are one step to undo.
    Undoable([&] {
        const int end = TakeEntered(entered);
        if (editType == etMoney && GetText().Length() > 3)
            SelectAll();
        else if (selected)
            SetSelection(PrefixLength() + start, end);
        else
            SetSelStart(end);
    });
}

void TTypedEdit::WMLButtonDown(TShiftState, int x, int, bool& passOn) {
    if (Focused() && ShowsURL())
        FollowLink(GetText());
    if (!Focused() || GetSelLength() == 0)
        return;
    const int at = CharFromPos(x);
    if (at >= GetSelStart() && at <= GetSelStart() + GetSelLength()) {
        mouseDownInSelection = true;
        passOn = false;
    }
}

void TTypedEdit::WMLButtonUp(TShiftState shift, int x, int y) {
    if (mouseDownInSelection)
        SetSelStart(CharFromPos(x));
    mouseDownInSelection = false;
    TCustomEdit::WMLButtonUp(shift, x, y);
    if (!prefix.IsEmpty() && GetSelStart() < PrefixLength())
        SelectAll();
    const int valueEnd = ValueEnd();
    if (!suffix.IsEmpty() && GetSelStart() > valueEnd)
        SetSelStart(valueEnd);
    else if (!suffix.IsEmpty() && GetSelStart() + GetSelLength() > valueEnd)
        SetSelection(GetSelStart(), valueEnd);
}

void TTypedEdit::CMMouseEnter() {
    TCustomEdit::CMMouseEnter();
    if (AutoFocus && CanFocus())
        SetFocus();
    if (GetEnabled() && !mouseInside) {
        mouseInside = true;
        if (focusBorder)
            Invalidate();
    }
}
