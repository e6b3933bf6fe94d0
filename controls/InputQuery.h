#pragma once

#include "controls/Typededit.h"

#include <cstdint>

// What GridInputQuery gives its box besides the type.
struct TQueryParams {
    std::int16_t Precision = 0;
    bool Flat = false;
    std::int16_t LengthLimit = 0;
    AnsiString Prefix;
    AnsiString Suffix;
};

// The average width of a letter and the height of font, the unit dialogs are laid out in.
TPoint GetAveCharSize(const TFont& font);

// Asks for a value in a typed box under prompt, in a modal dialog titled caption. True with value
// the box's value when OK closes it; false with value as it was otherwise.
bool GridInputQuery(TTypedEditType type, const TQueryParams* params, const AnsiString& caption,
                    const AnsiString& prompt, AnsiString& value);
