#include "grid/Datagrid.h"

#include "framework/FileBytes.h"
#include "grid/CsvFormat.h"
#include "grid/FileProgress.h"
#include "grid/GridUpdateLock.h"
#include "grid/Gridutil.h"
#include "grid/TextLines.h"

#include <algorithm>

void TDataGrid::OutputToCSV(const AnsiString& FileName, bool Append) {
    CsvWriteOptions options;
    options.Separator = Delimiter != 0 ? Delimiter : ',';
    options.QuoteEmptyFields = QuoteEmptyFields;
    options.QuoteAllFields = QuoteAllFields;
    options.TildeLineBreaks = TildeLineBreaks;
    const std::vector<int> columns = SaveColumns();
    FileProgress progress(*this);
    std::string text = TextForCells(static_cast<long long>(columns.size()) * GetSaveRowCount());
    for (int r = GetSaveStartRow(); r <= GetSaveEndRow(); ++r) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                text += options.Separator;
            AnsiString cell = SaveCell(columns[i], r);
            if (OemConvert)
                StringToOem(cell);
            AppendCsvField(text, cell.view(), options);
        }
        text += "\r\n";
        progress.Report(r, GetRowCount() - 1);
    }
    if (!Append)
        KeepLeadingByteOrderMark(text);
    if (!WriteFileBytes(FileName, text, Append))
        throw EDataGridError("Cannot Create file " + FileName);
}

namespace {

// Stores each record of a file in the next row of the grid, from its first column on.
class GridCsvSink : public CsvSink {
public:
    GridCsvSink(TDataGrid& grid, int firstCol, int firstRow, int records)
        : grid(grid), firstCol(firstCol), row(firstRow), records(records), progress(grid) {}

    void Field(std::string_view field) override {
        AnsiString text(field);
        if (grid.OemConvert)
            OemToString(text);
        grid.SetCellEx(firstCol + col++, row, text);
    }
    void EndRecord() override {
        col = 0;
        ++row;
        progress.Report(++done, records);
    }

private:
    TDataGrid& grid;
    int firstCol;
    int col = 0;
    int row;
    int records;
    int done = 0;
    FileProgress progress;
};

} // namespace

void TDataGrid::InputFromCSV(const AnsiString& FileName, bool Insert) {
    std::string bytes;
    if (!ReadFileBytes(FileName, bytes))
        throw EDataGridError("Cannot open file " + FileName);
    // OEM bytes are converted field by field, so they are not taken as Windows-1252 here.
    if (OemConvert && bytes.ends_with('\x1A'))
        bytes.pop_back();
    const std::string text = OemConvert ? std::move(bytes) : TextOfFileBytes(std::move(bytes), true);
    const char separator = Delimiter != 0 ? Delimiter : DetectCsvDelimiter(text);
    // Reading cannot fail once the file is in memory: one pass finds the size, so the counts are
    // set once, and the next stores the fields.
    const CsvShape shape = MeasureCsv(text, separator);
    const int firstCol = LoadStartCol();
    const int firstRow = Insert ? GetRowCount() : LoadStartRow();
    {
        GridUpdateLock lock(*this);
        if (!Insert)
            DropHiddenRowsFrom(firstRow);
        SetRowCount(std::max(1, firstRow + shape.Records));
        GroupRowsLoadedOver(firstRow, firstRow + shape.Records);
        SetColCount(std::max(GetColCount(), firstCol + shape.MaxFields));
        GridCsvSink sink(*this, firstCol, firstRow, shape.Records);
        ReadCsv(text, separator, TildeLineBreaks, sink);
    }
    CellsChanged(Rect(0, 0, GetColCount(), GetRowCount()));
    CellsLoaded();
}
