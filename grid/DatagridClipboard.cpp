#include "grid/Datagrid.h"

#include "framework/Clipboard.h"
#include "framework/RichText.h"
#include "grid/ClipboardFormat.h"
#include "grid/GridUpdateLock.h"
#include "grid/SmartFill.h"

#include <algorithm>

namespace {

// Rich text on the clipboard goes as the first, and is read as either.
constexpr const char* RichTextFormats[] = {"text/rtf", "application/rtf"};

} // namespace

std::string TDataGrid::ClipboardText(const TGridRect& R) {
    // A selection may lie beyond the cells, as a hidden one does.
    const int right = std::min(R.Right, GetColCount() - 1);
    const int bottom = std::min(R.Bottom, GetRowCount() - 1);
    const bool markedRowsOnly = MouseActions->DisjunctRowSelect;
    std::string text;
    for (int r = std::max(0, R.Top); r <= bottom; ++r) {
        if (markedRowsOnly && !GetRowSelect(r))
            continue;
        for (int c = std::max(0, R.Left); c <= right; ++c) {
            const int col = RemapCol(c);
            AnsiString cell = SaveCell(col, r);
            if (cell.Pos("</") > 0) {
                if (!Navigation->CopyHTMLTagsToClipboard)
                    cell = GetStrippedCell(col, r);
            } else if (cell.Pos("{\\") > 0) {
                cell = RtfToPlainText(cell.view());
            }
            if (c > R.Left)
                text += '\t';
            AppendClipboardCell(text, cell.view(), ClipboardMultiLineQuoting);
        }
        if (R.Bottom > R.Top)
            text += "\r\n";
    }
    return text;
}

void TDataGrid::CopyFunc(const TGridRect& R) {
    clipboardOrigin = Point(R.Left, R.Top);
    const std::string text = ClipboardText(R);
    Clipboard().Open();
    Clipboard().SetAsText(text);
    if (Navigation->AllowRTFClipboard)
        CopyRTFFunc(R.Left, R.Top);
    Clipboard().Close();
}

void TDataGrid::CopyRTFFunc(int ACol, int ARow) {
    if (ACol < 0 || ARow < 0 || ACol >= GetColCount() || ARow >= GetRowCount())
        return;
    const AnsiString text = GetCellEx(RemapCol(ACol), ARow);
    if (text.Pos("{\\") == 0)
        return;
    Clipboard().Open();
    Clipboard().SetAsBytes(RichTextFormats[0], text);
    Clipboard().Close();
}

void TDataGrid::CutCells(const TGridRect& R) {
    GridUpdateLock lock(*this);
    // Rows the copy passed over, unmarked ones among disjunct rows, keep their cells.
    const bool markedRowsOnly = MouseActions->DisjunctRowSelect;
    for (int r = std::max(0, R.Top); r <= std::min(R.Bottom, GetRowCount() - 1); ++r)
        if (!markedRowsOnly || GetRowSelect(r))
            for (int c = std::max(0, R.Left); c <= std::min(R.Right, GetColCount() - 1); ++c) {
                // A cell of a block empties the block's base cell, which is the one that must take
                // editing, as a paste asks it.
                const TPoint cell = BaseCell(RemapCol(c), r);
                if (Navigation->AllowClipboardAlways || IsEditable(cell.x, cell.y))
                    SetCellEx(cell.x, cell.y, AnsiString());
            }
}

void TDataGrid::CopyToClipBoard() {
    CopyFunc(SaveRange());
    lastClipOperation = coCopy;
}

TGridRect TDataGrid::ClipboardSelection() const {
    // With disjunct rows the marked rows are the selection.
    if (MouseActions->DisjunctRowSelect)
        return SaveRange();
    return GetSelection();
}

void TDataGrid::CopySelectionToClipboard() {
    CopyFunc(ClipboardSelection());
    lastClipOperation = coCopy;
}

void TDataGrid::CutToClipboard() {
    const TGridRect range = SaveRange();
    CopyFunc(range);
    CutCells(range);
    lastClipOperation = coCut;
}

void TDataGrid::CutSelectionToClipboard() {
    const TGridRect copied = ClipboardSelection();
    CopyFunc(copied);
    CutCells(copied);
    lastClipOperation = coCut;
}

void TDataGrid::PasteFromClipboard() {
    PasteFunc(GetSaveStartCol(), GetSaveStartRow());
}

void TDataGrid::PasteSelectionFromClipboard() {
    pastedValues = 0;
    PasteFunc(GetSelection().Left, GetSelection().Top);
    // One value fills the selection and two make a series, whether or not the text ended with a
    // line break.
    if (Navigation->AllowSmartClipboard)
        SmartFill(pastedValues);
}

int TDataGrid::PasteFunc(int ACol, int ARow) {
    if (Navigation->AllowRTFClipboard) {
        for (const char* format : RichTextFormats) {
            if (!Clipboard().HasFormat(format))
                continue;
            const AnsiString bytes = Clipboard().GetAsBytes(format);
            // Rich text runs to its terminating zero.
            WriteCellText(ACol, ARow, bytes.view().substr(0, bytes.view().find('\0')));
            return 0;
        }
    }
    if (!Clipboard().HasText())
        return 0;
    return PasteText(ACol, ARow, Clipboard().GetAsText());
}

bool TDataGrid::PasteReaches(int ACol, int ARow) const {
    return ACol >= 0 && ARow >= 0 && (EditingOn() || Navigation->AllowClipboardAlways);
}

int TDataGrid::PasteText(int ACol, int ARow, const AnsiString& Text) {
    const ClipboardFields fields = ReadClipboardText(Text.view(), ClipboardMultiLineQuoting);
    // Fields beyond the grid and cells that refuse editing are passed over; two fields in one
    // merged block refuse the paste.
    return PasteFields(ACol, ARow, fields, {.Whole = false}) ? fields.Count : 0;
}

void TDataGrid::PasteSize(const AnsiString& Text, TPoint& Size) {
    const ClipboardFields fields = ReadClipboardText(Text.view(), ClipboardMultiLineQuoting);
    Size = Point(fields.Rows.MaxFieldCount(), std::max(1, fields.Rows.RowCount()));
}

void TDataGrid::SmartFill(int Values) {
    const TGridRect sel = GetSelection();
    if (sel.Left < 0 || sel.Top < 0 || sel.Right >= GetColCount() || sel.Bottom >= GetRowCount())
        return;
    const int cols = sel.Right - sel.Left + 1;
    const int rows = sel.Bottom - sel.Top + 1;
    if (cols * rows < 2)
        return;
    const AnsiString first = GetCellEx(RemapCol(sel.Left), sel.Top);
    std::vector<AnsiString> values;
    if (Values == 1) {
        values.assign(static_cast<std::size_t>(cols * rows), first);
    } else if (Values == 2 && (cols == 1 || rows == 1)) {
        const AnsiString second = cols == 1 ? GetCellEx(RemapCol(sel.Left), sel.Top + 1)
                                            : GetCellEx(RemapCol(sel.Left + 1), sel.Top);
        // Worked out in full first: a value that does not convert leaves the cells as pasted.
        values = FillSeries(first, second, cols * rows, FloatFormat);
    }
    if (values.empty())
        return;
    // The values run column by column from the top-left cell; written as a paste writes.
    FieldTable lines;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c)
            lines.AddField(values[static_cast<std::size_t>(c * rows + r)].view());
        lines.EndRow();
    }
    WriteTexts(sel.Left, sel.Top, lines, {.Whole = false, .Grows = false});
}
