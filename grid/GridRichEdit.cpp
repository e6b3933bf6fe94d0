#include "grid/GridRichEdit.h"

#include "grid/Datagrid.h"

TGridRichEdit::TGridRichEdit(TDataGrid& grid) : TGridEditor(grid) {
    SetBorderStyle(bsNone);
    SetTextInset(2);
    OnSelectionChange = [this](TObject*) { Grid.RichSelChange(); };
}

void TGridRichEdit::RequestSize(const TRect& rect) {
    const int h = rect.Bottom - rect.Top;
    if (Grid.SizeWhileTyping->Height && !locked && GetVisible()) {
        const int row = Grid.GetRow();
        // The row grows only as far as the grid's bottom edge.
        if (Grid.GetRowHeights(row) < h && Grid.CellRect(Grid.GetCol(), row).Top + h <= Grid.ClientHeight()) {
            SetHeight(h);
            Grid.SetRowHeights(row, h);
        }
    }
    TGridEditor::RequestSize(rect);
}

void TGridRichEdit::KeyDown(WORD& key, TShiftState shift) {
    TGridEditor::KeyDown(key, shift);
    const WORD ending = key;
    if (ending == VK_ESCAPE) {
        // The cell keeps the text it had: nothing typed is written back.
        key = 0;
        SetModified(false);
        Grid.DoneInplaceEdit(ending, shift);
    } else if ((ending == VK_UP || ending == VK_DOWN) && !Grid.WordWrap && !Grid.Multilinecells) {
        key = 0;
        Grid.DoneInplaceEdit(ending, shift);
    }
}
