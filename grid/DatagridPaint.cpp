// Cell painting: a cell's colours, its borders, the fixed cells' relief, the focus rectangle,
// the editing outline, the sizing line and the frame.
#include "grid/Datagrid.h"

#include "grid/Gridutil.h"

#include <algorithm>
#include <tuple>

namespace {

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

} // namespace

void TDataGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                    TBrush* ABrush, TFont* AFont, TAlignment& HAlign, TVAlignment& VAlign,
                                    bool&) {
    const int displayCol = RemapColInv(ACol);
    const bool fixedPart = displayCol < GetFixedCols() || ARow < GetFixedRows();
    AFont->Assign(Print ? PrintSettings->Font : fixedPart ? FixedFont : Font);

    ABrush->Color =
        HasCellProperties(ACol, ARow) ? GetCellProperties(ACol, ARow)->GetBrushColor() : UnsetCellColor;
    if (ABrush->Color == UnsetCellColor) {
        ABrush->Color = GetColor();
        // Bands start at the first normal row and leave fixed and footer rows and columns alone.
        if (Bands->GetActive() && (Bands->Print == Print || !Print) && displayCol >= GetFixedCols() &&
            ACol < RealColCount() - FixedRightCols && ARow >= GetFixedRows() &&
            ARow < GetRowCount() - FixedFooters)
            ABrush->Color = Bands->ColorOfRow(ARow - GetFixedRows());
    }
    if (!Print && IsFixed(displayCol, ARow)) {
        ABrush->Color = GetFixedColor();
        AFont->Color = FixedFont.Color;
        AState |= gdFixed;
    }

    if (Print)
        GetCellPrintColor(ACol, ARow, AState, ABrush, AFont);
    else
        GetCellColor(ACol, ARow, AState, ABrush, AFont);

    // The selection comes last, so it wins over the colour event.
    const bool showing = !Print && Select && ShowSelection;
    if (displayCol >= GetFixedCols() && ARow >= GetFixedRows() && MouseActions->DisjunctRowSelect &&
        showing) {
        const bool inRows = ARow < GetRowCount() && GetRowSelect(ARow);
        if ((!mouseSelecting && inRows) || (mouseSelecting && !inRows && (AState & gdSelected))) {
            AState = gdSelected;
            ABrush->Color = ColorOr(SelectionColor, clHighlight);
            AFont->Color = ColorOr(SelectionTextColor, clHighlightText);
        }
    }
    if ((showing && !MouseActions->DisjunctRowSelect && IsSelected(displayCol, ARow)) ||
        ((AState & gdSelected) && mouseSelecting)) {
        ABrush->Color = ColorOr(SelectionColor, clHighlight);
        AFont->Color = ColorOr(SelectionTextColor, clHighlightText);
        AState |= gdSelected;
    }

    std::tie(HAlign, VAlign) = GetCellAlignment(ACol, ARow);
}

void TDataGrid::DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) {
    TCanvas& canvas = *ACanvas;
    const int displayCol = ACol;
    ACol = RemapCol(ACol);
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wordWrap = false;
    GetVisualProperties(ACol, ARow, AState, false, true, &canvas.Brush, &canvas.Font, hAlign, vAlign,
                        wordWrap);
    if ((AState & gdSelected) && !(AState & gdFocused) && SelectionColor == UnsetCellColor)
        canvas.Brush.Color = clHighlight;
    ZoomFont(canvas.Font);

    TRect R = ARect;
    const bool indicator = ACol == 0 && ARow == GetRow() && GetFixedCols() > 0 && !rowIndicator.Empty();
    if (indicator) {
        DrawBitmapTransp(canvas, rowIndicator, GetFixedColor(),
                         Rect(R.Left, R.Top, R.Left + rowIndicator.Width(), R.Top + rowIndicator.Height()));
        R.Left += rowIndicator.Width();
    }

    const TColor brushColor = canvas.Brush.Color;
    const TColor fontColor = canvas.Font.Color;
    DrawCellContent(canvas, ACol, displayCol, ARow, R, AState, hAlign, vAlign);
    canvas.Brush.Color = brushColor;
    canvas.Font.Color = fontColor;

    R = Rect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    DrawCellBorders(canvas, ACol, ARow, R);
    if (indicator)
        R.Left -= rowIndicator.Width();

    if (Look == glSoft && (IsFixed(displayCol, ARow) || displayCol < GetFixedCols() || ARow < GetFixedRows()))
        DrawFixedRelief(canvas, R);
    else if (Flat && FixedRightCols > 0 && GetColCount() - displayCol <= FixedRightCols)
        DrawFlatFrame(canvas, R);

    if (ACol == 0 && ARow >= GetFixedRows() && HasNodes() && CellNode->GetShowTree())
        DrawTreeLines(canvas, ARow, R);
    DrawCellGraphic(canvas, displayCol, ARow, R, hAlign);
    if (OnDrawCell) {
        const int inset = GetGridLineWidth();
        OnDrawCell(this, ACol, ARow, Rect(R.Left + 1, R.Top + 1, R.Right - inset, R.Bottom - inset), AState);
    }
    if (!HideFocusRect && (AState & gdFocused) && !(GetOptions() & goRowSelect)) {
        const int grow = GetGridLineWidth() - 1;
        canvas.DrawFocusRect(Rect(R.Left - grow, R.Top - grow, R.Right + grow - 1, R.Bottom + grow - 1));
    }
}

