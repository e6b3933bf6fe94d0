// Rows and columns inserted, removed, cleared, swapped and merged.
#include "grid/Datagrid.h"

#include "framework/SequenceEdits.h"
#include "grid/GridUpdateLock.h"

#include <algorithm>
#include <numeric>

namespace {

// The rows (ascending) from a removal's range: the range cut at the grid's end.
std::vector<int> RowRange(int ARow, int RCount, int rowCount) {
    if (ARow > rowCount)
        return {};
    if (ARow < 0 || RCount < 0)
        throw EInvalidGridOperation("Grid index out of range");
    std::vector<int> rows(static_cast<std::size_t>(std::min(RCount, rowCount - ARow)));
    std::iota(rows.begin(), rows.end(), ARow);
    return rows;
}

// A hidden row's cells reaching real column ACol: a row hidden before columns were added holds
// fewer.
TStringList& CellsTo(TStringList& Items, int ACol) {
    while (Items.Count() <= ACol)
        Items.Add(AnsiString());
    return Items;
}

} // namespace

void TDataGrid::CheckGridIndex(int ACol, int Count) const {
    if (ACol < 0 || ACol >= Count)
        throw EInvalidGridOperation("Grid index out of range");
}

void TDataGrid::InsertDisplayRows(int ARow, int RCount) {
    InsertEmptyRows(ARow, RCount);
    if (RCount == 0)
        return;
    if (rowSelect.size() > static_cast<std::size_t>(ARow))
        rowSelect.insert(rowSelect.begin() + ARow, static_cast<std::size_t>(RCount), 0);
    RowCountSet();
}

void TDataGrid::DeleteDisplayRows(const std::vector<int>& ARows, bool Ex) {
    GridUpdateLock lock(*this);
    // RemoveRows moves the current cell without validating a pending edit; the flag comes back,
    // also when a bad row stops the removal.
    struct PendingEdit {
        bool& flag;
        bool saved;
        ~PendingEdit() { flag = saved; }
    } pending{editPending, editPending};
    if (!Ex)
        editPending = false;
    const int topRow = GetTopRow();
    const int row = GetRow();
    // A node row removed takes its node with it; a hidden one has handed its graphic on.
    if (NodeRowCount() > 0)
        nodeCount =
            std::max(0, nodeCount - static_cast<int>(std::count_if(ARows.begin(), ARows.end(),
                                                                   [this](int r) { return IsNode(r); })));
    // The framework keeps no fixed row without a normal one under it; rows waiting hidden give
    // the fixed rows back when they show again.
    const int fixedRows = TBaseGrid::GetFixedRows();
    DeleteRows(ARows);
    if (TBaseGrid::GetFixedRows() < fixedRows && !hiddenByRow.empty())
        hiddenFixedRows = std::max(hiddenFixedRows, fixedRows);
    EraseIndices(rowSelect, ARows);
    // The moves below start over on their cell; an edit left pending keeps its own cell, moved
    // with its row, for the validation when the user moves on or leaves.
    const int editedCol = validatedCol;
    const int editedRow = validatedRow;
    const AnsiString editedStart = startingText;
    const bool started = editingStarted;
    const int normalEnd = GetRowCount() - FixedFooters;
    const int firstNormal = TBaseGrid::GetFixedRows();
    // The current cell stays among the normal rows; with none left, on the footer row the
    // removal left it on, inside the grid.
    if (row < normalEnd) {
        SetRow(row);
        SetTopRow(std::clamp(topRow, firstNormal, std::max(firstNormal, Vert().MaxFirst())));
    } else if (normalEnd > firstNormal && Ex) {
        SetRow(firstNormal);
        SetTopRow(firstNormal);
    } else if (normalEnd > firstNormal) {
        SetRow(normalEnd - 1);
    }
    if (pending.saved && !Ex) {
        validatedCol = editedCol;
        validatedRow = editedRow;
        startingText = editedStart;
        editingStarted = started;
    }
}

void TDataGrid::RowsInserted(int ARow, int RCount) {
    TBaseGrid::RowsInserted(ARow, RCount);
    if (validatedRow >= ARow)
        validatedRow += RCount;
    for (TrackedCell* cell : TrackedCells())
        cell->RowsInserted(ARow, RCount);
}

