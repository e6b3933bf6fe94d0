#pragma once

#include "framework/AnsiString.h"

#include <string_view>

struct OfficeCells;

// Whether a sheet's text after Cells were written from A1 reads as it should, read as other
// programs read a sheet: its elements known by the namespace of its root, not by their local names.
// Each cell of the range must hold what ContentOfText gives for its text (nothing for an empty
// one) and every other cell what it held before, both to a reader that takes the last cell listed
// at a place and to one that takes the last holding a value, as the grid does. A text that is no
// well-formed XML raises the corrupt-file message.
bool KeepsEveryOtherCell(std::string_view before, std::string_view after, const OfficeCells& Cells,
                         const AnsiString& FileName);
