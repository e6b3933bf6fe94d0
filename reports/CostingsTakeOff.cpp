#include "reports/Costings.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/NumberFormat.h"
#include "grid/GridUpdateLock.h"
#include "network/Sewernetwork.h"
#include "reports/Table.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <array>
#include <span>
#include <tuple>
#include <vector>

namespace {

// The totals of a take-off grid, added row by row as the rows are written, from the texts they
// show, in the order reading the columns back would add them.
class ShownTotals {
public:
    explicit ShownTotals(std::span<const int> columns) : columns(columns), totals(columns.size()) {}

    void Add(std::span<const AnsiString> row) {
        for (std::size_t k = 0; k < columns.size(); ++k) {
            double value = 0;
            readable = TryStrToFloat(row[static_cast<std::size_t>(columns[k])], value) && readable;
            totals[k] += value;
        }
    }

    // Into the grid's last row, which holds nothing else. A text that is no number (the "INF" of an
    // overflow) is left to reading the columns back, which stops at it with the conversion error.
    void Write(TDataGrid& grid) const {
        const int totalsRow = grid.GetRowCount() - 1;
        for (int c = 0; c < grid.GetColCount(); ++c)
            grid.SetCellEx(c, totalsRow, AnsiString());
        for (std::size_t k = 0; k < columns.size(); ++k) {
            double total = totals[k];
            if (!readable) {
                total = 0;
                for (int r = 1; r < totalsRow; ++r)
                    total += StrToFloat(grid.GetCellEx(columns[k], r));
            }
            grid.SetCellEx(columns[k], totalsRow, FloatToStr(total));
        }
    }

private:
    std::span<const int> columns;
    std::vector<double> totals;
    bool readable = true;
};

// The results table's rows, the network's sewers, their junctions and the junctions' depths each
// lie apart in memory: the take-off asks for each a few rows before it reads it, following the
// chain from a sewer to its junctions to their depths in steps this many rows apart.
constexpr int RowsAhead = 8;

void FetchNode(const SewerNode* node) {
    if (!node)
        return;
    __builtin_prefetch(node);
    __builtin_prefetch(reinterpret_cast<const char*>(node) + 64);
}

// Fetches the cells of row that the take-off reads and the deepest-end slots of its sewer's
// junctions; the junctions of the sewer a step further on, and the sewer a step beyond that.
void FetchAhead(const TDataGrid& table, std::span<const int> columns, const SimpleSewerNetwork& network,
                std::span<const double> deepestEnds, int row) {
    if (row < table.GetRowCount())
        for (const int c : columns)
            table.PrefetchCell(c, row);
    const std::vector<Sewer*>& sewers = network.Sewers;
    const auto at = static_cast<std::size_t>(row - 1);
    if (at + 2 * RowsAhead < sewers.size())
        __builtin_prefetch(&sewers[at + 2 * RowsAhead]->UpstreamNode);
    if (at + RowsAhead < sewers.size()) {
        FetchNode(sewers[at + RowsAhead]->UpstreamNode);
        FetchNode(sewers[at + RowsAhead]->DownstreamNode);
    }
    if (at < sewers.size())
        for (const SewerNode* node : {sewers[at]->UpstreamNode, sewers[at]->DownstreamNode})
            if (const int position = network.PositionOf(node); position >= 0)
                __builtin_prefetch(&deepestEnds[static_cast<std::size_t>(position)]);
}

// The place of the first junction of the name in the network's list, -1 for none. The table lists
// the network's sewers in order, so the junction the row's sewer ends at is tried first: where no
// name repeats, a junction of the network bearing the name is the one.
int JunctionOfName(const SimpleSewerNetwork& network, const AnsiString& name, const SewerNode* node) {
    if (node && !network.JunctionNamesRepeat() && node->Name == name) {
        const int position = network.PositionOf(node);
        if (position >= 0)
            return position;
    }
    return network.JunctionIndex(name);
}

} // namespace

