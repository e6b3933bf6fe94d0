#pragma once

#include "framework/AnsiString.h"
#include "grid/DatagridEvents.h"

// Whether an editor of the given type lets Key into text, whose selection starts at selStart
// and holds selText. The number types refuse what cannot make a number of their kind, a minus
// anywhere but first and anything before it, with a beep where a refusal is a mistake; the text
// types take everything; other types nothing.
bool AcceptsTypedChar(TEditorType type, char Key, const AnsiString& text, int selStart,
                      const AnsiString& selText);

// Whether an editor of the given type takes pasted in place of selLength characters of text at
// selStart: a number type only when it would take each character typed there in turn, with no
// beep; other types always.
bool AcceptsPastedText(TEditorType type, const AnsiString& text, int selStart, int selLength,
                       const AnsiString& pasted);

// Text as an editor of the given type converts what comes into it, typed or pasted: capitals and
// upper case by the locale's upper case, lower case by its lower case; other types keep it.
AnsiString InEditorCase(TEditorType type, const AnsiString& text);
