// Selections of rows, columns and ranges, and the order in which Enter moves editing on.
#include "framework/FlagScope.h"
#include "framework/LocaleCase.h"
#include "grid/Datagrid.h"

#include <algorithm>

void TDataGrid::SelectRows(int ARow, int Count) {
    if (MouseActions->DisjunctRowSelect) {
        for (int r = ARow; r < ARow + Count && r < GetRowCount(); ++r)
            SetRowSelect(r, true);
        return;
    }
    // Rows past the end are no rows to select.
    const int last = std::min(ARow + Count, GetRowCount()) - 1;
    if (last >= ARow)
        SetSelection({GetFixedCols(), ARow, GetColCount() - 1, last});
}

void TDataGrid::SelectCols(int ACol, int Count) {
    SetSelection({ACol, GetFixedRows(), ACol + Count - 1, GetRowCount() - 1});
}

void TDataGrid::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow) {
    SetSelection({FromCol, FromRow, ToCol, ToRow});
}

void TDataGrid::RepaintRect(const TRect& cells) {
    const TRect first = TCustomGrid::CellRect(cells.Left, cells.Top);
    const TRect last = TCustomGrid::CellRect(cells.Right, cells.Bottom);
    if (first.Width() == 0 || last.Width() == 0) {
        Invalidate();
        return;
    }
    InvalidateClientRect(Rect(std::min(first.Left, last.Left), std::min(first.Top, last.Top),
                              std::max(first.Right, last.Right), std::max(first.Bottom, last.Bottom)));
}

bool TDataGrid::AdvanceStep(int& c, int& r, bool Forward, bool& Added) {
    const int lastCol = LastNormalCol();
    const int lastRow = LastNormalRow();
    const int span = ShownBlock(c, r).Width();
    const bool leftRight = Navigation->AdvanceDirection == adLeftRight;
    if (Forward && leftRight) {
        if (c + span < lastCol) {
            c += 1 + span;
        } else if (r < lastRow) {
            c = GetFixedCols();
            ++r;
        } else if (Navigation->AdvanceInsert && !Added) {
            bool canAdd = true;
            if (OnCanAddRow)
                OnCanAddRow(this, canAdd);
            if (!canAdd)
                return false;
            ChangeRowCount(GetRowCount() + 1);
            Added = true;
            c = GetFixedCols();
            ++r;
            if (OnAutoAddRow)
                OnAutoAddRow(this, GetRowCount() - 1 - FixedFooters);
        } else {
            c = GetFixedCols();
            r = GetFixedRows();
        }
    } else if (Forward) {
        if (r < lastRow) {
            ++r;
            return true;
        }
        if (c + span < lastCol) {
            c += 1 + span;
            r = GetFixedRows();
        } else if (Navigation->AdvanceInsert && !Added) {
            ChangeColCount(GetColCount() + 1);
            Added = true;
            c = std::min(c + 1 + span, GetColCount() - 1);
            r = GetFixedRows();
            if (OnAutoInsertCol)
                OnAutoInsertCol(this, GetColCount() - 1 - FixedRightCols);
        } else {
            c = GetFixedCols();
            r = GetFixedRows();
        }
        Invalidate();
    } else if (leftRight) {
        if (c <= GetFixedCols()) {
            r = r <= GetFixedRows() ? lastRow : r - 1;
            c = lastCol;
        } else {
            --c;
        }
    } else if (r <= GetFixedRows()) {
        c = c <= GetFixedCols() ? lastCol : c - 1;
        r = lastRow;
    } else {
        --r;
    }
    return true;
}

void TDataGrid::AdvanceEdit(int ACol, int ARow, bool Force, bool ShowEditor, bool Forward) {
    if (!Navigation->AdvanceOnEnter && !Force)
        return;
    if (LastNormalCol() < GetFixedCols() || LastNormalRow() < GetFixedRows())
        return;
    const TRect block = ShownBlock(ACol, ARow);
    const TPoint base = Point(block.Left, block.Top);
    int c = base.x;
    int r = base.y;
    // Each normal cell once at most: a grid without an editable cell leaves the current one be.
    const long long cells =
        static_cast<long long>(LastNormalCol() - GetFixedCols() + 1) * (LastNormalRow() - GetFixedRows() + 1);
    bool added = false;
    for (long long tried = 0; tried < cells; ++tried) {
        if (!AdvanceStep(c, r, Forward, added))
            return;
        if (!IsEditable(RemapCol(c), r))
            continue;
        {
            const FlagScope moving(advancing);
            FocusCell(c, r, true);
        }
        bool allow = true;
        if (OnCellChanging)
            OnCellChanging(this, base.y, base.x, r, c, allow);
        if (ShowEditor)
            TBaseGrid::ShowEditor();
        return;
    }
}

void TDataGrid::KeyPress(char& Key) {
    if (Key == 0x1B) {
        if (GetOptions() & goEditing)
            RestoreCache();
        return;
    }
    // Enter in the editor: the next editable cell.
    if (Key == '\r' && !Focused())
        AdvanceEdit(GetCol(), GetRow(), false, false, true);
    if (!(GetOptions() & goEditing) && Navigation->AutoGotoWhenSorted &&
        (Key == '\b' || static_cast<unsigned char>(Key) >= ' ')) {
        if (!Navigation->AutoGotoIncremental)
            lookupText = Key == '\b' ? AnsiString() : AnsiString(Key);
        else if (Key != '\b')
            lookupText += Key;
        else if (!lookupText.IsEmpty())
            lookupText = lookupText.SubString(1, lookupText.Length() - 1);
        if (const int row = Search(AnsiUpperCase(lookupText)); row != -1)
            SetRow(row);
    }
    TBaseGrid::KeyPress(Key);
}
