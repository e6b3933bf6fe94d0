// Hidden columns and rows: the two index spaces and the hidden-row store.
#include "grid/Datagrid.h"

#include "grid/GridUpdateLock.h"

#include <algorithm>

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
    // The editor writes its text back while its cell still stands where it was opened.
    HideEditor();
    for (int c = std::max(FromCol, 0); c <= ToCol && c < VisibleFlags - 1; ++c) {
        // The last shown column never hides.
        if (IsHiddenColumn(c) || c >= RealColCount() || GetColCount() < 2)
            continue;
        const int display = RemapColInv(c);
        savedColWidths[static_cast<std::size_t>(c)] = GetColWidths(display);
        for (int k = display; k < GetColCount() - 1; ++k)
            SetColWidths(k, GetColWidths(k + 1));
        ++hiddenCols;
        visibleCol[static_cast<std::size_t>(c)] = false;
        SetColCount(GetColCount() - 1);
    }
    Invalidate();
}

void TDataGrid::UnHideColumns(int FromCol, int ToCol) {
    HideEditor();
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
        for (int k = GetColCount() - 1; k > display; --k)
            SetColWidths(k, GetColWidths(k - 1));
        SetColWidths(display, savedColWidths[static_cast<std::size_t>(c)]);
    }
    Invalidate();
}

void TDataGrid::UnHideColumnsAll() {
    UnHideColumns(0, static_cast<int>(visibleCol.size()) - 1);
}

TGridItem* TDataGrid::HiddenItem(int index) const {
    return static_cast<TGridItem*>(hiddenRows.GetItem(index));
}

bool TDataGrid::IsHiddenRow(int ARow) const {
    for (int i = 0; i < hiddenRows.Count(); ++i)
        if (HiddenItem(i)->Idx == ARow)
            return true;
    return false;
}

int TDataGrid::RemapRow(int ARow) const {
    int below = 0;
    for (int i = 0; i < hiddenRows.Count(); ++i)
        below += HiddenItem(i)->Idx < ARow;
    return ARow - below;
}

int TDataGrid::RemapRowInv(int ARow) const {
    if (ARow < 0)
        return -1;
    std::vector<int> hidden;
    for (int i = 0; i < hiddenRows.Count(); ++i)
        hidden.push_back(HiddenItem(i)->Idx);
    std::sort(hidden.begin(), hidden.end());
    // Each hidden row at or before the real row found so far pushes it one further.
    int real = ARow;
    for (const int idx : hidden)
        if (idx <= real)
            ++real;
    return real;
}

void TDataGrid::TakeRow(int ARow, TStringList& Items) {
    for (int c = 0; c < StoredColCount(); ++c)
        Items.AddObject(cells.Text(c, ARow), TakeObjects(c, ARow).release());
}

void TDataGrid::PutRow(int ARow, TStringList& Items) {
    for (int c = 0; c < Items.Count() && c < StoredColCount(); ++c) {
        cells.SetText(c, ARow, Items[c]);
        SetObjects(c, ARow, std::unique_ptr<TObject>(Items.GetObject(c)));
        Items.PutObject(c, nullptr);
    }
}

void TDataGrid::HideDisplayRows(const std::vector<int>& ARows, bool Ex) {
    if (ARows.empty())
        return;
    // The framework keeps a row; a grid that cannot lose them all keeps them all.
    if (static_cast<int>(ARows.size()) >= GetRowCount())
        throw EInvalidGridOperation("Grid index out of range");
    std::vector<int> real;
    for (const int row : ARows)
        real.push_back(RemapRowInv(row));
    for (std::size_t i = 0; i < ARows.size(); ++i) {
        auto* item = static_cast<TGridItem*>(hiddenRows.Add());
        item->Idx = real[i];
        TakeRow(ARows[i], item->Items);
    }
    DeleteDisplayRows(ARows, Ex);
    CellsChanged(Rect(0, ARows.front(), GetColCount() - 1, ARows.back() + 1));
}