bool TCostingsForm::CalculateNetworkCosts() {
    SimpleSewerNetwork* network = TableForm->Network();
    if (!network) {
        Application->MessageBox(LoadStr(3019), LoadStr(3020), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (network->CheckNetwork() != 0) {
        Application->MessageBox(LoadStr(3021), LoadStr(3001), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!TableForm->UpdateTableFromNetwork())
        return false;
    TakeOff(*TableForm->DataGrid1, *network);
    return true;
}

void TCostingsForm::TakeOff(TDataGrid& table, const SimpleSewerNetwork& network) {
    TrenchWidthAllowance = TrenchWidthAllowanceTypedEdit->GetFloat();
    BeddingVolumeAllowance = BeddingVolumeAllowanceTypedEdit->GetFloat();
    ProtectionAllowance = ProtectionAllowanceTypedEdit->GetFloat();
    SewerColumn = TableForm->SewerColumn;
    LengthColumn = TableForm->LengthColumn;
    ChosenDiameterColumn = TableForm->ChosenDiameterColumn;
    USDepthColumn = TableForm->USDepthColumn;
    DSDepthColumn = TableForm->DSDepthColumn;
    USJunctionColumn = TableForm->USJunctionColumn;
    DSJunctionColumn = TableForm->DSJunctionColumn;
    TakeOffSewers(table, network);

    JBoxBaseHeight = JBoxBaseHeightTypedEdit->GetFloat();
    JBoxWidth = JBoxWidthTypedEdit->GetFloat();
    JBoxBredth = JBoxBredthTypedEdit->GetFloat();
    JBoxExcavationAllowance = JBoxExcavationAllowanceTypedEdit->GetFloat();
    TakeOffJunctions(network);
    takenOff = true;
}

void TCostingsForm::TakeOffSewers(const TDataGrid& table, const SimpleSewerNetwork& network) {
    const int tableRows = table.GetRowCount();
    TDataGrid& pipes = *NetworkCostPipeDataGrid;
    GridUpdateLock lock(pipes);
    pipes.SetColCount(PipeColumns);
    pipes.SetRowCount(tableRows + 1);
    // An emptied grid has lost its fixed row with its other rows.
    pipes.SetFixedRows(1);
    pipes.SetCellEx(pcTrenchWidth, 0, "Trench Width (m)");
    pipes.SetCellEx(pcExcavation, 0, "Excavation Volume (m³)");
    pipes.SetCellEx(pcBedding, 0, "Bedding Volume (m³)");
    pipes.SetCellEx(pcProtected, 0, "Protected?");
    pipes.SetCellEx(pcProtection, 0, "Protection Volume (m³)");
    pipes.SetCellEx(pcBackfill, 0, "Backfill Volume (m³)");
    pipes.SetCellEx(pcSpoil, 0, "Spoil Volume (m³)");
    // Cells are read by real column: columns hidden in the results table count all the same.
    const std::array<int, pcDSDepth + 1> copied = {SewerColumn, LengthColumn, ChosenDiameterColumn,
                                                   USDepthColumn, DSDepthColumn};
    for (int c = pcSewer; c <= pcDSDepth && tableRows > 0; ++c)
        pipes.SetCellEx(c, 0, table.GetCellEx(copied[static_cast<std::size_t>(c)], 0));
    // Every sewer end's depth at its junction too, in the same pass: the largest wins, and none
    // below 0. A name the network lists twice is found at its first junction.
    deepestEnds.assign(network.Junctions.size(), 0);
    const int sewers = static_cast<int>(network.Sewers.size());
    // No sewer is protected, whatever the protection allowance.
    constexpr double protection = 0;
    const AnsiString protectionText = FixedText(protection);
    ShownTotals totals(PipeTotalColumns);
    std::array<AnsiString, PipeColumns> texts;
    AnsiString spare;
    const std::array<int, pcDSDepth + 3> read = {SewerColumn,     LengthColumn,  ChosenDiameterColumn,
                                                 USDepthColumn,   DSDepthColumn, USJunctionColumn,
                                                 DSJunctionColumn};
    for (int r = 1 - RowsAhead; r < 1; ++r)
        FetchAhead(table, read, network, deepestEnds, r + RowsAhead);
    for (int r = 1; r < tableRows; ++r) {
        FetchAhead(table, read, network, deepestEnds, r + RowsAhead);
        for (int c = pcSewer; c <= pcDSDepth; ++c)
            texts[static_cast<std::size_t>(c)] =
                table.CellText(copied[static_cast<std::size_t>(c)], r, spare);
        const double length = StrToFloat(texts[pcLength]);
        const double diameter = StrToFloat(texts[pcDiameter]);
        const double usDepth = StrToFloat(texts[pcUSDepth]);
        const double dsDepth = StrToFloat(texts[pcDSDepth]);
        const Sewer* sewer = r <= sewers ? network.Sewers[static_cast<std::size_t>(r - 1)] : nullptr;
        for (const auto& [nameColumn, node, depth] :
             {std::tuple{USJunctionColumn, sewer ? sewer->UpstreamNode : nullptr, usDepth},
              std::tuple{DSJunctionColumn, sewer ? sewer->DownstreamNode : nullptr, dsDepth}}) {
            const int junction = JunctionOfName(network, table.CellText(nameColumn, r, spare), node);
            if (junction < 0)
                continue;
            double& deepest = deepestEnds[static_cast<std::size_t>(junction)];
            deepest = std::max(deepest, depth);
        }
        const double width = diameter + TrenchWidthAllowance;
        const double excavation = (usDepth + dsDepth) * 0.5 * width * length;
        const double bedding = (BeddingVolumeAllowance + diameter) * width * length;
        const double backfill = excavation - bedding - protection;
        const double spoil = excavation - backfill;
        texts[pcTrenchWidth] = FixedText(width);
        texts[pcExcavation] = FixedText(excavation);
        texts[pcBedding] = FixedText(bedding);
        texts[pcProtected] = "0";
        texts[pcProtection] = protectionText;
        texts[pcBackfill] = FixedText(backfill);
        texts[pcSpoil] = FixedText(spoil);
        totals.Add(texts);
        pipes.SetRowCells(r, texts);
    }
    totals.Write(pipes);
}

void TCostingsForm::TakeOffJunctions(const SimpleSewerNetwork& network) {
    TDataGrid& boxes = *NetworkCostJunctionDataGrid;
    GridUpdateLock lock(boxes);
    const int junctions = static_cast<int>(network.Junctions.size());
    boxes.SetColCount(JunctionColumns);
    boxes.SetRowCount(junctions + 2);
    boxes.SetFixedRows(1);
    const double a = JBoxExcavationAllowance;
    // The same for every box: written once.
    const AnsiString lengthText = FixedText(JBoxWidth);
    const AnsiString bredthText = FixedText(JBoxBredth);
    const AnsiString baseText = FixedText(JBoxWidth * JBoxBaseHeight * JBoxBredth);
    const AnsiString coverText = FixedText(JBoxWidth * JBoxBredth);
    ShownTotals totals(JunctionTotalColumns);
    // A name listed twice has its depths at its first junction.
    const bool repeats = network.JunctionNamesRepeat();
    std::array<AnsiString, JunctionColumns> texts;
    for (int i = 0; i < junctions; ++i) {
        if (i + RowsAhead < junctions)
            FetchNode(network.Junctions[static_cast<std::size_t>(i + RowsAhead)]);
        const int r = i + 1;
        const AnsiString& name = network.Junctions[static_cast<std::size_t>(i)]->Name;
        const int first = repeats ? network.JunctionIndex(name) : i;
        const double depthToInvert = deepestEnds[static_cast<std::size_t>(first)];
        const double depth = JBoxBaseHeight + depthToInvert;
        const double box = depth * JBoxWidth * JBoxBredth;
        const double excavation = (depth + a) * (JBoxWidth + a) * (JBoxBredth + a);
        const double wallHeight = depth - JBoxBaseHeight;
        texts[jcName] = name;
        texts[jcDepthToInvert] = FixedText(depthToInvert);
        texts[jcDepth] = FixedText(depth);
        texts[jcLength] = lengthText;
        texts[jcBredth] = bredthText;
        // The spoil is the box's volume: written once.
        texts[jcBoxVolume] = FixedText(box);
        texts[jcExcavation] = FixedText(excavation);
        texts[jcBase] = baseText;
        texts[jcStructure] = FixedText(JBoxWidth * wallHeight * 2 + JBoxBredth * wallHeight * 2);
        texts[jcCover] = coverText;
        texts[jcBackfill] = FixedText(excavation - box);
        texts[jcSpoil] = texts[jcBoxVolume];
        totals.Add(texts);
        boxes.SetRowCells(r, texts);
    }
    totals.Write(boxes);
}

AnsiString TCostingsForm::FixedText(double value) {
    return FloatToStrF(value, ffFixed, 7, 2);
}

double TCostingsForm::JunctionDepth(const AnsiString& name) const {
    // Asked seldom: the junction grid's names are searched rather than indexed. The first junction
    // of a name holds the depth found for it.
    const TDataGrid& boxes = *NetworkCostJunctionDataGrid;
    const auto junctions =
        std::min(deepestEnds.size(), static_cast<std::size_t>(std::max(boxes.GetRowCount() - 2, 0)));
    AnsiString spare;
    for (std::size_t i = 0; i < junctions; ++i)
        if (boxes.CellText(jcName, static_cast<int>(i) + 1, spare) == name)
            return deepestEnds[i];
    return 0;
}
