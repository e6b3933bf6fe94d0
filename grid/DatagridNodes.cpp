// Node rows that hide and show the rows under them, and grouping the rows under node rows.
#include "grid/Datagrid.h"
#include "grid/GridUpdateLock.h"
#include "grid/RangeFigures.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <unordered_set>
#include <utility>

namespace {

// The group cell a row kept in its column-0 slot, taken from it.
std::unique_ptr<TKeptCell> TakeGroupCell(TObject* slot) {
    auto* props = dynamic_cast<TCellProperties*>(slot);
    return props ? std::move(props->GroupCell) : nullptr;
}

// A row's column-0 properties, made for a hidden row without.
TCellProperties& HiddenRowProperties(TBaseGrid* grid, TGridItem& item) {
    auto* props = dynamic_cast<TCellProperties*>(item.Items.GetObject(0));
    if (!props) {
        props = new TCellProperties(grid, 0, item.Idx);
        item.Items.PutObject(0, props);
    }
    return *props;
}

bool KeepsGroupCell(const TObject* slot) {
    const auto* props = dynamic_cast<const TCellProperties*>(slot);
    return props && props->GroupCell;
}

bool HoldsNode(const TGridItem& item) {
    const auto* props =
        item.Items.Count() > 0 ? dynamic_cast<TCellProperties*>(item.Items.GetObject(0)) : nullptr;
    const auto* graphic = props ? dynamic_cast<TCellGraphic*>(props->GraphicObject.get()) : nullptr;
    return graphic && graphic->CellType == ctNode;
}

// Every shown node after the first real row expanded or contracted, its rows left where they are.
void SetShownNodeStates(TDataGrid& grid, bool Contracted) {
    for (int r = 0; r < grid.GetRowCount(); ++r)
        if (grid.IsNode(r) && grid.RemapRowInv(r) > 0)
            grid.GetCellGraphic(0, r)->State = Contracted;
    grid.RepaintCol(0);
}

} // namespace

int TDataGrid::ShownNode(int ARow) const {
    if (ARow < 0 || ARow >= GetRowCount() + NumHiddenRows() || IsHiddenRow(ARow))
        return -1;
    const int d = RemapRow(ARow);
    return IsNode(d) ? d : -1;
}

void TDataGrid::AddNode(int ARow, int Span) {
    if (ARow < 0 || ARow >= GetRowCount() + NumHiddenRows() || IsHiddenRow(ARow))
        return;
    CellsMoving();
    const int d = RemapRow(ARow);
    const int others = NodeRowCount() - NodeRowsIn(d, d);
    TCellGraphic* graphic = AttachCellGraphic(0, d);
    graphic->CellType = ctNode;
    graphic->HAlign = haBeforeText;
    graphic->VAlign = vaCenter;
    graphic->Number = Span;
    graphic->State = false;
    nodeCount = others + 1;
    if (nodeCount == 1)
        RepaintCol(0);
    if (GetCol() == 0 && GetColCount() > 1)
        SetCol(1);
}

int TDataGrid::NodeRowCount() const {
    if (nodeCountStale) {
        nodeCountStale = false;
        int nodes = 0;
        for (int r = 0; r < GetRowCount(); ++r)
            nodes += IsNode(r);
        nodeCount =
            nodes + static_cast<int>(std::count_if(hiddenByRow.begin(), hiddenByRow.end(),
                                                   [](const TGridItem* item) { return HoldsNode(*item); }));
    }
    return nodeCount;
}

int TDataGrid::NodeRowsIn(int FromRow, int ToRow) const {
    const int all = NodeRowCount();
    int nodes = 0;
    for (int r = FromRow; r <= ToRow && nodes < all; ++r)
        nodes += IsNode(r);
    return nodes;
}

int TDataGrid::ObjectLeaving(int ACol, int ARow) {
    if (ACol != 0 || GetCellType(0, ARow) != ctNode)
        return 0;
    const int rows = GetRowCount();
    ExpandNodesGoingIn(ARow, ARow);
    nodeCountStale = true;
    return GetRowCount() - rows;
}

void TDataGrid::RemoveNode(int ARow) {
    ExpandNode(ARow);
    if (const int d = ShownNode(ARow); d >= 0)
        RemoveCellGraphic(0, d, ctNode);
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
    const int normalEnd = LastNormalRow() + 1;
    const int end = RemapRowInv(normalEnd);
    if (const int span = GetNodeSpan(ARow); span > 0)
        return std::min(RemapRowInv(ARow) + span, end);
    int next = ARow + 1;
    while (next < normalEnd && !IsNode(next))
        ++next;
    return RemapRowInv(next);
}

