// The page builder's drawers: headers and footers, rows of cells with their text and borders,
// the page's own lines and the change to a new sheet.
#include "grid/Dgprint.h"

#include "framework/DateTime.h"
#include "framework/NumberFormat.h"
#include "framework/Printer.h"
#include "grid/Datagrid.h"
#include "grid/Gridutil.h"
#include "grid/RichCells.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace {

bool LeftPosition(TPrintPosition position) {
    return position == ppTopLeft || position == ppBottomLeft;
}

bool TopPosition(TPrintPosition position) {
    return position == ppTopLeft || position == ppTopRight || position == ppTopCenter;
}

// Into the string of its position: in front at the left, after it at the right or centre.
void Put(THeaderStrings& strings, TPrintPosition position, const AnsiString& item) {
    if (position == ppNone)
        return;
    AnsiString& string = strings[static_cast<std::size_t>(position - ppTopLeft)];
    string = LeftPosition(position) ? item + " " + string : string + " " + item;
}

unsigned AlignmentFlag(TAlignment alignment) {
    return alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
}

} // namespace

AnsiString PageNumberText(bool split, int pageInStrip, int strip, int pageIndex, int total,
                          const AnsiString& separator) {
    if (split)
        return IntToStr(pageInStrip + 1) + "-" + IntToStr(strip);
    if (!separator.IsEmpty() && total > 1)
        return IntToStr(pageIndex + 1) + separator + IntToStr(total);
    return IntToStr(pageIndex + 1);
}

THeaderStrings HeaderStrings(const TPrintSettings& settings, const AnsiString& time, const AnsiString& date,
                             const AnsiString& pageNumber, bool htmlTitle) {
    THeaderStrings strings;
    Put(strings, settings.Time, time);
    Put(strings, settings.Date, date);
    Put(strings, settings.PageNr, settings.PagePrefix + " " + pageNumber + " " + settings.PageSuffix);
    if (!settings.TitleText.IsEmpty())
        Put(strings, settings.Title, settings.TitleText);
    else if (settings.TitleLines.Count() > 0 && !htmlTitle)
        Put(strings, settings.Title, settings.TitleLines[0]);
    return strings;
}

TCellBorders CellBordersOf(TPrintBorders borders) {
    switch (borders) {
    case pbSingle:
    case pbDouble:
        return cbTop | cbLeft | cbRight | cbBottom;
    case pbHorizontal:
    case pbAroundHorizontal:
        return cbTop | cbBottom;
    case pbVertical:
    case pbAroundVertical:
        return cbLeft | cbRight;
    default:
        return 0;
    }
}

// Halves are taken with their sign, so a text lower than its rectangle is still centred on it.
void PlaceRotatedText(TRect& R, TAlignment hAlign, TVAlignment vAlign, int e1, int e2, int e3, int e4,
                      int angle) {
    const int quadrant = angle < 91 ? 1 : angle < 181 ? 2 : angle < 271 ? 3 : 4;
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    const int middle = T - (T - B + e1 + e2) / 2;
    int left = L;
    int top = T;
    switch (quadrant) {
    case 1:
        left = hAlign == taLeftJustify    ? L
               : hAlign == taRightJustify ? Rt - e4 - e3
                                          : L + (Rt - L - e3 - e4) / 2;
        top = vAlign == vtaTop ? T + e2 : vAlign == vtaCenter ? middle + e2 : B - e1;
        break;
    case 2:
        left = hAlign == taLeftJustify    ? L + e4
               : hAlign == taRightJustify ? Rt - e3
                                          : Rt - (Rt - L + e3 - e4) / 2;
        top = vAlign == vtaTop ? T + e2 + e1 : vAlign == vtaCenter ? middle + e2 + e1 : B;
        break;
    case 3:
        left = hAlign == taLeftJustify    ? L + e3 + e4
               : hAlign == taRightJustify ? Rt
                                          : Rt - (Rt - L - e3 - e4) / 2;
        top = vAlign == vtaTop ? T + e1 : vAlign == vtaCenter ? middle + e1 : B - e2;
        break;
    default:
        left = hAlign == taLeftJustify    ? L + e3
               : hAlign == taRightJustify ? Rt - e4
                                          : L + (Rt - L + e3 - e4) / 2;
        top = vAlign == vtaTop ? T : vAlign == vtaCenter ? middle : B - e1 - e2;
        break;
    }
    R.Left = left;
    R.Top = top;
}

bool TPrintPass::PageInRange(int pageNumber) const {
    return pageNumber >= grid.FromPage && pageNumber <= grid.ToPage;
}