void TDataGrid::RowsDeleted(const std::vector<int>& ARows) {
    TBaseGrid::RowsDeleted(ARows);
    for (TrackedCell* cell : TrackedCells())
        cell->RowsDeleted(ARows);
    const auto before = std::lower_bound(ARows.begin(), ARows.end(), validatedRow);
    if (before != ARows.end() && *before == validatedRow)
        validatedRow = -1;
    else
        validatedRow -= static_cast<int>(before - ARows.begin());
}

void TDataGrid::RemoveRows(int ARow, int RCount) {
    RemoveRowRange(ARow, RCount, false);
}

void TDataGrid::RemoveRowsEx(int ARow, int RCount) {
    RemoveRowRange(ARow, RCount, true);
}

void TDataGrid::RemoveRowRange(int ARow, int RCount, bool Ex) {
    BlocksFollowing blocks(*this);
    const std::vector<int> range = RowRange(ARow, RCount, GetRowCount());
    if (range.empty())
        return;
    const std::vector<int> rows = ExpandRemovedNodes(range);
    RemoveDisplayRows(rows, Ex);
    CellsChanged(Rect(0, ARow, GetColCount() - 1, rows.back() + 1));
}

void TDataGrid::RemoveDisplayRows(const std::vector<int>& ARows, bool Ex) {
    KeepBlockTexts(RealRows(ARows), TBlockRowsChange::Removing);
    DeleteDisplayRows(ARows, Ex);
    HiddenRowsRemoved(ARows);
}

void TDataGrid::InsertRows(int ARow, int RCount) {
    BlocksFollowing blocks(*this);
    // The new rows stand before the row at ARow, after the rows hidden before it.
    const int first = RemapRowInv(ARow);
    InsertDisplayRows(ARow, RCount);
    if (RCount > 0)
        HiddenRowsInserted(ARow, RCount);
    blocks.RowsInserted(first, RCount);
}

void TDataGrid::TakeBackInsertedRows(int ARow, int RCount) {
    BlocksFollowing blocks(*this);
    std::vector<int> rows(static_cast<std::size_t>(RCount));
    std::iota(rows.begin(), rows.end(), ARow);
    KeepBlockTexts(RealRows(rows), TBlockRowsChange::Removing);
    DeleteRows(rows);
    EraseIndices(rowSelect, rows);
    RowCountSet();
    HiddenRowsRemoved(rows);
}

void TDataGrid::RemoveSelectedRows() {
    std::vector<int> selected;
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
        if (GetRowSelect(r))
            selected.push_back(r);
    if (selected.empty())
        return;
    BlocksFollowing blocks(*this);
    const std::vector<int> rows = ExpandRemovedNodes(selected);
    RemoveDisplayRows(rows, false);
    CellsChanged(Rect(0, rows.front(), GetColCount() - 1, rows.back() + 1));
}

void TDataGrid::HideSelectedRows() {
    std::vector<int> rows;
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
        if (GetRowSelect(r))
            rows.push_back(r);
    HideDisplayRows(rows, false);
}

void TDataGrid::AddColumn() {
    InsertCols(RealColCount(), 1);
}

void TDataGrid::InsertCols(int ACol, int CCount) {
    CheckGridIndex(ACol, RealColCount() + 1);
    if (CCount < 0)
        throw EInvalidGridOperation("Grid index out of range");
    if (CCount == 0)
        return;
    CellsMoving();
    BlocksFollowing blocks(*this);
    blocks.ColsInserted(ACol, CCount);
    if (ACol == 0)
        NodeColumnMoving();
    if (validatedCol >= ACol)
        validatedCol += CCount;
    for (TrackedCell* cell : TrackedCells())
        cell->ColsInserted(ACol, CCount);
    const int display = RemapColInv(ACol);
    const auto at = static_cast<std::size_t>(ACol);
    if (at < visibleCol.size()) {
        visibleCol.insert(visibleCol.begin() + ACol, static_cast<std::size_t>(CCount), true);
        savedColWidths.insert(savedColWidths.begin() + ACol, static_cast<std::size_t>(CCount), 0);
    }
    for (int i = 0; i < hiddenRows.Count(); ++i) {
        TStringList& items = HiddenItem(i)->Items;
        for (int k = 0; k < CCount && ACol <= items.Count(); ++k)
            items.InsertObject(ACol, AnsiString(), nullptr);
    }
    GroupLabelMoved([&](int c) { return c >= ACol ? c + CCount : c; });
    // The group column comes back among the columns it stood among.
    if (groupColumn > ACol)
        groupColumn += CCount;
    InsertStoredCols(ACol, CCount);
    InsertEmptyCols(display, CCount);
    RenumberCellProperties(0);
    ColCountSet();
}

