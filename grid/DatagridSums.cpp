// Cells as numbers, sums and extremes over ranges, numbering and the selected text.
#include "grid/Datagrid.h"

#include "framework/NumberFormat.h"
#include "framework/RichText.h"
#include "grid/ClipboardFormat.h"
#include "grid/Gridutil.h"
#include "grid/RangeFigures.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string>
#include <vector>

double TDataGrid::GetFloats(int ACol, int ARow) const {
    return FloatOfText(GetCellEx(ACol, ARow));
}

double TDataGrid::FloatOfText(const AnsiString& text) {
    if (text.Trim().IsEmpty())
        return 0;
    // RemoveSeps leaves the number with '.' as its point.
    const std::string plain = RemoveSeps(text).str();
    double value = 0;
    const char* end = plain.data() + plain.size();
    const auto [stop, error] = std::from_chars(plain.data(), end, value);
    if (plain.empty() || error != std::errc() || stop != end)
        throw EDataGridError("Cell does not contain a float value");
    return value;
}

void TDataGrid::SetInts(int ACol, int ARow, int Value) {
    SetCellEx(ACol, ARow, IntToStr(Value));
}

double TDataGrid::Average(double Sum, int Count) {
    if (Count == 0)
        throw EInvalidOp();
    return Sum / Count;
}

double TDataGrid::ColumnSum(int ACol, int FromRow, int ToRow) const {
    return SumOf(FromRow, ToRow, [&](int r) { return GetFloats(ACol, r); });
}

double TDataGrid::ColumnAvg(int ACol, int FromRow, int ToRow) const {
    return Average(ColumnSum(ACol, FromRow, ToRow), ToRow - FromRow + 1);
}

double TDataGrid::ColumnMin(int ACol, int FromRow, int ToRow) const {
    return ExtremeOf(
        FromRow, ToRow, [&](int r) { return GetFloats(ACol, r); }, std::less<>());
}

double TDataGrid::ColumnMax(int ACol, int FromRow, int ToRow) const {
    return ExtremeOf(
        FromRow, ToRow, [&](int r) { return GetFloats(ACol, r); }, std::greater<>());
}

double TDataGrid::RowSum(int ARow, int FromCol, int ToCol) const {
    return SumOf(FromCol, ToCol, [&](int c) { return GetFloats(c, ARow); });
}

double TDataGrid::RowAvg(int ARow, int FromCol, int ToCol) const {
    return Average(RowSum(ARow, FromCol, ToCol), ToCol - FromCol + 1);
}

double TDataGrid::RowMin(int ARow, int FromCol, int ToCol) const {
    return ExtremeOf(
        FromCol, ToCol, [&](int c) { return GetFloats(c, ARow); }, std::less<>());
}

double TDataGrid::RowMax(int ARow, int FromCol, int ToCol) const {
    return ExtremeOf(
        FromCol, ToCol, [&](int c) { return GetFloats(c, ARow); }, std::greater<>());
}

void TDataGrid::AutoNumberCol(int ACol) {
    for (int r = GetFixedRows(); r <= GetRowCount() - 1 - FixedFooters; ++r)
        SetInts(ACol, r, r - GetFixedRows() + 1);
}

void TDataGrid::AutoNumberRow(int ARow) {
    for (int c = GetFixedCols(); c <= GetColCount() - 1 - FixedRightCols; ++c)
        SetInts(c, ARow, c - GetFixedCols() + 1);
}

TDataGrid::TSelectedCells TDataGrid::SelectedCells() {
    TGridRect R = GetSelection();
    if ((GetOptions() & goRowSelect) && DragDropSettings->OleEntireRows) {
        R.Left = 0;
        R.Right = GetColCount() - 1;
    }
    TSelectedCells cells;
    cells.Left = std::max(R.Left, 0);
    // A hidden selection lies beyond the cells.
    cells.Right = std::min(R.Right, GetColCount() - 1);
    if (MouseActions->DisjunctRowSelect) {
        for (int r = GetFixedRows(); r < GetRowCount(); ++r)
            if (GetRowSelect(r))
                cells.Rows.push_back(r);
    } else {
        for (int r = std::max(R.Top, 0); r <= std::min(R.Bottom, GetRowCount() - 1); ++r)
            cells.Rows.push_back(r);
    }
    return cells;
}

AnsiString TDataGrid::SelectedText() {
    const TSelectedCells cells = SelectedCells();
    std::string text;
    for (const int r : cells.Rows) {
        for (int c = cells.Left; c <= cells.Right; ++c) {
            AnsiString cell = GetCells(RemapCol(c), r);
            if (cell.Pos("{\\") > 0)
                cell = RtfToPlainText(cell.view());
            AppendClipboardCell(text, cell.view(), ClipboardMultiLineQuoting);
            if (c < cells.Right)
                text += '\t';
        }
        text += "\r\n";
    }
    return text;
}