void TPrintPass::DrawHeaderFooter() {
    if (!Drawing() || !PageInRange(pageIndex + 1))
        return;
    const TDateTime now = Now();
    // Title lines that hold HTML print as one formatted text in the header or footer margin.
    AnsiString htmlTitle;
    if (settings.TitleText.IsEmpty() && settings.Title != ppNone &&
        TextType(StringListToText(settings.TitleLines), grid.EnableHTML) == ttHTML)
        htmlTitle = StringListToText(settings.TitleLines);
    const THeaderStrings strings =
        HeaderStrings(settings, FormatDateTime("hh:nn", now), FormatDateTime(settings.DateFormat, now),
                      PageNumberText(split, pageInStrip, stripNumber, pageIndex, pages, settings.PageNumSep),
                      !htmlTitle.IsEmpty());
    const TFont saved = canvas.Font;
    const TBrushStyle brush = canvas.Brush.Style;
    canvas.Brush.Style = bsClear;
    // The extra title lines stand under the first, at the x their position gives.
    std::vector<AnsiString> titleLines;
    if (settings.TitleText.IsEmpty() && htmlTitle.IsEmpty())
        for (int i = 1; i < settings.TitleLines.Count(); ++i)
            titleLines.push_back(settings.TitleLines[i]);
    auto drawBand = [&](const TFont& font, bool top, int firstTop) {
        canvas.Font.Assign(font);
        canvas.Font.SetHeight(MapFontHeight(canvas.Font.Size, 1));
        const int lineHeight = canvas.TextHeight("gh");
        auto x = [&](int position, const AnsiString& text) {
            const int width = canvas.TextWidth(text);
            const int column = position % 3;
            return column == 0   ? settings.LeftSize
                   : column == 1 ? W - width - 20 - settings.RightSize
                                 : (W - width) / 2;
        };
        for (int i = 0; i < 3; ++i) {
            const AnsiString& text = strings[static_cast<std::size_t>((top ? 0 : 3) + i)];
            if (!text.IsEmpty())
                canvas.TextOut(x(i, text), firstTop, text);
        }
        if (settings.Title == ppNone || TopPosition(settings.Title) != top)
            return;
        const int position = settings.Title - (top ? ppTopLeft : ppBottomLeft);
        for (std::size_t k = 0; k < titleLines.size(); ++k)
            canvas.TextOut(x(position, titleLines[k]), firstTop - static_cast<int>(k + 1) * lineHeight,
                           titleLines[k]);
    };
    drawBand(settings.HeaderFont, true, -settings.HeaderSize);
    drawBand(settings.FooterFont, false, H + footerTextHeight + gap + settings.FooterSize);
    if (!htmlTitle.IsEmpty()) {
        canvas.Font.Assign(settings.HeaderFont);
        const double scale = std::exchange(fontScale, 1.0);
        MapFont(canvas.Font);
        DrawHTMLText(htmlTitle, TopPosition(settings.Title)
                                    ? Rect(settings.LeftSize, 0, W, -settings.HeaderSize)
                                    : Rect(settings.LeftSize, H + settings.FooterSize, W, H));
        fontScale = scale;
    }
    canvas.Font = saved;
    canvas.Brush.Style = brush;
}

