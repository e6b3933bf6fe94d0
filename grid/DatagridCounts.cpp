// Counts, fixed areas, headers and the small setters of the grid's looks.
#include "grid/Datagrid.h"

#include "grid/GridInplaceEdit.h"
#include "grid/Gridutil.h"

#include <algorithm>

void TDataGrid::SetRowCountEx(int value) {
    // Setting a count starts a refill, whether or not the count changes.
    CellsMoving();
    ChangeRowCount(value);
}

void TDataGrid::ChangeRowCount(int value) {
    BlocksFollowing blocks(*this);
    // Hidden rows past the new count go with it.
    if (value >= 0 && value < GetRowCount())
        DropHiddenRowsFrom(value);
    const int nodesGone = NodeRowsIn(std::max(value, 0), GetRowCount() - 1);
    TBaseGrid::SetRowCount(value);
    nodeCount -= nodesGone;
    RowCountSet();
}

void TDataGrid::RowCountSet() {
    // Only a change: setting the fixed rows puts the current cell back at the first.
    if (GetRowCountEx() > 1 && FixedRowAlways && TBaseGrid::GetFixedRows() != 1)
        SetFixedRowsEx(1);
    DisplayRowBound = GetRowCountEx();
    // Rows gone are no longer selected, nor when the count grows again.
    if (rowSelect.size() > static_cast<std::size_t>(GetRowCountEx()))
        rowSelect.resize(static_cast<std::size_t>(GetRowCountEx()));
    UpdateFooter();
}

void TDataGrid::SetColCountEx(int value) {
    CellsMoving();
    ChangeColCount(value);
}

void TDataGrid::ChangeColCount(int value) {
    TBaseGrid::SetColCount(value);
    CountHiddenCols();
    ColCountSet();
}

void TDataGrid::CountHiddenCols() {
    if (hiddenCols == 0 && std::find(visibleCol.begin(), visibleCol.end(), false) == visibleCol.end())
        return;
    // The real columns the count takes: the shown ones up to it with the hidden ones among and
    // right after them. Hidden columns further on wait beyond the count, hidden.
    const int flags = static_cast<int>(visibleCol.size());
    int shown = 0;
    int hidden = 0;
    for (int real = 0; shown < GetColCount() || (real < flags && !visibleCol[static_cast<std::size_t>(real)]);
         ++real) {
        if (real < flags && !visibleCol[static_cast<std::size_t>(real)])
            ++hidden;
        else
            ++shown;
    }
    hiddenCols = hidden;
    if (StoredColCount() < RealColCount())
        InsertStoredCols(StoredColCount(), RealColCount() - StoredColCount());
}

void TDataGrid::RefuseNegativeCount(int value) const {
    if (value < 0)
        throw EInvalidGridOperation("Grid index out of range");
}

void TDataGrid::ColCountSet() {
    if (GetColCountEx() > 1 && FixedColAlways && TBaseGrid::GetFixedCols() != 1)
        SetFixedColsEx(1);
    UpdateFooter();
    SetBounds(Left(), Top(), Width(), Height());
    const auto columns = static_cast<std::size_t>(std::max(PrintedColumns, RealColCount()));
    if (printColWidths.size() < columns) {
        printColWidths.resize(columns);
        printColOffsets.resize(columns);
    }
}

int TDataGrid::GetFixedRowsEx() const {
    const int fixed = TBaseGrid::GetFixedRows();
    return fixed == 0 && FixedRowAlways ? 1 : fixed;
}

int TDataGrid::GetFixedColsEx() const {
    const int fixed = TBaseGrid::GetFixedCols();
    return fixed == 0 && FixedColAlways ? 1 : fixed;
}

void TDataGrid::SetDefRowHeightEx(int value) {
    TBaseGrid::SetDefaultRowHeight(value);
    FloatingFooter->SetFooterHeight(value);
    if (FloatingFooter->GetVisible())
        FooterPanel->SetHeight(value);
}

void TDataGrid::UpdateFooter() {
    FloatingFooter->Invalidate();
}

void TDataGrid::SetFixedColWidth(int value) {
    for (int c = 0; c < GetFixedCols(); ++c)
        SetColWidths(c, value);
}

void TDataGrid::SetFixedRowHeight(int value) {
    for (int r = 0; r < GetFixedRows(); ++r)
        SetRowHeights(r, value);
}

void TDataGrid::SetFixedFooters(int value) {
    RefuseNegativeCount(value);
    FixedFooters = value;
    Invalidate();
}

void TDataGrid::SetFixedRightCols(int value) {
    RefuseNegativeCount(value);
    FixedRightCols = value;
    Invalidate();
}

void TDataGrid::SetWordWrap(bool value) {
    WordWrap = value;
    if (TGridInplaceEdit* editor = GetInplaceEditor())
        editor->SetWordWrap(value);
    Invalidate();
}

void TDataGrid::SetMaxEditLength(int value) {
    MaxEditLength = value;
    if (TGridInplaceEdit* editor = GetInplaceEditor())
        editor->MaxLength = value;
}

void TDataGrid::SetVAlignment(TVAlignment value) {
    VAlignment = value;
    Invalidate();
}

void TDataGrid::SetFlat(bool value) {
    Flat = value;
    if (!(ComponentState & csLoading))
        Invalidate();
}

void TDataGrid::SetShowSelection(bool value) {
    if (value == ShowSelection)
        return;
    ShowSelection = value;
    Invalidate();
}

void TDataGrid::SetSelectionColor(TColor value) {
    SelectionColor = value;
    Invalidate();
}

void TDataGrid::SetSelectionTextColor(TColor value) {
    SelectionTextColor = value;
    Invalidate();
}

void TDataGrid::SetSelectionRectangle(bool value) {
    SelectionRectangle = value;
    Invalidate();
}

int TDataGrid::GetPrintColWidth(int ACol) const {
    if (ACol < 0 || ACol >= static_cast<int>(printColWidths.size()))
        throw EDataGridError("Columns is not in valid range");
    return printColWidths[static_cast<std::size_t>(ACol)];
}

int TDataGrid::GetPrintColOffset(int ACol) const {
    if (ACol < 0 || ACol >= static_cast<int>(printColOffsets.size()))
        throw EDataGridError("Columns is not in valid range");
    return printColOffsets[static_cast<std::size_t>(ACol)];
}

void TDataGrid::SetColumnHeaders(const TStringList& value) {
    ColumnHeaders.Assign(value);
    if (GetFixedRows() > 0)
        ClearColumnHeaders();
    ShowColumnHeaders();
}

void TDataGrid::SetRowHeaders(const TStringList& value) {
    RowHeaders.Assign(value);
    if (GetFixedCols() > 0)
        ClearRowHeaders();
    ShowRowHeaders();
}

void TDataGrid::ClearColumnHeaders() {
    // Headers belong to every column, hidden ones too.
    for (int c = 0; c < RealColCount(); ++c)
        SetCells(c, 0, AnsiString());
}

void TDataGrid::ClearRowHeaders() {
    for (int r = 0; r < GetRowCount(); ++r)
        SetCells(0, r, AnsiString());
}

void TDataGrid::ShowColumnHeaders() {
    if (GetFixedRows() < 1)
        return;
    for (int i = 0; i < ColumnHeaders.Count() && i < RealColCount(); ++i)
        SetCells(i, 0, CLFToLF(ColumnHeaders[i]));
}

void TDataGrid::ShowRowHeaders() {
    if (GetFixedCols() < 1)
        return;
    for (int i = 0; i < RowHeaders.Count() && i < GetRowCount(); ++i)
        SetCells(0, i, CLFToLF(RowHeaders[i]));
}
