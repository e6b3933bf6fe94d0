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

namespace {

// The columns' sums over the rows above the grid's last row, of the texts as shown, into that row,
// which holds nothing else.
void WriteTotals(TDataGrid& grid, std::span<const int> columns) {
    const int totalsRow = grid.GetRowCount() - 1;
    for (int c = 0; c < grid.GetColCount(); ++c)
        grid.SetCellEx(c, totalsRow, AnsiString());
    for (int c : columns) {
        double total = 0;
        for (int r = 1; r < totalsRow; ++r)
            total += StrToFloat(grid.GetCellEx(c, r));
        grid.SetCellEx(c, totalsRow, FloatToStr(total));
    }
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

    const int tableRows = table.GetRowCount();
    TDataGrid& pipes = *NetworkCostPipeDataGrid;
    {
        GridUpdateLock lock(pipes);
        pipes.SetColCount(PipeColumns);
        pipes.SetRowCount(tableRows + 1);
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
        // below 0.
        junctionDepths.clear();
        // No sewer is protected, whatever the protection allowance.
        constexpr double protection = 0;
        const AnsiString protectionText = FixedText(protection);
        std::array<AnsiString, PipeColumns> texts;
        for (int r = 1; r < tableRows; ++r) {
            for (int c = pcSewer; c <= pcDSDepth; ++c)
                texts[static_cast<std::size_t>(c)] = table.GetCellEx(copied[static_cast<std::size_t>(c)], r);
            const double length = StrToFloat(texts[pcLength]);
            const double diameter = StrToFloat(texts[pcDiameter]);
            const double usDepth = StrToFloat(texts[pcUSDepth]);
            const double dsDepth = StrToFloat(texts[pcDSDepth]);
            for (const auto& [nameColumn, depth] :
                 {std::pair{USJunctionColumn, usDepth}, std::pair{DSJunctionColumn, dsDepth}}) {
                double& deepest = junctionDepths[table.GetCellEx(nameColumn, r).str()];
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
            pipes.SetRowCells(r, texts);
        }
        PipeTotals();
    }

    JBoxBaseHeight = JBoxBaseHeightTypedEdit->GetFloat();
    JBoxWidth = JBoxWidthTypedEdit->GetFloat();
    JBoxBredth = JBoxBredthTypedEdit->GetFloat();
    JBoxExcavationAllowance = JBoxExcavationAllowanceTypedEdit->GetFloat();
    TDataGrid& boxes = *NetworkCostJunctionDataGrid;
    {
        GridUpdateLock lock(boxes);
        const int junctions = static_cast<int>(network.Junctions.size());
        boxes.SetColCount(JunctionColumns);
        boxes.SetRowCount(junctions + 2);
        const double a = JBoxExcavationAllowance;
        // The same for every box: written once.
        const AnsiString lengthText = FixedText(JBoxWidth);
        const AnsiString bredthText = FixedText(JBoxBredth);
        const AnsiString baseText = FixedText(JBoxWidth * JBoxBaseHeight * JBoxBredth);
        const AnsiString coverText = FixedText(JBoxWidth * JBoxBredth);
        std::array<AnsiString, JunctionColumns> texts;
        for (int i = 0; i < junctions; ++i) {
            const int r = i + 1;
            const AnsiString& name = network.Junctions[static_cast<std::size_t>(i)]->Name;
            const double depthToInvert = JunctionDepth(name);
            const double depth = JBoxBaseHeight + depthToInvert;
            const double box = depth * JBoxWidth * JBoxBredth;
            const double excavation = (depth + a) * (JBoxWidth + a) * (JBoxBredth + a);
            const double wallHeight = depth - JBoxBaseHeight;
            texts[jcName] = name;
            texts[jcDepthToInvert] = FixedText(depthToInvert);
            texts[jcDepth] = FixedText(depth);
            texts[jcLength] = lengthText;
            texts[jcBredth] = bredthText;
            texts[jcBoxVolume] = FixedText(box);
            texts[jcExcavation] = FixedText(excavation);
            texts[jcBase] = baseText;
            texts[jcStructure] = FixedText(JBoxWidth * wallHeight * 2 + JBoxBredth * wallHeight * 2);
            texts[jcCover] = coverText;
            texts[jcBackfill] = FixedText(excavation - box);
            texts[jcSpoil] = FixedText(box);
            boxes.SetRowCells(r, texts);
        }
        JunctionTotals();
    }
    takenOff = true;
}

void TCostingsForm::PipeTotals() {
    WriteTotals(*NetworkCostPipeDataGrid, PipeTotalColumns);
}

void TCostingsForm::JunctionTotals() {
    WriteTotals(*NetworkCostJunctionDataGrid, JunctionTotalColumns);
}

AnsiString TCostingsForm::FixedText(double value) {
    return FloatToStrF(value, ffFixed, 7, 2);
}

double TCostingsForm::JunctionDepth(const AnsiString& name) const {
    const auto found = junctionDepths.find(name.str());
    return found == junctionDepths.end() ? 0 : found->second;
}
