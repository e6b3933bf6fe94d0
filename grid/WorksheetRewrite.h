#pragma once

#include "framework/AnsiString.h"

#include <string>
#include <string_view>

struct OfficeCells;

// Appends one cell, a number where the text reads whole as one, else an inline string; prefix is
// the sheet's ("x:" or ""), style the cell format kept from the cell it replaces (unescaped).
void AppendCell(std::string& out, std::string_view prefix, int Col, int Row, const AnsiString& cellText,
                std::string_view style);

// "A1:" and the address of the last cell of that many columns and rows, at least A1:A1.
AnsiString RangeAddress(int Cols, int Rows);

// A sheet's UTF-8 text with Cells written from A1: the sheet data rebuilt, each cell outside the
// range copied as it stands, and the dimension updated. Formula is set when a formula was
// overwritten. A part that is no well-formed XML, or not in UTF-8, raises the corrupt-file message.
// One pass over the text, keeping only where each row and cell lies in it.
std::string RewriteSheet(std::string_view text, const OfficeCells& Cells, const AnsiString& FileName,
                         bool& Formula);
