#include "grid/Datagrid.h"

#include "framework/FileBytes.h"
#include "framework/Screen.h"
#include "grid/FixedFormat.h"
#include "grid/GridUpdateLock.h"
#include "grid/TextLines.h"

#include <algorithm>
#include <limits>

void TDataGrid::SaveToASCII(const AnsiString& FileName) {
    ScopedScreenCursor hourglass(crHourGlass);
    const int cols = GetColCount();
    const int rows = GetRowCount();
    std::vector<int> real(static_cast<std::size_t>(cols));
    std::vector<int> widths(real.size(), 0);
    for (int c = 0; c < cols; ++c) {
        real[static_cast<std::size_t>(c)] = RemapCol(c);
        for (int r = 0; r < rows; ++r)
            widths[static_cast<std::size_t>(c)] = std::max(
                widths[static_cast<std::size_t>(c)],
                LongestLineChars(SaveCell(real[static_cast<std::size_t>(c)], r).view(), Multilinecells));
    }
    std::string text;
    for (int r = 0; r < rows; ++r) {
        AsciiRow line;
        int start = 0;
        for (std::size_t c = 0; c < real.size(); ++c) {
            line.AddCell(SaveCell(real[c], r).view(), GetCellAlignment(real[c], r).first, start, widths[c],
                         Multilinecells);
            start += widths[c] + 1;
        }
        line.AppendTo(text);
    }
    if (!WriteFileBytes(FileName, text))
        throw EDataGridError("Cannot Create file " + FileName);
}

void TDataGrid::SaveToFixed(const AnsiString& FileName, TIntList* Widths) {
    TIntList ownWidths(0, 0);
    TIntList& widths = Widths ? *Widths : ownWidths;
    const std::vector<int> columns = SaveColumns();
    for (std::size_t i = static_cast<std::size_t>(widths.Count()); i < columns.size(); ++i) {
        int longest = 0;
        for (int r = 0; r < GetRowCount(); ++r)
            longest = std::max(longest, LongestLineChars(SaveCell(columns[i], r).view(), Multilinecells));
        widths.Add(longest + 1);
    }
    std::string text;
    for (int r = GetSaveStartRow(); r <= GetSaveEndRow(); ++r) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            // A record is one line: a cell gives its first line only.
            const AnsiString cell = SaveCell(columns[i], r);
            AppendFixedField(text, CellLines(cell.view(), false).front(),
                             widths.GetInteger(static_cast<int>(i)));
        }
        text += "\r\n";
    }
    KeepLeadingByteOrderMark(text);
    if (!WriteFileBytes(FileName, text))
        throw EDataGridError("Cannot Create file " + FileName);
}

void TDataGrid::LoadFromFixed(const AnsiString& FileName, TIntList* Positions) {
    const int count = Positions ? Positions->Count() : 0;
    bool ascending = count >= 2 && Positions->GetInteger(0) >= 1;
    for (int i = 1; ascending && i < count; ++i)
        ascending = Positions->GetInteger(i) > Positions->GetInteger(i - 1);
    if (!ascending)
        throw EDataGridError("Invalid column positions");
    std::string bytes;
    if (!ReadFileBytes(FileName, bytes))
        throw EDataGridError("File " + FileName + " not found");
    const std::string text = TextOfFileBytes(std::move(bytes), true);
    std::vector<std::string_view> lines;
    LineReader reader(text, LineEnds::Any);
    for (std::string_view line; reader.Next(line);)
        lines.push_back(line);

    const int firstCol = GetSaveStartCol();
    const int firstRow = GetSaveStartRow();
    {
        GridUpdateLock lock(*this);
        SetColCount(firstCol + count - 1);
        // The rows after the lines stay, and so do the hidden rows among them.
        const int end = firstRow + static_cast<int>(lines.size());
        DropHiddenRowsFrom(firstRow, end < GetRowCount() ? end : std::numeric_limits<int>::max());
        if (!lines.empty())
            SetRowCount(std::max(GetRowCount(), end));
        GroupRowsLoadedOver(firstRow, end);
        for (std::size_t k = 0; k < lines.size(); ++k)
            for (int i = 1; i < count; ++i)
                SetCellEx(firstCol + i - 1, firstRow + static_cast<int>(k),
                          FixedField(lines[k], Positions->GetInteger(i - 1),
                                     Positions->GetInteger(i) - Positions->GetInteger(i - 1)));
    }
    CellsChanged(Rect(0, 0, GetColCount(), GetRowCount()));
    CellsLoaded();
}
