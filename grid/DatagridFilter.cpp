// The row filter: rows whose cells do not match the filter's conditions hide together.
#include "grid/Datagrid.h"
#include "grid/Gridutil.h"

#include <algorithm>
#include <cmath>
#include <iterator>

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
    FilterRows(false);
}

void TDataGrid::FilterRows(bool StandIn) {
    // The rows contracted nodes hide are judged too: shown for it, then hidden again, by the
    // filter when they do not match, else by their node as before.
    std::vector<int> byNode;
    for (const TGridItem* item : hiddenByRow)
        if (item->HiddenByNode)
            byNode.push_back(item->Idx);
    RestoreHiddenRows(hiddenByRow.cbegin(), hiddenByRow.cend(),
                      [](const TGridItem& item) { return item.HiddenByNode; });
    const std::vector<int> unmatched = UnmatchedRows();
    std::vector<int> unmatchedReal;
    for (const int row : unmatched)
        unmatchedReal.push_back(RemapRowInv(row));
    std::vector<int> nodeRows;
    std::set_difference(byNode.begin(), byNode.end(), unmatchedReal.begin(), unmatchedReal.end(),
                        std::back_inserter(nodeRows));
    // An empty row stands in for the normal rows when none is left; the grid keeps a row.
    if (StandIn && !FixedRowAlways && !unmatched.empty() &&
        static_cast<int>(unmatched.size() + nodeRows.size()) ==
            GetRowCount() - FixedFooters - GetFixedRows()) {
        InsertRows(LastNormalRow() + 1, 1);
        filterAddedRow = true;
    }
    HideDisplayRows(unmatched, false);
    for (int& row : nodeRows)
        row = RemapRow(row);
    HideDisplayRows(nodeRows, false, true);
}

void TDataGrid::SetFilterActive(bool value) {
    if (value == FilterActive)
        return;
    FilterActive = value;
    if (value) {
        FilterRows(true);
        return;
    }
    // The stand-in goes only while it is still the one normal row, empty; a row added or typed in
    // since stays, as does every data row.
    const bool standIn = FilterStandIn() >= 0;
    filterAddedRow = false;
    const int standInRow = RemapRowInv(GetFixedRows());
    RestoreHiddenRows(hiddenByRow.cbegin(), hiddenByRow.cend());
    if (standIn)
        RemoveRows(standInRow, 1);
    HideContractedRows();
}

int TDataGrid::FilterStandIn() const {
    // With the stand-in gone, the one row left may be the header the grid could not keep fixed.
    const bool standIn = filterAddedRow && hiddenFixedRows <= TBaseGrid::GetFixedRows() &&
                         GetRowCount() == GetFixedRows() + FixedFooters + 1 && RowIsEmpty(GetFixedRows());
    return standIn ? GetFixedRows() : -1;
}
