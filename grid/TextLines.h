#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The text of a file as the grid's readers take it: with CtrlZEnds a Ctrl-Z (26) that is the last
// byte is dropped, as old text files ended with one (one inside is text, as the writers wrote it);
// a UTF-8 byte order mark is skipped; bytes that are not UTF-8 are read as Windows-1252.
std::string TextOfFileBytes(std::string bytes, bool CtrlZEnds);
// A text that begins with the byte order mark TextOfFileBytes skips gets a second one before it,
// so a first cell's own U+FEFF is still there when the file is read.
void KeepLeadingByteOrderMark(std::string& text);

// Where a line ends: at CR LF, LF or CR (the CSV and clipboard readers), or only at CR, an LF
// right after it going with it and a lone LF being text (the cell file).
enum class LineEnds { Any, CarriageReturn };

// The lines of a text one after another. A line break at the very end starts no further line,
// so an empty text has no lines.
class LineReader {
public:
    LineReader(std::string_view text, LineEnds ends) : text(text), ends(ends) {}

    bool Next(std::string_view& line);
    bool AtEnd() const { return at >= text.size(); }
    // Where the next line starts.
    std::size_t Offset() const { return at; }

private:
    std::string_view text;
    LineEnds ends;
    std::size_t at = 0;
};

// Position of the first of the characters a, b and c at or after from; the text's size when
// there is none. Readers call it for every field, so it stays a plain loop.
std::size_t FindAnyOf(std::string_view text, std::size_t from, char a, char b, char c);

// Length of the line break at text[i] (CR LF 2, CR or LF 1), 0 when none stands there.
std::size_t LineBreakAt(std::string_view text, std::size_t i);

// An empty text with room for about the given count of cells of a grid, so that the text of a
// large grid is not copied again and again as it grows. Room no cell fills costs no memory.
std::string TextForCells(long long cells);

// UTF-8 text counted and cut in characters, not bytes, each byte that is not UTF-8 one character
// as TextOfFileBytes reads it back.
int CharCount(std::string_view text);
// Up to count characters from the 0-based character start.
std::string_view CharSpan(std::string_view text, int start, int count);
