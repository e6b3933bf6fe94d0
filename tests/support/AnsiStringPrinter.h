#pragma once

#include "framework/AnsiString.h"

#include <ostream>

// Failure output shows the text rather than the bytes of the object.
inline void PrintTo(const AnsiString& text, std::ostream* out) {
    *out << '"' << text.str() << '"';
}
