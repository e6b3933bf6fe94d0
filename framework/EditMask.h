#pragma once

#include "framework/AnsiString.h"

#include <optional>
#include <vector>

// The rules of an edit mask "mask;save;blank", as plain functions of texts. In the mask, 0 is a
// digit, 9 a digit or blank, # a digit, sign or blank, L/l a letter, A/a a letter or digit and C/c
// any character (the capitals must be filled); > and < set upper and lower case from there on,
// <> ends that; \ makes the next character a literal; : and / are the locale's time and date
// separators; every other character is a literal. save 0 leaves the literals out of Text; blank is
// the character an empty place shows ('_' unless given).

// One place of the edit text: a literal, or a place a character is typed into.
struct TMaskPlace {
    // '0', '9', '#', 'L', 'l', 'A', 'a', 'C', 'c'; 0 for a literal.
    char Kind = 0;
    char Literal = 0;
    // 1 upper case, -1 lower case, 0 as typed.
    int Case = 0;
};

struct TEditMask {
    std::vector<TMaskPlace> Places;
    bool SaveLiterals = true;
    char Blank = '_';

    bool Empty() const { return Places.empty(); }
    int Length() const { return static_cast<int>(Places.size()); }
    bool IsLiteral(int position) const { return Places[static_cast<std::size_t>(position)].Kind == 0; }
};

TEditMask ParseEditMask(const AnsiString& editMask);

// The character shown for key typed into place, with its case; 0 when the place refuses it. A
// place holds one byte: a character beyond ASCII, which takes more, is refused by every place.
char MaskCharacter(const TMaskPlace& place, char key);
// The edit text with every place blank and every literal standing.
AnsiString BlankMaskText(const TEditMask& mask);
// Text as the mask keeps it: with SaveLiterals the edit text with blanks as spaces, else only
// what the places hold.
AnsiString MaskedText(const TEditMask& mask, const AnsiString& editText);
// The edit text of a Text: its characters go into the places in order, what a place refuses
// leaving it blank. A text longer than the places has its literals matched where they stand.
AnsiString EditTextOf(const TEditMask& mask, const AnsiString& text);
// The first place at or after position a character is typed into; Length when none.
int NextInputPlace(const TEditMask& mask, int position);
// The last place before position a character is typed into; -1 when none.
int PreviousInputPlace(const TEditMask& mask, int position);
// editText at least as long as the mask, its places from start to end (not included) blank.
AnsiString BlankedPlaces(const TEditMask& mask, const AnsiString& editText, int start, int end);
// An edit text of a mask after a character typed at its caret.
struct TMaskTyped {
    AnsiString Text;
    int Caret = 0;
    // A place took the character; else it passed over a literal.
    bool Placed = false;
};
// key typed at caret through mask, a typed key or a pasted character alike: the literal at the
// caret passes over it, the next place takes it, or else the next literal, when it is key, passes
// over it and the places before it are left as they are. Nothing when refused.
std::optional<TMaskTyped> TypedIntoMask(const TEditMask& mask, const AnsiString& editText, int caret,
                                        char key);
// Every place that must be filled is.
bool MaskFilled(const TEditMask& mask, const AnsiString& editText);
