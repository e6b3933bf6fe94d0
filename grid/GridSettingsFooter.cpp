// The floating footer and its panel.
#include "grid/Datagrid.h"

#include "framework/NumberFormat.h"

#include <algorithm>

void TFloatingFooter::SetColor(TColor value) {
    color = value;
    Invalidate();
}

void TFloatingFooter::SetColumn(int value) {
    column = value;
    Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle value) {
    footerStyle = value;
    UpdateLastRowIsFooter();
    grid->Invalidate();
    Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const AnsiString& value) {
    customTemplate = value;
    Invalidate();
}

void TFloatingFooter::SetVisible(bool value) {
    visible = value;
    grid->FooterPanel->SetHeight(value ? footerHeight - 1 : 0);
    grid->FooterPanel->SetVisible(value);
    UpdateLastRowIsFooter();
    grid->Invalidate();
}

void TFloatingFooter::SetFooterHeight(int value) {
    footerHeight = value;
}

void TFloatingFooter::Invalidate() {
    grid->FooterPanel->Invalidate();
}

void TFloatingFooter::UpdateLastRowIsFooter() {
    grid->LastRowIsFooter = footerStyle == fsFixedLastRow && visible;
}

TFooterPanel::TFooterPanel(TDataGrid* grid) : TCustomControl(grid), grid(grid) {
    TabStop = false;
    SetHeight(0);
    SetAlign(alBottom);
}

AnsiString TFooterPanel::HTMLColReplace(const AnsiString& Template) const {
    AnsiString result;
    AnsiString rest = Template;
    for (int start; (start = rest.Pos("<#")) > 0;) {
        result += rest.SubString(1, start - 1);
        rest.Delete(1, start + 1);
        const int close = rest.Pos(">");
        // An unclosed tag is no tag: it stands as it is.
        if (close == 0) {
            result += "<#";
            break;
        }
        const AnsiString number = rest.SubString(1, close - 1);
        rest.Delete(1, close);
        int column = 0;
        if (TryStrToInt(number, column) && ShowsCell(column))
            result += grid->GetCells(column, grid->GetRow());
    }
    return result + rest;
}

bool TFooterPanel::ShowsCell(int column) const {
    // A hidden selection leaves the current row past the last: no cell to show.
    const int row = grid->GetRow();
    return column >= 0 && column < grid->GetColCount() && row >= 0 && row < grid->GetRowCount();
}

int TFooterPanel::PaintedWidth() const {
    int width = 0;
    for (int c = 0; c < grid->GetFixedCols(); ++c)
        width += grid->GetColWidths(c);
    for (int c = grid->GetLeftCol(); c < grid->GetColCount(); ++c)
        width += grid->GetColWidths(c);
    return width;
}

void TFooterPanel::Paint() {
    TCanvas& canvas = *Canvas;
    const int width = std::min(PaintedWidth(), ClientWidth());
    canvas.Brush = TBrush{grid->GetColor(), bsSolid};
    canvas.FillRect(Rect(width, 0, ClientWidth(), ClientHeight()));
    switch (grid->FloatingFooter->GetFooterStyle()) {
    case fsFixedLastRow:
        PaintFixedLastRow(width);
        break;
    case fsColumnPreview: {
        const TRect frame = PreviewFrame(width);
        const TColor selectionText = grid->SelectionTextColor;
        grid->SelectionTextColor = clBlack;
        if (ShowsCell(grid->FloatingFooter->GetColumn()))
            grid->DrawGridCell(&canvas, grid->FloatingFooter->GetColumn(), grid->GetRow(), frame, 0);
        grid->SelectionTextColor = selectionText;
        break;
    }
    case fsCustomPreview: {
        TRect text = PreviewFrame(width);
        text.Left += 2;
        canvas.Brush.Style = bsClear;
        canvas.Font = grid->Font;
        THTMLRenderResult result;
        RenderHTMLText(canvas, HTMLColReplace(grid->FloatingFooter->GetCustomTemplate()), text,
                       grid->HTMLContext(), result);
        break;
    }
    }
}

void TFooterPanel::PaintFixedLastRow(int width) {
    TCanvas& canvas = *Canvas;
    canvas.Brush = TBrush{grid->GetFixedColor(), bsSolid};
    canvas.FillRect(Rect(0, 0, width, ClientHeight()));
    const int lastRow = grid->GetRowCount() - 1;
    const TGridOptions options = grid->GetOptions();
    int x = 0;
    auto drawColumn = [&](int col) {
        const TRect cell = Rect(x, 0, x + grid->GetColWidths(col), ClientHeight());
        if (grid->Look == glSoft) {
            canvas.Pen = TPen{grid->GetGridLineColor(), 1, psSolid, pmCopy};
            if (options & goFixedVertLine) {
                canvas.MoveTo(cell.Right - 1, cell.Top);
                canvas.LineTo(cell.Right - 1, cell.Bottom);
            }
            if (options & goFixedHorzLine) {
                canvas.MoveTo(cell.Left, cell.Top);
                canvas.LineTo(cell.Right, cell.Top);
            }
        }
        grid->DrawGridCell(&canvas, col, lastRow, cell, gdFixed);
        x = cell.Right;
    };
    for (int c = 0; c < grid->GetFixedCols(); ++c)
        drawColumn(c);
    for (int c = grid->GetLeftCol(); c < grid->GetColCount() && x < width; ++c)
        drawColumn(c);
}

TRect TFooterPanel::PreviewFrame(int width) {
    TCanvas& canvas = *Canvas;
    const TRect frame = Rect(0, 0, width, ClientHeight());
    canvas.Brush = TBrush{grid->FloatingFooter->GetColor(), bsSolid};
    canvas.FillRect(frame);
    canvas.Pen = TPen{clGray, 1, psSolid, pmCopy};
    canvas.MoveTo(frame.Left, frame.Bottom - 1);
    canvas.LineTo(frame.Right - 1, frame.Bottom - 1);
    canvas.LineTo(frame.Right - 1, frame.Top - 1);
    canvas.Pen.Color = clWhite;
    canvas.MoveTo(frame.Left, frame.Bottom - 1);
    canvas.LineTo(frame.Left, frame.Top);
    canvas.LineTo(frame.Right - 1, frame.Top);
    return frame;
}
