#pragma once

#include "framework/AnsiString.h"
#include "framework/EditMask.h"

#include <optional>

// What a spin edit's text holds, as far as the characters it takes go.
enum class TSpinChars { Integer, Float, Date, Time, Hex };

// The rule a spin edit keeps for every character that comes into it, typed or pasted; both spin
// edits, the controls' and the grid's, go through it.
struct TSpinCharRule {
    TSpinChars Kind = TSpinChars::Integer;
    int Precision = 0;
    // A float takes a decimal separator only with Precision 1 or more.
    bool DecimalsNeedPrecision = false;
    bool EditorEnabled = true;
    // The edit mask the text follows, whose literals are typed over; none when it has none.
    const TEditMask* Mask = nullptr;
};

// A spin's text with its caret and selection, as a character coming in finds them.
struct TSpinTyping {
    AnsiString Text;
    int SelStart = 0;
    int SelLength = 0;
};

// Whether the spin takes key into typing. A number's text stays one in the making: a sign first
// and nowhere else, a float's one decimal separator, nothing else but digits (in a mask, of what
// its places hold); a date or time holds no sign. In a float a thousand or decimal separator
// becomes the separator that the text, or the mask's decimal point, takes, so key may change.
bool SpinTakesChar(const TSpinCharRule& rule, const TSpinTyping& typing, char& key);

// Text pasted into a spin: its first line in place of the selection (through the mask when there
// is one), each character taken as if typed; nothing when the spin refuses a character of it, so
// that what it shows always reads as what was pasted.
std::optional<TSpinTyping> SpinPasted(const TSpinCharRule& rule, TSpinTyping typing,
                                      const AnsiString& pasted);