std::vector<int> TDataGrid::ShownRowsBetween(int FromRow, int ToRow) const {
    if (FromRow < 0 || ToRow >= GetRowCount() + NumHiddenRows())
        throw EInvalidGridOperation("Grid index out of range");
    if (IsHiddenRow(FromRow))
        return {};
    // The shown rows of the range follow each other on display.
    const int first = RemapRow(FromRow);
    std::vector<int> rows;
    for (int r = FromRow; r <= ToRow; ++r)
        if (!IsHiddenRow(r))
            rows.push_back(first + static_cast<int>(rows.size()));
    return rows;
}

void TDataGrid::HideRows(int FromRow, int ToRow) {
    HideDisplayRows(ShownRowsBetween(FromRow, ToRow), false);
}

void TDataGrid::HideRowsEx(int FromRow, int ToRow) {
    HideDisplayRows(ShownRowsBetween(FromRow, ToRow), true);
}

void TDataGrid::RestoreHiddenRows(std::vector<int> items) {
    std::sort(items.begin(), items.end(),
              [this](int a, int b) { return HiddenItem(a)->Idx < HiddenItem(b)->Idx; });
    // Where each returning row lands: its real index less the rows that stay hidden before it.
    std::vector<int> staying;
    for (int i = 0; i < hiddenRows.Count(); ++i)
        if (std::find(items.begin(), items.end(), i) == items.end())
            staying.push_back(HiddenItem(i)->Idx);
    std::sort(staying.begin(), staying.end());
    std::vector<int> places;
    for (const int item : items) {
        const int idx = HiddenItem(item)->Idx;
        places.push_back(
            idx - static_cast<int>(std::lower_bound(staying.begin(), staying.end(), idx) - staying.begin()));
    }
    if (places.back() >= GetRowCount() + static_cast<int>(places.size()))
        throw EInvalidGridOperation("Grid index out of range");
    GridUpdateLock lock(*this);
    // Runs of rows that land together come back in one insertion each.
    for (std::size_t i = 0; i < places.size();) {
        std::size_t end = i + 1;
        while (end < places.size() && places[end] == places[end - 1] + 1)
            ++end;
        InsertDisplayRows(places[i], static_cast<int>(end - i));
        for (std::size_t k = i; k < end; ++k)
            PutRow(places[k], HiddenItem(items[k])->Items);
        i = end;
    }
    RenumberCellProperties(places.front());
    std::sort(items.begin(), items.end());
    for (auto item = items.rbegin(); item != items.rend(); ++item)
        hiddenRows.Delete(*item);
}

void TDataGrid::UnHideRows(int FromRow, int ToRow) {
    if (!IsHiddenRow(FromRow))
        return;
    std::vector<int> items;
    for (int i = 0; i < hiddenRows.Count(); ++i)
        if (HiddenItem(i)->Idx >= FromRow && HiddenItem(i)->Idx <= ToRow)
            items.push_back(i);
    RestoreHiddenRows(items);
}

void TDataGrid::UnHideRowsAll() {
    if (hiddenRows.Count() == 0)
        return;
    std::vector<int> items(static_cast<std::size_t>(hiddenRows.Count()));
    for (int i = 0; i < hiddenRows.Count(); ++i)
        items[static_cast<std::size_t>(i)] = i;
    RestoreHiddenRows(items);
}

void TDataGrid::HiddenRowsRemoved(const std::vector<int>& ARows) {
    // A hidden row moves up by the removed rows that lay before it on display.
    std::vector<int> shifts;
    for (int i = 0; i < hiddenRows.Count(); ++i) {
        const int place = RemapRow(HiddenItem(i)->Idx);
        shifts.push_back(
            static_cast<int>(std::lower_bound(ARows.begin(), ARows.end(), place) - ARows.begin()));
    }
    for (int i = 0; i < hiddenRows.Count(); ++i)
        HiddenItem(i)->Idx -= shifts[static_cast<std::size_t>(i)];
}

void TDataGrid::HiddenRowsInserted(int ARow, int RCount) {
    if (hiddenRows.Count() == 0)
        return;
    const int real = RemapRowInv(ARow);
    for (int i = 0; i < hiddenRows.Count(); ++i)
        if (HiddenItem(i)->Idx >= real)
            HiddenItem(i)->Idx += RCount;
}