void TDataGrid::RemoveCols(int ACol, int CCount) {
    if (ACol < 0 || CCount < 0 || ACol + CCount > RealColCount())
        throw EInvalidGridOperation("Grid index out of range");
    if (CCount == 0)
        return;
    int hidden = 0;
    for (int c = ACol; c < ACol + CCount; ++c)
        hidden += IsHiddenColumn(c);
    const int shown = CCount - hidden;
    // The framework keeps a column.
    if (shown >= GetColCount())
        throw EInvalidGridOperation("Grid index out of range");
    CellsMoving();
    BlocksFollowing blocks(*this);
    if (validatedCol >= ACol + CCount)
        validatedCol -= CCount;
    else if (validatedCol >= ACol)
        validatedCol = -1;
    for (TrackedCell* cell : TrackedCells())
        cell->ColsDeleted(ACol, CCount);
    ClearCols(ACol, CCount);
    const int display = RemapColInv(ACol);
    for (int i = 0; i < hiddenRows.Count(); ++i) {
        TStringList& items = HiddenItem(i)->Items;
        for (int k = 0; k < CCount && ACol < items.Count(); ++k) {
            delete items.GetObject(ACol);
            items.Delete(ACol);
        }
    }
    // The columns after the removed ones move up with their flags and saved widths.
    const auto first = std::min(static_cast<std::size_t>(ACol), visibleCol.size());
    const auto last = std::min(static_cast<std::size_t>(ACol + CCount), visibleCol.size());
    visibleCol.erase(visibleCol.begin() + static_cast<std::ptrdiff_t>(first),
                     visibleCol.begin() + static_cast<std::ptrdiff_t>(last));
    savedColWidths.erase(savedColWidths.begin() + static_cast<std::ptrdiff_t>(first),
                         savedColWidths.begin() + static_cast<std::ptrdiff_t>(last));
    visibleCol.resize(std::max<std::size_t>(visibleCol.size(), VisibleFlags), true);
    savedColWidths.resize(visibleCol.size());
    hiddenCols -= hidden;
    GroupLabelMoved([&](int c) { return c >= ACol + CCount ? c - CCount : c >= ACol ? -1 : c; });
    if (groupColumn > ACol)
        groupColumn -= std::min(CCount, groupColumn - ACol);
    DeleteStoredCols(ACol, CCount);
    DeleteCols(display, shown);
    RenumberCellProperties(0);
    ColCountSet();
    Invalidate();
    CellsChanged(Rect(ACol, 0, ACol + CCount, GetRowCount() - 1));
}

void TDataGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2) {
    if (ACol1 <= ACol2 && ARow1 <= ARow2 &&
        (ACol1 < 0 || ARow1 < 0 || ACol2 >= StoredColCount() || ARow2 >= GetRowCount()))
        throw EInvalidGridOperation("Grid index out of range");
    CellsMoving();
    // A block keeps the rows and columns it has left whole, or is split.
    BlocksFollowing blocks(*this);
    // The rows a cleared node shows again inside the range are cleared with it; a range to the
    // grid's last row still reaches it.
    if (ACol1 <= 0 && ACol2 >= 0 && ARow1 <= ARow2) {
        const bool toEnd = ARow2 == GetRowCount() - 1;
        ARow2 = ExpandNodesGoingIn(ARow1, ARow2);
        if (toEnd)
            ARow2 = GetRowCount() - 1;
    }
    // The cleared cells leave their blocks as removed ones do, each clearing its own text.
    std::vector<int> rows(static_cast<std::size_t>(std::max(0, ARow2 - ARow1 + 1)));
    std::iota(rows.begin(), rows.end(), ARow1);
    KeepBlockTexts(RealRows(rows), TBlockRowsChange::Removing, ACol1, ACol2);
    {
        GridUpdateLock lock(*this);
        for (int r = ARow1; r <= ARow2; ++r)
            for (int c = ACol1; c <= ACol2; ++c) {
                if (HasCellProperties(c, r))
                    SetCellProperties(c, r, nullptr);
                if (!cells.Text(c, r).IsEmpty())
                    cells.SetText(c, r, AnsiString());
            }
    }
    TextsWritten(Rect(ACol1, ARow1, ACol2, ARow2));
    CellsChanged(Rect(ACol1, ARow1, ACol2, ARow2));
}

