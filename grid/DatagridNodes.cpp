// Node rows that hide and show the rows under them, and grouping the rows under node rows.
#include "grid/Datagrid.h"
#include "grid/GridUpdateLock.h"

#include <algorithm>

void TDataGrid::AddNode(int ARow, int Span) {
    TCellGraphic* graphic = CreateCellGraphic(0, RemapRow(ARow));
    graphic->CellType = ctNode;
    graphic->HAlign = haBeforeText;
    graphic->VAlign = vaCenter;
    graphic->Number = Span;
    graphic->State = false;
    if (++nodeCount == 1)
        RepaintCol(0);
    if (GetCol() == 0 && GetColCount() > 1)
        SetCol(1);
}

void TDataGrid::RemoveNode(int ARow) {
    ExpandNode(ARow);
    if (RemoveCellGraphic(0, RemapRow(ARow), ctNode))
        nodeCount = std::max(0, nodeCount - 1);
}

bool TDataGrid::GetNodeState(int ARow) const {
    const TCellGraphic* graphic = IsNode(ARow) ? GetCellGraphic(0, ARow) : nullptr;
    return graphic && graphic->State;
}

void TDataGrid::SetNodeState(int ARow, bool Contracted) {
    if (!IsNode(ARow) || GetNodeState(ARow) == Contracted)
        return;
    Contracted ? ContractNode(RemapRowInv(ARow)) : ExpandNode(RemapRowInv(ARow));
}

int TDataGrid::GetNodeSpan(int ARow) const {
    return IsNode(ARow) ? GetCellGraphic(0, ARow)->Number : -1;
}

int TDataGrid::NodeEnd(int ARow) const {
    const int end = LastNormalRow() + 1;
    if (const int span = GetNodeSpan(ARow); span > 0)
        return std::min(ARow + span, end);
    int next = ARow + 1;
    while (next < end && !IsNode(next))
        ++next;
    return next;
}

void TDataGrid::ContractNode(int ARow) {
    HideInplaceEdit();
    const int d = RemapRow(ARow);
    if (!IsNode(d) || GetNodeState(d))
        return;
    GetCellGraphic(0, d)->State = true;
    const int e = NodeEnd(d);
    if (e > d + 1)
        HideRows(RemapRowInv(d) + 1, RemapRowInv(e) - 1);
    RepaintCell(0, d);
}

void TDataGrid::ExpandNode(int ARow) {
    const int d = RemapRow(ARow);
    if (!IsNode(d) || !GetNodeState(d))
        return;
    GetCellGraphic(0, d)->State = false;
    // The rows it heads are hidden, so the next row shown follows them.
    if (RemapRowInv(d) + 1 <= RemapRowInv(d + 1) - 1)
        UnHideRows(RemapRowInv(d) + 1, RemapRowInv(d + 1) - 1);
    RepaintCell(0, d);
}

void TDataGrid::ExpandAll() {
    GridUpdateLock lock(*this);
    for (int r = 1; r < GetRowCount() + NumHiddenRows(); ++r)
        ExpandNode(r);
}

void TDataGrid::ContractAll() {
    GridUpdateLock lock(*this);
    for (int r = GetRowCount() + NumHiddenRows() - 1; r >= 1; --r)
        ContractNode(r);
}

int TDataGrid::GetNodeSpanType(int ARow) const {
    if (IsNode(ARow))
        return 0;
    if (ARow == GetRowCount() - FixedFooters - 1)
        return 1;
    int node = ARow;
    while (node >= GetFixedRows() && !IsNode(node))
        --node;
    if (node < GetFixedRows())
        return 0;
    if (GetNodeSpan(node) != ARow - node + 1)
        return 2;
    return GetNodeState(node) ? 2 : 1;
}

int TDataGrid::NodeIndent(int ARow) {
    if (nodeCount == 0 || ARow == 0 || IsNode(ARow))
        return 0;
    int node = ARow - 1;
    while (node > 0 && !IsNode(node))
        --node;
    if (!IsNode(node) || GetNodeState(node))
        return 0;
    return NodeEnd(node) > ARow ? 16 : 0;
}

void TDataGrid::SetGroupColumn(int ACol) {
    if (ACol == -1)
        UnGroup();
    else if (ACol > 0)
        Group(ACol);
}

int TDataGrid::GroupValueColumn() const {
    const int value = GetFixedCols() + 1;
    return value == groupColumn ? value + 1 : value;
}

void TDataGrid::Group(int ACol) {
    if (ACol <= GetFixedCols() || LastNormalRow() < GetFixedRows() || ACol >= RealColCount())
        return;
    if (groupColumn > 0)
        UnGroup();
    GridUpdateLock lock(*this);
    groupColumn = ACol;
    savedGroupWidth = GetAllColWidths(ACol);
    savedGroupHeader = GetFixedRows() > 0 ? GetCellEx(ACol, 0) : AnsiString();
    SortSettings->Column = ACol;
    QSort();
    // Each run of equal texts opens with a node row, all node rows inserted in one pass.
    std::vector<int> starts;
    std::vector<AnsiString> values;
    for (int r = GetFixedRows(); r <= LastNormalRow(); ++r) {
        const AnsiString text = GetCellEx(ACol, r);
        if (values.empty() || text != values.back()) {
            starts.push_back(r + static_cast<int>(starts.size()));
            values.push_back(text);
        }
    }
    const int end = LastNormalRow() + 1 + static_cast<int>(starts.size());
    InsertDisplayRowsAt(starts);
    HiddenRowsInsertedAt(starts);
    const int value = GroupValueColumn();
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const int next = i + 1 < starts.size() ? starts[i + 1] : end;
        SetCellEx(value, starts[i], values[i]);
        AddNode(RemapRowInv(starts[i]), next - starts[i]);
    }
    RemoveCols(ACol, 1);
    SetRow(GetFixedRows());
}

void TDataGrid::UnGroup() {
    if (groupColumn <= 0)
        return;
    GridUpdateLock lock(*this);
    ExpandAll();
    InsertCols(groupColumn, 1);
    SetAllColWidths(groupColumn, savedGroupWidth);
    if (GetFixedRows() > 0)
        SetCellEx(groupColumn, 0, savedGroupHeader);
    const int value = GroupValueColumn();
    std::vector<int> nodes;
    AnsiString current;
    for (int r = GetFixedRows(); r <= LastNormalRow(); ++r) {
        if (IsNode(r)) {
            current = GetCellEx(value, r);
            nodes.push_back(r);
        } else {
            SetCellEx(groupColumn, r, current);
        }
    }
    if (!nodes.empty()) {
        DeleteDisplayRows(nodes, false);
        HiddenRowsRemoved(nodes);
    }
    nodeCount = std::max(0, nodeCount - static_cast<int>(nodes.size()));
    groupColumn = -1;
}

void TDataGrid::GroupCalc(int ACol, int Code) {
    using Figure = double (TDataGrid::*)(int, int, int) const;
    static constexpr Figure figures[] = {&TDataGrid::ColumnSum, &TDataGrid::ColumnAvg, &TDataGrid::ColumnMin,
                                         &TDataGrid::ColumnMax};
    const int end = LastNormalRow() + 1;
    int r = GetFixedRows();
    while (r < end && !IsNode(r))
        ++r;
    while (r < end) {
        int m = r + 1;
        while (m < end && !IsNode(m))
            ++m;
        if (Code == 5)
            // A count is a whole number.
            SetInts(ACol, r, m - 1 - r);
        else if (Code >= 1 && Code <= 4)
            SetFloats(ACol, r, (this->*figures[Code - 1])(ACol, r + 1, m - 1));
        r = m;
    }
}
