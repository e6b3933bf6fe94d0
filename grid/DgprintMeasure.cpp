// The page builder's measures: the columns' print widths and their fit to the page, the cells'
// sizes and the rows' heights, in the fonts and at the scale the cells print in.
#include "grid/Dgprint.h"

#include "grid/Datagrid.h"
#include "grid/Gridutil.h"
#include "grid/RichCells.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>

namespace {

// Widening columns for whole texts and fitting them again settles within this many rounds.
constexpr int WideningRounds = 8;

// What an empty cell is measured as: a line as high as any.
const AnsiString LineSample = "gh";

// Characters a word-wrapped text breaks at: line breaks and tabs, and blanks.
constexpr unsigned char LineBreak = 1;
constexpr unsigned char Blank = 2;
constexpr std::array<unsigned char, 256> BreakKinds = [] {
    std::array<unsigned char, 256> kinds{};
    kinds['\r'] = kinds['\n'] = kinds['\t'] = LineBreak;
    kinds[' '] = Blank;
    return kinds;
}();

} // namespace

int RoundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

int MapFontHeight(int pointSize, double scale) {
    return -static_cast<int>(pointSize * 254.0 / 72.0 * scale);
}

int MapFontSize(int height) {
    return static_cast<int>(height * 72.0 / 254.0);
}

double FitScale(TFitToPage fit, int W, int leftSize, int rightSize, const std::vector<int>& widths,
                int spacing) {
    if (fit == fpNever)
        return 1;
    int total = 0;
    for (int width : widths)
        total += width + spacing;
    const int spacingTotal = static_cast<int>(widths.size()) * spacing;
    const int room = W - rightSize - leftSize - spacingTotal;
    // Margins that leave no room would turn the columns over or shrink them to nothing.
    if (total == spacingTotal || room <= 0)
        return 1;
    const double scale = static_cast<double>(room) / (total - spacingTotal);
    if ((fit == fpShrink && scale > 1) || (fit == fpGrow && scale < 1))
        return 1;
    return scale;
}

void TPrintPass::MapFont(TFont& font) const {
    font.SetHeight(MapFontHeight(font.Size, fontScale));
}

void TPrintPass::PrintColumnWidths() {
    auto width = [this](int c) -> int& { return widths[static_cast<std::size_t>(c)]; };
    if (!kept.Widths.empty()) {
        for (std::size_t i = 0; i < measuredCols.size(); ++i)
            width(measuredCols[i]) = kept.Widths[i];
        fitScale = kept.FitScale;
        return;
    }
    for (const int c : measuredCols)
        width(c) = 0;
    if (settings.NoAutoSize) {
        for (const int c : measuredCols)
            width(c) = std::max(0, RoundEven((grid.GetColWidths(c) - 4) * screenFactor));
    } else {
        for (int n = 0; n < MeasuredRows(); ++n) {
            const int r = MeasuredRow(n);
            for (const int c : measuredCols) {
                const int realCol = grid.RemapCol(c);
                if (grid.IsXMergedCell(realCol, r))
                    continue;
                const int candidate =
                    settings.UseFixedWidth ? settings.FixedWidth : CellPrintSize(realCol, c, r, false).x;
                width(c) = std::max(width(c), candidate);
            }
        }
    }
    std::vector<int> measured;
    for (const int c : measuredCols)
        measured.push_back(width(c));
    // Widths taken from the screen may be too narrow for a text in the print font at the scale
    // it prints at: such a column grows, and the fit is made again for the wider columns; a few
    // rounds settle it. Widths measured from the texts are left as they are.
    for (int round = 0;; ++round) {
        FitColumns(measured);
        if (round == WideningRounds || !settings.NoAutoSize || !WidenForWholeTexts(measured))
            break;
    }
    if (grid.OnPrintSetColumnWidth)
        for (const int c : measuredCols)
            grid.OnPrintSetColumnWidth(&grid, c, width(c));
    if (keeping) {
        kept.Widths.clear();
        for (const int c : measuredCols)
            kept.Widths.push_back(width(c));
        kept.FitScale = fitScale;
    }
}