void TDataGrid::HideNodeRows(int ARow) {
    HideDisplayRows(ShownRowsIn(RemapRowInv(ARow) + 1, NodeEnd(ARow) - 1), false, true);
}

std::vector<int> TDataGrid::ExpandRemovedNodes(const std::vector<int>& ARows) {
    // A node row going shows its rows first, as RemoveNode does, so none stays hidden for good.
    // The spans (real rows, ascending and apart) of all of them come back in one pass.
    std::vector<std::pair<int, int>> spans;
    for (const int row : ARows)
        if (GetNodeState(row)) {
            GetCellGraphic(0, row)->State = false;
            spans.emplace_back(RemapRowInv(row) + 1, NodeEnd(row));
        }
    if (spans.empty())
        return ARows;
    std::vector<int> real;
    for (const int row : ARows)
        real.push_back(RemapRowInv(row));
    RestoreHiddenRows(hiddenByRow.cbegin(), hiddenByRow.cend(), [&spans](const TGridItem& item) {
        const auto span = std::upper_bound(spans.begin(), spans.end(), item.Idx,
                                           [](int row, const auto& s) { return row < s.first; });
        return item.HiddenByNode && span != spans.begin() && item.Idx < std::prev(span)->second;
    });
    // A contracted node inside a span keeps its own rows hidden, but for those going now.
    std::vector<int> nested;
    for (const auto& [first, end] : spans)
        for (int r = RemapRow(first); r < GetRowCount() && RemapRowInv(r) < end; ++r)
            if (IsNode(r) && GetNodeState(r)) {
                const std::vector<int> rows = ShownRowsIn(RemapRowInv(r) + 1, NodeEnd(r) - 1);
                std::copy_if(rows.begin(), rows.end(), std::back_inserter(nested), [&](int row) {
                    return !std::binary_search(real.begin(), real.end(), RemapRowInv(row));
                });
                if (!rows.empty())
                    r = rows.back();
            }
    HideDisplayRows(nested, false, true);
    std::vector<int> rows;
    for (const int row : real)
        rows.push_back(RemapRow(row));
    return rows;
}

int TDataGrid::ExpandNodesGoingIn(int FromRow, int ToRow) {
    // A node in a span shown again goes as well: another pass takes it.
    for (std::vector<ContractedRows> nodes; !(nodes = ContractedNodesIn(FromRow, ToRow)).empty();) {
        std::vector<int> rows;
        for (const ContractedRows& node : nodes)
            rows.push_back(node.Row);
        if (rows.back() != ToRow)
            rows.push_back(ToRow);
        ToRow = ExpandRemovedNodes(rows).back();
    }
    return ToRow;
}

void TDataGrid::NodeColumnMoving() {
    ExpandNodesGoingIn(0, GetRowCount() - 1);
    nodeCountStale = true;
}

void TDataGrid::ContractNode(int ARow) {
    CellsMoving();
    const int d = ShownNode(ARow);
    if (d < 0 || GetNodeState(d))
        return;
    GetCellGraphic(0, d)->State = true;
    HideNodeRows(d);
    RepaintCell(0, d);
}

void TDataGrid::ExpandNode(int ARow) {
    const int d = ShownNode(ARow);
    if (d < 0 || !GetNodeState(d))
        return;
    GetCellGraphic(0, d)->State = false;
    const int end = NodeEnd(d);
    RestoreHiddenRows(HiddenBelow(ARow + 1), HiddenBelow(end),
                      [](const TGridItem& item) { return item.HiddenByNode; });
    // A contracted node inside the span keeps its own rows hidden.
    for (int r = d + 1; r < GetRowCount() && RemapRowInv(r) < end; ++r)
        if (IsNode(r) && GetNodeState(r))
            HideNodeRows(r);
    RepaintCell(0, d);
}

bool TDataGrid::HidesOwnRows(int ARow) const {
    const auto hidesIn = [this](int From, int End) {
        return From < End && std::any_of(HiddenBelow(From), HiddenBelow(End),
                                         [](const TGridItem* item) { return item->HiddenByNode; });
    };
    const int end = NodeEnd(ARow);
    int from = RemapRowInv(ARow) + 1;
    for (int r = ARow + 1; r < GetRowCount() && RemapRowInv(r) < end; ++r)
        if (IsNode(r) && GetNodeState(r)) {
            if (hidesIn(from, RemapRowInv(r)))
                return true;
            from = std::max(from, NodeEnd(r));
        }
    return hidesIn(from, end);
}

