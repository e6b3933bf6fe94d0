#pragma once

#include "framework/AnsiString.h"
#include "framework/CustomEdit.h"

#include <string>
#include <string_view>
#include <vector>

// Text tables of blank-padded columns: the readable ASCII table and fixed-width records. Widths
// and positions count characters, not bytes.

// The lines of a cell's text (at CR LF, LF or CR); only the first without Multiline. An empty
// text is one empty line.
std::vector<std::string_view> CellLines(std::string_view text, bool Multiline);
// The characters of the longest of those lines.
int LongestLineChars(std::string_view text, bool Multiline);

// A right-aligned text gets blanks before it up to Width characters; a centred one a blank on
// each side, again and again, until it is at least Width long; a left-aligned text stays.
std::string AlignToWidth(std::string_view text, TAlignment Alignment, int Width);

// One row of the ASCII table, with a continuation line for each further line of a cell.
class AsciiRow {
public:
    // Columns are added left to right; Start is where the column begins in a line, in characters.
    void AddCell(std::string_view text, TAlignment Alignment, int Start, int Width, bool Multiline);
    // The row line and its continuation lines, each ended by CR LF.
    void AppendTo(std::string& out) const;

private:
    std::string line;
    std::vector<std::string> continuations;
};

// The field cut to Width characters or followed by blanks up to it.
void AppendFixedField(std::string& out, std::string_view text, int Width);
// Length characters from the 1-based character Position of line, without the characters of code
// 32 or less at either end.
AnsiString FixedField(std::string_view line, int Position, int Length);
