#include "grid/EditorFilters.h"

#include "framework/LocaleCase.h"
#include "framework/MessageBeep.h"

namespace {

bool IsDigit(char key) {
    return key >= '0' && key <= '9';
}

// Keys every number filter lets through: Backspace, Tab, Enter, and Escape and the clipboard's
// control keys, whose own handling (restore, paste) keeps the rules.
bool IsEditingKey(char key) {
    switch (key) {
    case '\b':
    case '\t':
    case '\r':
    case 0x1B:
    case 0x01:
    case 0x03:
    case 0x16:
    case 0x18:
    case 0x1A:
        return true;
    default:
        return false;
    }
}

} // namespace

bool AcceptsTypedChar(TEditorType type, char Key, const AnsiString& text, int selStart,
                      const AnsiString& selText) {
    const bool selected = selText.Pos(AnsiString(Key)) > 0;
    switch (type) {
    case edNormal:
    case edPassword:
    case edCapital:
    case edUpperCase:
    case edLowerCase:
    case edMixedCase:
        return true;
    case edNumeric:
        if (IsEditingKey(Key) || IsDigit(Key) || (Key == '-' && text.Pos("-") == 0 && selStart == 0))
            return true;
        MessageBeep(0);
        return false;
    case edPositiveNumeric:
        if (IsEditingKey(Key) || IsDigit(Key))
            return true;
        MessageBeep(0);
        return false;
    case edFloat:
        if (IsEditingKey(Key) || IsDigit(Key))
            return true;
        if (Key == '.' || Key == ',')
            return text.Pos(AnsiString(Key)) == 0 || selected;
        if (Key == '-') {
            if ((selStart == 0 && text.Pos("-") == 0) || selected)
                return true;
            MessageBeep(0);
        }
        return false;
    default:
        return false;
    }
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
