#pragma once

#include "grid/FieldTable.h"

#include <string_view>

// The grid's clipboard text: cells split by TAB, rows by line breaks.

struct ClipboardFields {
    // Every line of the text is a row of at least one field, but an empty last field at the
    // very end of the text (after its last TAB or line break) is left out.
    FieldTable Rows;
    // The fields, that last one counted too.
    int Count = 0;
};

// Lines end at CR LF, LF or CR. With MultiLineQuoting, a field that opens with a double quote
// and closes with one before a TAB, a line end or the end of the text, holding a line break
// between them, loses the two quotes and keeps its line breaks, as CR LF. The fields may view
// text, which must outlive them.
ClipboardFields ReadClipboardText(std::string_view text, bool MultiLineQuoting);
