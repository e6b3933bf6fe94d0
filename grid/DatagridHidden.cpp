// Hidden columns and rows: the two index spaces and the hidden-row store.
#include "grid/Datagrid.h"

#include "framework/SequenceEdits.h"
#include "grid/GridUpdateLock.h"

#include <algorithm>
#include <functional>
#include <utility>

bool TDataGrid::IsHiddenColumn(int ACol) const {
    return ACol >= 0 && ACol < static_cast<int>(visibleCol.size()) &&
           !visibleCol[static_cast<std::size_t>(ACol)];
}

void TDataGrid::SetVisibleCol(int ACol, bool Value) {
    if (ACol >= 0 && ACol < static_cast<int>(visibleCol.size()))
        visibleCol[static_cast<std::size_t>(ACol)] = Value;
}

bool TDataGrid::GetVisibleCol(int ACol) const {
    return ACol < 0 || ACol >= static_cast<int>(visibleCol.size()) ||
           visibleCol[static_cast<std::size_t>(ACol)];
}

int TDataGrid::RemapCol(int ACol) const {
    if (hiddenCols == 0 || ACol < 0)
        return ACol;
    // The ACol-th shown column among the flags; past them every hidden column lies before.
    const int flags = static_cast<int>(visibleCol.size());
    for (int real = 0, shown = 0; real < flags; ++real)
        if (visibleCol[static_cast<std::size_t>(real)] && shown++ == ACol)
            return real;
    return ACol + hiddenCols;
}

int TDataGrid::RemapColInv(int ACol) const {
    if (hiddenCols == 0 || ACol <= 0)
        return ACol;
    const auto end = visibleCol.begin() + std::min(ACol, static_cast<int>(visibleCol.size()));
    return ACol - static_cast<int>(std::count(visibleCol.begin(), end, false));
}

void TDataGrid::HideColumns(int FromCol, int ToCol) {
    CellsMoving();
    for (int c = std::max(FromCol, 0); c <= ToCol && c < VisibleFlags - 1; ++c) {
        // The last shown column never hides.
        if (IsHiddenColumn(c) || c >= RealColCount() || GetColCount() < 2)
            continue;
        const int display = RemapColInv(c);
        // Kept as at zoom level 0, so that it comes back at the level then.
        savedColWidths[static_cast<std::size_t>(c)] = cols.BaseSize(display);
        cols.Move(display, GetColCount() - 1);
        ++hiddenCols;
        visibleCol[static_cast<std::size_t>(c)] = false;
        SetColCount(GetColCount() - 1);
    }
    Invalidate();
}

void TDataGrid::UnHideColumns(int FromCol, int ToCol) {
    CellsMoving();
    for (int c = std::max(FromCol, 0); c <= ToCol && c < static_cast<int>(visibleCol.size()); ++c) {
        if (!IsHiddenColumn(c))
            continue;
        // One left beyond a lowered count shows once the count reaches it again.
        if (c >= RealColCount()) {
            visibleCol[static_cast<std::size_t>(c)] = true;
            continue;
        }
        --hiddenCols;
        visibleCol[static_cast<std::size_t>(c)] = true;
        SetColCount(GetColCount() + 1);
        const int display = RemapColInv(c);
        cols.Move(GetColCount() - 1, display);
        SetAllColBaseWidths(c, savedColWidths[static_cast<std::size_t>(c)]);
    }
    Invalidate();
}

void TDataGrid::UnHideColumnsAll() {
    UnHideColumns(0, static_cast<int>(visibleCol.size()) - 1);
}

TGridItem* TDataGrid::HiddenItem(int index) const {
    return static_cast<TGridItem*>(hiddenRows.GetItem(index));
}

std::vector<TGridItem*>::const_iterator TDataGrid::HiddenBelow(int ARow) const {
    return std::partition_point(hiddenByRow.begin(), hiddenByRow.end(),
                                [ARow](const TGridItem* item) { return item->Idx < ARow; });
}

TGridItem* TDataGrid::HiddenRowItem(int ARow) const {
    const auto found = HiddenBelow(ARow);
    return found != hiddenByRow.end() && (*found)->Idx == ARow ? *found : nullptr;
}

bool TDataGrid::IsHiddenRow(int ARow) const {
    return HiddenRowItem(ARow) != nullptr;
}

