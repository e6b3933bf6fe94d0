// The row filter: rows whose cells do not match the filter's conditions hide together.
#include "grid/Datagrid.h"
#include "grid/Gridutil.h"

#include <cmath>
#include <utility>

bool TDataGrid::MatchFilter(int ARow) {
    for (int i = 0; i < Filter->Count(); ++i) {
        const TFilterData* condition = Filter->GetItems(i);
        if (!MatchStrEx(condition->Condition, GetCellEx(condition->Column, ARow), condition->CaseSensitive))
            return false;
    }
    return true;
}

std::vector<int> TDataGrid::UnmatchedRows() {
    const int first = GetFixedRows();
    const int end = GetRowCount() - FixedFooters;
    std::vector<int> unmatched;
    for (int r = first; r < end; ++r) {
        if (!MatchFilter(r))
            unmatched.push_back(r);
        if (OnFilterProgress)
            OnFilterProgress(this, static_cast<short>(std::lround(100.0 * (r - first + 1) / (end - first))));
    }
    return unmatched;
}

bool TDataGrid::RowIsEmpty(int ARow) const {
    for (int c = 0; c < StoredColCount(); ++c)
        if (!cells.Text(c, ARow).IsEmpty())
            return false;
    return true;
}

void TDataGrid::ApplyFilter() {
    HideDisplayRows(UnmatchedRows(), false);
}

void TDataGrid::SetFilterActive(bool value) {
    if (value == FilterActive)
        return;
    FilterActive = value;
    if (!value) {
        // The stand-in goes only while it is still the one normal row, empty; a row added or
        // typed in since stays, as does every data row.
        const bool standIn = std::exchange(filterAddedRow, false) &&
                             GetRowCount() == GetFixedRows() + FixedFooters + 1 && RowIsEmpty(GetFixedRows());
        const int standInRow = RemapRowInv(GetFixedRows());
        RestoreHiddenRows(hiddenByRow.cbegin(), hiddenByRow.cend());
        if (standIn)
            RemoveRows(standInRow, 1);
        HideContractedRows();
        return;
    }
    const std::vector<int> unmatched = UnmatchedRows();
    // An empty row stands in for the normal rows when none is left; the grid keeps a row.
    if (!FixedRowAlways && !unmatched.empty() &&
        static_cast<int>(unmatched.size()) == GetRowCount() - FixedFooters - GetFixedRows()) {
        InsertRows(LastNormalRow() + 1, 1);
        filterAddedRow = true;
    }
    HideDisplayRows(unmatched, false);
}
