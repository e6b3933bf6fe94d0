#pragma once

#include "framework/AnsiString.h"

#include <string>
#include <string_view>

struct OfficeCells;

// What a cell written with a text holds: a number, in its shortest digits, where the text reads
// whole as a finite one, else the text as a string (bytes that are no UTF-8 taken as Windows-1252;
// NUL left out, as its escape "_x0000_" would read back as those seven characters).
struct CellContent {
    bool Number = false;
    std::string Text;
};
CellContent ContentOfText(const AnsiString& cellText);

// Appends one cell holding ContentOfText, the string inline; prefix is the sheet's ("x:" or ""),
// style the cell format kept from the cell it replaces (unescaped).
void AppendCell(std::string& out, std::string_view prefix, int Col, int Row, const AnsiString& cellText,
                std::string_view style);

// "A1:" and the address of the last cell of that many columns and rows, at least A1:A1.
AnsiString RangeAddress(int Cols, int Rows);

// A sheet's UTF-8 text with Cells written from A1: the sheet data rebuilt, each cell outside the
// range copied as it stands, and the dimension updated. Formula is set when a formula was
// overwritten. A part that is no well-formed XML, or not in UTF-8, raises the corrupt-file message,
// and so does one whose rewrite other programs would not read as written with every other cell kept
// (KeepsEveryOtherCell). One pass over the text, keeping only where each row and cell lies in it.
std::string RewriteSheet(std::string_view text, const OfficeCells& Cells, const AnsiString& FileName,
                         bool& Formula);
