#include "reports/Costings.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "grid/GridUpdateLock.h"
#include "reports/CostingsMatrix.h"
#include "reports/FileNumber.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

using namespace CostMatrix;

namespace {

// The unit-cost and usage-rate grids show matrix row r on their row r - 9, from matrix row 10 on;
// their rows 4-37 are the resource rows.
constexpr int GridRowOffset = 9;
constexpr int FirstGridResourceRow = 4;
constexpr int LastGridResourceRow = 37;
constexpr int EditGridRows = 39;
constexpr int UsageHeadingRows = 4;
constexpr int RatesPerGrid = 6;
// A loaded matrix has at least the layout's columns.
constexpr int LayoutMatrixColumns = 40;
// A file is a cost matrix when it reaches the totals row and, on some line, the last usage rate.
constexpr int MatrixLines = TotalsRow + 1;
constexpr int MatrixFields = FirstJunctionRateColumn + RatesPerGrid;

// A usage-rate grid from the matrix: its column 0 the heading column and the resource names, its
// columns 1-6 the six rates from firstRate on.
void FillUsageRateGrid(TDataGrid& grid, int firstRate, const std::function<AnsiString(int, int)>& cell) {
    GridUpdateLock lock(grid);
    grid.SetColCount(1 + RatesPerGrid);
    grid.SetRowCount(EditGridRows);
    for (int r = 0; r < UsageHeadingRows; ++r) {
        grid.SetCellEx(0, r, cell(UsageHeadingColumn, HeadingRow + r));
        for (int k = 1; k <= RatesPerGrid; ++k)
            grid.SetCellEx(k, r, cell(firstRate + k - 1, HeadingRow + r));
    }
    for (int r = FirstGridResourceRow; r <= LastGridResourceRow; ++r) {
        grid.SetCellEx(0, r, cell(0, r + GridRowOffset));
        for (int k = 1; k <= RatesPerGrid; ++k)
            grid.SetCellEx(k, r, cell(firstRate + k - 1, r + GridRowOffset));
    }
}

bool Blank(const AnsiString& text) {
    return text.Trim().IsEmpty();
}

[[noreturn]] void RefuseMatrix(const AnsiString& FileName, const AnsiString& why) {
    throw EConvertError("The cost matrix " + FileName + " was not loaded: " + why);
}

// Refuses a file that is not a cost matrix, loaded as it is into a grid no wider than its widest
// line.
void CheckMatrixShape(const TDataGrid& file, const AnsiString& FileName) {
    if (file.GetRowCount() < MatrixLines || file.GetColCount() < MatrixFields)
        RefuseMatrix(FileName, "it is not a cost matrix, which has at least " + IntToStr(MatrixLines) +
                                   " lines, the resources' usage rates reaching field " +
                                   IntToStr(MatrixFields) + ".");
}

// Refuses a matrix whose pricing would stop at a cell that holds text but no number: a priced
// row's unit cost and usage rates, or the costs and total that an unpriced row keeps.
void CheckPricedCells(const TDataGrid& file, const AnsiString& FileName) {
    const auto check = [&](int ACol, int ARow) {
        const AnsiString text = file.GetCellEx(ACol, ARow);
        double value = 0;
        if (Blank(text) || ReadFileNumber(text, value))
            return;
        RefuseMatrix(FileName, "line " + IntToStr(ARow + 1) + ", field " + IntToStr(ACol + 1) + " holds \"" +
                                   text + "\", which is not a number.");
    };
    for (int r = FirstResourceRow; r <= LastResourceRow && r < file.GetRowCount(); ++r) {
        if (Blank(file.GetCellEx(UnitCostColumn, r))) {
            for (int c = FirstActivityColumn; c <= ResourceTotalColumn; ++c)
                check(c, r);
            continue;
        }
        check(UnitCostColumn, r);
        for (int c = FirstActivityColumn; c <= LastActivityColumn; ++c)
            check(c - RateOffset, r);
    }
}

} // namespace

void TCostingsForm::LoadDefaultCostingRates() {
    try {
        LoadCostMatrix(Application->ExeDir() + DefaultCostingRatesFile);
    } catch (const EConvertError& refusal) {
        ShowMessage(refusal.Message);
    } catch (const std::exception&) {
        ShowMessage(AnsiString("Error loading \"") + DefaultCostingRatesFile +
                    "\". Make sure it exists and is not being used by another application");
    }
}

void TCostingsForm::LoadCSVButtonClick(TObject*) {
    if (OpenDialog1->Execute())
        LoadCostMatrix(OpenDialog1->FileName);
}