void TPrintPass::FitColumns(const std::vector<int>& measured) {
    // The range's columns fill the sheet: the fixed ones left of it print only beside later strips.
    fitScale = FitScale(settings.FitToPage, W, settings.LeftSize, settings.RightSize,
                        std::vector<int>(measured.begin() + fixedBefore, measured.end()), spacing);
    if (settings.FitToPage == fpCustom && fitScale != 1) {
        bool allow = true;
        if (grid.OnFitToPage)
            grid.OnFitToPage(&grid, fitScale, allow);
        if (!allow)
            fitScale = 1;
    }
    for (std::size_t i = 0; i < measuredCols.size(); ++i)
        widths[static_cast<std::size_t>(measuredCols[i])] =
            fitScale != 1 ? static_cast<int>(measured[i] * fitScale) : measured[i];
}

bool TPrintPass::WidenForWholeTexts(std::vector<int>& measured) {
    std::vector<int> needed(measured.size(), 0);
    SweepCells(needed);
    bool widened = false;
    for (std::size_t i = 0; i < measuredCols.size(); ++i) {
        const int room = widths[static_cast<std::size_t>(measuredCols[i])] + spacing;
        const int need = needed[i];
        if (need <= room)
            continue;
        // The narrowest measured width that scales to the room needed.
        int& width = measured[i];
        width = static_cast<int>(std::ceil((need - spacing) / fitScale));
        while (static_cast<int>(width * fitScale) + spacing < need)
            ++width;
        widened = true;
    }
    // Wider columns break their texts elsewhere, at another scale.
    if (widened)
        sweptHeights.clear();
    return widened;
}

