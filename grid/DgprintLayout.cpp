// The page builder's layout: the pass's set-up, the strips of columns and the pages of rows.
#include "grid/Dgprint.h"

#include "framework/Printer.h"
#include "grid/Datagrid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <typeinfo>
#include <utility>

namespace {

bool TopPosition(TPrintPosition position) {
    return position == ppTopLeft || position == ppTopRight || position == ppTopCenter;
}

bool BottomPosition(TPrintPosition position) {
    return position == ppBottomLeft || position == ppBottomRight || position == ppBottomCenter;
}

bool AnyAt(const TPrintSettings& settings, bool (*at)(TPrintPosition)) {
    return at(settings.Time) || at(settings.Date) || at(settings.PageNr) || at(settings.Title);
}

// The part of a range that lies inside the grid.
TGridRect InsideGrid(const TGridRect& range, const TDataGrid& grid) {
    return {std::max(range.Left, 0), std::max(range.Top, 0), std::min(range.Right, grid.GetColCount() - 1),
            std::min(range.Bottom, grid.GetRowCount() - 1)};
}

void AddFont(std::string& key, const TFont& font) {
    key += font.Name.str() + '|' + std::to_string(font.Size) + '|' + std::to_string(font.GetHeight()) + '|' +
           std::to_string(font.Style) + '|';
}

} // namespace

TPrintPass::TPrintPass(TDataGrid& grid, TCanvas& canvas, TPrintMethod method, int pages)
    : grid(grid), canvas(canvas), method(method),
      onWhite(method == prPreview || (method == prPrint && &canvas == Printer()->Canvas)), pages(pages),
      settings(*grid.PrintSettings), range(InsideGrid(grid.printRange, grid)), widths(grid.printColWidths),
      edges(grid.printColOffsets), kept(grid.printLayout) {}

void TPrintPass::PublishLayout() const {
    std::copy(widths.begin(), widths.end(), grid.printColWidths.begin());
    std::copy(edges.begin(), edges.end(), grid.printColOffsets.begin());
}

int TPrintPass::Run() {
    SetUp();
    if (range.Left > range.Right)
        return 0;
    // The pages are drawn as one run of drawings, a sheet at a time.
    std::optional<ScopedCanvasDrawing> drawing;
    if (Drawing())
        drawing.emplace(canvas);
    PrintColumnWidths();
    NoteStrips();
    int first = range.Left;
    // Counted before: the strips are placed, their pages known.
    if (keepingPages && kept.PageCount >= 0 && !Drawing()) {
        while (first <= range.Right)
            first = PlaceStrip(first) + 1;
        return kept.PageCount;
    }
    // A drawing goes on from the start of the last page kept at or before its first page shown.
    std::optional<TPageStart> from;
    if (keepingPages && Drawing() && grid.FromPage > 1 && !kept.Pages.empty()) {
        from = kept.Pages[static_cast<std::size_t>(
            std::min(grid.FromPage, static_cast<int>(kept.Pages.size())) - 1)];
        first = from->First;
        stripNumber = from->Strip - 1;
        pageIndex = std::min(grid.FromPage, static_cast<int>(kept.Pages.size())) - 1;
        split = from->Split;
    }
    while (first <= range.Right) {
        const int last = PlaceStrip(first);
        // The page gone on from is announced as the close of the one before would have.
        if (from) {
            pageInStrip = from->PageInStrip;
            if (pageIndex > 0 && PageInRange(pageIndex + 1) && grid.OnPrintPage)
                grid.OnPrintPage(&grid, &canvas, pageIndex + 1, W, H);
        }
        // A page closed at the strip's last row has already made way for the next.
        if (!LayOutRows(first, last, from ? &*from : nullptr)) {
            DrawPageLines(first, last, lastY);
            if (last < range.Right)
                StartNewPage();
            ++pageIndex;
        }
        from.reset();
        first = last + 1;
        if (PagesAfterShownLeftOut() && pageIndex >= grid.ToPage)
            return kept.PageCount;
    }
    if (keepingPages && !rowsSkipped)
        kept.PageCount = pageIndex;
    return pageIndex;
}

bool TPrintPass::PagesAfterShownLeftOut() const {
    return keepingPages && Drawing() && kept.PageCount >= 0;
}

void TPrintPass::NotePageStart(int next, int first, int row, int printed) {
    if (!keepingPages || !Drawing() || rowsSkipped || pageIndex + next != static_cast<int>(kept.Pages.size()))
        return;
    kept.Pages.push_back({first, stripNumber, pageInStrip + next, row, printed, split, blockCuts});
}

