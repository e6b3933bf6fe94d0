#pragma once

#include "framework/AnsiString.h"
#include "grid/DatagridEvents.h"

// Whether an editor of the given type lets Key into text, whose selection starts at selStart
// and holds selText. The number types refuse what cannot make a number of their kind, with a
// beep where a refusal is a mistake; the text types take everything; other types nothing.
bool AcceptsTypedChar(TEditorType type, char Key, const AnsiString& text, int selStart,
                      const AnsiString& selText);