int TDataGrid::RemapRow(int ARow) const {
    return ARow - static_cast<int>(HiddenBelow(ARow) - hiddenByRow.begin());
}

int TDataGrid::RemapRowInv(int ARow) const {
    if (ARow < 0)
        return -1;
    // The k-th hidden row (from 0) has Idx - k shown rows before it; those with at most ARow
    // shown rows before them lie before the shown row sought.
    std::size_t low = 0;
    std::size_t high = hiddenByRow.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (hiddenByRow[middle]->Idx - static_cast<int>(middle) <= ARow)
            low = middle + 1;
        else
            high = middle;
    }
    return ARow + static_cast<int>(low);
}

std::vector<int> TDataGrid::RealRows(const std::vector<int>& ARows) const {
    std::vector<int> real;
    real.reserve(ARows.size());
    for (const int row : ARows)
        real.push_back(RemapRowInv(row));
    return real;
}

void TDataGrid::TakeRow(int ARow, TStringList& Items) {
    for (int c = 0; c < StoredColCount(); ++c)
        Items.AddObject(cells.Text(c, ARow), cells.TakeObject(c, ARow).release());
}

void TDataGrid::PutRow(int ARow, TStringList& Items) {
    for (int c = 0; c < Items.Count() && c < StoredColCount(); ++c) {
        cells.SetText(c, ARow, Items[c]);
        // The row comes back where it now belongs, not where it was hidden from.
        if (auto* props = dynamic_cast<TCellProperties*>(Items.GetObject(c))) {
            props->Col = c;
            props->Row = ARow;
        }
        SetObjects(c, ARow, std::unique_ptr<TObject>(Items.GetObject(c)));
        Items.PutObject(c, nullptr);
    }
}

void TDataGrid::HideDisplayRows(const std::vector<int>& ARows, bool Ex, bool ByNode) {
    // The framework keeps a row: a request for every row leaves the grid as it is.
    if (ARows.empty() || static_cast<int>(ARows.size()) >= GetRowCount())
        return;
    // Rows counted with hidden ones stay where they are; the blocks over them with them.
    BlocksFollowing blocks(*this);
    {
        // The edit is validated as after a removal.
        const bool pending = std::exchange(editPending, Ex && editPending);
        CellsMoving();
        editPending = pending;
    }
    const std::vector<int> realRows = RealRows(ARows);
    KeepBlockTexts(realRows, TBlockRowsChange::Hiding);
    std::vector<TGridItem*> added;
    added.reserve(ARows.size());
    for (std::size_t k = 0; k < ARows.size(); ++k) {
        const int row = ARows[k];
        auto* item = static_cast<TGridItem*>(hiddenRows.Add());
        item->Idx = realRows[k];
        item->HiddenByNode = ByNode;
        TakeRow(row, item->Items);
        added.push_back(item);
    }
    if (hiddenByRow.empty())
        hiddenFixedRows = 0;
    // Rows ascending on display are ascending in real rows too.
    const auto middle = hiddenByRow.insert(hiddenByRow.end(), added.begin(), added.end());
    std::inplace_merge(hiddenByRow.begin(), middle, hiddenByRow.end(),
                       [](const TGridItem* a, const TGridItem* b) { return a->Idx < b->Idx; });
    DeleteDisplayRows(ARows, Ex);
    CellsChanged(Rect(0, ARows.front(), GetColCount() - 1, ARows.back() + 1));
}

std::vector<int> TDataGrid::ShownRowsBetween(int FromRow, int ToRow) const {
    // A range reaching outside the grid is cut to it.
    FromRow = std::max(FromRow, 0);
    ToRow = std::min(ToRow, GetRowCount() + NumHiddenRows() - 1);
    if (FromRow > ToRow || IsHiddenRow(FromRow))
        return {};
    return ShownRowsIn(FromRow, ToRow);
}

std::vector<int> TDataGrid::ShownRowsIn(int FromRow, int ToRow) const {
    std::vector<int> rows;
    if (FromRow > ToRow)
        return rows;
    // The shown rows of the range follow each other on display.
    const int first = RemapRow(FromRow);
    auto hidden = HiddenBelow(FromRow);
    for (int r = FromRow; r <= ToRow; ++r) {
        while (hidden != hiddenByRow.end() && (*hidden)->Idx < r)
            ++hidden;
        if (hidden == hiddenByRow.end() || (*hidden)->Idx != r)
            rows.push_back(first + static_cast<int>(rows.size()));
    }
    return rows;
}

