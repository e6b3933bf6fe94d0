#include "controls/SpinEntry.h"

#include "controls/MaskNumber.h"
#include "controls/TypedText.h"
#include "framework/Clipboard.h"
#include "framework/DateTime.h"
#include "framework/KeyMapping.h"
#include "framework/NumberFormat.h"

#include <algorithm>

namespace {

constexpr char Backspace = 0x08;
constexpr char Enter = 0x0D;
// The "0x" of a hex spin.
constexpr int HexPrefix = 2;

bool IsControl(char key) {
    return static_cast<unsigned char>(key) < 32;
}

bool IsDigit(char key) {
    return key >= '0' && key <= '9';
}

bool IsSign(char key) {
    return key == '+' || key == '-';
}

bool TakesControl(const TSpinCharRule& rule, const TSpinTyping& typing, char key) {
    if (!rule.EditorEnabled)
        return key != Backspace && key != Enter;
    // Selecting, the clipboard and undo work wherever the caret is; cut and paste keep "0x".
    // Backspace takes the selection, or else the character before the caret.
    if (rule.Kind == TSpinChars::Hex && !IsEditingShortcut(key))
        return key != Enter && typing.SelStart >= HexPrefix &&
               !(key == Backspace && typing.SelStart == HexPrefix && typing.SelLength == 0);
    return key != Enter;
}

// The spin's text with its selection taken away: deleted, or in a mask blanked.
TSpinTyping WithoutSelection(const TSpinCharRule& rule, TSpinTyping typing) {
    if (rule.Mask)
        typing.Text =
            BlankedPlaces(*rule.Mask, typing.Text, typing.SelStart, typing.SelStart + typing.SelLength);
    else
        typing.Text.Delete(typing.SelStart + 1, typing.SelLength);
    typing.SelLength = 0;
    return typing;
}

// key at the caret of typing, which has no selection, or typed through the mask; nothing when the
// mask refuses it. placed, when asked, tells whether the text took key, not the mask passing over
// a literal of it.
std::optional<TSpinTyping> Put(const TSpinCharRule& rule, TSpinTyping put, char key, bool* placed = nullptr) {
    if (placed)
        *placed = true;
    if (!rule.Mask) {
        put.Text.Insert(AnsiString(key), put.SelStart + 1);
        ++put.SelStart;
        return put;
    }
    const std::optional<TMaskTyped> typed = TypedIntoMask(*rule.Mask, put.Text, put.SelStart, key);
    if (!typed)
        return std::nullopt;
    if (placed)
        *placed = typed->Placed;
    return TSpinTyping{typed->Text, typed->Caret, 0};
}

// Whether a number's text (in a mask, what its places hold) may still become a number by typing:
// a sign first and nowhere else, then digits, and in a float one decimal separator.
bool NumberInTheMaking(const TSpinCharRule& rule, const AnsiString& text) {
    const AnsiString number = rule.Mask ? NumberInMask(*rule.Mask, text.view()) : text;
    std::string_view rest = number.view();
    if (!rest.empty() && IsSign(rest.front()))
        rest.remove_prefix(1);
    bool separator = false;
    for (const char c : rest) {
        if (c == DecimalSeparator && rule.Kind == TSpinChars::Float && !separator)
            separator = true;
        else if (!IsDigit(c))
            return false;
    }
    return true;
}

// A plain float's own rules for a key: one decimal separator, with Precision 1 or more where the
// spin asks for it, and no more decimals after the caret's separator than Precision. A mask's
// places hold a masked float's.
bool FloatTakes(const TSpinCharRule& rule, const TSpinTyping& typing, char key) {
    if (rule.Mask)
        return true;
    const std::string& text = typing.Text.str();
    const std::size_t separator = text.find(DecimalSeparator);
    if (key == DecimalSeparator)
        return separator == std::string::npos && (!rule.DecimalsNeedPrecision || rule.Precision > 0);
    if (rule.Precision >= 1 && separator != std::string::npos &&
        static_cast<std::size_t>(typing.SelStart) > separator)
        return text.size() - separator - 1 < static_cast<std::size_t>(rule.Precision);
    return true;
}

std::optional<TSpinTyping> NumberTyped(const TSpinCharRule& rule, const TSpinTyping& typing, char& key) {
    // A sign is a number's, whatever the locale writes dates with.
    if (!IsSign(key) && (key == DateSeparator || key == TimeSeparator))
        return std::nullopt;
    if (!IsDigit(key) && !IsSign(key) && key != DecimalSeparator && key != ThousandSeparator)
        return std::nullopt;
    // A float's separator is the one its text takes: the key, the decimal separator, or the mask's
    // decimal point.
    std::string candidates(1, key);
    if (rule.Kind == TSpinChars::Float && (key == ThousandSeparator || key == DecimalSeparator))
        candidates += rule.Mask ? std::string{DecimalSeparator, '.'} : std::string(1, DecimalSeparator);
    for (const char candidate : candidates) {
        if (rule.Kind == TSpinChars::Float && !FloatTakes(rule, typing, candidate))
            continue;
        const std::optional<TSpinTyping> typed = Put(rule, typing, candidate);
        if (typed && NumberInTheMaking(rule, typed->Text)) {
            key = candidate;
            return typed;
        }
    }
    return std::nullopt;
}

std::optional<TSpinTyping> DateOrTimeTyped(const TSpinCharRule& rule, const TSpinTyping& typing, char key) {
    const char separator = rule.Kind == TSpinChars::Date ? DateSeparator : TimeSeparator;
    if (key != separator && (key == DateSeparator || key == TimeSeparator))
        return std::nullopt;
    if (!IsDigit(key) && !IsSign(key) && key != DecimalSeparator && key != ThousandSeparator &&
        key != separator)
        return std::nullopt;
    // Hours, minutes and seconds: two separators at the most. A mask's own are its literals, which
    // a typed one passes over as a pasted one does.
    const std::string& text = typing.Text.str();
    if (rule.Kind == TSpinChars::Time && key == separator && !rule.Mask &&
        std::count(text.begin(), text.end(), separator) >= 2)
        return std::nullopt;
    bool placed = true;
    const std::optional<TSpinTyping> typed = Put(rule, typing, key, &placed);
    // A date or time holds no sign; a mask may pass over a literal that looks like one.
    if (IsSign(key) && key != separator && placed)
        return std::nullopt;
    return typed;
}

// The spin's text once key, no control character, is typed at the caret of typing, which has no
// selection; nothing when refused.
std::optional<TSpinTyping> SpinTyped(const TSpinCharRule& rule, const TSpinTyping& typing, char& key) {
    if (!rule.EditorEnabled)
        return std::nullopt;
    switch (rule.Kind) {
    case TSpinChars::Hex:
        if (!IsHexDigit(key) || typing.SelStart < HexPrefix)
            return std::nullopt;
        return Put(rule, typing, key);
    case TSpinChars::Date:
    case TSpinChars::Time:
        return DateOrTimeTyped(rule, typing, key);
    case TSpinChars::Integer:
    case TSpinChars::Float:
        break;
    }
    return NumberTyped(rule, typing, key);
}

} // namespace

bool SpinTakesChar(const TSpinCharRule& rule, const TSpinTyping& typing, char& key) {
    if (IsControl(key))
        return TakesControl(rule, typing, key);
    // The key takes the place of the selection: every rule judges the text without it.
    return SpinTyped(rule, WithoutSelection(rule, typing), key).has_value();
}

std::optional<TSpinTyping> SpinPasted(const TSpinCharRule& rule, TSpinTyping typing,
                                      const AnsiString& pasted) {
    const AnsiString line = PastedLine(pasted);
    if (line.IsEmpty())
        return std::nullopt;
    typing = WithoutSelection(rule, typing);
    for (char key : line.str()) {
        // In pasted text a control character is no editing key but a character no number holds.
        const std::optional<TSpinTyping> typed = IsControl(key) ? std::nullopt : SpinTyped(rule, typing, key);
        if (!typed)
            return std::nullopt;
        typing = *typed;
    }
    return typing;
}