void TPrintPass::SweepCells(std::vector<int>& needed) {
    const bool wrapped = grid.WordWrap && settings.NoAutoSize;
    const int wrapInset = RoundEven(2 * screenFactor);
    const double scale = std::exchange(fontScale, fitScale);
    const std::size_t columns = needed.size();
    std::vector<int> realCols(columns);
    std::vector<int> rooms(columns);
    for (std::size_t i = 0; i < columns; ++i) {
        realCols[i] = grid.RemapCol(measuredCols[i]);
        rooms[i] = WrapWidth(measuredCols[i]);
    }
    const int sheetRoom = W - settings.RightSize - (settings.Centered ? 0 : settings.LeftSize);
    int lineHeight = 0;
    if (uniformFont) {
        UsePrintFont();
        lineHeight = canvas.TextHeight("gh");
    }
    sweptHeights.assign(static_cast<std::size_t>(grid.GetRowCount()), -1);
    for (int n = 0; n < MeasuredRows(); ++n) {
        const int r = MeasuredRow(n);
        int height = 0;
        // The fixed columns left of the range print only beside later strips: unless they print
        // no higher than the range's cells, the row's own measuring decides.
        int fixedHeight = 0;
        // A merged cell, or a text broken into lines, is left to the row's own measuring.
        bool known = true;
        for (std::size_t i = 0; i < columns; ++i) {
            const int realCol = realCols[i];
            int& cellsHeight = i < static_cast<std::size_t>(fixedBefore) ? fixedHeight : height;
            // A cell with no object is its own base cell: its text shows as the store holds it,
            // unless a handler or a formula says otherwise.
            const bool plain = !grid.cells.Object(realCol, r);
            if (!plain) {
                known = known && !grid.IsMergedCell(realCol, r);
                if (grid.IsXMergedCell(realCol, r))
                    continue;
            }
            // A printed graphic beside the text: the row is left to its own measuring.
            const int graphicWidth = plain ? 0 : PrintedGraphicSize(realCol, r, nullptr).x;
            known = known && graphicWidth == 0;
            const AnsiString& stored = grid.cells.Text(realCol, r);
            TTextType type = TextType(stored, grid.EnableHTML);
            const bool asStored = plain && !grid.OnGetDisplText && type != ttFormula && type != ttRTF;
            // Measured as the text it prints: a cell of a merged block prints its base cell's.
            AnsiString computed;
            if (!asStored) {
                const AnsiString shown = CellText(realCol, r);
                type = TextType(shown, grid.EnableHTML);
                computed = ShownText(shown);
            }
            // Rich text shows its paragraphs apart, as high as its own fonts set them: the row's
            // own measuring lays it out.
            known = known && type != ttRTF;
            const bool multiline = grid.Multilinecells || type == ttRTF;
            const AnsiString& text = asStored ? stored : computed;
            TAlignment hAlign = taLeftJustify;
            if (!uniformFont) {
                TVAlignment vAlign = vtaTop;
                UseCellFont(realCol, r, hAlign, vAlign);
                lineHeight = canvas.TextHeight("gh");
            } else if (!wrapped) {
                hAlign = grid.GetCellAlignment(realCol, r).first;
            }
            int& need = needed[i];
            if (type == ttHTML) {
                // It breaks at blanks to the column's width, as high as that makes it: the column
                // holds its widest word, and without word wrap its whole lines as far as the sheet
                // allows.
                int width = HTMLPrintSize(text, 1).x;
                if (!grid.WordWrap)
                    width = std::max(width, std::min(HTMLPrintSize(text, 0).x, sheetRoom - letterWidth));
                need = std::max(need, width + letterWidth);
                known = false;
                continue;
            }
            if (wrapped) {
                unsigned kinds = 0;
                for (const char c : text.view())
                    kinds |= BreakKinds[static_cast<unsigned char>(c)];
                const bool breaks = kinds & LineBreak;
                // An empty cell is as high as a line of "gh".
                const int whole = breaks ? 0 : canvas.TextWidth(text.IsEmpty() ? LineSample : text);
                if (!text.IsEmpty())
                    need = std::max(need, (kinds != 0 ? WidestWord(text) : whole) + wrapInset);
                known = known && !breaks && whole <= rooms[i];
                cellsHeight = std::max(cellsHeight, lineHeight);
                continue;
            }
            const int inset = hAlign == taCenter ? 0 : letterWidth;
            AnsiString rest = text;
            const int lines = LinesInText(rest, multiline);
            for (int k = 0; k < lines; ++k) {
                AnsiString line = GetNextLine(rest, multiline);
                if (grid.URLShow && !grid.URLFull)
                    StripURLProtocol(line);
                if (!line.IsEmpty() || lines > 1)
                    need = std::max(need, canvas.TextWidth(line) + inset + graphicWidth);
            }
            cellsHeight = std::max(cellsHeight, lineHeight * lines);
            // Spaced lines may need more than their heights, one line too: unless they fit, the
            // row's own measuring lays them out.
            known =
                known && (settings.RowSpacing == 0 || HeightHolding(lines * PlainLinePitch()) <= cellsHeight);
        }
        if (known && height > 0 && fixedHeight <= height)
            sweptHeights[static_cast<std::size_t>(r)] = height;
    }
    fontScale = scale;
}

int TPrintPass::WidestWord(const AnsiString& text) const {
    // Word-wrapped text breaks at blanks and at line breaks only.
    int widest = 0;
    std::string_view rest = text.view();
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find_first_of(" \r\n"), rest.size());
        if (end > 0)
            widest = std::max(widest, canvas.TextWidth(AnsiString(rest.substr(0, end))));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return widest;
}

void TPrintPass::UsePrintFont() {
    canvas.Font.Assign(settings.Font);
    canvas.Font.SetSize(pointSize);
    MapFont(canvas.Font);
}

