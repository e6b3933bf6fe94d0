#include "grid/Datagrid.h"

#include "framework/FileBytes.h"
#include "framework/Stream.h"
#include "grid/CellFileFormat.h"
#include "grid/FileProgress.h"
#include "grid/GridUpdateLock.h"
#include "grid/TextLines.h"

namespace {

// Sizes no grid of the program comes near: a header beyond them is a damaged file, not a
// request for gigabytes.
constexpr long long MaxFileRows = 1000000;
constexpr long long MaxFileCols = 10000;
constexpr long long MaxFileCells = 20000000;

bool IsSaneSize(long long cols, long long rows) {
    return cols >= 0 && rows >= 0 && cols <= MaxFileCols && rows <= MaxFileRows &&
           cols * rows <= MaxFileCells;
}

bool Inside(int index, int count) {
    return index >= 0 && index < count;
}

// Widths are kept in 16 bits, and -1 hides a column; anything else comes from a damaged file.
bool IsSaneWidth(int width) {
    return width >= -1 && width <= 32767;
}

// Every width line of a cell file names a width a column can have.
bool WidthsAreSane(std::string_view text) {
    CellFileReader reader(text, false, false);
    for (CellFileLine line; reader.Next(line);)
        if (line.IsWidth && !IsSaneWidth(line.Value))
            return false;
    return true;
}

// The grid takes the size, then the widths and cells of the lines still to come; cells move by
// the given shift, and those outside the grid are passed over.
void StoreCellFile(TDataGrid& grid, CellFileReader& reader, int cols, int rows, int colShift, int rowShift,
                   bool reportProgress) {
    {
        GridUpdateLock lock(grid);
        grid.SetColCount(cols);
        grid.SetRowCount(rows);
        FileProgress progress(grid);
        for (CellFileLine line; reader.Next(line);) {
            if (line.IsWidth) {
                if (Inside(line.Col, cols))
                    grid.SetColWidths(line.Col, line.Value);
                continue;
            }
            const long long col = static_cast<long long>(line.Col) + colShift;
            const long long row = static_cast<long long>(line.Value) + rowShift;
            if (col >= 0 && col < cols && row >= 0 && row < rows)
                grid.SetCellEx(static_cast<int>(col), static_cast<int>(row), line.Text);
            if (reportProgress)
                progress.Report(line.Value, rows - 1);
        }
    }
    grid.CellsChanged(Rect(0, 0, grid.GetColCount(), grid.GetRowCount()));
    grid.CellsLoaded();
}

} // namespace

int TDataGrid::SaveColumnWidth(int index) const {
    if (!IncludeHiddenColumns)
        return GetColWidths(index);
    return GetAllColWidths(index);
}

void TDataGrid::SaveToFile(const AnsiString& FileName) {
    const std::vector<int> columns = SaveColumns();
    const int firstCol = GetSaveStartCol();
    const int firstRow = GetSaveStartRow();
    std::string text = TextForCells(static_cast<long long>(columns.size()) * GetSaveRowCount());
    AppendCellFileHeader(text, static_cast<int>(columns.size()), GetSaveRowCount());
    for (std::size_t i = 0; i < columns.size(); ++i)
        AppendWidthLine(text, firstCol + static_cast<int>(i),
                        SaveColumnWidth(firstCol + static_cast<int>(i)));
    FileProgress progress(*this);
    for (int r = firstRow; r <= GetSaveEndRow(); ++r) {
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (const AnsiString cell = GetCellEx(columns[i], r); !cell.IsEmpty())
                AppendCellLine(text, firstCol + static_cast<int>(i), r, cell);
        progress.Report(r - firstRow, std::max(1, GetSaveRowCount() - 1));
    }
    if (!WriteFileBytes(FileName, text))
        throw EDataGridError("Cannot Create " + FileName);
}

void TDataGrid::LoadFromFile(const AnsiString& FileName) {
    std::string bytes;
    if (!ReadFileBytes(FileName, bytes))
        throw EDataGridError("Cannot open file " + FileName);
    const std::string text = TextOfFileBytes(std::move(bytes), true);
    CellFileReader reader(text, Multilinecells, false);
    const AnsiString corrupt = "File contains no data or corrupt file " + FileName;
    long long cols = GetColCount();
    long long rows = GetRowCount();
    if (reader.HasHeader()) {
        if (!IsSaneSize(reader.ColCount(), reader.RowCount()))
            throw EDataGridError(corrupt);
        cols = reader.ColCount() + LoadStartCol();
        rows = reader.RowCount() + LoadStartRow();
    }
    if (cols == 0 || rows == 0 || !WidthsAreSane(text))
        throw EDataGridError(corrupt);
    // Nothing can fail from here on. Cell lines name grid cells as they stand.
    DropHiddenRowsFrom(0);
    StoreCellFile(*this, reader, static_cast<int>(cols), static_cast<int>(rows), 0, 0, true);
    GroupRowsLoadedOver(0, GetRowCount());
}

void TDataGrid::SaveToStream(TStream* Stream) {
    const std::vector<int> columns = SaveColumns();
    const int firstRow = GetSaveStartRow();
    std::string text = TextForCells(static_cast<long long>(columns.size()) * GetSaveRowCount());
    AppendCellFileHeader(text, static_cast<int>(columns.size()), GetSaveRowCount());
    const int widthLines = GetColCount() + (IncludeHiddenColumns ? hiddenCols : 0);
    for (int c = 0; c < widthLines; ++c)
        AppendWidthLine(text, c, SaveColumnWidth(c));
    for (int r = firstRow; r <= GetSaveEndRow(); ++r)
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (const AnsiString cell = SaveCell(columns[i], r); !cell.IsEmpty())
                AppendCellLine(text, static_cast<int>(i), r - firstRow, cell);
    Stream->WriteBuffer(text.data(), static_cast<long long>(text.size()));
}

void TDataGrid::LoadFromStream(TStream* Stream) {
    std::string bytes(static_cast<std::size_t>(Stream->GetSize() - Stream->GetPosition()), '\0');
    Stream->ReadBuffer(bytes.data(), static_cast<long long>(bytes.size()));
    const std::string text = TextOfFileBytes(std::move(bytes), false);
    const int firstCol = GetSaveStartCol();
    const int firstRow = GetSaveStartRow();
    CellFileReader reader(text, Multilinecells, true);
    long long cols = GetColCount();
    long long rows = GetRowCount();
    if (reader.HasHeader()) {
        if (!IsSaneSize(reader.ColCount(), reader.RowCount()) || reader.ColCount() + firstCol == 0 ||
            reader.RowCount() + firstRow == 0)
            throw EDataGridError("File contains no data or corrupt file ");
        cols = reader.ColCount() + firstCol;
        rows = reader.RowCount() + firstRow;
    }
    // A first pass raises for a malformed number or a width line outside the grid before
    // anything changes.
    CellFileReader check(text, Multilinecells, true);
    for (CellFileLine line; check.Next(line);) {
        if (!line.IsWidth)
            continue;
        if (!Inside(line.Col, static_cast<int>(cols)))
            throw EInvalidGridOperation("Grid index out of range");
        if (!IsSaneWidth(line.Value))
            throw EDataGridError("File contains no data or corrupt file ");
    }
    DropHiddenRowsFrom(firstRow);
    StoreCellFile(*this, reader, static_cast<int>(cols), static_cast<int>(rows), firstCol, firstRow, false);
    GroupRowsLoadedOver(firstRow, GetRowCount());
}
