// Columns and rows sized to their cells' texts and graphics. Every per-cell question goes to the
// real column behind the one shown.
#include "grid/Datagrid.h"

#include "grid/GridUpdateLock.h"
#include "grid/Gridutil.h"
#include "grid/TextWidths.h"

#include <algorithm>
#include <utility>
#include <vector>

void TDataGrid::CellFont(int ACol, int displayCol, int ARow, TFont& font, bool Zoomed) {
    font.Assign(displayCol < GetFixedCols() || ARow < GetFixedRows() ? FixedFont : Font);
    TBrush brush{GetColor(), bsSolid};
    GetCellColor(ACol, ARow, 0, &brush, &font);
    if (Zoomed)
        ZoomFont(font);
}

void TDataGrid::ZoomFont(TFont& font) const {
    // Qt draws a size below 1 point in its default font, larger than the zoomed rows.
    if (zoomOffset != 0)
        font.Size = std::max(1, font.Size + zoomOffset);
}

TPoint TDataGrid::TextSize(int ACol, int ARow, const TFont& font) {
    if (!textWidths)
        textWidths = std::make_unique<TextWidths>();
    AnsiString rest = GetCellEx(ACol, ARow);
    if (TextType(rest, EnableHTML) == ttHTML)
        return BesideGraphic(ACol, ARow, HTMLTextSize(rest, font, 0));
    int widest = 0;
    int lines = 0;
    do {
        AnsiString line;
        if (rest.view().find('\r') == std::string_view::npos)
            std::swap(line, rest);
        else
            line = GetNextLine(rest, Multilinecells);
        if (URLShow && !URLFull && IsURL(line))
            StripURLProtocol(line);
        widest = std::max(widest, textWidths->Width(font, line.view()));
        ++lines;
    } while (!rest.IsEmpty());
    return BesideGraphic(ACol, ARow, Point(widest, textWidths->Height(font) * lines));
}

TPoint TDataGrid::BesideGraphic(int ACol, int ARow, TPoint text) {
    int w = 0;
    int h = 0;
    bool showText = true;
    TCellHAlign ha = haLeft;
    TCellVAlign va = vaTop;
    if (!GetGraphicDetails(ACol, ARow, w, h, showText, ha, va))
        return text;
    if (!showText)
        text = Point(0, 0);
    const bool across = ha == haBeforeText || ha == haAfterText;
    const bool down = va == vaAboveText || va == vaUnderText;
    return Point(across ? text.x + w : std::max(text.x, w), down ? text.y + h : std::max(text.y, h));
}

TPoint TDataGrid::GetCellTextSize(int ACol, int ARow) {
    TFont font;
    CellFont(ACol, RemapColInv(ACol), ARow, font, false);
    return TextSize(ACol, ARow, font);
}

void TDataGrid::SizeToWidth(int ACol, bool DoGrow) {
    const int real = RemapCol(ACol);
    TFont font;
    int widest = 0;
    for (int r = 0; r < GetRowCount(); ++r) {
        if (IsMergedCell(real, r))
            continue;
        CellFont(real, ACol, r, font, true);
        widest = std::max(widest, TextSize(real, r, font).x);
    }
    const int width = widest + 4;
    if (!DoGrow || width > GetColWidths(ACol))
        SetColWidths(ACol, width);
}

void TDataGrid::AutoSizeColumns(bool DoFixedCols, int Padding) {
    GridUpdateLock lock(*this);
    for (int c = DoFixedCols ? 0 : GetFixedCols(); c < GetColCount(); ++c) {
        AutoSizeCol(c);
        if (Padding != 0)
            SetColWidths(c, GetColWidths(c) + Padding);
    }
}

void TDataGrid::SetAutoSizeP(bool value) {
    AutoSize = value;
    if (value)
        AutoSizeColumns(false, 10);
}

void TDataGrid::AutoSizeRow(int ARow) {
    int height = GetDefaultRowHeight();
    TFont font;
    TCanvas measure;
    for (int c = 0; c < GetColCount(); ++c) {
        const int real = RemapCol(c);
        if (CellSpan(real, ARow).y >= 1)
            continue;
        CellFont(real, c, ARow, font, true);
        const AnsiString text = GetCells(real, ARow);
        int measured = 0;
        const TTextType type = TextType(text, EnableHTML);
        if (type == ttHTML) {
            measured = HTMLTextSize(text, font, GetColWidths(c)).y;
        } else if (type != ttFormula) {
            measure.Font = font;
            TRect room = Rect(0, 0, GetColWidths(c) - 4, 0);
            measured = measure.DrawText(text, room,
                                        DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP | DT_EXPANDTABS);
        }
        if (measured + 2 > height)
            height = measured + 4;
    }
    SetRowHeights(ARow, height);
}

int TDataGrid::MaxLinesInRow(int ARow) {
    if (GetColCount() < 1 || !Multilinecells)
        return 1;
    int most = 1;
    for (int c = 0; c < GetColCount(); ++c)
        most = std::max(most, LinesInText(GetCellEx(RemapCol(c), ARow), true));
    return most;
}

void TDataGrid::SizeToLines(int ARow, int Lines, int Padding) {
    if (!textWidths)
        textWidths = std::make_unique<TextWidths>();
    const int height = textWidths->Height(Font);
    SetRowHeights(ARow, (height + height / 4) * Lines + Padding);
}

void TDataGrid::AutoSizeRows(bool DoFixedRows, int Padding) {
    GridUpdateLock lock(*this);
    for (int r = DoFixedRows ? 0 : GetFixedRows(); r < GetRowCount(); ++r) {
        if (WordWrap)
            AutoSizeRow(r);
        else
            SizeToLines(r, MaxLinesInRow(r), Padding);
    }
}

void TDataGrid::AutoSizeCells(bool SkipFixed, int PaddingX, int PaddingY) {
    const int firstCol = SkipFixed ? GetFixedCols() : 0;
    const int firstRow = SkipFixed ? GetFixedRows() : 0;
    // Worked out first, then set once each.
    std::vector<int> widths(static_cast<std::size_t>(GetColCount()), 0);
    std::vector<int> heights(static_cast<std::size_t>(GetRowCount()), 0);
    TFont font;
    for (int c = firstCol; c < GetColCount(); ++c) {
        const int real = RemapCol(c);
        for (int r = firstRow; r < GetRowCount(); ++r) {
            CellFont(real, c, r, font, false);
            const TPoint size = TextSize(real, r, font);
            int& width = widths[static_cast<std::size_t>(c)];
            int& height = heights[static_cast<std::size_t>(r)];
            width = std::max(width, size.x + PaddingX);
            height = std::max(height, size.y + PaddingY);
        }
    }
    GridUpdateLock lock(*this);
    for (int c = firstCol; c < GetColCount(); ++c)
        SetColWidths(c, widths[static_cast<std::size_t>(c)]);
    for (int r = firstRow; r < GetRowCount(); ++r)
        SetRowHeights(r, heights[static_cast<std::size_t>(r)]);
}
