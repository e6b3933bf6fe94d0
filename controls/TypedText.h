#pragma once

#include "framework/AnsiString.h"

#include <cstdint>

// What a text could be read as, judged with the locale's separators.
enum TTextClass { tcNumeric, tcFloat, tcHex, tcOther };

TTextClass ClassifyText(const AnsiString& text);

// Hexadecimal digits summed in 32-bit arithmetic; a character that is no hex digit counts 0.
std::int32_t HexToInt(const AnsiString& text);

// Capitalises names: each word's first letter, the letter after a leading "Mc", and a
// trailing roman II or III.
AnsiString MixedCase(const AnsiString& text);

// The leading integer of a text, as the runtime's Val reads it: blanks, a sign, digits; reading
// stops at the first character that does not fit.
std::int32_t LeadingInteger(const AnsiString& text);

// text without every occurrence of c.
AnsiString WithoutChar(const AnsiString& text, char c);