int TPrintPass::DrawPrintRow(int y, int first, int last, int row) {
    fontScale = fitScale;
    const int drawn = DrawnRowHeight(row);
    // A page left out still cuts its blocks of rows where the pages after go on from.
    const bool shown = PageInRange(pageIndex + 1);
    if (!Drawing()) {
        fontScale = 1;
        return drawn;
    }
    // Every cell sets the font and brush it prints with; the row leaves them as it found them.
    const TFont savedFont = canvas.Font;
    const TBrush savedBrush = canvas.Brush;
    // The part of a row higher than the page that this page prints, if it is one.
    const std::optional<TBand> rowPart = band;
    if (rowPart && shown)
        canvas.SelectClipRect(Rect(0, rowPart->Top, W, rowPart->Bottom));
    for (int c = first; c <= last; ++c) {
        const int realCol = grid.RemapCol(c);
        // A page left out only cuts blocks, and a cell without an object lies in none.
        if (!shown && !grid.cells.Object(realCol, row))
            continue;
        const TRect block = grid.FullCell(realCol, row);
        if (!FirstPrintedColumn(c, block))
            continue;
        const int top = FirstPrintedRow(row, block);
        const int bottom = std::min(block.Bottom, range.Bottom);
        // A block goes on at the top of a page from the one before, or in each part of a row of
        // it higher than a page.
        const bool continued = row != top && row <= bottom && (rowPart || row == pageFirstRow);
        if (row != top && !continued)
            continue;
        const int width = SpanWidth(c, DisplaySpan(c, block.Left, block.Top));
        // A block of several rows is as high as they are, its rows on pages before above it.
        int above = 0;
        for (int r = top; r < row; ++r)
            above += DrawnRowHeight(r);
        int height = above + drawn;
        for (int r = row + 1; r <= bottom; ++r)
            height += DrawnRowHeight(r);
        const TRect cell = Rect(Edge(c), y + above, Edge(c) + width, y + above - height);
        // A white cell before this one left its brush clear.
        canvas.Brush.Style = savedBrush.Style;
        TRect text = cell;
        int rowsEnd = 0;
        // Where the block's part on the page ends: where the page cuts a row higher than it, else
        // where its rows on the page end, between its lines.
        const bool blockPart = continued || height > drawn;
        const bool rowEnds = !rowPart || rowPart->Bottom <= y - drawn;
        if (blockPart && rowEnds)
            band = BlockPart(rowPart ? rowPart->Top : y, y, row, bottom, continued || rowPart, c, block, text,
                             rowsEnd);
        else if (blockPart)
            MoveBlockText(block, text);
        if (shown) {
            if (band)
                canvas.SelectClipRect(Rect(0, band->Top, W, band->Bottom));
            DrawCellText(block.Left, c, block.Top, text, last);
            // The block's edges run down to its rows' end, where its text's part may end higher.
            if (blockPart && rowEnds && band)
                band->Bottom = rowsEnd;
            DrawCellBorders(block.Left, block.Top, cell, drawn, last);
            if (band != rowPart && rowPart)
                canvas.SelectClipRect(Rect(0, rowPart->Top, W, rowPart->Bottom));
            else if (band && !rowPart)
                canvas.RemoveClip();
        }
        band = rowPart;
    }
    if (rowPart && shown)
        canvas.RemoveClip();
    canvas.Font = savedFont;
    canvas.Brush = savedBrush;
    fontScale = 1;
    return drawn;
}

void TPrintPass::DrawCellText(int realCol, int displayCol, int row, const TRect& whole, int last) {
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    UseCellFont(realCol, row, hAlign, vAlign);
    if (onWhite && canvas.Brush.Style == bsSolid) {
        if (canvas.Brush.Color != whiteAsked) {
            whiteAsked = canvas.Brush.Color;
            white = ToQColor(whiteAsked) == QColor(Qt::white);
        }
        if (white)
            canvas.Brush.Style = bsClear;
    }
    AnsiString text = CellText(realCol, row);
    // Cut at the page's last column, as far as one line or wrapped text goes.
    TRect cut = whole;
    cut.Right = std::min(cut.Right, Edge(last + 1));
    if (TextType(text, false) == ttRTF) {
        if (canvas.Brush.Style != bsClear)
            canvas.FillRect(cut);
        // A part of a row higher than the page draws its own lines alone.
        if (band)
            grid.richCells->Paint(canvas, text, cut, canvas.Font, std::make_pair(band->Top, band->Bottom));
        else
            grid.RTFPaint(realCol, row, &canvas, cut);
        return;
    }
    if (TextType(text, grid.EnableHTML) == ttHTML) {
        if (canvas.Brush.Style != bsClear)
            canvas.TextRect(cut, cut.Left, cut.Top, "");
        DrawHTMLText(text, Rect(cut.Left + letterWidth, cut.Top, cut.Right, cut.Bottom));
        return;
    }

    // The lines of a part of a row fill the cell only from themselves down.
    if (band && canvas.Brush.Style != bsClear)
        canvas.FillRect(cut);
    // A graphic stands beside plain text only; the text keeps clear of it.
    TRect cell = whole;
    const std::optional<TRect> graphic = PlacePrintedGraphic(realCol, row, whole, cell);
    const int spanCols = DisplaySpan(displayCol, realCol, row);
    if (!graphic) {
        DrawPlainText(text, displayCol, spanCols, cell, cut, hAlign, vAlign);
        return;
    }
    const TBrushStyle style = canvas.Brush.Style;
    if (style != bsClear)
        canvas.FillRect(cut);
    canvas.Brush.Style = bsClear;
    cut.Left = std::max(cut.Left, cell.Left);
    cut.Right = std::min(cut.Right, cell.Right);
    cut.Top = std::min(cut.Top, cell.Top);
    cut.Bottom = std::max(cut.Bottom, cell.Bottom);
    DrawPlainText(text, displayCol, spanCols, cell, cut, hAlign, vAlign);
    DrawPrintedGraphic(realCol, row, *graphic);
    canvas.Brush.Style = style;
}