void TPrintPass::UseCellFont(int realCol, int row, TAlignment& hAlign, TVAlignment& vAlign) {
    TGridDrawState state = 0;
    bool wordWrap = false;
    canvas.Font.Assign(settings.Font);
    canvas.Font.SetSize(pointSize);
    grid.GetVisualProperties(realCol, row, state, true, false, &canvas.Brush, &canvas.Font, hAlign, vAlign,
                             wordWrap);
    MapFont(canvas.Font);
}

AnsiString TPrintPass::CellText(int realCol, int row) const {
    // A data check box shows its text as the box alone.
    if (grid.cells.Object(realCol, row) && grid.HasDataCheckBox(realCol, row))
        return {};
    AnsiString text = grid.GetCellEx(realCol, row);
    // A formula is known by its first character, whatever else the text holds.
    if (TextType(text, false) == ttFormula)
        grid.CalcCell(realCol, row, text);
    return text;
}

AnsiString TPrintPass::ShownText(const AnsiString& text) const {
    if (TextType(text, false) != ttRTF)
        return text;
    // The paragraphs as lines, without the empty one the closing paragraph mark leaves.
    QString shown = grid.richCells->Document(text).toPlainText();
    while (shown.endsWith(QChar('\n')))
        shown.chop(1);
    return shown.replace(QChar('\n'), QStringLiteral("\r\n")).toStdString();
}

int TPrintPass::DisplaySpan(int displayCol, int realCol, int row) const {
    const int right = grid.FullCell(realCol, row).Right;
    int end = stripEnds.empty() ? grid.GetColCount() - 1 : stripEnds[static_cast<std::size_t>(displayCol)];
    if (partEnd >= 0)
        end = std::min(end, partEnd);
    int span = 0;
    while (displayCol + span + 1 <= end && grid.RemapCol(displayCol + span + 1) <= right)
        ++span;
    return span;
}

void TPrintPass::ForEachBlockLayout(int displayCol, const TRect& block,
                                    const std::function<void()>& measure) {
    // Left of the range a fixed column prints only again, left of later strips.
    const bool own = displayCol >= range.Left;
    if (own)
        measure();
    const int fixedCols = grid.GetFixedCols();
    if (!fixedRepeated || displayCol >= fixedCols ||
        (own && DisplaySpan(displayCol, block.Left, block.Top) < fixedCols - displayCol))
        return;
    partEnd = fixedCols - 1;
    if (FirstPrintedColumn(displayCol, block))
        measure();
    partEnd = -1;
}

int TPrintPass::FirstPrintedRow(int row, const TRect& block) const {
    // Fixed rows repeated above the range print as they are.
    return block.Top < range.Top && row >= range.Top ? range.Top : block.Top;
}

bool TPrintPass::FirstPrintedColumn(int displayCol, const TRect& block) const {
    // The fixed columns printed again begin at the first of them, the range's own at its left.
    const int start = displayCol < range.Left || partEnd >= 0 ? 0 : range.Left;
    return displayCol <= start || grid.RemapCol(displayCol - 1) < block.Left;
}

int TPrintPass::SpanWidth(int displayCol, int spanCols) const {
    int width = 0;
    for (int c = displayCol; c <= displayCol + spanCols && c < static_cast<int>(widths.size()); ++c)
        width += widths[static_cast<std::size_t>(c)] + spacing;
    return width;
}

int TPrintPass::WrapWidth(int displayCol, int spanCols) const {
    return SpanWidth(displayCol, spanCols) - RoundEven(2 * screenFactor);
}