void TDataGrid::ClearRows(int ARow, int RCount) {
    if (GetRowCount() < 1 || GetColCount() < 1 || RCount < 1)
        return;
    ClearRect(0, ARow, RealColCount() - 1, ARow + RCount - 1);
}

void TDataGrid::ClearCols(int ACol, int CCount) {
    if (GetRowCount() < 1 || GetColCount() < 1 || CCount < 1)
        return;
    ClearRect(ACol, 0, ACol + CCount - 1, GetRowCount() - 1);
}

void TDataGrid::ClearNormalCells() {
    if (GetRowCount() < 1 || GetColCount() < 1)
        return;
    ClearRect(GetFixedCols(), GetFixedRows(), RealColCount() - 1 - FixedRightCols,
              GetRowCount() - 1 - FixedFooters);
}

void TDataGrid::ClearShownCells(int FromCol, int ToCol, int ARow1, int ARow2) {
    // Each run of adjacent real columns is cleared at once.
    for (int c = FromCol; c <= ToCol;) {
        const int first = RemapCol(c);
        int last = first;
        while (++c <= ToCol && RemapCol(c) == last + 1)
            ++last;
        ClearRect(first, ARow1, last, ARow2);
    }
}

void TDataGrid::ClearMarkedRows(const TGridRect& R) {
    GridUpdateLock lock(*this);
    const int right = std::min(R.Right, GetColCount() - 1);
    for (int r = std::max(R.Top, GetFixedRows()); r <= std::min(R.Bottom, GetRowCount() - 1); ++r)
        if (GetRowSelect(r))
            ClearShownCells(std::max(R.Left, 0), right, r, r);
}

void TDataGrid::ClearSelection() {
    // What the user sees selected is cleared; hidden columns keep their cells.
    if (MouseActions->DisjunctRowSelect) {
        ClearMarkedRows({0, 0, GetColCount() - 1, GetRowCount() - 1});
        return;
    }
    const TGridRect selection = GetSelection();
    ClearShownCells(selection.Left, selection.Right, selection.Top, selection.Bottom);
}

void TDataGrid::Clear() {
    if (GetRowCount() > 0 && GetColCount() > 0)
        ClearRect(0, 0, RealColCount() - 1, GetRowCount() - 1);
    lookupText = AnsiString();
}

void TDataGrid::SwapRows(int ARow1, int ARow2) {
    CheckGridIndex(ARow1, GetRowCount());
    CheckGridIndex(ARow2, GetRowCount());
    if (ARow1 == ARow2)
        return;
    CellsMoving();
    BlocksFollowing blocks(*this);
    // A contracted node row takes the rows it hides along; a sort has taken them already.
    std::vector<ContractedRows> carried;
    if (!contractedRowsTaken) {
        carried = ContractedNodesAmong({ARow1, ARow2});
        TakeContractedRows(carried);
    }
    cells.ExchangeRows(ARow1, ARow2);
    for (ContractedRows& node : carried)
        node.Row = node.Row == ARow1 ? ARow2 : ARow1;
    PutContractedRows(carried);
    // The cells being validated and kept for Escape move with their rows.
    validatedRow = SwappedIndex(validatedRow, ARow1, ARow2);
    for (TrackedCell* cell : TrackedCells())
        cell->RowsSwapped(ARow1, ARow2);
    // Each height goes with its size at zoom level 0, which a row too small to follow does not show.
    const bool differ = GetRowHeights(ARow1) != GetRowHeights(ARow2);
    rows.Exchange(ARow1, ARow2);
    if (differ)
        RowHeightsChanged();
    const auto last = static_cast<std::size_t>(std::max(ARow1, ARow2));
    if (rowSelect.size() > static_cast<std::size_t>(std::min(ARow1, ARow2))) {
        rowSelect.resize(std::max(rowSelect.size(), last + 1));
        std::swap(rowSelect[static_cast<std::size_t>(ARow1)], rowSelect[static_cast<std::size_t>(ARow2)]);
    }
    // Only the two rows' cells changed place.
    for (const int row : {ARow1, ARow2})
        for (int col = 0; col < StoredColCount(); ++col)
            if (auto* props = dynamic_cast<TCellProperties*>(cells.Object(col, row))) {
                props->Col = col;
                props->Row = row;
            }
    InvalidateRow(ARow1);
    InvalidateRow(ARow2);
}

