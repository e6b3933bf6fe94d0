#pragma once

#include "framework/AnsiString.h"

#include <string>
#include <string_view>
#include <vector>

// The grid's own cell format: a header line "columns,rows", width lines "cw index,width" and one
// line "column,row,text" per non-empty cell, its line breaks written as TAB and backspace.

void AppendCellFileHeader(std::string& out, int ColCount, int RowCount);
void AppendWidthLine(std::string& out, int Col, int Width);
void AppendCellLine(std::string& out, int Col, int Row, const AnsiString& Text);

struct CellFileContent {
    // The header line was not empty; its two numbers follow.
    bool HasHeader = false;
    long long ColCount = 0;
    long long RowCount = 0;
    // Indices beyond the range of int are kept at its ends: outside any grid all the same.
    struct Width {
        int Col;
        int Width;
    };
    struct Cell {
        int Col;
        int Row;
        AnsiString Text;
    };
    std::vector<Width> Widths;
    std::vector<Cell> Cells;
};

// Reads the lines of a cell file. Lax numbers read as far as they go (blanks, a sign, "$" or "0x"
// for hexadecimal, 0 for no digits); strict ones raise EConvertError. A cell text keeps only its
// first line unless Multilinecells.
CellFileContent ReadCellFile(std::string_view text, bool Multilinecells, bool StrictNumbers);