TPoint TPrintPass::CellPrintSize(int realCol, int displayCol, int row, bool withHeight) {
    AnsiString text = CellText(realCol, row);
    // The canvas keeps the cell's font: whatever draws next sets its own.
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    UseCellFont(realCol, row, hAlign, vAlign);
    const bool wrapped = grid.WordWrap && settings.NoAutoSize;
    const int room = WrapWidth(displayCol, DisplaySpan(displayCol, realCol, row));
    // Most cells fit on one line: measuring them whole is far cheaper than breaking them.
    const bool oneLine = wrapped && TextType(text, grid.EnableHTML) == ttText &&
                         text.view().find_first_of("\r\n\t") == std::string_view::npos &&
                         canvas.TextWidth(text) <= room;
    // The lines as they print, at the widths once they are known: the row holds them.
    double extent = 0;
    if (withHeight && !oneLine) {
        for (const TLineSpan& line : CellLines(realCol, displayCol, row, vAlign))
            extent = std::max(extent, line.Bottom);
    }
    if (TextType(text, grid.EnableHTML) == ttHTML)
        return Point(HTMLPrintSize(text, 0).x, static_cast<int>(std::ceil(extent)));
    const bool multiline = grid.Multilinecells || TextType(text, false) == ttRTF;
    text = ShownText(text);
    if (text.IsEmpty())
        text = "gh";
    TPoint size;
    const int lineHeight = canvas.TextHeight("gh");
    if (!wrapped) {
        const int lines = LinesInText(text, multiline);
        for (int i = 0; i < lines; ++i) {
            AnsiString line = GetNextLine(text, multiline);
            if (grid.URLShow && !grid.URLFull)
                StripURLProtocol(line);
            size.x = std::max(size.x, canvas.TextWidth(line));
        }
        size.y = lineHeight * lines;
    } else {
        size.x = widths[static_cast<std::size_t>(displayCol)];
        if (oneLine) {
            size.y = lineHeight;
        } else if (withHeight) {
            TRect area = Rect(0, 0, room, 0);
            size.y = canvas.DrawText(text, area, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        }
    }
    size.y = std::max(size.y, HeightHolding(extent));
    const TPoint graphic = PrintedGraphicSize(realCol, row, nullptr);
    if (!wrapped)
        size.x += graphic.x;
    return Point(std::max(size.x, graphic.x), std::max(size.y, graphic.y));
}

int TPrintPass::PrintRowHeight(int row) {
    if (row == cachedRow)
        return cachedHeight;
    int& kept = this->kept.RowHeights[static_cast<std::size_t>(row)];
    int height = 0;
    if (settings.UseFixedHeight) {
        height = settings.FixedHeight;
    } else if (grid.OnPrintSetRowHeight) {
        height = settings.FixedHeight;
        grid.OnPrintSetRowHeight(&grid, row, height);
    } else if (keeping && kept >= 0) {
        height = kept;
    } else if (!sweptHeights.empty() && sweptHeights[static_cast<std::size_t>(row)] >= 0) {
        height = sweptHeights[static_cast<std::size_t>(row)];
        kept = height;
    } else {
        const double scale = std::exchange(fontScale, fitScale);
        int last = 0;
        for (const int c : RowColumns()) {
            const int realCol = grid.RemapCol(c);
            // A merged cell's text is measured over its block, its height shared by the rows
            // the block spans; the columns it covers beside its first have none of their own.
            const TRect block = grid.FullCell(realCol, row);
            if (!FirstPrintedColumn(c, block))
                continue;
            const int rows =
                std::max(1, std::min(block.Bottom, range.Bottom) - FirstPrintedRow(row, block) + 1);
            // The row holds the block as every strip lays it out.
            int size = 0;
            ForEachBlockLayout(c, block,
                               [&] { size = std::max(size, CellPrintSize(block.Left, c, block.Top).y); });
            // Each page end between a block's rows may move its text down by up to a line.
            const int extent = size + (rows - 1) * PlainLinePitch();
            last = (extent + rows - 1) / rows;
            height = std::max(height, last);
        }
        if (height == 0)
            height = last;
        fontScale = scale;
        kept = height;
    }
    cachedRow = row;
    cachedHeight = height;
    return height;
}

int TPrintPass::DrawnRowHeight(int row) {
    const int h = PrintRowHeight(row);
    return 2 * gap + h + h / 8 + settings.RowSpacing;
}