void TDataGrid::ExpandNodesShown(const std::vector<int>& Shown) {
    for (int r = 0; !Shown.empty() && NodeRowCount() > 0 && r < GetRowCount(); ++r) {
        if (!IsNode(r) || !GetNodeState(r))
            continue;
        // A node none of whose rows came back keeps its state, also one with nothing to hide.
        const auto shown = std::lower_bound(Shown.begin(), Shown.end(), RemapRowInv(r) + 1);
        if (shown == Shown.end() || *shown >= NodeEnd(r) || HidesOwnRows(r))
            continue;
        GetCellGraphic(0, r)->State = false;
        RepaintCell(0, r);
    }
}

void TDataGrid::HideContractedRows() {
    // Every contracted node's shown rows at once; a node inside a contracted span goes with it.
    std::vector<int> rows;
    for (int r = 0; NodeRowCount() > 0 && r < GetRowCount(); ++r) {
        if (!IsNode(r) || !GetNodeState(r))
            continue;
        const std::vector<int> span = ShownRowsIn(RemapRowInv(r) + 1, NodeEnd(r) - 1);
        rows.insert(rows.end(), span.begin(), span.end());
        if (!span.empty())
            r = span.back();
    }
    HideDisplayRows(rows, false, true);
}

void TDataGrid::ExpandAll() {
    GridUpdateLock lock(*this);
    // A node the filter hid keeps hidden the rows it hid: the hidden rows that follow it with no
    // shown row between.
    std::unordered_set<const TGridItem*> staying;
    bool underHiddenNode = false;
    int previous = -2;
    for (const TGridItem* item : hiddenByRow) {
        underHiddenNode =
            (underHiddenNode && item->Idx == previous + 1) || (!item->HiddenByNode && HoldsNode(*item));
        previous = item->Idx;
        if (item->HiddenByNode && underHiddenNode)
            staying.insert(item);
    }
    RestoreHiddenRows(hiddenByRow.cbegin(), hiddenByRow.cend(), [&staying](const TGridItem& item) {
        return item.HiddenByNode && !staying.contains(&item);
    });
    SetShownNodeStates(*this, false);
}

void TDataGrid::ContractAll() {
    GridUpdateLock lock(*this);
    CellsMoving();
    SetShownNodeStates(*this, true);
    HideContractedRows();
}

int TDataGrid::GetNodeSpanType(int ARow) const {
    if (ARow < 0 || ARow >= GetRowCount() || IsNode(ARow))
        return 0;
    if (ARow == GetRowCount() - FixedFooters - 1)
        return 1;
    int node = ARow;
    while (node >= GetFixedRows() && !IsNode(node))
        --node;
    if (node < GetFixedRows())
        return 0;
    if (GetNodeSpan(node) != RemapRowInv(ARow) - RemapRowInv(node) + 1)
        return 2;
    return GetNodeState(node) ? 2 : 1;
}

int TDataGrid::NodeIndent(int ARow) {
    if (NodeRowCount() == 0 || ARow == 0 || IsNode(ARow))
        return 0;
    int node = ARow - 1;
    while (node > 0 && !IsNode(node))
        --node;
    if (!IsNode(node) || GetNodeState(node))
        return 0;
    return NodeEnd(node) > RemapRowInv(ARow) ? 16 : 0;
}

void TDataGrid::SetGroupColumn(int ACol) {
    if (ACol == -1)
        UnGroup();
    else if (ACol > 0)
        Group(ACol);
}

int TDataGrid::GroupLabelColumn() const {
    // The second normal column, or the last one in a grid too narrow for it.
    return std::max(0, std::min(GetFixedCols() + 1, GetColCount() - 1));
}

void TDataGrid::Group(int ACol) {
    // The filter's empty stand-in is no row to group.
    if (ACol <= GetFixedCols() || LastNormalRow() < GetFixedRows() || ACol >= RealColCount() ||
        FilterStandIn() >= 0)
        return;
    if (groupColumn > 0)
        UnGroup();
    GridUpdateLock lock(*this);
    BlocksFollowing blocks(*this);
    // Nodes made before would split the groups and go as their node rows at UnGroup: they go
    // first, their rows shown again, a node inside one among them.
    for (int r = 0; r < GetRowCount(); ++r)
        RemoveCellGraphic(0, r, ctNode);
    groupColumn = ACol;
    savedGroupWidth = GetAllColBaseWidths(ACol);
    savedGroupHeader = GetFixedRows() > 0 ? GetCellEx(ACol, 0) : AnsiString();
    // Read while the blocks still lie as they did.
    const std::map<const TGridItem*, AnsiString> keptTexts = HiddenCellTexts(ACol);
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
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const int next = i + 1 < starts.size() ? starts[i + 1] : end;
        AddNode(RemapRowInv(starts[i]), RemapRowInv(next) - RemapRowInv(starts[i]));
    }
    // The rows hidden now keep their own cell of the group column for UnGroup, also when they
    // are shown again while grouped; it leaves its block.
    for (TGridItem* item : hiddenByRow) {
        if (ACol >= item->Items.Count())
            continue;
        LeaveBlock(ACol, item->Idx);
        const auto kept = keptTexts.find(item);
        HiddenRowProperties(this, *item).GroupCell =
            std::make_unique<TKeptCell>(TKeptCell{kept != keptTexts.end() ? kept->second : item->Items[ACol],
                                                  std::unique_ptr<TObject>(item->Items.GetObject(ACol))});
        item->Items.PutObject(ACol, nullptr);
    }
    RemoveCols(ACol, 1);
    groupLabelColumn = RemapCol(GroupLabelColumn());
    for (std::size_t i = 0; i < starts.size(); ++i)
        SetCellEx(groupLabelColumn, starts[i], values[i]);
    SetRow(GetFixedRows());
}