void TDataGrid::HideRows(int FromRow, int ToRow) {
    HideDisplayRows(ShownRowsBetween(FromRow, ToRow), false);
}

void TDataGrid::HideRowsEx(int FromRow, int ToRow) {
    HideDisplayRows(ShownRowsBetween(FromRow, ToRow), true);
}

void TDataGrid::RestoreHiddenRows(std::vector<TGridItem*>::const_iterator First,
                                  std::vector<TGridItem*>::const_iterator Last,
                                  const std::function<bool(const TGridItem&)>& Returns) {
    const auto returning = [&](const TGridItem* item) { return !Returns || Returns(*item); };
    // Where each returning row lands: its real index less the rows that stay hidden before it.
    int staying = static_cast<int>(First - hiddenByRow.cbegin());
    std::vector<TGridItem*> back;
    std::vector<int> places;
    for (auto item = First; item != Last; ++item) {
        if (!returning(*item)) {
            ++staying;
            continue;
        }
        back.push_back(*item);
        places.push_back((*item)->Idx - staying);
    }
    if (back.empty())
        return;
    if (places.back() >= GetRowCount() + static_cast<int>(places.size()))
        throw EInvalidGridOperation("Grid index out of range");
    BlocksFollowing blocks(*this);
    std::vector<int> realRows;
    for (const TGridItem* item : back)
        realRows.push_back(item->Idx);
    KeepBlockTexts(realRows, TBlockRowsChange::Showing);
    GridUpdateLock lock(*this);
    InsertDisplayRowsAt(places);
    for (std::size_t k = 0; k < places.size(); ++k)
        PutRow(places[k], back[k]->Items);
    if (hiddenFixedRows > TBaseGrid::GetFixedRows() && GetRowCount() > hiddenFixedRows)
        SetFixedRowsEx(std::exchange(hiddenFixedRows, 0));
    const int firstIdx = back.front()->Idx;
    const int lastIdx = back.back()->Idx;
    const auto first = hiddenByRow.begin() + (First - hiddenByRow.cbegin());
    const auto last = hiddenByRow.begin() + (Last - hiddenByRow.cbegin());
    hiddenByRow.erase(std::remove_if(first, last, returning), last);
    hiddenRows.DeleteWhere([&](const TCollectionItem* item) {
        const auto* row = static_cast<const TGridItem*>(item);
        return row->Idx >= firstIdx && row->Idx <= lastIdx && returning(row);
    });
}

void TDataGrid::InsertDisplayRowsAt(const std::vector<int>& places) {
    // Empty rows added at the end, then every row from the first place moved once into place.
    const int first = places.front();
    const int oldCount = GetRowCount();
    InsertDisplayRows(oldCount, static_cast<int>(places.size()));
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(GetRowCount() - first));
    std::size_t next = 0;
    int kept = first;
    int added = oldCount;
    for (int p = first; p < GetRowCount(); ++p) {
        const bool returning = next < places.size() && places[next] == p;
        next += returning;
        order.push_back((returning ? added++ : kept++) - first);
    }
    PermuteDisplayRows(first, order, true);
}

void TDataGrid::PermuteDisplayRows(int First, const std::vector<int>& order, bool CurrentFollows) {
    CellsMoving();
    BlocksFollowing blocks(*this);
    const int current = GetRow();
    cells.PermuteRows(First, order);
    rows.Permute(First, order);
    if (rowSelect.size() > static_cast<std::size_t>(First))
        PermuteElements(rowSelect, First, order);
    RenumberCellProperties(First);
    validatedRow = PermutedIndex(validatedRow, First, order);
    for (TrackedCell* cell : TrackedCells())
        cell->RowsPermuted(First, order);
    const int moved = PermutedIndex(current, First, order);
    if (CurrentFollows && moved != current) {
        const bool pending = std::exchange(editPending, false);
        SetRow(moved);
        editPending = pending;
    }
}