void TDataGrid::SwapColumns(int ACol1, int ACol2) {
    CheckGridIndex(ACol1, RealColCount());
    CheckGridIndex(ACol2, RealColCount());
    if (ACol1 == ACol2)
        return;
    CellsMoving();
    BlocksFollowing blocks(*this);
    if (std::min(ACol1, ACol2) == 0)
        NodeColumnMoving();
    const bool shown1 = GetVisibleCol(ACol1);
    const bool shown2 = GetVisibleCol(ACol2);
    const int display1 = RemapColInv(ACol1);
    const int display2 = RemapColInv(ACol2);
    cells.ExchangeColumns(ACol1, ACol2);
    // Hidden rows swap theirs too, objects with texts.
    for (int i = 0; i < hiddenRows.Count(); ++i) {
        TStringList& items = CellsTo(HiddenItem(i)->Items, std::max(ACol1, ACol2));
        const AnsiString text = items[ACol1];
        TObject* object = items.GetObject(ACol1);
        items.Put(ACol1, items[ACol2]);
        items.PutObject(ACol1, items.GetObject(ACol2));
        items.Put(ACol2, text);
        items.PutObject(ACol2, object);
    }
    validatedCol = SwappedIndex(validatedCol, ACol1, ACol2);
    for (TrackedCell* cell : TrackedCells())
        cell->ColsSwapped(ACol1, ACol2);
    if (shown1 && shown2) {
        const bool differ = GetColWidths(display1) != GetColWidths(display2);
        cols.Exchange(display1, display2);
        if (differ)
            ColWidthsChanged();
    } else {
        // A column goes whole, hidden or not: the shown one of the two moves on display.
        const auto index1 = static_cast<std::size_t>(ACol1);
        const auto index2 = static_cast<std::size_t>(ACol2);
        visibleCol.resize(std::max(visibleCol.size(), std::max(index1, index2) + 1), true);
        savedColWidths.resize(visibleCol.size());
        visibleCol[index1] = shown2;
        visibleCol[index2] = shown1;
        std::swap(savedColWidths[index1], savedColWidths[index2]);
        if (shown1 != shown2) {
            const int from = shown1 ? display1 : display2;
            cols.Move(from, RemapColInv(shown1 ? ACol2 : ACol1));
            ColWidthsChanged();
        }
    }
    const auto swapped = [&](int c) { return c == ACol1 ? ACol2 : c == ACol2 ? ACol1 : c; };
    SortSettings->Column = swapped(SortSettings->Column);
    GroupLabelMoved(swapped);
    RenumberCellProperties(0);
    Invalidate();
}

void TDataGrid::MergeColumnCells(int ACol, bool MainMerge) {
    // The runs are read with what the editor holds.
    CellsMoving();
    const int last = GetRowCount() - 1 - FixedFooters;
    int start = GetFixedRows();
    int run = 1;
    for (int r = start + 1; r <= last; ++r) {
        if (GetCells(ACol, r) == GetCells(ACol, r - 1) && (MainMerge || RowSpanIdentical(r, r - 1))) {
            ++run;
            continue;
        }
        MergeCells(ACol, start, 1, run);
        start = r;
        run = 1;
    }
    if (run > 1)
        MergeCells(ACol, start, 1, run);
}

void TDataGrid::MergeRowCells(int ARow, bool MainMerge) {
    CellsMoving();
    // Runs of the shown columns; a block takes the hidden columns between its first and last.
    const auto merge = [&](int first, int last) {
        MergeCells(RemapCol(first), ARow, RemapCol(last) - RemapCol(first) + 1, 1);
    };
    const int last = GetColCount() - 1 - FixedRightCols;
    int start = GetFixedCols();
    for (int d = start + 1; d <= last; ++d) {
        const int c = RemapCol(d);
        const int previous = RemapCol(d - 1);
        if (GetCells(c, ARow) == GetCells(previous, ARow) && (MainMerge || ColSpanIdentical(c, previous)))
            continue;
        merge(start, d - 1);
        start = d;
    }
    if (start < last)
        merge(start, last);
}

void TDataGrid::SplitColumnCells(int ACol) {
    for (int r = GetFixedRows(); r <= GetRowCount() - 1 - FixedFooters;) {
        if (!IsMergedCell(ACol, r)) {
            ++r;
            continue;
        }
        // On past the block's last row: it may start above the row found.
        const int next = FullCell(ACol, r).Bottom + 1;
        SplitCells(ACol, r);
        r = next;
    }
}