void TPrintPass::SetUp() {
    canvas.SetMapMode(MM_LOMETRIC);
    fontScale = 1;
    canvas.Pen = TPen{clBlack, settings.Borders == pbDouble ? 10 : 2, settings.BorderStyle, pmCopy};
    canvas.Font.Assign(settings.HeaderFont);
    MapFont(canvas.Font);
    headerTextHeight = canvas.TextHeight("gh");
    canvas.Font.Assign(settings.FooterFont);
    MapFont(canvas.Font);
    footerTextHeight = canvas.TextHeight("gh");
    canvas.Font.Assign(settings.Font);
    pointSize = settings.Font.Size;
    MapFont(canvas.Font);
    cellTextHeight = canvas.TextHeight("gh");
    gap = static_cast<std::int16_t>(cellTextHeight / 8);
    letterWidth = static_cast<std::int16_t>(canvas.TextWidth("a"));
    W = grid.pageRect.Right - grid.pageRect.Left;
    H = -(grid.pageRect.Bottom - grid.pageRect.Top);
    screenFactor = 254.0 / grid.ScreenPixelsPerInch();
    spacing = settings.NoAutoSize ? 0 : settings.ColumnSpacing + 20;
    const auto columns = static_cast<std::size_t>(std::max(range.Right + 2, grid.GetColCount() + 1));
    if (grid.printColWidths.size() < columns) {
        grid.printColWidths.resize(columns);
        grid.printColOffsets.resize(columns);
    }
    widths.resize(grid.printColWidths.size());
    edges.resize(grid.printColOffsets.size());
    fixedBefore = settings.RepeatFixedCols ? std::min(grid.GetFixedCols(), range.Left) : 0;
    measuredCols.clear();
    for (int c = 0; c < fixedBefore; ++c)
        measuredCols.push_back(c);
    for (int c = range.Left; c <= range.Right; ++c)
        measuredCols.push_back(c);
    fixedRowsBefore = settings.RepeatFixedRows ? std::min(grid.GetFixedRows(), range.Top) : 0;
    // Only a grid of this very class, whose cells' print colours no handler changes, is known to
    // print every cell in the print font.
    uniformFont = typeid(grid) == typeid(TDataGrid) && !grid.OnGetCellPrintColor;
    // A layout is kept only while nothing that may change it from one pass to the next, unseen,
    // has a say.
    keeping = !grid.OnPrintSetColumnWidth && !grid.OnPrintSetRowHeight && !grid.OnGetDisplText &&
              !grid.OnGetCellPrintColor && !grid.OnGetAlignment &&
              !(settings.FitToPage == fpCustom && grid.OnFitToPage);
    keepingPages = keeping && !grid.OnPrintNewPage && !grid.OnPrintPageDone;
    const std::string key = LayoutKey();
    if (!keeping || key != kept.Key) {
        kept = TPrintLayout{};
        kept.Key = keeping ? key : std::string();
    }
    kept.RowHeights.resize(static_cast<std::size_t>(grid.GetRowCount()), -1);
}

std::string TPrintPass::LayoutKey() const {
    std::string key = std::to_string(grid.ContentGeneration()) + '|' + std::to_string(W) + '|' +
                      std::to_string(H) + '|' + std::to_string(range.Left) + '|' + std::to_string(range.Top) +
                      '|' + std::to_string(range.Right) + '|' + std::to_string(range.Bottom) + '|' +
                      std::to_string(grid.GetFixedRows()) + '|' + std::to_string(grid.GetFixedCols()) + '|' +
                      std::to_string(grid.WordWrap) + std::to_string(grid.Multilinecells) +
                      std::to_string(grid.URLShow) + std::to_string(grid.URLFull) +
                      std::to_string(grid.EnableHTML) + std::to_string(grid.VAlignment) + '|' +
                      std::to_string(screenFactor) + '|';
    for (const int c : measuredCols)
        key += std::to_string(grid.RemapCol(c)) + ':' + std::to_string(grid.GetColWidths(c)) + ',';
    for (const TFont* font : {&settings.Font, &settings.HeaderFont, &settings.FooterFont})
        AddFont(key, *font);
    for (const int value :
         {int(settings.Time),           int(settings.Date),          int(settings.PageNr),
          int(settings.Title),          settings.TitleLines.Count(), settings.FooterSize,
          settings.HeaderSize,          settings.LeftSize,           settings.RightSize,
          settings.ColumnSpacing,       settings.RowSpacing,         settings.TitleSpacing,
          settings.FixedHeight,         settings.FixedWidth,         int(settings.UseFixedHeight),
          int(settings.UseFixedWidth),  int(settings.FitToPage),     int(settings.NoAutoSize),
          int(settings.PrintGraphics),  int(settings.Centered),      int(settings.RepeatFixedRows),
          int(settings.RepeatFixedCols)})
        key += std::to_string(value) + ',';
    return key;
}

