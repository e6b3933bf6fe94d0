#include "grid/Datagrid.h"

#include "framework/Screen.h"
#include "grid/GridUpdateLock.h"
#include "grid/Gridutil.h"
#include "grid/OfficeOpenXml.h"

#include <algorithm>

namespace {

// The file layer's errors reach the caller as the grid's own.
template <class Work> void AsGridError(Work&& work) {
    try {
        work();
    } catch (const EOfficeFileError& e) {
        throw EDataGridError(e.Message);
    }
}

} // namespace

void TDataGrid::LoadXLS(const AnsiString& FileName, const AnsiString& SheetName) {
    ScopedScreenCursor hourglass(crHourGlass);
    WorksheetCells sheet;
    AsGridError([&] { sheet = ReadWorksheet(FileName, SheetName); });
    if (sheet.FirstCol != 0) {
        const int colOffset = IncludeFixedCells ? 0 : GetFixedCols();
        const int rowOffset = IncludeFixedCells ? 0 : GetFixedRows();
        GridUpdateLock lock(*this);
        DropHiddenRowsFrom(rowOffset);
        SetColCount(std::max(sheet.LastCol - sheet.FirstCol + 1 + colOffset, GetFixedCols() + 1));
        SetRowCount(std::max(sheet.LastRow - sheet.FirstRow + 1 + rowOffset, GetFixedRows() + 1));
        GroupRowsLoadedOver(rowOffset, GetRowCount());
        for (const WorksheetCells::Value& value : sheet.Values)
            SetCellEx(value.Col - sheet.FirstCol + colOffset, value.Row - sheet.FirstRow + rowOffset,
                      value.Text);
    }
    CellsChanged(Rect(0, 0, GetColCount(), GetRowCount()));
    CellsLoaded();
}

void TDataGrid::SaveXLS(const AnsiString& FileName, const AnsiString& SheetName) {
    ScopedScreenCursor hourglass(crHourGlass);
    const int c0 = IncludeFixedCells ? 0 : GetFixedCols();
    const int r0 = IncludeFixedCells ? 0 : GetFixedRows();
    const OfficeCells cells{GetColCount() - c0, GetRowCount() - r0, [&](int c, int r) {
                                // A line break within a sheet's cell is a line feed alone.
                                return LineFeedsToXLS(SaveCell(RemapCol(c + c0), r + r0));
                            }};
    AsGridError([&] {
        if (SheetName.IsEmpty())
            WriteWorkbook(FileName, cells);
        else
            WriteWorksheet(FileName, SheetName, cells);
    });
}

void TDataGrid::SaveToDOC(const AnsiString& FileName) {
    ScopedScreenCursor hourglass(crHourGlass);
    const OfficeCells cells{GetColCount(), GetRowCount(),
                            [&](int c, int r) { return SaveCell(RemapCol(c), r); }};
    AsGridError([&] {
        WriteDocument(FileName, cells, [&](int c, int r) { return GetCellAlignment(RemapCol(c), r).first; });
    });
}
