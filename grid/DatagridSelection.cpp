// The disjunct row selection and the hidden selection.
#include "grid/Datagrid.h"

#include <algorithm>

void TDataGrid::CheckRowSelectRow(int ARow) const {
    if (ARow < 0 || ARow >= GetRowCount())
        throw EDataGridError("Invalid Row accessed");
}

bool TDataGrid::GetRowSelect(int ARow) const {
    CheckRowSelectRow(ARow);
    return static_cast<std::size_t>(ARow) < rowSelect.size() && rowSelect[static_cast<std::size_t>(ARow)];
}

void TDataGrid::SetRowSelect(int ARow, bool Value) {
    CheckRowSelectRow(ARow);
    if (GetRowSelect(ARow) == Value)
        return;
    if (rowSelect.size() <= static_cast<std::size_t>(ARow))
        rowSelect.resize(static_cast<std::size_t>(ARow) + 1);
    rowSelect[static_cast<std::size_t>(ARow)] = Value;
    InvalidateRow(ARow);
}

void TDataGrid::ClearRowSelect() {
    for (std::size_t r = 0; r < rowSelect.size(); ++r)
        if (rowSelect[r])
            InvalidateRow(static_cast<int>(r));
    rowSelect.clear();
}

int TDataGrid::GetRowSelectCount() const {
    return static_cast<int>(std::count(rowSelect.begin(), rowSelect.end(), 1));
}

void TDataGrid::SelectToRowSelect(bool Replace) {
    const TGridRect selection = GetSelection();
    for (int r = GetFixedRows(); r < GetRowCount(); ++r) {
        if (r >= selection.Top && r <= selection.Bottom)
            SetRowSelect(r, true);
        else if (Replace)
            SetRowSelect(r, false);
    }
}

void TDataGrid::HideSelection() {
    savedSelection = GetSelection();
    SetSelection({GetColCount(), GetRowCount(), GetColCount(), GetRowCount()});
}

void TDataGrid::UnHideSelection() {
    SetSelection(savedSelection);
}

bool TDataGrid::IsSelected(int ACol, int ARow) const {
    if (ACol < 0 || ARow < 0)
        return false;
    if (MouseActions->DisjunctRowSelect)
        return ARow < GetRowCount() && GetRowSelect(ARow);
    return TBaseGrid::IsSelected(ACol, ARow);
}
