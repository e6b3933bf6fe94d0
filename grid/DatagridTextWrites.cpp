// Writes of several texts at once: pastes and drops of text and rich text.
#include "grid/Datagrid.h"

#include "grid/ClipboardFormat.h"
#include "grid/GridUpdateLock.h"

#include <algorithm>

namespace {

struct PlannedWrite {
    int Col;
    int Row;
    std::string_view Text;
};

bool CellBefore(const PlannedWrite& a, const PlannedWrite& b) {
    return a.Col < b.Col || (a.Col == b.Col && a.Row < b.Row);
}

// Two different texts for one block's base cell: one of them would be lost.
bool DifferentTextsInOneCell(const PlannedWrite& a, const PlannedWrite& b) {
    return a.Col == b.Col && a.Row == b.Row && a.Text != b.Text;
}

} // namespace

std::optional<TGridRect> TDataGrid::WriteTexts(int ACol, int ARow, const FieldTable& Lines, TTextsWrite How) {
    if (!PasteReaches(ACol, ARow))
        return std::nullopt;
    const bool always = Navigation->AllowClipboardAlways;
    const int colCount = GetColCount();
    const int rowCount = GetRowCount();
    int cols = colCount;
    int rows = rowCount;
    if (How.Grows && Navigation->AllowClipboardColGrow)
        cols = std::max(cols, ACol + Lines.MaxFieldCount());
    if (How.Grows && Navigation->AllowClipboardRowGrow)
        rows = std::max(rows, ARow + Lines.RowCount());
    // Texts land in the columns the user sees.
    std::vector<int> real;
    for (int c = ACol; c < ACol + Lines.MaxFieldCount(); ++c)
        real.push_back(RemapCol(c));
    std::vector<PlannedWrite> writes;
    // Only cells with properties may belong to a block; a block takes one text, as often as it
    // comes (a block copied and pasted gives its text once for each of its cells).
    std::vector<PlannedWrite> blockCells;
    TGridRect reached{ACol, ARow, ACol, ARow};
    for (int k = 0; k < Lines.RowCount(); ++k) {
        const int row = ARow + k;
        for (int i = 0; i < Lines.FieldCount(k); ++i) {
            const int col = ACol + i;
            const bool inside = col < cols && row < rows;
            if (inside) {
                reached.Right = std::max(reached.Right, col);
                reached.Bottom = row;
            }
            TPoint cell = Point(real[static_cast<std::size_t>(i)], row);
            const bool inBlock = col < colCount && row < rowCount && HasCellProperties(cell.x, cell.y);
            if (inBlock)
                cell = BaseCell(cell.x, cell.y);
            if (!inside || !(always || IsEditable(cell.x, cell.y))) {
                if (How.Whole && !(How.HeadersPassed && col < GetFixedCols()))
                    return std::nullopt;
                continue;
            }
            writes.push_back({cell.x, cell.y, Lines.Field(k, i)});
            if (inBlock)
                blockCells.push_back(writes.back());
        }
    }
    std::sort(blockCells.begin(), blockCells.end(), CellBefore);
    if (std::adjacent_find(blockCells.begin(), blockCells.end(), DifferentTextsInOneCell) != blockCells.end())
        return std::nullopt;
    GridUpdateLock lock(*this);
    // The grid grows once, however many lines come.
    if (cols > colCount)
        SetColCount(cols);
    if (rows > rowCount)
        SetRowCount(rows);
    for (const PlannedWrite& write : writes)
        SetCellEx(write.Col, write.Row, AnsiString(write.Text));
    return reached;
}

bool TDataGrid::WriteCellText(int ACol, int ARow, std::string_view Text) {
    FieldTable text;
    text.AddField(Text);
    text.EndRow();
    return WriteTexts(ACol, ARow, text, {.Grows = false}).has_value();
}

bool TDataGrid::PasteFields(int ACol, int ARow, const ClipboardFields& Fields, TTextsWrite How) {
    const std::optional<TGridRect> reached = WriteTexts(ACol, ARow, Fields.Rows, How);
    if (!reached)
        return false;
    pastedValues = 0;
    for (int k = 0; k < Fields.Rows.RowCount(); ++k)
        pastedValues += Fields.Rows.FieldCount(k);
    PasteNotify(clipboardOrigin, *reached, lastClipOperation);
    CellsChanged(Rect(reached->Left, reached->Top, reached->Right, reached->Bottom));
    return true;
}
