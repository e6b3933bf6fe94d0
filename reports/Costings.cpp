#include "reports/Costings.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "grid/GridUpdateLock.h"
#include "reports/CostingsMatrix.h"
#include "reports/CostingsMatrixCheck.h"
#include "reports/FileNumber.h"
#include "resources/StringTable.h"

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

constexpr const char* NoCostMatrix =
    "There is no cost matrix to price the network with. Load one with \"Load Cost Matrix (CSV)\".";

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

// Refuses a matrix whose pricing, bill or chart would stop at a cell that holds no number.
void CheckReadableCells(const TDataGrid& file, const AnsiString& FileName) {
    const auto unreadable =
        FirstUnreadableCell([&file](int ACol, int ARow) { return file.GetCellEx(ACol, ARow); });
    if (unreadable)
        RefuseMatrix(FileName, UnreadableText(*unreadable, "line " + IntToStr(unreadable->Row + 1) +
                                                               ", field " + IntToStr(unreadable->Col + 1)));
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
    CheckReadableCells(file, FileName);

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

std::optional<AnsiString> TCostingsForm::EditedText(int ACol, int ARow) const {
    if (ARow < FirstResourceRow || ARow > LastResourceRow)
        return std::nullopt;
    const int gridRow = ARow - GridRowOffset;
    if (ACol == UnitCostColumn)
        return UnitResDataGrid->GetCellEx(UnitCostColumn, gridRow);
    for (const auto& [grid, firstRate] : {std::pair{UsageRpDataGrid, FirstPipeRateColumn},
                                          std::pair{UsageRjDataGrid, FirstJunctionRateColumn}})
        if (ACol >= firstRate && ACol < firstRate + RatesPerGrid)
            return grid->GetCellEx(ACol - firstRate + 1, gridRow);
    return std::nullopt;
}

void TCostingsForm::CheckEditedMatrix() const {
    const auto unreadable =
        FirstUnreadableCell([this](int ACol, int ARow) { return StoredText(ACol, ARow); });
    if (!unreadable)
        return;
    const int col = unreadable->Col;
    const int row = unreadable->Row;
    const AnsiString name = MatrixCell(NameColumn, row).Trim();
    const AnsiString resource =
        name.IsEmpty() ? "the resource on line " + IntToStr(row + 1) : "\"" + name + "\"";
    AnsiString where = "line " + IntToStr(row + 1) + ", field " + IntToStr(col + 1) + " of the cost matrix";
    // A row whose unit cost was emptied loses the costs it was priced with.
    if (col == UnitCostColumn || LosesPricing(row)) {
        where = "the unit cost of " + resource;
    } else if (EditedText(col, row)) {
        // The usage-rate grids head their columns with the matrix's heading row.
        const AnsiString heading = MatrixCell(col, HeadingRow).Trim();
        where = AnsiString(col < FirstJunctionRateColumn ? "the pipe" : "the junction box") + " usage rate " +
                (heading.IsEmpty() ? AnsiString() : "\"" + heading + "\" ") + "of " + resource;
    }
    throw EConvertError("The network was not priced: " + UnreadableText(*unreadable, where));
}

void TCostingsForm::StoreUnitCosts() {
    TDataGrid& matrix = *CostingsMatrixDataGrid;
    GridUpdateLock lock(matrix);
    for (int r = FirstResourceRow; r <= LastResourceRow; ++r) {
        if (LosesPricing(r))
            ForgetRowPricing(r);
        matrix.SetCellEx(UnitCostColumn, r, *EditedText(UnitCostColumn, r));
    }
}

bool TCostingsForm::LosesPricing(int ARow) const {
    // Its costs would count in the totals as a file's own figures do.
    const std::optional<AnsiString> unitCost = EditedText(UnitCostColumn, ARow);
    return priced && unitCost && Blank(*unitCost) && !Blank(MatrixCell(UnitCostColumn, ARow));
}

void TCostingsForm::StoreUsageRates() {
    TDataGrid& matrix = *CostingsMatrixDataGrid;
    GridUpdateLock lock(matrix);
    for (int firstRate : {FirstJunctionRateColumn, FirstPipeRateColumn})
        for (int r = FirstResourceRow; r <= LastResourceRow; ++r)
            for (int c = firstRate; c < firstRate + RatesPerGrid; ++c)
                matrix.SetCellEx(c, r, *EditedText(c, r));
}

void TCostingsForm::CostingsPageControlChange(TObject*) {
    const int page = CostingsPageControl->GetActivePageIndex();
    if (page < 2)
        return;
    // The matrix, the bill and the chart show nothing without a matrix to price with; the
    // take-off needs none.
    if (!matrixLoaded && page > 2) {
        Application->MessageBox(NoCostMatrix, LoadStr(3020), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // Nothing is priced unless the take-off completed: no half-designed or absent network.
    if (!CalculateNetworkCosts() || !matrixLoaded)
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
