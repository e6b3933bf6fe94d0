#include "controls/SpinEntry.h"

#include "framework/DateTime.h"
#include "framework/KeyMapping.h"
#include "framework/NumberFormat.h"

#include <algorithm>

namespace {

constexpr char Backspace = 0x08;
constexpr char Enter = 0x0D;
constexpr char Escape = 0x1B;
// The "0x" of a hex spin.
constexpr int HexPrefix = 2;

bool IsControl(char key) {
    return static_cast<unsigned char>(key) < 32;
}

bool IsDigit(char key) {
    return key >= '0' && key <= '9';
}

bool IsHexDigit(char key) {
    return IsDigit(key) || (key >= 'A' && key <= 'F') || (key >= 'a' && key <= 'f');
}

} // namespace

bool SpinTakesChar(const TSpinCharRule& rule, const TSpinTyping& typing, char& key) {
    if (!rule.EditorEnabled)
        return IsControl(key) && key != Backspace && key != Enter;
    const std::string& text = typing.Text.str();
    if (rule.Kind == TSpinChars::Hex) {
        // Selecting, the clipboard and undo work wherever the caret is; cut and paste keep "0x".
        if (IsEditingShortcut(key))
            return true;
        const bool hex = IsHexDigit(key) || (IsControl(key) && key != Enter);
        return hex && typing.SelStart >= HexPrefix && !(key == Backspace && typing.SelStart == HexPrefix);
    }
    const bool allowed = key == '+' || key == '-' || IsDigit(key) || key == DecimalSeparator ||
                         key == ThousandSeparator || key == DateSeparator || key == TimeSeparator ||
                         (IsControl(key) && key != Enter);
    if (!allowed)
        return false;
    // A whole number holds no separator: one in its text would make it read as the minimum.
    if (rule.Kind == TSpinChars::Integer && !rule.Masked &&
        (key == DecimalSeparator || key == ThousandSeparator))
        return false;
    if ((key == TimeSeparator && rule.Kind != TSpinChars::Time) ||
        (key == DateSeparator && rule.Kind != TSpinChars::Date))
        return false;
    // Hours, minutes and seconds: two separators at the most. A mask's own are its literals, which
    // a typed one passes over as a pasted one does.
    if (key == TimeSeparator && !rule.Masked && std::count(text.begin(), text.end(), TimeSeparator) >= 2)
        return false;
    // A mask's own places and literals hold a masked number's separator and decimals.
    if (rule.Kind != TSpinChars::Float || rule.Masked || key == Backspace || key == Enter || key == Escape)
        return true;
    if (key == ThousandSeparator)
        key = DecimalSeparator;
    const std::size_t separator = text.find(DecimalSeparator);
    if (key == DecimalSeparator)
        return separator == std::string::npos && (!rule.DecimalsNeedPrecision || rule.Precision > 0);
    // Room for no more decimals once Precision of them stand after the caret's separator.
    if (rule.Precision >= 1 && separator != std::string::npos && typing.SelLength == 0 &&
        static_cast<std::size_t>(typing.SelStart) > separator && !IsControl(key))
        return text.size() - separator - 1 < static_cast<std::size_t>(rule.Precision);
    return true;
}

std::optional<TSpinTyping> SpinPasted(const TSpinCharRule& rule, TSpinTyping typing,
                                      const AnsiString& pasted) {
    if (pasted.IsEmpty() || pasted[1] == '\r' || pasted[1] == '\n')
        return std::nullopt;
    typing.Text.Delete(typing.SelStart + 1, typing.SelLength);
    typing.SelLength = 0;
    for (char key : pasted.str()) {
        if (key == '\r' || key == '\n')
            break;
        // In pasted text a control character is no editing key but a character no number holds.
        if (IsControl(key) || !SpinTakesChar(rule, typing, key))
            return std::nullopt;
        typing.Text.Insert(AnsiString(key), typing.SelStart + 1);
        ++typing.SelStart;
    }
    return typing;
}
