#pragma once

#include "framework/AnsiString.h"

#include <string_view>
#include <vector>

// One entry of the design window's pipe list: the text it shows and its size.
struct PipeSize {
    AnsiString Text;
    double Millimetres = 0;
};

using PipeSizeList = std::vector<PipeSize>;

// 50 to 500 mm in steps of 25, then 520.
PipeSizeList BuiltInPipeSizes();

// The pipe sizes of a "drenvala.dat" file: the marker line "#DRENVALA_DAT", any lines up to a
// "PIPE_SIZES" line (any case, blanks around it), a count line and a line of comma-separated
// sizes in millimetres, of which the first count (at most 20) are taken. A missing file, or any
// fault in it (no marker or section, a count that is below 3 or no number, fewer sizes than the
// count, a size that is no positive number), gives the built-in list, silently.
PipeSizeList ReadPipeSizes(const AnsiString& path);

// The first parts (at most most) of line between separators, trimmed of blanks; empty parts
// between two separators are kept, an empty rest after the last one is not.
std::vector<AnsiString> SplitLine(std::string_view line, std::string_view separator, std::size_t most);