void TDataGrid::UnGroup() {
    if (groupColumn <= 0)
        return;
    // A column count lowered while grouped may have left the group column's place past the end.
    groupColumn = std::min(groupColumn, RealColCount());
    GridUpdateLock lock(*this);
    std::optional<BlocksFollowing> blocks(std::in_place, *this);
    ExpandAll();
    // A node the filter hid leaves the rows it hid to the filter.
    for (TGridItem* item : hiddenByRow)
        item->HiddenByNode = false;
    // Every node row by real row with its text, the hidden ones too. A node row a load wrote over
    // heads no group any more: it loses its node and stays as a row.
    const int label = groupLabelColumn;
    std::vector<int> shownNodes;
    std::vector<std::pair<int, AnsiString>> nodes;
    for (int r = GetFixedRows(); r <= LastNormalRow(); ++r) {
        if (!IsNode(r))
            continue;
        if (KeepsGroupCell(GetObjects(0, r))) {
            RemoveCellGraphic(0, r, ctNode);
            continue;
        }
        shownNodes.push_back(r);
        nodes.emplace_back(RemapRowInv(r), label >= 0 ? GetCellEx(label, r) : AnsiString());
    }
    for (TGridItem* item : hiddenByRow) {
        if (!HoldsNode(*item))
            continue;
        if (auto* props = dynamic_cast<TCellProperties*>(item->Items.GetObject(0)); props->GroupCell) {
            props->GraphicObject.reset();
            nodeCount = std::max(0, nodeCount - 1);
            continue;
        }
        nodes.emplace_back(item->Idx,
                           label >= 0 && label < item->Items.Count() ? item->Items[label] : AnsiString());
    }
    std::sort(nodes.begin(), nodes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    // The text of the group real row ARow stands in: its node's, none before the first node.
    const auto groupText = [&nodes](int ARow) -> const AnsiString* {
        const auto node = std::upper_bound(nodes.begin(), nodes.end(), ARow,
                                           [](int row, const auto& n) { return row < n.first; });
        return node == nodes.begin() ? nullptr : &std::prev(node)->second;
    };
    InsertCols(groupColumn, 1);
    SetAllColBaseWidths(groupColumn, savedGroupWidth);
    if (GetFixedRows() > 0)
        SetCellEx(groupColumn, 0, savedGroupHeader);
    // A row that kept its own cell gets it back, any other its group's text; the filter's empty
    // stand-in is no group's row.
    const int standIn = FilterStandIn();
    for (int r = GetFixedRows(); r <= LastNormalRow(); ++r) {
        if (IsNode(r) || r == standIn)
            continue;
        if (std::unique_ptr<TKeptCell> kept = TakeGroupCell(GetObjects(0, r))) {
            SetCellEx(groupColumn, r, kept->Text);
            SetObjects(groupColumn, r, std::move(kept->Object));
        } else if (const AnsiString* text = groupText(RemapRowInv(r))) {
            SetCellEx(groupColumn, r, *text);
        }
    }
    for (TGridItem* item : hiddenByRow) {
        if (groupColumn >= item->Items.Count())
            continue;
        if (std::unique_ptr<TKeptCell> kept = TakeGroupCell(item->Items.GetObject(0))) {
            item->Items.Put(groupColumn, kept->Text);
            delete item->Items.GetObject(groupColumn);
            item->Items.PutObject(groupColumn, kept->Object.release());
        } else if (const AnsiString* text = groupText(item->Idx)) {
            item->Items.Put(groupColumn, *text);
        }
    }
    RenumberCellProperties(GetFixedRows());
    if (!shownNodes.empty())
        RemoveDisplayRows(shownNodes, false);
    // The hidden node rows go next, from the blocks as they lie once the shown ones have gone.
    blocks.reset();
    const int nodeRows = NodeRowCount();
    nodeCount = std::max(0, nodeRows - DropHiddenRows(HoldsNode));
    groupColumn = -1;
    groupLabelColumn = -1;
}

void TDataGrid::GroupRowsLoadedOver(int FromRow, int EndRow) {
    if (groupColumn <= 0)
        return;
    // Fixed rows belong to no group.
    FromRow = std::max(FromRow, GetFixedRows());
    EndRow = std::min(EndRow, GetRowCount());
    int node = EndRow - 1;
    while (node >= FromRow && !IsNode(node))
        --node;
    // The rows after the last node row written over, up to the next node row, are still of its
    // group: they keep its text, hidden ones too.
    if (node >= FromRow && groupLabelColumn >= 0) {
        const AnsiString text = GetCellEx(groupLabelColumn, node);
        const auto keep = [&text](TCellProperties& props) {
            if (!props.GroupCell)
                props.GroupCell = std::make_unique<TKeptCell>(TKeptCell{text, nullptr});
        };
        auto hidden = HiddenBelow(RemapRowInv(EndRow - 1) + 1);
        int end = EndRow;
        while (end < GetRowCount() && !IsNode(end))
            ++end;
        const auto hiddenNode =
            std::find_if(hidden, hiddenByRow.cend(), [](const TGridItem* item) { return HoldsNode(*item); });
        const int stop =
            std::min(end < GetRowCount() ? RemapRowInv(end) : std::numeric_limits<int>::max(),
                     hiddenNode != hiddenByRow.cend() ? (*hiddenNode)->Idx : std::numeric_limits<int>::max());
        for (int r = EndRow; r < end && RemapRowInv(r) < stop; ++r)
            keep(*GetCellProperties(0, r));
        for (; hidden != hiddenByRow.cend() && (*hidden)->Idx < stop; ++hidden)
            keep(HiddenRowProperties(this, **hidden));
    }
    // A row written over is no group's: its cell of the group column comes back empty.
    for (int r = FromRow; r < EndRow; ++r)
        GetCellProperties(0, r)->GroupCell = std::make_unique<TKeptCell>();
}

void TDataGrid::GroupLabelMoved(const std::function<int(int)>& NewPlace) {
    if (groupLabelColumn >= 0)
        groupLabelColumn = NewPlace(groupLabelColumn);
}

std::vector<int> TDataGrid::GroupRows(int ARow) const {
    int next = ARow + 1;
    while (next <= LastNormalRow() && !IsNode(next))
        ++next;
    std::vector<int> rows;
    for (int r = RemapRowInv(ARow) + 1; r < RemapRowInv(next); ++r) {
        const TGridItem* hidden = HiddenRowItem(r);
        // Rows hidden otherwise (by the filter) are no part of the group as it stands.
        if (!hidden || hidden->HiddenByNode)
            rows.push_back(r);
    }
    return rows;
}

void TDataGrid::GroupCalc(int ACol, int Code) {
    if (Code < 1 || Code > 5)
        return;
    // Every group's figure is worked out before any is written: a cell that holds no number
    // raises with every node row as it was.
    std::vector<std::pair<int, double>> figures;
    for (int r = GetFixedRows(); r <= LastNormalRow(); ++r) {
        if (!IsNode(r))
            continue;
        const std::vector<int> rows = GroupRows(r);
        // A count asks nothing of the texts it counts.
        if (Code == 5) {
            figures.emplace_back(r, static_cast<double>(rows.size()));
            continue;
        }
        std::vector<double> values;
        for (const int row : rows)
            values.push_back(FloatOfText(GetCellsEx(ACol, row)));
        const int last = static_cast<int>(values.size()) - 1;
        const auto valueAt = [&values](int i) { return values[static_cast<std::size_t>(i)]; };
        if (Code == 1)
            figures.emplace_back(r, SumOf(0, last, valueAt));
        else if (last < 0)
            continue;
        else if (Code == 2)
            figures.emplace_back(r, Average(SumOf(0, last, valueAt), last + 1));
        else if (Code == 3)
            figures.emplace_back(r, ExtremeOf(0, last, valueAt, std::less<>()));
        else
            figures.emplace_back(r, ExtremeOf(0, last, valueAt, std::greater<>()));
    }
    // A count is a whole number.
    for (const auto& figure : figures)
        Code == 5 ? SetInts(ACol, figure.first, static_cast<int>(figure.second))
                  : SetFloats(ACol, figure.first, figure.second);
}
