#pragma once

#include "grid/Datagrid.h"

#include <string>

// A grid whose cell (c, r) holds a letter for the column and the row's number: "a0", "b0", ...,
// "a1", ...; one fixed row and column.
inline void FillLettered(TDataGrid& grid, int cols, int rows) {
    grid.SetColCount(cols);
    grid.SetRowCount(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            grid.SetCells(c, r, std::string(1, static_cast<char>('a' + c)) + std::to_string(r));
}

// A row's texts over the real columns, hidden ones too, joined by blanks.
inline std::string RowTexts(TDataGrid& grid, int row) {
    std::string texts;
    for (int c = 0; c < grid.GetColCount() + grid.NumHiddenColumns(); ++c)
        texts += (c ? " " : "") + grid.GetCells(c, row).str();
    return texts;
}

// A column's texts down the rows, joined by blanks.
inline std::string ColTexts(TDataGrid& grid, int col) {
    std::string texts;
    for (int r = 0; r < grid.GetRowCount(); ++r)
        texts += (r ? " " : "") + grid.GetCells(col, r).str();
    return texts;
}
