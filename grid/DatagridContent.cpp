// What a cell shows inside its colours: the selection's colours, its text (plain, formula,
// password, link, HTML, rich text) beside the cell's graphic, the background picture, the
// selection outline and the sort glyph.
#include "grid/Datagrid.h"

#include "framework/Bitmap.h"
#include "framework/NumberFormat.h"
#include "grid/Gridutil.h"
#include "grid/RichCells.h"

#include <algorithm>

namespace {

unsigned HorizontalFlag(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return DT_RIGHT;
    case taCenter:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

unsigned VerticalFlag(TVAlignment alignment) {
    switch (alignment) {
    case vtaCenter:
        return DT_VCENTER;
    case vtaBottom:
        return DT_BOTTOM;
    default:
        return DT_TOP;
    }
}

// Copies of a picture laid edge to edge over an area, the first one shifted left and up by the
// phase.
void Tile(TCanvas& canvas, const TBitmap& picture, TPoint phase, const TRect& area) {
    for (int y = area.Top - phase.y; y < area.Bottom; y += picture.Height())
        for (int x = area.Left - phase.x; x < area.Right; x += picture.Width())
            canvas.Draw(x, y, picture);
}

} // namespace

void TDataGrid::DrawCellContent(TCanvas& canvas, int ACol, int displayCol, int ARow, TRect R,
                                TGridDrawState AState, TAlignment hAlign, TVAlignment vAlign) {
    const bool fixed = (AState & gdFixed) != 0;
    const bool focusedCell = (AState & gdFocused) != 0;
    const bool gridFocused = View() && View()->hasFocus();
    const bool rowSelected = ARow < GetRowCount() && GetRowSelect(ARow);
    TColor linkColor = URLColor;
    if (((AState & gdSelected) || (rowSelected && (GetOptions() & goRowSelect) && !fixed)) &&
        (!focusedCell || (GetOptions() & goDrawFocusSelected))) {
        if (ShowSelection) {
            canvas.Brush.Color = ColorOr(SelectionColor, canvas.Brush.Color);
            canvas.Font.Color = ColorOr(SelectionTextColor, canvas.Font.Color);
            linkColor = SelectionTextColor;
        } else if (!gridFocused) {
            canvas.Brush.Color = GetColor();
            canvas.Font.Color = Font.Color;
        }
    }

    AnsiString text = GetCellEx(ACol, ARow);
    TTextType type = TextType(text, EnableHTML);
    if (type == ttFormula)
        CalcCell(ACol, ARow, text);
    if (IsPassword(ACol, ARow)) {
        StringToPassword(text, passwordChar);
        type = ttText;
    }

    // Rows outside a disjunct row selection keep their colours whatever the framework marked.
    if (!fixed && !mouseSelecting && MouseActions->DisjunctRowSelect && !rowSelected) {
        canvas.Brush.Color = GetColor();
        canvas.Font.Color = Font.Color;
        GetCellColor(ACol, ARow, AState, &canvas.Brush, &canvas.Font);
    }

    const bool selectedLook = ShowSelection && (((AState & gdSelected) && !focusedCell) ||
                                                (focusedCell && (GetOptions() & goDrawFocusSelected)));
    if (!BackGround->Bitmap.Empty() && (BackGround->GetCells() == bcFixed) == fixed && !selectedLook)
        DrawBackGround(canvas, displayCol, ARow, R);
    if (SelectionRectangle)
        DrawSelectionOutline(canvas, displayCol, ARow, R);
    bool showText = true;
    const TRect textRect = CellTextRect(ACol, ARow, R, hAlign, showText);
    if (!showText)
        return;
    if (type == ttRTF) {
        if (!((AState & gdSelected) && !focusedCell && SelectionColor == UnsetCellColor))
            canvas.FillRect(textRect);
        RTFPaint(ACol, ARow, &canvas, textRect);
    } else if (type == ttHTML) {
        DrawHTMLCell(canvas, ACol, ARow, text, textRect, linkColor, vAlign);
    } else {
        DrawCellText(canvas, ACol, ARow, text, textRect, linkColor, hAlign, vAlign);
    }
}

void TDataGrid::RTFPaint(int ACol, int ARow, TCanvas* ACanvas, const TRect& ARect) {
    richCells->Paint(*ACanvas, GetCellEx(ACol, ARow), ARect, ACanvas->Font);
}

void TDataGrid::DrawBackGround(TCanvas& canvas, int displayCol, int ARow, const TRect& R) {
    const TBitmap& picture = BackGround->Bitmap;
    TBitmap piece;
    piece.SetSize(R.Width(), R.Height());
    piece.Canvas->Brush = canvas.Brush;
    piece.Canvas->FillRect(Rect(0, 0, R.Width(), R.Height()));
    const TRect area = Rect(0, 0, R.Width(), R.Height());
    if (BackGround->GetDisplay() == bdFixed) {
        // One picture at a fixed place of the client area, each cell showing what lies under it.
        piece.Canvas->Draw(BackGround->GetLeft() - R.Left, BackGround->GetTop() - R.Top, picture);
    } else {
        // Tiles over the whole grid, so the picture runs on from cell to cell.
        const int firstCol = BackGround->GetCells() == bcFixed ? 0 : GetFixedCols();
        const int firstRow = BackGround->GetCells() == bcFixed ? 0 : GetFixedRows();
        const auto across = cols.Offset(displayCol) - cols.Offset(std::min(firstCol, displayCol));
        const auto down = rows.Offset(ARow) - rows.Offset(std::min(firstRow, ARow));
        Tile(*piece.Canvas, picture,
             Point(static_cast<int>(across % picture.Width()), static_cast<int>(down % picture.Height())),
             area);
    }
    canvas.Draw(R.Left, R.Top, piece);
}

void TDataGrid::DrawSelectionOutline(TCanvas& canvas, int displayCol, int ARow, const TRect& R) {
    const TGridRect selection = GetSelection();
    if (!IsInGridRect(selection, displayCol, ARow))
        return;
    canvas.Pen = TPen{clBlack, 2, psSolid, pmCopy};
    auto line = [&](int x1, int y1, int x2, int y2) {
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    if (displayCol == selection.Left)
        line(R.Left, R.Bottom - 1, R.Left, R.Top - 1);
    if (displayCol == selection.Right)
        line(R.Right - 1, R.Bottom - 1, R.Right - 1, R.Top - 1);
    if (ARow == selection.Top)
        line(R.Left - 1, R.Top, R.Right - 1, R.Top);
    if (ARow == selection.Bottom)
        line(R.Left - 1, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
    canvas.Pen.Width = 1;
}

void TDataGrid::DrawCellText(TCanvas& canvas, int ACol, int ARow, AnsiString Text, TRect R, TColor linkColor,
                             TAlignment hAlign, TVAlignment vAlign) {
    const bool sortHeader =
        SortSettings->Show && ARow == SortSettings->GetRow() && ACol == SortSettings->Column;
    TRect TR = R;
    TR.Right -= 2;
    TR.Left += XYOffset.x;
    if (sortHeader && hAlign == taCenter)
        TR.Left += 10;
    TR.Top += XYOffset.y;
    const int sortSpace = sortHeader ? 14 : 0;

    const bool link = URLShow && IsURL(Text);
    if (link) {
        if (!URLFull)
            StripURLProtocol(Text);
        canvas.Font.Style |= fsUnderline;
        canvas.Font.Color = linkColor;
    }
    unsigned flags = DT_EDITCONTROL;
    if (LinesInText(Text, Multilinecells) == 1 && !WordWrap) {
        Text = GetNextLine(Text, Multilinecells);
        flags = DT_SINGLELINE | (EnhTextSize ? DT_END_ELLIPSIS : 0u);
    }
    flags |= DT_EXPANDTABS | DT_NOPREFIX | HorizontalFlag(hAlign) | VerticalFlag(vAlign);
    flags |= WordWrap ? DT_WORDBREAK | DT_EDITCONTROL : Multilinecells ? 0u : unsigned{DT_SINGLELINE};
    if (hAlign == taLeftJustify)
        TR.Right -= sortSpace;
    else
        TR.Left += sortSpace;
    const TBrushStyle style = canvas.Brush.Style;
    canvas.Brush.Style = bsClear;
    canvas.DrawText(Text, TR, flags);
    canvas.Brush.Style = style;

    if (SortGlyphHere(ACol, ARow)) {
        const int textWidth = std::min(R.Width() - 16, canvas.TextWidth(Text));
        const int x = hAlign == taLeftJustify    ? R.Left + textWidth + 10
                      : hAlign == taRightJustify ? R.Right - textWidth - 10
                                                 : R.Left + 8;
        const int y = vAlign == vtaTop      ? R.Top + 8
                      : vAlign == vtaCenter ? R.Top + (R.Bottom - R.Top) / 2
                                            : R.Bottom - 8;
        DrawSortIndicator(&canvas, ACol, y, x);
    }
    if (link)
        canvas.Font.Style &= ~static_cast<unsigned>(fsUnderline);
}

bool TDataGrid::SortGlyphHere(int ACol, int ARow) const {
    if (!SortSettings->Show || ARow != SortSettings->GetRow() || GetRowCount() <= 2 || GetFixedRows() <= 0)
        return false;
    const int position = sortIndexList.FindIndex(ACol);
    if (ACol != SortSettings->Column && position < 0)
        return false;
    if (RemapColInv(ACol) < GetFixedCols() && !SortSettings->FixedCols)
        return false;
    return position <= 0 || SortSettings->IndexShow;
}

void TDataGrid::DrawSortIndicator(TCanvas* ACanvas, int ACol, int Y, int X) {
    TCanvas& canvas = *ACanvas;
    const int position = sortIndexList.FindIndex(ACol);
    if (SortSettings->IndexShow && position >= 0) {
        const bool descending = sortIndexList.GetInteger(position) < 0;
        canvas.Pen = TPen{clBlack, 1, psSolid, pmCopy};
        canvas.Brush = TBrush{clYellow, bsSolid};
        if (descending)
            canvas.Polygon({Point(X - 7, Y - 5), Point(X + 7, Y - 5), Point(X, Y + 8)});
        else
            canvas.Polygon({Point(X - 6, Y + 8), Point(X + 6, Y + 8), Point(X, Y - 4)});
        const TFont saved = canvas.Font;
        canvas.Font.Color = clBlack;
        canvas.Font.Size = 5;
        canvas.Brush.Style = bsClear;
        canvas.TextOut(X - 2, Y - 4, IntToStr(position + 1));
        canvas.Font = saved;
        canvas.Brush.Style = bsSolid;
        return;
    }
    const bool ascending = SortSettings->Direction == sdAscending;
    if (!SortSettings->UpGlyph.Empty() && !SortSettings->DownGlyph.Empty()) {
        const TBitmap& glyph = ascending ? SortSettings->UpGlyph : SortSettings->DownGlyph;
        DrawBitmapTransp(canvas, glyph, GetFixedColor(),
                         Rect(X - 4, Y - 4, X - 4 + glyph.Width(), Y - 4 + glyph.Height()));
        return;
    }
    canvas.Pen = TPen{clWhite, 1, psSolid, pmCopy};
    if (ascending) {
        canvas.MoveTo(X - 4, Y + 4);
        canvas.LineTo(X + 4, Y + 4);
        canvas.LineTo(X, Y - 4);
        canvas.Pen.Color = clGray;
        canvas.LineTo(X - 4, Y + 4);
    } else {
        canvas.MoveTo(X + 4, Y - 4);
        canvas.LineTo(X, Y + 4);
        canvas.Pen.Color = clGray;
        canvas.LineTo(X - 4, Y - 4);
        canvas.LineTo(X + 4, Y - 4);
    }
    canvas.Pen.Color = clBlack;
}