void TDataGrid::SplitRowCells(int ARow) {
    // The shown columns; a block's cells are stored ones, and it may start left of the cell found.
    for (int d = GetFixedCols(); d <= GetColCount() - 1 - FixedRightCols;) {
        const int c = RemapCol(d);
        if (!IsMergedCell(c, ARow)) {
            ++d;
            continue;
        }
        const int next = FullCell(c, ARow).Right + 1;
        SplitCells(c, ARow);
        d = RemapColInv(next);
    }
}

void TDataGrid::MergeCols(int ACol1, int ACol2) {
    CheckGridIndex(ACol1, RealColCount());
    CheckGridIndex(ACol2, RealColCount());
    CellsMoving();
    const auto merged = [](const AnsiString& text1, const AnsiString& text2) {
        return (text1 + " " + text2).Trim();
    };
    for (int r = GetFixedRows(); r < GetRowCount(); ++r)
        SetCells(ACol1, r, merged(GetCells(ACol1, r), GetCells(ACol2, r)));
    // Hidden rows are merged too, or they would come back without ACol2's texts.
    for (TGridItem* item : hiddenByRow) {
        if (item->Idx < GetFixedRows())
            continue;
        TStringList& items = CellsTo(item->Items, std::max(ACol1, ACol2));
        items.Put(ACol1, merged(items[ACol1], items[ACol2]));
    }
    // Node rows keep their group's text in the merged column.
    GroupLabelMoved([&](int c) { return c == ACol2 ? ACol1 : c; });
    RemoveCols(ACol2, 1);
}

bool TDataGrid::IsCell(const AnsiString& S, int& ACol, int& ARow) const {
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < RealColCount(); ++c)
            if (cells.Text(c, r) == S) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}

void TDataGrid::RowMoved(int FromIndex, int ToIndex) {
    // The cells have not moved yet.
    BlocksFollowing blocks(*this);
    TBaseGrid::RowMoved(FromIndex, ToIndex);
    // The row's selection flag goes with it; a hidden row keeps its place among the others.
    MoveElement(rowSelect, FromIndex, ToIndex);
    validatedRow = MovedIndex(validatedRow, FromIndex, ToIndex);
    for (TrackedCell* cell : TrackedCells())
        cell->RowMoved(FromIndex, ToIndex);
    // A contracted node row takes the rows it hides along.
    std::vector<ContractedRows> carried;
    if (GetNodeState(ToIndex)) {
        carried.push_back({GetCellGraphic(0, ToIndex), FromIndex, {}});
        TakeContractedRows(carried);
        carried.front().Row = ToIndex;
    }
    HiddenRowsRemoved({FromIndex});
    HiddenRowsInserted(ToIndex, 1);
    PutContractedRows(carried);
}

void TDataGrid::MoveRealColumn(int FromIndex, int ToIndex) {
    BlocksFollowing blocks(*this);
    const int from = RemapCol(FromIndex);
    const int to = RemapCol(ToIndex);
    if (std::min(from, to) == 0)
        NodeColumnMoving();
    cells.MoveColumn(from, to);
    validatedCol = MovedIndex(validatedCol, from, to);
    for (TrackedCell* cell : TrackedCells())
        cell->ColMoved(from, to);
    if (visibleCol.size() > static_cast<std::size_t>(std::min(from, to))) {
        // Columns beyond the flags are shown ones.
        const auto needed = static_cast<std::size_t>(std::max(from, to)) + 1;
        visibleCol.resize(std::max(visibleCol.size(), needed), true);
        savedColWidths.resize(visibleCol.size());
        MoveElement(visibleCol, from, to);
        MoveElement(savedColWidths, from, to);
    }
    for (int i = 0; i < hiddenRows.Count(); ++i) {
        TStringList& items = CellsTo(HiddenItem(i)->Items, std::max(from, to));
        const AnsiString text = items[from];
        TObject* object = items.GetObject(from);
        items.Delete(from);
        items.InsertObject(to, text, object);
    }
    GroupLabelMoved([&](int c) {
        if (c == from)
            return to;
        return c + (to < from && c >= to && c < from) - (from < to && c > from && c <= to);
    });
    RenumberCellProperties(0);
    TCustomGrid::ColumnMoved(FromIndex, ToIndex);
}
