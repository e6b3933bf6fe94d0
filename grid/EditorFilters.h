#pragma once

#include "framework/AnsiString.h"
#include "grid/DatagridEvents.h"

// Whether an editor of the given type lets Key into text, whose selection starts at selStart
// and holds selText. The number types refuse what cannot make a number of their kind, with a
// beep where a refusal is a mistake; the text types take everything; other types nothing.
bool AcceptsTypedChar(TEditorType type, char Key, const AnsiString& text, int selStart,
                      const AnsiString& selText);

// Text as an editor of the given type converts what comes into it, typed or pasted: capitals and
// upper case by the locale's upper case, lower case by its lower case; other types keep it.
AnsiString InEditorCase(TEditorType type, const AnsiString& text);