void TPrintPass::DrawPlainText(AnsiString text, int displayCol, int spanCols, const TRect& cell,
                               const TRect& cut, TAlignment hAlign, TVAlignment vAlign) {
    if (grid.WordWrap && settings.NoAutoSize) {
        if (canvas.Brush.Style != bsClear)
            canvas.TextRect(cut, cut.Left, cut.Top, "");
        TRect room = cut;
        room.Left += static_cast<int>(std::nearbyint(2 * screenFactor));
        room.Right = std::min(cell.Right, room.Left + WrapWidth(displayCol, spanCols));
        const unsigned format =
            AlignmentFlag(hAlign) | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;
        if (!band) {
            canvas.DrawText(text, room, format);
            return;
        }
        // A part of a row higher than the page draws its own lines alone, from where they stand.
        const std::vector<AnsiString> lines = canvas.WrappedLines(text, room.Right - room.Left);
        const double pitch = WrappedLinePitch();
        std::size_t first = 0;
        while (first < lines.size() && !MiddleInBand(room.Top - first * pitch, pitch) &&
               room.Top - (first + 0.5) * pitch > band->Bottom)
            ++first;
        AnsiString part;
        std::size_t end = first;
        for (; end < lines.size() && MiddleInBand(room.Top - end * pitch, pitch); ++end)
            part += (end > first ? "\n" : "") + lines[end];
        if (end == first)
            return;
        room.Top -= RoundEven(first * pitch);
        canvas.DrawText(part, room, format);
    } else {
        const int lineHeight = PlainLinePitch();
        const int lines = LinesInText(text, grid.Multilinecells);
        const int drawnHeight = cell.Top - cell.Bottom;
        auto next = [&] {
            AnsiString line = GetNextLine(text, grid.Multilinecells);
            if (grid.URLShow && !grid.URLFull)
                StripURLProtocol(line);
            return line;
        };
        auto x = [&](const TRect& r, int width) {
            return hAlign == taRightJustify ? r.Right - width - letterWidth
                   : hAlign == taCenter     ? r.Left + (r.Right - r.Left - width) / 2
                                            : r.Left + letterWidth;
        };
        if (lines == 1) {
            const AnsiString line = next();
            const int width = canvas.TextWidth(line);
            TRect place = cell;
            PlaceRotatedText(place, hAlign, vAlign, -lineHeight, 0, 0, width, 0);
            if (InBand(place.Top))
                canvas.TextRect(cut, x(cell, width), place.Top, line);
        } else {
            int offset = vAlign == vtaCenter   ? (drawnHeight - lineHeight * lines) / 2
                         : vAlign == vtaBottom ? drawnHeight - lineHeight * lines
                                               : 0;
            int top = cell.Top;
            for (int i = 0; i < lines; ++i) {
                const AnsiString line = next();
                if (InBand(top - offset))
                    canvas.TextRect(Rect(cell.Left, top, cell.Right, cell.Bottom),
                                    x(cell, canvas.TextWidth(line)), top - offset, line);
                top -= offset + lineHeight;
                offset = 0;
            }
        }
    }
}

void TPrintPass::DrawCellBorders(int realCol, int row, TRect cell, int drawnHeight, int last) {
    TPen pen = canvas.Pen;
    TCellBorders borders = CellBordersOf(settings.Borders);
    grid.GetCellPrintBorder(realCol, row, &pen, borders);
    if (borders == 0)
        return;
    if (!band && cell.Bottom < H + settings.FooterSize) {
        cell.Bottom = cell.Top - drawnHeight;
        borders &= ~static_cast<unsigned>(cbBottom);
    }
    if (cell.Right > W)
        cell.Right = Edge(last + 1);
    // A part of a row higher than the page: its edges within the part, closed where the row is.
    if (band && cell.Top > band->Top) {
        cell.Top = band->Top;
        borders &= ~static_cast<unsigned>(cbTop);
    }
    if (band && cell.Bottom < band->Bottom) {
        cell.Bottom = band->Bottom;
        borders &= ~static_cast<unsigned>(cbBottom);
    }
    if (borders & cbLeft)
        cellLines.push_back({pen, cell.Left, cell.Top, cell.Left, cell.Bottom});
    if (borders & cbRight)
        cellLines.push_back({pen, cell.Right, cell.Top, cell.Right, cell.Bottom});
    if (borders & cbTop)
        cellLines.push_back({pen, cell.Left, cell.Top, cell.Right, cell.Top});
    if (borders & cbBottom)
        cellLines.push_back({pen, cell.Left, cell.Bottom, cell.Right, cell.Bottom});
}

