#pragma once

#include "framework/AnsiString.h"

#include <cstdint>
#include <string_view>

// What a text could be read as, judged with the locale's separators.
enum TTextClass { tcNumeric, tcFloat, tcHex, tcOther };

TTextClass ClassifyText(const AnsiString& text);

// What a number text holds, judged with the locale's separators.
struct TNumberShape {
    // Only digits and the two separators, after at most one '-' in first place.
    bool Plain = true;
    int Digits = 0;
    int Decimals = 0;
    int Thousands = 0;
    // Position (from 1) of the last thousand separator.
    int LastThousand = 0;
};

TNumberShape ScanNumber(std::string_view text);

// Whether the thousand separators of a number text stand in groups of three digits before its
// decimal separator, the first group of one to three: "12,345.5" and "2.5" do, "2,5" and
// "1234,567" do not. Judged with the locale's separators.
bool ThousandsInThrees(std::string_view text);

// Whether the digits of a number text make a number a double holds, neither too large nor too
// small to read: read past its sign and thousand separators, judged with the locale's separators.
bool NumberFits(std::string_view text);

// 0 to 9, A to F in either case.
bool IsHexDigit(char c);

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
// The position in text (bytes before it) just past its first count characters other than c.
int PositionPast(std::string_view text, int count, char c);
