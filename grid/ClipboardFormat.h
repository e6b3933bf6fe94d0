#pragma once

#include "grid/FieldTable.h"

#include <string>
#include <string_view>

// The grid's clipboard text: cells split by TAB, rows by line breaks.

// Appends one cell as a copy writes it. With MultiLineQuoting a cell that holds a TAB or a line
// break, or begins with a double quote, goes in double quotes with its own doubled, as the CSV
// writer writes it; any other cell, and every cell without, goes as it is.
void AppendClipboardCell(std::string& out, std::string_view cell, bool MultiLineQuoting);

struct ClipboardFields {
    // Every line of the text is a row of at least one field, but an empty last field at the
    // very end of the text (after its last TAB or line break) is left out.
    FieldTable Rows;
    // The fields, that last one counted too.
    int Count = 0;
};

// Lines end at CR LF, LF or CR. With MultiLineQuoting, a field that opens with a double quote
// and closes with one before a TAB, a line end or the end of the text, every other double quote
// between them doubled, is read as AppendClipboardCell wrote it: without the quotes around it,
// its doubled ones single, its TABs and line breaks as they are. The fields may view text, which
// must outlive them.
ClipboardFields ReadClipboardText(std::string_view text, bool MultiLineQuoting);