void TDataGrid::UnHideRows(int FromRow, int ToRow) {
    if (!IsHiddenRow(FromRow))
        return;
    const auto first = HiddenBelow(FromRow);
    const auto last = std::partition_point(first, hiddenByRow.cend(),
                                           [ToRow](const TGridItem* item) { return item->Idx <= ToRow; });
    // The rows a contracted node hid that show now may leave it nothing hidden.
    std::vector<int> byNode;
    for (auto item = first; item != last; ++item)
        if ((*item)->HiddenByNode)
            byNode.push_back((*item)->Idx);
    RestoreHiddenRows(first, last);
    ExpandNodesShown(byNode);
}

void TDataGrid::UnHideRowsAll() {
    RestoreHiddenRows(hiddenByRow.cbegin(), hiddenByRow.cend());
    // Every row shows, so no node stays contracted.
    for (int r = 0; r < GetRowCount() && NodeRowCount() > 0; ++r)
        if (GetNodeState(r)) {
            GetCellGraphic(0, r)->State = false;
            RepaintCell(0, r);
        }
}

int TDataGrid::DropHiddenRows(const std::function<bool(const TGridItem&)>& Drops) {
    // The rows leave the blocks over them with their own texts.
    BlocksFollowing blocks(*this);
    std::vector<int> dropping;
    for (const TGridItem* item : hiddenByRow)
        if (Drops(*item))
            dropping.push_back(item->Idx);
    KeepBlockTexts(dropping, TBlockRowsChange::Removing);
    // The rows after a dropped one move up a real row.
    std::vector<const TGridItem*> dropped;
    std::vector<TGridItem*> kept;
    for (TGridItem* item : hiddenByRow) {
        if (Drops(*item)) {
            dropped.push_back(item);
            continue;
        }
        item->Idx -= static_cast<int>(dropped.size());
        kept.push_back(item);
    }
    hiddenByRow = std::move(kept);
    std::sort(dropped.begin(), dropped.end(), std::less<>());
    hiddenRows.DeleteWhere([&dropped](const TCollectionItem* item) {
        return std::binary_search(dropped.begin(), dropped.end(), static_cast<const TGridItem*>(item),
                                  std::less<>());
    });
    return static_cast<int>(dropped.size());
}

void TDataGrid::DropHiddenRowsFrom(int ARow, int EndRow) {
    // The k-th hidden row returns before display row Idx - k, which never falls as k grows.
    const auto place = [this](std::size_t k) { return hiddenByRow[k]->Idx - static_cast<int>(k); };
    std::size_t first = 0;
    while (first < hiddenByRow.size() && place(first) < ARow)
        ++first;
    std::size_t end = first;
    while (end < hiddenByRow.size() && place(end) < EndRow)
        ++end;
    if (first == end)
        return;
    const int firstIdx = hiddenByRow[first]->Idx;
    const int lastIdx = hiddenByRow[end - 1]->Idx;
    DropHiddenRows([=](const TGridItem& item) { return item.Idx >= firstIdx && item.Idx <= lastIdx; });
    nodeCountStale = true;
}

void TDataGrid::HiddenRowsRemoved(const std::vector<int>& ARows) {
    // A hidden row moves up by the removed rows that lay before it on display; the order stays.
    for (std::size_t k = 0; k < hiddenByRow.size(); ++k) {
        TGridItem* item = hiddenByRow[k];
        const int place = item->Idx - static_cast<int>(k);
        item->Idx -= static_cast<int>(std::lower_bound(ARows.begin(), ARows.end(), place) - ARows.begin());
    }
}

void TDataGrid::HiddenRowsInserted(int ARow, int RCount) {
    if (hiddenByRow.empty())
        return;
    const int real = RemapRowInv(ARow);
    for (auto item = HiddenBelow(real); item != hiddenByRow.end(); ++item)
        (*item)->Idx += RCount;
}

void TDataGrid::HiddenRowsInsertedAt(const std::vector<int>& places) {
    // Row j went in before what was display row places[j] - j; a hidden row waiting before display
    // row p moves down by the rows that went in before p.
    std::vector<int> before;
    for (std::size_t j = 0; j < places.size(); ++j)
        before.push_back(places[j] - static_cast<int>(j));
    for (std::size_t k = 0; k < hiddenByRow.size(); ++k) {
        TGridItem* item = hiddenByRow[k];
        const int place = item->Idx - static_cast<int>(k);
        item->Idx += static_cast<int>(std::lower_bound(before.begin(), before.end(), place) - before.begin());
    }
}
