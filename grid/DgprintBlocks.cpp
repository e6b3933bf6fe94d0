// Blocks of merged rows that the page's end cuts: where each page's part of them ends, between
// their lines, and where their text stands on the pages they go on over.
#include "grid/Dgprint.h"

#include "grid/Datagrid.h"
#include "grid/Gridutil.h"
#include "grid/RichCells.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

std::optional<TPrintPass::TBand> TPrintPass::BlockPart(int y, int row, int bottom, bool continued,
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
    int& moved = blockCuts[std::make_pair(block.Left, block.Top)];
    if (!continued)
        moved = 0;
    text.Top -= moved;
    text.Bottom -= moved;
    if (r > bottom)
        return TBand{y, end};
    // The page ends at the top of a line it would cut, to within a tenth, so that the line
    // prints whole at the next page's top.
    const std::vector<TLineSpan> spans = BlockLines(displayCol, block, text);
    int cut = end;
    for (bool again = !spans.empty(); again;) {
        again = false;
        for (const TLineSpan& span : spans)
            if (text.Top - span.Top > cut + 1 && text.Top - span.Bottom < cut - 1) {
                cut = std::min(y, static_cast<int>(std::ceil(text.Top - span.Top)));
                again = true;
            }
    }
    // Only while the lines it moves down still end within the block: else none would be whole.
    double lowest = 0;
    for (const TLineSpan& span : spans)
        lowest = std::max(lowest, span.Bottom);
    if (text.Top - lowest - (cut - end) < text.Bottom - 1)
        return TBand{y, end};
    moved += cut - end;
    return TBand{y, cut};
}

std::vector<TLineSpan> TPrintPass::BlockLines(int displayCol, const TRect& block, const TRect& text) {
    std::vector<TLineSpan> spans;
    const AnsiString content = CellText(block.Left, block.Top);
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    UseCellFont(block.Left, block.Top, hAlign, vAlign);
    if (TextType(content, false) == ttRTF) {
        for (const auto& [top, bottom] :
             grid.richCells->PrintedLines(content, canvas.Font, text.Right - text.Left))
            spans.push_back({top, bottom});
        return spans;
    }
    if (TextType(content, grid.EnableHTML) == ttHTML) {
        HTMLPrintSize(content, &spans);
        return spans;
    }
    // Text beside a graphic stands where the graphic leaves it room: its cuts stay at the rows'.
    if (PrintedGraphic(block.Left, block.Top))
        return spans;
    if (grid.WordWrap && settings.NoAutoSize) {
        // As DrawPlainText breaks and sets them.
        const int left = text.Left + static_cast<int>(std::nearbyint(2 * screenFactor));
        const int right = std::min(
            text.Right, left + WrapWidth(displayCol, DisplaySpan(displayCol, block.Left, block.Top)));
        const double pitch = WrappedLinePitch();
        const std::size_t lines = canvas.WrappedLines(content, right - left).size();
        for (std::size_t i = 0; i < lines; ++i)
            spans.push_back({i * pitch, (i + 1) * pitch});
        return spans;
    }
    const int t = canvas.TextHeight("gh") + settings.RowSpacing;
    const int lineHeight = t + t / 8;
    const int lines = LinesInText(content, grid.Multilinecells);
    const int room = text.Top - text.Bottom - lineHeight * lines;
    const int offset = vAlign == vtaCenter ? room / 2 : vAlign == vtaBottom ? room : 0;
    for (int i = 0; i < lines; ++i)
        spans.push_back({double(offset + i * lineHeight), double(offset + (i + 1) * lineHeight)});
    return spans;
}
