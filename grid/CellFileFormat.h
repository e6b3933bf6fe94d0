#pragma once

#include "framework/AnsiString.h"
#include "grid/TextLines.h"

#include <string>
#include <string_view>

// The grid's own cell format: a header line "columns,rows", width lines "cw index,width" and one
// line "column,row,text" per non-empty cell, its line breaks written as TAB and backspace (LfToFile).

void AppendCellFileHeader(std::string& out, int ColCount, int RowCount);
void AppendWidthLine(std::string& out, int Col, int Width);
void AppendCellLine(std::string& out, int Col, int Row, const AnsiString& Text);

// A width or cell line. Indices beyond the range of int are kept at its ends: outside any grid
// all the same.
struct CellFileLine {
    bool IsWidth = false;
    int Col = 0;
    // The row of a cell line, the width of a width line.
    int Value = 0;
    AnsiString Text;
};

// Reads a cell file line by line. Lax numbers read as far as they go (blanks, a sign, "$" or
// "0x" for hexadecimal, 0 for no digits); strict ones raise EConvertError. A cell text keeps only
// its first line unless Multilinecells.
class CellFileReader {
public:
    // Reads the header line.
    CellFileReader(std::string_view text, bool Multilinecells, bool StrictNumbers);

    // The header line was not empty; its two numbers follow.
    bool HasHeader() const { return hasHeader; }
    long long ColCount() const { return colCount; }
    long long RowCount() const { return rowCount; }
    // The next width or cell line; false at the end.
    bool Next(CellFileLine& line);

private:
    long long Number(std::string_view text) const;
    int Index(std::string_view text) const;

    LineReader lines;
    bool multiline;
    bool strict;
    bool hasHeader = false;
    long long colCount = 0;
    long long rowCount = 0;
};
