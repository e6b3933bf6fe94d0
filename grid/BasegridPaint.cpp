// The base grid's own cell painting.
#include "grid/Basegrid.h"

void TBaseGrid::Paint() {
    TStringGrid::Paint();
    ++paintCounter;
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect&, TGridDrawState AState) {
    TCanvas& canvas = *Canvas;
    if (LastRowIsFooter && ARow == GetRowCount() - 1) {
        canvas.Brush = TBrush{GetColor(), bsSolid};
        canvas.FillRect(CellRect(ACol, ARow));
        return;
    }
    // Every cell of a block draws the block once a paint, from its top-left shown cell, even
    // with that cell out of view.
    if (const TRect block = ShownBlock(ACol, ARow); block.Left != ACol || block.Top != ARow) {
        TCellProperties* first = GetCellProperties(RemapCol(block.Left), block.Top);
        if (first->PaintStamp != paintCounter) {
            first->PaintStamp = paintCounter;
            DrawCell(block.Left, block.Top, {}, AState);
        }
        return;
    }
    const bool fixedCell = IsFixed(ACol, ARow);
    const bool fixed = fixedCell || (AState & gdFixed);
    if (fixedCell)
        AState = (AState & ~static_cast<unsigned>(gdSelected)) | gdFixed;
    TRect r = CellRect(ACol, ARow);
    const int clipLeft = ACol >= GetFixedCols() ? FixedColsWidth() : 0;
    const int clipTop = ARow >= GetFixedRows() ? FixedRowsHeight() : 0;
    const bool clipped = (ACol >= GetFixedCols() && GetFixedCols() > 0 && r.Left < clipLeft) ||
                         (ARow >= GetFixedRows() && GetFixedRows() >= 1 && r.Top < clipTop);
    if (clipped)
        canvas.SelectClipRect(Rect(clipLeft, clipTop, Width(), Height()));

    canvas.Pen.Width = 1;
    canvas.Font = Font;
    canvas.Brush = TBrush{GetColor(), bsSolid};
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wordWrap = false;
    // The cell's own colours are those of its stored column.
    GetVisualProperties(RemapCol(ACol), ARow, AState, false, true, &canvas.Brush, &canvas.Font, hAlign,
                        vAlign, wordWrap);
    canvas.FillRect(r);

    int lw = 0;
    bool lines = true;
    if (fixed) {
        canvas.Pen = TPen{clGray, 1, psSolid, pmCopy};
        lw = 1;
    } else if (gridLineWidth > 0) {
        canvas.Pen = TPen{gridLineColor, gridLineWidth, psSolid, pmCopy};
        lw = (gridLineWidth + 1) / 2;
    } else {
        lines = false;
    }
    if (ACol == 0 && !fixed)
        r.Left += NodeIndent(ARow);
    const TGridOptions options = GetOptions();
    if (lines && !(ACol == 0 && HasNodes()) && (options & (fixed ? goFixedHorzLine : goHorzLine))) {
        canvas.MoveTo(r.Left - lw, r.Bottom - lw);
        canvas.LineTo(r.Right - lw, r.Bottom - lw);
    }
    if (lines && (options & (fixed ? goFixedVertLine : goVertLine))) {
        canvas.MoveTo(r.Right - lw, r.Bottom - lw);
        canvas.LineTo(r.Right - lw, r.Top - lw);
    }
    const int inset = fixed ? 1 : gridLineWidth;
    r = Rect(r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset);
    DrawGridCell(&canvas, ACol, ARow, r, AState);
    if (clipped)
        canvas.RemoveClip();
}

void TBaseGrid::DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState) {
    const TBrushStyle style = ACanvas->Brush.Style;
    ACanvas->Brush.Style = bsClear;
    ACanvas->DrawText(GetCells(ACol, ARow), ARect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ACanvas->Brush.Style = style;
}

void TBaseGrid::GetVisualProperties(int, int, TGridDrawState&, bool, bool, TBrush*, TFont*, TAlignment&,
                                    TVAlignment&, bool&) {}