void TPrintPass::DrawCellLines() {
    if (cellLines.empty())
        return;
    const TPen first = cellLines.front().Pen;
    auto samePen = [&first](const TCellLine& line) {
        return line.Pen.Color == first.Color && line.Pen.Width == first.Width &&
               line.Pen.Style == first.Style && line.Pen.Mode == first.Mode;
    };
    // Lines of one solid pen look the same drawn in any order and joined where they meet; a
    // dashed pen starts its pattern afresh and an exclusive-or pen undoes a line drawn twice.
    if (first.Style == psSolid && first.Mode == pmCopy &&
        std::all_of(cellLines.begin(), cellLines.end(), samePen)) {
        // The stretches of each vertical line (by x, from the top down) and of each horizontal
        // one (by y, from the left), joined where they meet or overlap.
        std::map<int, std::vector<std::pair<int, int>>> down;
        std::map<int, std::vector<std::pair<int, int>>> across;
        for (const TCellLine& line : cellLines) {
            if (line.X1 == line.X2)
                down[line.X1].emplace_back(-std::max(line.Y1, line.Y2), -std::min(line.Y1, line.Y2));
            else
                across[line.Y1].emplace_back(std::min(line.X1, line.X2), std::max(line.X1, line.X2));
        }
        std::vector<TCellLine> joined;
        auto join = [&joined](std::map<int, std::vector<std::pair<int, int>>>& lines, auto line) {
            for (auto& [at, stretches] : lines) {
                std::sort(stretches.begin(), stretches.end());
                std::pair<int, int> current = stretches.front();
                for (const std::pair<int, int>& stretch : stretches) {
                    if (stretch.first <= current.second) {
                        current.second = std::max(current.second, stretch.second);
                        continue;
                    }
                    joined.push_back(line(at, current));
                    current = stretch;
                }
                joined.push_back(line(at, current));
            }
        };
        join(down, [&first](int x, std::pair<int, int> stretch) {
            return TCellLine{first, x, -stretch.first, x, -stretch.second};
        });
        join(across, [&first](int y, std::pair<int, int> stretch) {
            return TCellLine{first, stretch.first, y, stretch.second, y};
        });
        cellLines.swap(joined);
    }
    const TPen saved = canvas.Pen;
    for (const TCellLine& line : cellLines) {
        canvas.Pen = line.Pen;
        canvas.MoveTo(line.X1, line.Y1);
        canvas.LineTo(line.X2, line.Y2);
    }
    canvas.Pen = saved;
    cellLines.clear();
}

void TPrintPass::DrawPageLines(int first, int last, int y) {
    DrawCellLines();
    if (!Drawing() || !PageInRange(pageIndex + 1))
        return;
    const int top = -headerHeight - settings.TitleSpacing;
    const int bottom = y + gap / 2;
    const int x0 = repeatColumns ? Edge(0) : Edge(first);
    const int x1 = Edge(last + 1);
    const TPrintBorders borders = settings.Borders;
    if (borders == pbAround || borders == pbAroundVertical || borders == pbAroundHorizontal)
        canvas.Polyline(
            {Point(x0, top), Point(x1, top), Point(x1, bottom), Point(x0, bottom), Point(x0, top)});
    if (borders == pbDouble || borders == pbHorizontal || borders == pbAroundHorizontal) {
        canvas.MoveTo(x0, bottom);
        canvas.LineTo(x1, bottom);
    }
    if ((borders == pbDouble || borders == pbVertical || borders == pbAroundVertical) && repeatColumns)
        for (int c = 0; c < grid.GetFixedCols(); ++c) {
            canvas.MoveTo(Edge(c), top);
            canvas.LineTo(Edge(c), bottom);
        }
}

void TPrintPass::StartNewPage() {
    const int beginning = pageIndex + 2;
    if (!PageInRange(beginning))
        return;
    if (method == prPrint && pageIndex + 1 >= grid.FromPage)
        Printer()->NewPage();
    canvas.SetMapMode(MM_LOMETRIC);
    if (Drawing() && grid.OnPrintPage)
        grid.OnPrintPage(&grid, &canvas, beginning, W, H);
}