TPrintPass::TStrip TPrintPass::StripFrom(int first) const {
    const int fixedCols = grid.GetFixedCols();
    TStrip strip;
    for (int c = 0; c < fixedCols; ++c)
        strip.FixedWidth += widths[static_cast<std::size_t>(c)] + spacing;
    // The fixed columns stand again only left of a strip of other columns, and only when they leave
    // its first column room on the sheet: else that strip would be pushed off the sheet.
    strip.Repeat =
        first > range.Left && first >= fixedCols && fixedCols > 0 && settings.RepeatFixedCols &&
        strip.FixedWidth + widths[static_cast<std::size_t>(first)] + spacing <= W - settings.RightSize;
    if (!strip.Repeat)
        strip.FixedWidth = 0;
    int x = strip.FixedWidth;
    strip.Last = first;
    for (int c = first; c <= range.Right; ++c) {
        const int width = widths[static_cast<std::size_t>(c)] + spacing;
        if (c > first && x + width > W - settings.RightSize)
            break;
        x += width;
        strip.Last = c;
    }
    return strip;
}

void TPrintPass::NoteStrips() {
    stripEnds.assign(widths.size(), -1);
    // Left of the range, the fixed columns print only again, as far as the last of them.
    std::fill(stripEnds.begin(), stripEnds.begin() + fixedBefore, grid.GetFixedCols() - 1);
    fixedRepeated = false;
    for (int first = range.Left; first <= range.Right;) {
        const TStrip strip = StripFrom(first);
        std::fill(stripEnds.begin() + first, stripEnds.begin() + strip.Last + 1, strip.Last);
        fixedRepeated = fixedRepeated || strip.Repeat;
        first = strip.Last + 1;
    }
}

int TPrintPass::PlaceStrip(int first) {
    ++stripNumber;
    pageInStrip = 0;
    const int fixedCols = grid.GetFixedCols();
    const TStrip strip = StripFrom(first);
    repeatColumns = strip.Repeat;
    fixedWidth = strip.FixedWidth;
    const int last = strip.Last;
    split = split || last < range.Right;
    int used = fixedWidth;
    for (int c = first; c <= last; ++c)
        used += widths[static_cast<std::size_t>(c)] + spacing;

    auto edge = [this](int c) -> int& { return edges[static_cast<std::size_t>(c)]; };
    auto width = [this](int c) { return widths[static_cast<std::size_t>(c)] + spacing; };
    const int start = settings.Centered ? 0 : settings.LeftSize;
    edge(first) = start;
    edge(0) = start;
    for (int c = first; c <= last; ++c)
        edge(c + 1) = edge(c) + width(c);
    if (repeatColumns)
        for (int i = 1; i < fixedCols; ++i)
            edge(i) = edge(i - 1) + width(i - 1);
    if (settings.Centered && used < W) {
        const int offset = (W - used) / 2;
        for (int c = first; c <= last + 1; ++c)
            edge(c) += offset;
        if (repeatColumns)
            for (int c = 0; c <= fixedCols; ++c)
                edge(c) += offset;
    }
    for (int c = first; c <= last + 1; ++c)
        edge(c) += fixedWidth;
    // The fixed columns printed again end where the strip's own begin, whatever lies between.
    if (repeatColumns)
        edge(fixedCols) = edge(first);
    PublishLayout();

    const int titleExtra = settings.TitleLines.Count() > 0 ? (settings.TitleLines.Count() - 1) : 0;
    headerHeight = AnyAt(settings, TopPosition)
                       ? gap + headerTextHeight + settings.HeaderSize +
                             (TopPosition(settings.Title) ? titleExtra * headerTextHeight : 0)
                       : settings.HeaderSize;
    footerHeight = AnyAt(settings, BottomPosition)
                       ? 2 * (gap + footerTextHeight) + settings.FooterSize +
                             (BottomPosition(settings.Title) ? titleExtra * footerTextHeight : 0)
                       : gap + footerTextHeight + settings.FooterSize;
    if (Drawing() && pageIndex == 0 && PageInRange(1) && grid.OnPrintPage)
        grid.OnPrintPage(&grid, &canvas, 1, W, H);
    return last;
}

