// Blocks of merged rows that the page's end cuts: where each page's part of them ends, between
// their lines, and where their text stands on the pages they go on over.
#include "grid/Dgprint.h"

#include "grid/Datagrid.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

std::optional<TPrintPass::TBand> TPrintPass::BlockPart(int from, int y, int row, int bottom, bool continued,
                                                       int displayCol, const TRect& block, TRect& text,
                                                       int& rowsEnd) {
    // The block's rows that the page takes, as the pages are filled.
    int end = y - DrawnRowHeight(row);
    int r = row + 1;
    for (; r <= bottom && !RunsOver(end, r); ++r)
        end -= DrawnRowHeight(r);
    rowsEnd = end;
    if (!continued && r > bottom)
        return std::nullopt;
    // The block's own bottom: its text moves down, it does not.
    const int blockBottom = text.Bottom;
    int& moved = blockCuts[std::make_pair(block.Left, block.Top)];
    if (!continued)
        moved = 0;
    text.Top -= moved;
    text.Bottom -= moved;
    if (r > bottom)
        return TBand{from, end};
    // The page ends at the top of a line it would cut, to within a tenth, so that the line
    // prints whole at the next page's top.
    const std::vector<TLineSpan> spans = TextLines(displayCol, block, text.Top - text.Bottom);
    int cut = end;
    for (bool again = !spans.empty(); again;) {
        again = false;
        for (const TLineSpan& span : spans)
            if (text.Top - span.Top > cut && text.Top - span.Bottom < cut - 1) {
                cut = std::min(from, static_cast<int>(std::ceil(text.Top - span.Top)));
                again = true;
            }
    }
    // Only while the lines it moves down still end within the block: else none would be whole.
    double lowest = 0;
    for (const TLineSpan& span : spans)
        lowest = std::max(lowest, span.Bottom);
    if (text.Top - lowest - (cut - end) < blockBottom - 1)
        return TBand{from, end};
    moved += cut - end;
    return TBand{from, cut};
}

void TPrintPass::MoveBlockText(const TRect& block, TRect& text) const {
    const auto moved = blockCuts.find(std::make_pair(block.Left, block.Top));
    if (moved == blockCuts.end())
        return;
    text.Top -= moved->second;
    text.Bottom -= moved->second;
}
