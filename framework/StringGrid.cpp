#include "framework/Grids.h"

#include <algorithm>

TStringGrid::TStringGrid(TComponent* owner) : TCustomGrid(owner) {
    cells.SetRowCount(GetRowCount());
    storedCols = GetColCount();
    cells.SetColumnHint(storedCols);
    // Also the moves a derived grid makes in the store itself close the editor first.
    cells.SetCellsMoving([this] { CellsMoving(); });
}

void TStringGrid::CheckCell(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0 || ACol >= StoredColCount() || ARow >= GetRowCount())
        throw EInvalidGridOperation("Grid index out of range");
}

AnsiString TStringGrid::GetCells(int ACol, int ARow) const {
    CheckCell(ACol, ARow);
    return cells.Text(ACol, ARow);
}

void TStringGrid::SetCells(int ACol, int ARow, const AnsiString& Value) {
    CheckCell(ACol, ARow);
    cells.SetText(ACol, ARow, Value);
    InvalidateCell(ACol, ARow);
    EditorTakesCell(ACol, ARow);
}

TObject* TStringGrid::GetObjects(int ACol, int ARow) const {
    CheckCell(ACol, ARow);
    return cells.Object(ACol, ARow);
}

void TStringGrid::SetObjects(int ACol, int ARow, std::unique_ptr<TObject> Value) {
    CheckCell(ACol, ARow);
    ObjectLeaving(ACol, ARow);
    cells.SetObject(ACol, ARow, std::move(Value));
}

std::unique_ptr<TObject> TStringGrid::TakeObjects(int ACol, int ARow) {
    CheckCell(ACol, ARow);
    ObjectLeaving(ACol, ARow);
    return cells.TakeObject(ACol, ARow);
}

int TStringGrid::ObjectLeaving(int, int) {
    return 0;
}

void TStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
    cells.SetRowCount(GetRowCount());
    storedCols = std::max(storedCols, GetColCount());
    cells.SetColumnHint(GetColCount());
    TCustomGrid::SizeChanged(OldColCount, OldRowCount);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
    cells.MoveColumn(FromIndex, ToIndex);
    TCustomGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
    cells.MoveRow(FromIndex, ToIndex);
    TCustomGrid::RowMoved(FromIndex, ToIndex);
}

void TStringGrid::RowsInserted(int ARow, int RCount) {
    cells.InsertRows(ARow, RCount);
}

void TStringGrid::RowsDeleted(const std::vector<int>& ARows) {
    cells.DeleteRows(ARows);
}

void TStringGrid::ColsInserted(int ACol, int CCount) {
    InsertStoredCols(ACol, CCount);
}

void TStringGrid::ColsDeleted(int ACol, int CCount) {
    DeleteStoredCols(ACol, CCount);
}

void TStringGrid::InsertStoredCols(int ACol, int CCount) {
    cells.InsertColumns(ACol, CCount);
    storedCols += CCount;
}

void TStringGrid::DeleteStoredCols(int ACol, int CCount) {
    cells.DeleteColumns(ACol, CCount);
    storedCols = std::max(0, storedCols - CCount);
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) {
    if (GetDefaultDrawing())
        Canvas->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, GetCells(ACol, ARow));
    TCustomGrid::DrawCell(ACol, ARow, ARect, AState);
}

AnsiString TStringGrid::GetEditText(int ACol, int ARow) {
    AnsiString text = GetCells(ACol, ARow);
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, text);
    return text;
}

void TStringGrid::SetEditText(int ACol, int ARow, const AnsiString& Value) {
    if (Value != GetCells(ACol, ARow))
        SetCells(ACol, ARow, Value);
    TCustomGrid::SetEditText(ACol, ARow, Value);
}
