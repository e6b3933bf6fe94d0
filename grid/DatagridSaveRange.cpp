#include "grid/Datagrid.h"

int TDataGrid::GetSaveStartRow() const {
    return IncludeFixedCells ? 0 : GetFixedRows();
}

int TDataGrid::GetSaveEndRow() const {
    return IncludeFixedCells ? GetRowCount() - 1 : GetRowCount() - FixedFooters - 1;
}

int TDataGrid::GetSaveStartCol() const {
    return IncludeFixedCells ? 0 : GetFixedCols();
}

int TDataGrid::GetSaveEndCol() const {
    return IncludeFixedCells ? GetColCount() - 1 : GetColCount() - FixedRightCols - 1;
}

int TDataGrid::GetSaveRowCount() const {
    return GetSaveEndRow() - GetSaveStartRow() + 1;
}

int TDataGrid::GetSaveColCount() const {
    return GetSaveEndCol() - GetSaveStartCol() + 1;
}

std::vector<int> TDataGrid::SaveColumns() const {
    std::vector<int> columns;
    if (IncludeHiddenColumns) {
        // Every real column, hidden ones with the rest.
        for (int c = GetSaveStartCol(); c <= GetSaveEndCol() + hiddenCols; ++c)
            columns.push_back(c);
    } else {
        for (int c = GetSaveStartCol(); c <= GetSaveEndCol(); ++c)
            columns.push_back(RemapCol(c));
    }
    return columns;
}