void TCostingsForm::LoadCostMatrix(const AnsiString& FileName) {
    // A file that cannot be read raises here, before the matrix changes.
    TDataGrid file(nullptr);
    file.Delimiter = CostingsMatrixDataGrid->Delimiter;
    file.SetColCount(1);
    file.LoadFromCSV(FileName);
    CheckMatrixShape(file, FileName);
    file.SetColCount(std::max(file.GetColCount(), LayoutMatrixColumns));
    CheckPricedCells(file, FileName);

    TDataGrid& matrix = *CostingsMatrixDataGrid;
    {
        GridUpdateLock lock(matrix);
        // Nothing of the older matrix may show through in columns or rows the new one lacks.
        matrix.Clear();
        matrix.SetRowCount(file.GetRowCount());
        matrix.SetColCount(file.GetColCount());
        for (int r = 0; r < file.GetRowCount(); ++r)
            for (int c = 0; c < file.GetColCount(); ++c)
                matrix.SetCellEx(c, r, file.GetCellEx(c, r));
        if (matrix.GetRowCount() > 1)
            matrix.SetFixedRows(1);
    }
    matrixLoaded = true;
    priced = false;
    FillUnitResourceGrid();
    FillUsageRateGrids();
}

void TCostingsForm::EnlargeMatrix() {
    TDataGrid& matrix = *CostingsMatrixDataGrid;
    GridUpdateLock lock(matrix);
    matrix.SetRowCount(std::max(matrix.GetRowCount(), PricedRows));
    matrix.SetColCount(std::max(matrix.GetColCount(), PricedColumns));
    matrix.SetFixedRows(1);
}

AnsiString TCostingsForm::MatrixCell(int ACol, int ARow) const {
    const TDataGrid& matrix = *CostingsMatrixDataGrid;
    if (ACol >= matrix.GetColCount() || ARow >= matrix.GetRowCount())
        return {};
    return matrix.GetCellEx(ACol, ARow);
}

double TCostingsForm::MatrixNumber(int ACol, int ARow) const {
    const AnsiString text = MatrixCell(ACol, ARow);
    double value = 0;
    return ReadFileNumber(text, value) ? value : StrToFloat(text);
}

void TCostingsForm::FillUnitResourceGrid() {
    TDataGrid& grid = *UnitResDataGrid;
    {
        GridUpdateLock lock(grid);
        grid.SetColCount(UnitCostColumn + 1);
        grid.SetRowCount(EditGridRows);
        for (int c = 0; c <= UnitCostColumn; ++c)
            grid.SetCellEx(c, 0, MatrixCell(c, HeadingRow));
        for (int r = 1; r <= LastGridResourceRow; ++r)
            for (int c = 0; c <= UnitCostColumn; ++c)
                grid.SetCellEx(c, r, MatrixCell(c, r + GridRowOffset));
    }
    grid.SetAutoSizeP(true);
}

void TCostingsForm::FillUsageRateGrids() {
    const auto cell = [this](int ACol, int ARow) { return MatrixCell(ACol, ARow); };
    FillUsageRateGrid(*UsageRpDataGrid, FirstPipeRateColumn, cell);
    FillUsageRateGrid(*UsageRjDataGrid, FirstJunctionRateColumn, cell);
}

void TCostingsForm::StoreUnitCosts() {
    TDataGrid& matrix = *CostingsMatrixDataGrid;
    GridUpdateLock lock(matrix);
    for (int r = FirstGridResourceRow; r <= LastGridResourceRow; ++r)
        matrix.SetCellEx(UnitCostColumn, r + GridRowOffset, UnitResDataGrid->GetCellEx(UnitCostColumn, r));
}

void TCostingsForm::StoreUsageRates() {
    TDataGrid& matrix = *CostingsMatrixDataGrid;
    GridUpdateLock lock(matrix);
    for (const auto& [grid, firstRate] : {std::pair{UsageRjDataGrid, FirstJunctionRateColumn},
                                          std::pair{UsageRpDataGrid, FirstPipeRateColumn}})
        for (int r = FirstGridResourceRow; r <= LastGridResourceRow; ++r)
            for (int k = 1; k <= RatesPerGrid; ++k)
                matrix.SetCellEx(firstRate + k - 1, r + GridRowOffset, grid->GetCellEx(k, r));
}

void TCostingsForm::CostingsPageControlChange(TObject*) {
    const int page = CostingsPageControl->GetActivePageIndex();
    if (page < 2)
        return;
    // Nothing is priced unless the take-off completed: no half-designed or absent network.
    if (!CalculateNetworkCosts())
        return;
    CalculateCostMatrix();
    if (page == 4)
        BuildBillOfQuantities();
    else if (page == 5)
        RefillChart();
}

void TCostingsForm::NetworkReplaced() {
    // Emptied to their header rows, as the results table is.
    for (TDataGrid* grid : {NetworkCostPipeDataGrid, NetworkCostJunctionDataGrid, BOQDataGrid}) {
        const GridUpdateLock lock(*grid);
        grid->RemoveRows(1, grid->GetRowCount() - 1);
    }
    takenOff = false;
    ForgetPricing();
    Series1->Clear();
}
