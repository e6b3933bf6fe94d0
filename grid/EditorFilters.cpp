#include "grid/EditorFilters.h"

#include "framework/KeyMapping.h"
#include "framework/LocaleCase.h"
#include "framework/MessageBeep.h"

namespace {

bool IsDigit(char key) {
    return key >= '0' && key <= '9';
}

// Keys every number filter lets through: Backspace, Tab, Enter, and Escape and the clipboard's
// control keys, whose own handling (restore, paste) keeps the rules.
bool IsEditingKey(char key) {
    return key == '\b' || key == '\t' || key == '\r' || key == 0x1B || IsEditingShortcut(key);
}

bool IsNumberType(TEditorType type) {
    return type == edNumeric || type == edPositiveNumeric || type == edFloat;
}

enum class TVerdict { Taken, Refused, Beeped };

// What an editor of the given type does with Key typed over the selection selText at selStart.
TVerdict TypedVerdict(TEditorType type, char Key, const AnsiString& text, int selStart,
                      const AnsiString& selText) {
    if (!IsNumberType(type))
        return type == edNormal || type == edPassword || type == edCapital || type == edUpperCase ||
                       type == edLowerCase || type == edMixedCase
                   ? TVerdict::Taken
                   : TVerdict::Refused;
    if (IsEditingKey(Key))
        return TVerdict::Taken;
    const bool selected = selText.Pos(AnsiString(Key)) > 0;
    // A minus is only ever the first character: nothing goes in before it.
    const bool beforeSign = selStart == 0 && text.SubString(selText.Length() + 1, 1) == "-";
    switch (type) {
    case edNumeric:
        if ((IsDigit(Key) && !beforeSign) || (Key == '-' && text.Pos("-") == 0 && selStart == 0))
            return TVerdict::Taken;
        return TVerdict::Beeped;
    case edPositiveNumeric:
        return IsDigit(Key) ? TVerdict::Taken : TVerdict::Beeped;
    default:
        if (IsDigit(Key))
            return beforeSign ? TVerdict::Beeped : TVerdict::Taken;
        if (Key == '.' || Key == ',')
            return !beforeSign && (text.Pos(AnsiString(Key)) == 0 || selected) ? TVerdict::Taken
                                                                               : TVerdict::Refused;
        if (Key == '-')
            return (selStart == 0 && text.Pos("-") == 0) || selected ? TVerdict::Taken : TVerdict::Beeped;
        return TVerdict::Refused;
    }
}

} // namespace

bool AcceptsTypedChar(TEditorType type, char Key, const AnsiString& text, int selStart,
                      const AnsiString& selText) {
    const TVerdict verdict = TypedVerdict(type, Key, text, selStart, selText);
    if (verdict == TVerdict::Beeped)
        MessageBeep(0);
    return verdict == TVerdict::Taken;
}

bool AcceptsPastedText(TEditorType type, const AnsiString& text, int selStart, int selLength,
                       const AnsiString& pasted) {
    if (!IsNumberType(type))
        return true;
    AnsiString typed = text;
    typed.Delete(selStart + 1, selLength);
    int at = selStart;
    for (const char key : pasted.str()) {
        // In pasted text a control character is no editing key but a character no number holds.
        if (static_cast<unsigned char>(key) < 0x20 ||
            TypedVerdict(type, key, typed, at, "") != TVerdict::Taken)
            return false;
        typed.Insert(AnsiString(key), ++at);
    }
    return true;
}

AnsiString InEditorCase(TEditorType type, const AnsiString& text) {
    switch (type) {
    case edCapital:
    case edUpperCase:
        return AnsiUpperCase(text);
    case edLowerCase:
        return AnsiLowerCase(text);
    default:
        return text;
    }
}
