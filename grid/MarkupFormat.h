#pragma once

#include "framework/AnsiString.h"

#include <string>
#include <string_view>

// Pieces of the HTML and XML exports.

// "&", "<", ">" and the double quote as entities, so a text shows as it stands.
std::string EscapeMarkup(std::string_view text);
// Element text that an XML 1.0 parser reads back as the cell held it: escaped as EscapeMarkup
// does, CR as "&#13;" (a parser reads a CR LF written as it stands as one LF), and each character
// XML 1.0 cannot hold (a control other than TAB, LF and CR; U+FFFE; U+FFFF) as "_xHHHH_", the
// escape of spreadsheet XML (ECMA-376 ST_Xstring): four upper-case hexadecimal digits of its
// code, the "_" of a text's own "_xHHHH_" written "_x005F_". Bytes that are not UTF-8 are taken
// as Windows-1252.
std::string EscapeXmlText(std::string_view text);
// The markup of an HTML cell as the grid's renderer draws it, with nothing that runs script: the
// renderer's tags keep the attributes it reads, written in double quotes and escaped; other tags
// are left out, as the renderer skips them, and so are addresses of the "javascript:" and
// "vbscript:" kinds; a "<" that opens no tag becomes "&lt;". Text between tags stays.
std::string CellMarkup(std::string_view html);
// A text holding "://" or "mailto:" made a link to itself, in quotes; it shows whole with
// URLFull, else from after "://" or "mailto:" (at most 255 characters). A text already holding
// "</" stays as it is.
AnsiString WithLinks(const AnsiString& text, bool URLFull);
