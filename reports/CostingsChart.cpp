#include "reports/Costings.h"

#include "reports/CostingsMatrix.h"

#include <algorithm>

using namespace CostMatrix;

namespace {

constexpr int CsvFilter = 1;
constexpr int MetafileFilter = 2;

} // namespace

void TCostingsForm::RefillChart() {
    Series1->Clear();
    for (int row : ChartRows)
        Series1->Add(MatrixNumber(ResourceTotalColumn, row), MatrixCell(NameColumn, row), clTeeColor);
}

void TCostingsForm::CostingsMatrixDataGridGetCellColor(TObject*, int ARow, int ACol, TGridDrawState,
                                                       TBrush* ABrush, TFont* AFont) {
    // The bands: unit costs, usage rates, costs per activity, the bill.
    struct Band {
        int First;
        int Last;
        TColor Color;
    };
    static constexpr Band Bands[] = {{0, 4, clAqua}, {6, 18, clTeal}, {22, 35, clOlive}, {37, 41, clSilver}};
    if (ARow == 0)
        return;
    for (const Band& band : Bands)
        if (ACol >= band.First && ACol <= band.Last) {
            ABrush->Color = band.Color;
            if (ARow == 1)
                AFont->Color = clRed;
        }
}

void TCostingsForm::NetworkCostPipeDataGridGetCellColor(TObject*, int ARow, int ACol, TGridDrawState,
                                                        TBrush* ABrush, TFont* AFont) {
    MarkTotal(*NetworkCostPipeDataGrid, PipeTotalColumns, ARow, ACol, ABrush, AFont);
}

void TCostingsForm::NetworkCostJunctionDataGridGetCellColor(TObject*, int ARow, int ACol, TGridDrawState,
                                                            TBrush* ABrush, TFont* AFont) {
    MarkTotal(*NetworkCostJunctionDataGrid, JunctionTotalColumns, ARow, ACol, ABrush, AFont);
}

void TCostingsForm::MarkTotal(const TDataGrid& grid, std::span<const int> columns, int ARow, int ACol,
                              TBrush* ABrush, TFont* AFont) const {
    if (!takenOff || ARow != grid.GetRowCount() - 1 ||
        std::find(columns.begin(), columns.end(), ACol) == columns.end())
        return;
    ABrush->Color = clYellow;
    AFont->Color = clRed;
    AFont->Style |= fsBold;
}

void TCostingsForm::SaveCostingMatrixButtonClick(TObject*) {
    if (AskSaveName(matrixFileName, CsvFilter))
        CostingsMatrixDataGrid->SaveToCSV(matrixFileName);
}

void TCostingsForm::SaveBOQButtonClick(TObject*) {
    if (AskSaveName(billFileName, CsvFilter))
        BOQDataGrid->SaveToCSV(billFileName);
}

bool TCostingsForm::AskSaveName(AnsiString& lastName, int filterIndex) {
    SaveDialog1->FileName = lastName;
    SaveDialog1->FilterIndex = filterIndex;
    if (!SaveDialog1->Execute())
        return false;
    lastName = SaveDialog1->FileName;
    return true;
}

void TCostingsForm::SaveCostingsChartToWMFButtonClick(TObject*) {
    if (AskSaveName(chartFileName, MetafileFilter))
        CostingsChart->SaveToMetafileEnh(chartFileName);
}

void TCostingsForm::CopyCostingsChartToClipboardButtonClick(TObject*) {
    CostingsChart->CopyToClipboardMetafile(true);
}
