// The rows a contracted node hides go with the node row when rows move, swap or sort, so that
// expanding the node where it now stands shows them under it.
#include "grid/Datagrid.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

std::vector<TDataGrid::ContractedRows> TDataGrid::ContractedNodesAmong(const std::vector<int>& ARows) const {
    std::vector<ContractedRows> nodes;
    for (const int row : ARows)
        if (GetNodeState(row))
            nodes.push_back({GetCellGraphic(0, row), row, {}});
    std::sort(nodes.begin(), nodes.end(), [](const auto& a, const auto& b) { return a.Row < b.Row; });
    return nodes;
}

std::vector<TDataGrid::ContractedRows> TDataGrid::ContractedNodesIn(int FromRow, int ToRow) const {
    std::vector<ContractedRows> nodes;
    if (hiddenByRow.empty() || NodeRowCount() == 0)
        return nodes;
    for (int r = std::max(FromRow, 0); r <= ToRow && r < GetRowCount(); ++r)
        if (GetNodeState(r))
            nodes.push_back({GetCellGraphic(0, r), r, {}});
    return nodes;
}

void TDataGrid::TakeContractedRows(std::vector<ContractedRows>& Nodes) {
    // The k-th hidden row waits before display row Idx - k; a node's rows wait right after it,
    // within its span.
    std::vector<TGridItem*> kept;
    kept.reserve(hiddenByRow.size());
    std::size_t k = 0;
    int taken = 0;
    const auto keep = [&] {
        hiddenByRow[k]->Idx -= taken;
        kept.push_back(hiddenByRow[k++]);
    };
    const auto place = [&] { return hiddenByRow[k]->Idx - static_cast<int>(k); };
    for (ContractedRows& node : Nodes) {
        while (k < hiddenByRow.size() && place() <= node.Row)
            keep();
        const int real = node.Row + static_cast<int>(k);
        const int end = node.Node->Number > 0 ? real + node.Node->Number : std::numeric_limits<int>::max();
        while (k < hiddenByRow.size() && place() == node.Row + 1 && hiddenByRow[k]->Idx < end) {
            node.Items.push_back(hiddenByRow[k++]);
            ++taken;
        }
    }
    while (k < hiddenByRow.size())
        keep();
    hiddenByRow = std::move(kept);
}

void TDataGrid::PutContractedRows(std::vector<ContractedRows>& Nodes) {
    std::sort(Nodes.begin(), Nodes.end(), [](const auto& a, const auto& b) { return a.Row < b.Row; });
    std::vector<TGridItem*> merged;
    merged.reserve(hiddenByRow.size());
    std::size_t k = 0;
    int put = 0;
    const auto keep = [&] {
        hiddenByRow[k]->Idx += put;
        merged.push_back(hiddenByRow[k++]);
    };
    for (ContractedRows& node : Nodes) {
        while (k < hiddenByRow.size() && hiddenByRow[k]->Idx - static_cast<int>(k) <= node.Row)
            keep();
        // Before the node's rows, ahead of any other hidden row waiting after the node.
        const int real = node.Row + static_cast<int>(merged.size());
        for (std::size_t i = 0; i < node.Items.size(); ++i) {
            node.Items[i]->Idx = real + 1 + static_cast<int>(i);
            merged.push_back(node.Items[i]);
        }
        put += static_cast<int>(node.Items.size());
        node.Items.clear();
    }
    while (k < hiddenByRow.size())
        keep();
    hiddenByRow = std::move(merged);
}

void TDataGrid::FindMovedNodes(std::vector<ContractedRows>& Nodes, int FromRow, int ToRow) const {
    if (Nodes.empty())
        return;
    std::unordered_map<const TCellGraphic*, int> rows;
    for (int r = FromRow; r <= ToRow; ++r)
        if (IsNode(r))
            rows.emplace(GetCellGraphic(0, r), r);
    // A node the move lost stays with its rows where it was.
    for (ContractedRows& node : Nodes)
        if (const auto found = rows.find(node.Node); found != rows.end())
            node.Row = found->second;
}
