// A printed cell's lines, laid out once in the font, at the width and with the spacing the cell
// prints with: its row's height holds them, pages end between them and the drawers set them so.
#include "grid/Dgprint.h"

#include "grid/Datagrid.h"
#include "grid/Gridutil.h"
#include "grid/RichCells.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

std::vector<TLineSpan> TPrintPass::CellLines(int realCol, int displayCol, int row, TVAlignment& vAlign) {
    TAlignment hAlign = taLeftJustify;
    vAlign = vtaTop;
    UseCellFont(realCol, row, hAlign, vAlign);
    const AnsiString text = CellText(realCol, row);
    const int spanCols = DisplaySpan(displayCol, realCol, row);
    std::vector<TLineSpan> lines;
    if (TextType(text, false) == ttRTF) {
        for (const auto& [top, bottom] :
             grid.richCells->PrintedLines(text, canvas.Font, SpanWidth(displayCol, spanCols)))
            lines.push_back({top, bottom});
        return lines;
    }
    if (TextType(text, grid.EnableHTML) == ttHTML) {
        HTMLPrintSize(text, HTMLWidth(displayCol, spanCols), &lines);
        return lines;
    }
    if (grid.WordWrap && settings.NoAutoSize) {
        const double pitch = WrappedLinePitch();
        const std::size_t count =
            std::max<std::size_t>(1, canvas.WrappedLines(text, WrapWidth(displayCol, spanCols)).size());
        for (std::size_t i = 0; i < count; ++i)
            lines.push_back({i * pitch, (i + 1) * pitch});
        return lines;
    }
    // Each line takes its whole pitch, spacing included: centred or at the bottom, the lines are
    // placed by their pitches, and the cell holds them so.
    const int pitch = PlainLinePitch();
    const int count = LinesInText(text, grid.Multilinecells);
    for (int i = 0; i < count; ++i)
        lines.push_back({double(i * pitch), double((i + 1) * pitch)});
    return lines;
}

std::vector<TLineSpan> TPrintPass::TextLines(int displayCol, const TRect& block, int height) {
    // Text beside a graphic stands where the graphic leaves it room: its cuts stay at the rows'.
    if (PrintedGraphic(block.Left, block.Top))
        return {};
    TVAlignment vAlign = vtaTop;
    std::vector<TLineSpan> lines = CellLines(block.Left, displayCol, block.Top, vAlign);
    const AnsiString text = CellText(block.Left, block.Top);
    const bool plain = TextType(text, grid.EnableHTML) != ttHTML && TextType(text, false) != ttRTF &&
                       !(grid.WordWrap && settings.NoAutoSize);
    if (!plain || vAlign == vtaTop)
        return lines;
    // As DrawPlainText places them: lower by the room they leave, or half of it.
    const int room = height - PlainLinePitch() * static_cast<int>(lines.size());
    const int offset = vAlign == vtaCenter ? room / 2 : room;
    for (TLineSpan& line : lines) {
        line.Top += offset;
        line.Bottom += offset;
    }
    return lines;
}

std::vector<TLineSpan> TPrintPass::RowLines(int row) {
    std::vector<TLineSpan> spans;
    const double scale = std::exchange(fontScale, fitScale);
    for (const int c : RowColumns()) {
        const TRect block = grid.FullCell(grid.RemapCol(c), row);
        if (!FirstPrintedColumn(c, block))
            continue;
        // A block's text begins with its first printed row, lower by what the pages before moved
        // it down.
        const int top = FirstPrintedRow(row, block);
        int above = 0;
        for (int r = top; r < row; ++r)
            above += DrawnRowHeight(r);
        if (const auto moved = blockCuts.find(std::make_pair(block.Left, block.Top));
            moved != blockCuts.end())
            above -= moved->second;
        int height = 0;
        for (int r = top; r <= std::min(block.Bottom, range.Bottom); ++r)
            height += DrawnRowHeight(r);
        ForEachBlockLayout(c, block, [&] {
            for (const TLineSpan& line : TextLines(c, block, height))
                spans.push_back({line.Top - above, line.Bottom - above});
        });
    }
    fontScale = scale;
    return spans;
}

int TPrintPass::PlainLinePitch() {
    const int t = canvas.TextHeight("gh") + settings.RowSpacing;
    return t + t / 8;
}

double TPrintPass::LinePitch() {
    // Lines of the print font as plain text sets them, or as word-wrapped text does, which all
    // the row's cells then are.
    const double scale = std::exchange(fontScale, fitScale);
    UsePrintFont();
    const double line = grid.WordWrap && settings.NoAutoSize ? WrappedLinePitch() : PlainLinePitch();
    fontScale = scale;
    return std::max(1.0, line);
}

double TPrintPass::WrappedLinePitch() {
    const std::string font = canvas.Font.Name.str() + '|' + std::to_string(canvas.Font.GetHeight()) + '|' +
                             std::to_string(canvas.Font.Style);
    if (font == wrappedPitchFont)
        return wrappedPitch;
    // Word-wrapped lines follow each other at a fraction of a tenth: measured over many.
    constexpr int Lines = 100;
    AnsiString many = "gh";
    for (int i = 1; i < Lines; ++i)
        many += "\r\ngh";
    TRect one = Rect(0, 0, W, 0);
    TRect all = one;
    const int first = canvas.DrawText("gh", one, DT_CALCRECT | DT_NOPREFIX);
    wrappedPitchFont = font;
    wrappedPitch = (canvas.DrawText(many, all, DT_CALCRECT | DT_NOPREFIX) - first) / double(Lines - 1);
    return wrappedPitch;
}

int TPrintPass::HeightHolding(double extent) const {
    // Drawn, a row is its height and an eighth more, with the gaps and the spacing.
    const int allowance = 2 * gap + settings.RowSpacing;
    int height = std::max(0, static_cast<int>(std::ceil((extent - allowance) * 8 / 9)));
    while (allowance + height + height / 8 < extent)
        ++height;
    return height;
}
