#pragma once

#include "framework/AnsiString.h"

#include <functional>
#include <optional>

namespace CostMatrix {

// A cell of a cost matrix that the pricing, the bill or the chart reads as a number, and that
// holds none.
struct UnreadableCell {
    int Col;
    int Row;
    AnsiString Text;
    // What reads it: "the pricing", "the bill" or "the chart".
    const char* Reader;
};

// A matrix cell's text, addressed (column, row).
using CellTexts = std::function<AnsiString(int ACol, int ARow)>;

// The first cell, line by line, that would stop the pricing, the bill or the chart of the matrix
// whatever network it prices; none when the matrix prices, bills and charts.
std::optional<UnreadableCell> FirstUnreadableCell(const CellTexts& cell);

// What is wrong with the cell, after where, which names it: "... holds "ten", which is not a
// number." or "... is empty, where the bill needs a number."
AnsiString UnreadableText(const UnreadableCell& unreadable, const AnsiString& where);

} // namespace CostMatrix