void TDataGrid::DrawCellBorders(TCanvas& canvas, int ACol, int ARow, TRect R) {
    const TPen saved = canvas.Pen;
    TCellBorders borders = 0;
    GetCellBorder(ACol, ARow, &canvas.Pen, borders);
    TPen left = canvas.Pen, top = canvas.Pen, right = canvas.Pen, bottom = canvas.Pen;
    if (OnGetCellBorderProp)
        OnGetCellBorderProp(this, ARow, ACol, &left, &top, &right, &bottom);
    const int half = (canvas.Pen.Width + 1) / 2;
    R = Rect(R.Left + half, R.Top + half, R.Right - half, R.Bottom - half);
    if (borders & cbLeft) {
        canvas.Pen = left;
        Line(canvas, R.Left, R.Top, R.Left, R.Bottom);
    }
    if (borders & cbRight) {
        canvas.Pen = right;
        Line(canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
    }
    if (borders & cbTop) {
        canvas.Pen = top;
        Line(canvas, R.Left, R.Top, R.Right, R.Top);
    }
    if (borders & cbBottom) {
        canvas.Pen = bottom;
        Line(canvas, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
    }
    canvas.Pen = saved;
}

// Light from the top left: white along the top and left, grey along the bottom and right. The
// white line right of the grey one falls on the next cell's left edge.
void TDataGrid::DrawFixedRelief(TCanvas& canvas, TRect R) {
    if (Flat) {
        DrawFlatFrame(canvas, R);
        return;
    }
    R = Rect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom);
    const TGridOptions options = GetOptions();
    canvas.Pen = TPen{clGray, 1, psSolid, pmCopy};
    if (options & goFixedHorzLine) {
        Line(canvas, R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
        canvas.Pen.Color = clWhite;
        Line(canvas, R.Right, R.Top + 1, R.Left + 1, R.Top + 1);
        canvas.LineTo(R.Left + 1, R.Bottom - 1);
    }
    if (options & goFixedVertLine) {
        canvas.Pen.Color = clGray;
        Line(canvas, R.Right - 2, R.Top, R.Right - 2, R.Bottom - 1);
        canvas.Pen.Color = clWhite;
        Line(canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
    }
}

void TDataGrid::DrawFlatFrame(TCanvas& canvas, const TRect& R) {
    const TGridOptions options = GetOptions();
    canvas.Pen = TPen{clBlack, 1, psSolid, pmCopy};
    if (options & goFixedHorzLine) {
        Line(canvas, R.Left - 1, R.Top - 1, R.Right + 1, R.Top - 1);
        Line(canvas, R.Left - 1, R.Bottom + 1, R.Right + 1, R.Bottom + 1);
    }
    if (options & goFixedVertLine) {
        Line(canvas, R.Left - 1, R.Top - 1, R.Left - 1, R.Bottom + 1);
        Line(canvas, R.Right + 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    }
}

void TDataGrid::Paint() {
    Canvas->Pen.Style = psSolid;
    TBaseGrid::Paint();
    TInplaceEdit* editor = InplaceEditor();
    if (editor && editor->GetVisible()) {
        const TRect cell = CellRect(GetCol(), GetRow());
        Canvas->Pen = TPen{GetGridLineColor(), 1, psSolid, pmCopy};
        Canvas->Brush.Style = bsClear;
        Canvas->Rectangle(cell);
        Canvas->Brush.Style = bsSolid;
    }
    Canvas->Pen.Color = clBlack;
    if (sizingLineX) {
        Canvas->Pen = TPen{clBlack, 1, psDot, pmCopy};
        Line(*Canvas, *sizingLineX, 0, *sizingLineX, RowsBottom());
        Canvas->Pen.Style = psSolid;
    }
    PaintIntelliFocusPoint(*Canvas);
}

int TDataGrid::RowsBottom() const {
    const GridAxisView vert = Vert();
    const int last = vert.LastVisible();
    if (last < vert.First)
        return std::min(vert.FixedBoundary(), vert.ClientExtent);
    return std::min(static_cast<int>(vert.Position(last)) + rows.Extent(last), vert.ClientExtent);
}

void TDataGrid::DrawSizingLine(int X) {
    const int old = sizingLineX.value_or(X);
    sizingLineX = sizingLineX == X ? std::nullopt : std::optional<int>(X);
    InvalidateClientRect(Rect(old, 0, old + 1, ClientHeight()));
    InvalidateClientRect(Rect(X, 0, X + 1, ClientHeight()));
}

void TDataGrid::PaintFrame() {
    if (!GetLockFlag())
        NCPaintProc();
}

void TDataGrid::NCPaintProc() {
    if (Look != glSoft)
        return;
    TCanvas& canvas = *Canvas;
    const int width = Width();
    const int height = Height();
    auto outline = [&](TColor color, int inset) {
        canvas.Pen = TPen{color, 1, psSolid, pmCopy};
        canvas.MoveTo(inset, height - inset);
        canvas.LineTo(inset, inset);
        canvas.LineTo(width - 1 - inset, inset);
        canvas.LineTo(width - 1 - inset, height - 1 - inset);
        canvas.LineTo(inset, height - 1 - inset);
    };
    outline(clGray, 1);
    if (Parent())
        outline(Parent()->GetColor(), 0);
}

bool TDataGrid::IsPassword(int ACol, int ARow) {
    bool password = false;
    GetCellPassword(ACol, ARow, password);
    return password;
}

void TDataGrid::SetXYOffset(TPoint value) {
    XYOffset = value;
    Invalidate();
}
