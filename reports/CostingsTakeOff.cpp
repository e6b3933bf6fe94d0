#include "reports/Costings.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/NumberFormat.h"
#include "grid/GridUpdateLock.h"
#include "network/Sewernetwork.h"
#include "reports/Table.h"
#include "resources/StringTable.h"

#include <algorithm>
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
        for (int r = 0; r < tableRows; ++r) {
            pipes.SetCellEx(pcSewer, r, table.GetCellEx(SewerColumn, r));
            pipes.SetCellEx(pcLength, r, table.GetCellEx(LengthColumn, r));
            pipes.SetCellEx(pcDiameter, r, table.GetCellEx(ChosenDiameterColumn, r));
            pipes.SetCellEx(pcUSDepth, r, table.GetCellEx(USDepthColumn, r));
            pipes.SetCellEx(pcDSDepth, r, table.GetCellEx(DSDepthColumn, r));
        }
        // Every sewer end's depth at its junction too, in the same pass: the largest wins, and none
        // below 0.
        junctionDepths.clear();
        for (int r = 1; r < tableRows; ++r) {
            const double length = StrToFloat(table.GetCellEx(LengthColumn, r));
            const double diameter = StrToFloat(table.GetCellEx(ChosenDiameterColumn, r));
            const double usDepth = StrToFloat(table.GetCellEx(USDepthColumn, r));
            const double dsDepth = StrToFloat(table.GetCellEx(DSDepthColumn, r));
            for (const auto& [nameColumn, depth] :
                 {std::pair{USJunctionColumn, usDepth}, std::pair{DSJunctionColumn, dsDepth}}) {
                double& deepest = junctionDepths[table.GetCellEx(nameColumn, r).str()];
                deepest = std::max(deepest, depth);
            }
            const double width = diameter + TrenchWidthAllowance;
            const double excavation = (usDepth + dsDepth) * 0.5 * width * length;
            const double bedding = (BeddingVolumeAllowance + diameter) * width * length;
            // No sewer is protected, whatever the protection allowance.
            const double protection = 0;
            const double backfill = excavation - bedding - protection;
            const double spoil = excavation - backfill;
            pipes.SetCellEx(pcTrenchWidth, r, FixedText(width));
            pipes.SetCellEx(pcExcavation, r, FixedText(excavation));
            pipes.SetCellEx(pcBedding, r, FixedText(bedding));
            pipes.SetCellEx(pcProtection, r, FixedText(protection));
            pipes.SetCellEx(pcBackfill, r, FixedText(backfill));
            pipes.SetCellEx(pcSpoil, r, FixedText(spoil));
            pipes.SetCellEx(pcProtected, r, "0");
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
        for (int i = 0; i < junctions; ++i) {
            const int r = i + 1;
            const AnsiString& name = network.Junctions[static_cast<std::size_t>(i)]->Name;
            const double depthToInvert = JunctionDepth(name);
            const double depth = JBoxBaseHeight + depthToInvert;
            const double box = depth * JBoxWidth * JBoxBredth;
            const double excavation = (depth + a) * (JBoxWidth + a) * (JBoxBredth + a);
            const double wallHeight = depth - JBoxBaseHeight;
            boxes.SetCellEx(jcName, r, name);
            boxes.SetCellEx(jcDepthToInvert, r, FixedText(depthToInvert));
            boxes.SetCellEx(jcDepth, r, FixedText(depth));
            boxes.SetCellEx(jcLength, r, FixedText(JBoxWidth));
            boxes.SetCellEx(jcBredth, r, FixedText(JBoxBredth));
            boxes.SetCellEx(jcBoxVolume, r, FixedText(box));
            boxes.SetCellEx(jcExcavation, r, FixedText(excavation));
            boxes.SetCellEx(jcBase, r, FixedText(JBoxWidth * JBoxBaseHeight * JBoxBredth));
            boxes.SetCellEx(jcStructure, r,
                            FixedText(JBoxWidth * wallHeight * 2 + JBoxBredth * wallHeight * 2));
            boxes.SetCellEx(jcCover, r, FixedText(JBoxWidth * JBoxBredth));
            boxes.SetCellEx(jcBackfill, r, FixedText(excavation - box));
            boxes.SetCellEx(jcSpoil, r, FixedText(box));
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