bool TPrintPass::LayOutRows(int first, int last, const TPageStart* from) {
    int rowsOnPage = 0;
    int closedAt = -1;
    int y = 0;
    // How much of the row at hand the pages before took: a row higher than a page goes on over
    // the next ones.
    int printed = from ? from->Printed : 0;
    const int fixedRows = grid.GetFixedRows();
    blockCuts = from ? from->BlockCuts : std::map<std::pair<int, int>, int>{};
    for (int row = from ? from->Row : range.Top; row <= range.Bottom;) {
        if (rowsOnPage == 0) {
            NotePageStart(0, first, row, printed);
            y = -headerHeight;
            DrawHeaderFooter();
            y -= settings.TitleSpacing;
            if (RepeatFixedRows(row, y))
                for (int f = 0; f < fixedRows; ++f)
                    y -= DrawRow(y, first, last, f);
            pageFirstRow = row;
        }
        const int rest = DrawnRowHeight(row) - printed;
        const int room = y - (H + footerHeight);
        // A row goes over pages only where it would not fit on an empty page as pages are
        // filled: its measured height against the room, or its lines past the sheet's edge.
        if (rowsOnPage == 0 && (printed > 0 ? rest > room : RunsOver(y, row))) {
            const int part = PagePart(row, printed, room);
            DrawRowPart(y, first, last, row, printed, part);
            printed += part;
            y -= part;
            if (Drawing() && grid.OnPrintPageDone) {
                DrawCellLines();
                grid.OnPrintPageDone(&grid, &canvas, row, y, pageIndex, W, H);
            }
            closedAt = row;
            if (ClosePage(first, last, y, row, printed))
                return false;
            continue;
        }
        if (printed > 0)
            DrawRowPart(y, first, last, row, printed, rest);
        else
            DrawRow(y, first, last, row);
        y -= rest;
        printed = 0;
        ++row;
        ++rowsOnPage;
        bool newPage = false;
        if (grid.OnPrintNewPage)
            grid.OnPrintNewPage(&grid, row, newPage);
        const bool remain = row <= range.Bottom;
        const bool full = remain && RunsOver(y, row);
        if (Drawing() && (full || !remain || newPage) && grid.OnPrintPageDone) {
            DrawCellLines();
            grid.OnPrintPageDone(&grid, &canvas, row, y, pageIndex, W, H);
        }
        if (full || newPage) {
            rowsOnPage = 0;
            closedAt = row;
            if (ClosePage(first, last, y, row, 0))
                return false;
        }
    }
    lastY = y;
    return closedAt == range.Bottom + 1;
}

bool TPrintPass::RunsOver(int y, int row) {
    return y - PrintRowHeight(row) < H + footerHeight || y - DrawnRowHeight(row) < H;
}

bool TPrintPass::ClosePage(int first, int last, int y, int row, int printed) {
    DrawPageLines(first, last, y);
    if (row <= range.Bottom)
        NotePageStart(1, first, row, printed);
    StartNewPage();
    rowsSkipped = rowsSkipped || (grid.FastPreview && grid.FromPage < pageIndex);
    const bool skipRest = rowsSkipped || (PagesAfterShownLeftOut() && pageIndex + 1 >= grid.ToPage);
    ++pageIndex;
    ++pageInStrip;
    lastY = y;
    return skipRest;
}

int TPrintPass::DrawRow(int y, int first, int last, int row) {
    if (repeatColumns) {
        partEnd = grid.GetFixedCols() - 1;
        DrawPrintRow(y, 0, partEnd, row);
        partEnd = -1;
    }
    return DrawPrintRow(y, first, last, row);
}

void TPrintPass::DrawRowPart(int y, int first, int last, int row, int printed, int part) {
    band = TBand{y, y - part};
    DrawRow(y + printed, first, last, row);
    band.reset();
}

int TPrintPass::PagePart(int row, int printed, int room) {
    // Not across a line of any cell over the row, blocks of rows too: the page ends at the top of
    // the line it would cut, to within a tenth.
    int cut = printed + room;
    const std::vector<TLineSpan> spans = RowLines(row);
    for (bool moved = !spans.empty(); moved;) {
        moved = false;
        for (const TLineSpan& span : spans)
            if (span.Top < cut && cut < span.Bottom - 1) {
                cut = static_cast<int>(std::floor(span.Top));
                moved = true;
            }
    }
    if (cut > printed)
        return cut - printed;
    // A page without room for a line still takes one, so that the row comes to an end.
    return std::max(room, static_cast<int>(std::ceil(LinePitch())));
}

bool TPrintPass::RepeatFixedRows(int row, int y) {
    const int fixedRows = grid.GetFixedRows();
    // A page that begins inside the fixed rows prints them as they come, not twice.
    if (!settings.RepeatFixedRows || fixedRows == 0 || row < fixedRows ||
        (pageIndex == 0 && fixedRows > range.Top))
        return false;
    // Fixed rows that leave the page's own first row no room would push every row off the sheet.
    int below = y;
    for (int f = 0; f < fixedRows; ++f)
        below -= DrawnRowHeight(f);
    if (below - PrintRowHeight(row) >= H + footerHeight)
        return true;
    // A row higher than a page goes on over pages in any case: the fixed rows head each of its
    // pages while they leave it room for a line.
    return RunsOver(y, row) && below - LinePitch() >= H + footerHeight;
}

int TPrintPass::Edge(int displayCol) const {
    return edges[static_cast<std::size_t>(displayCol)];
}
