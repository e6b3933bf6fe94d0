#pragma once

#include "framework/AnsiString.h"

#include <string_view>

// The text a rich edit control shows for rich text: groups, control words and destinations such
// as the font and colour tables dropped; "\par" and "\line" as CR LF, "\tab" as TAB, "\'hh" as a
// Windows-1252 character and "\uN" as that character. A text that is not rich text (it does not
// begin with "{\rtf") comes back as it stands.
AnsiString RtfToPlainText(std::string_view rtf);
