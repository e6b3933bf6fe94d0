#include "reports/Costings.h"

#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "grid/GridUpdateLock.h"
#include "reports/CostingsMatrix.h"

#include <cmath>

using namespace CostMatrix;

namespace {

// The bill's columns after its description.
constexpr int BillUnit = 1;
constexpr int BillQuantity = 2;
constexpr int BillRate = 3;
constexpr int BillAmount = 4;
// A rate this small is taken as none: the quantity is not worked back from it.
constexpr double SmallestRate = 1e-6;

// The cells of a resource row that its pricing writes from the network's quantities: the costs, and
// the bill's quantity and amount.
bool PricingCell(int ACol) {
    return (ACol >= FirstActivityColumn && ACol <= ResourceTotalColumn) ||
           ACol == BillColumn + BillQuantity || ACol == BillColumn + BillAmount;
}

} // namespace

void TCostingsForm::CalculateCostMatrix() {
    EnlargeMatrix();
    CheckEditedMatrix();
    StoreUnitCosts();
    StoreUsageRates();
    // From here the matrix holds figures of the network, should the pricing stop part way.
    priced = true;
    StoreQuantities();
    CalculateResourceCosts();
    BuildBillColumns();
}

void TCostingsForm::StoreQuantities() {
    // Each pipe activity's quantity, in activity order: excavation, bedding, pipe laying, backfill,
    // spoil, protection; then the junction boxes' in their own column order.
    static constexpr int PipeSources[] = {pcExcavation, pcBedding, pcLength,
                                          pcBackfill,   pcSpoil,   pcProtection};
    const TDataGrid& pipes = *NetworkCostPipeDataGrid;
    const TDataGrid& boxes = *NetworkCostJunctionDataGrid;
    TDataGrid& matrix = *CostingsMatrixDataGrid;
    GridUpdateLock lock(matrix);
    int c = FirstActivityColumn;
    for (int source : PipeSources)
        matrix.SetCellEx(c++, QuantitiesRow, pipes.GetCellEx(source, pipes.GetRowCount() - 1));
    for (int source : JunctionTotalColumns)
        matrix.SetCellEx(c++, QuantitiesRow, boxes.GetCellEx(source, boxes.GetRowCount() - 1));
}

void TCostingsForm::CalculateResourceCosts() {
    TDataGrid& matrix = *CostingsMatrixDataGrid;
    GridUpdateLock lock(matrix);
    for (int r = FirstResourceRow; r <= LastResourceRow; ++r) {
        // A row without a unit cost is no priced resource: its cost cells keep what they hold.
        if (Blank(MatrixCell(UnitCostColumn, r)))
            continue;
        const double unitCost = MatrixNumber(UnitCostColumn, r);
        double rowTotal = 0;
        for (int c = FirstActivityColumn; c <= LastActivityColumn; ++c) {
            const double cost = unitCost * MatrixNumber(c - RateOffset, r) * MatrixNumber(c, QuantitiesRow);
            matrix.SetCellEx(c, r, CostText(cost, r));
            rowTotal += cost;
        }
        matrix.SetCellEx(ResourceTotalColumn, r, CostText(rowTotal, r));
    }
    // The totals add the costs as shown, skipped rows with whatever number they hold.
    for (int c = FirstActivityColumn; c <= ResourceTotalColumn; ++c) {
        double total = 0;
        for (int r = FirstResourceRow; r <= LastResourceRow; ++r)
            if (!Blank(MatrixCell(c, r)))
                total += MatrixNumber(c, r);
        matrix.SetCellEx(c, TotalsRow, CostText(total, TotalsRow));
    }
    for (int r = FirstResourceRow; r <= LastResourceRow; ++r)
        matrix.SetCellEx(NameCopyColumn, r, MatrixCell(NameColumn, r));
}

AnsiString TCostingsForm::CostText(double value, int ARow) const {
    // An infinity would be written as text that no later step reads back as a number.
    if (std::isfinite(value))
        return FixedText(value);
    const AnsiString name = MatrixCell(NameColumn, ARow).Trim();
    throw EConvertError("The network was not priced: the costs " +
                        (ARow == TotalsRow || name.IsEmpty()
                             ? "on line " + IntToStr(ARow + 1) + " of the cost matrix"
                             : "of \"" + name + "\"") +
                        " are too large to price.");
}

void TCostingsForm::ForgetRowPricing(int ARow) {
    TDataGrid& matrix = *CostingsMatrixDataGrid;
    for (int c = FirstActivityColumn; c <= BillColumn + BillAmount; ++c)
        if (PricingCell(c))
            matrix.SetCellEx(c, ARow, AnsiString());
}

AnsiString TCostingsForm::StoredText(int ACol, int ARow) const {
    if (const std::optional<AnsiString> edited = EditedText(ACol, ARow))
        return *edited;
    return PricingCell(ACol) && LosesPricing(ARow) ? AnsiString() : MatrixCell(ACol, ARow);
}

void TCostingsForm::ForgetPricing() {
    if (!priced)
        return;
    TDataGrid& matrix = *CostingsMatrixDataGrid;
    GridUpdateLock lock(matrix);
    for (int c = FirstActivityColumn; c <= LastActivityColumn; ++c)
        matrix.SetCellEx(c, QuantitiesRow, AnsiString());
    // A row without a unit cost was not priced: it keeps the texts its file gave it.
    for (int r = FirstResourceRow; r <= LastResourceRow; ++r)
        if (!Blank(MatrixCell(UnitCostColumn, r)))
            ForgetRowPricing(r);
    for (int c = FirstActivityColumn; c <= ResourceTotalColumn; ++c)
        matrix.SetCellEx(c, TotalsRow, AnsiString());
    matrix.SetCellEx(BillColumn + BillAmount, TotalsRow, AnsiString());
    priced = false;
}

void TCostingsForm::BuildBillColumns() {
    GridUpdateLock lock(*CostingsMatrixDataGrid);
    WriteBill(*CostingsMatrixDataGrid, BillColumn);
}

void TCostingsForm::BuildBillOfQuantities() {
    TDataGrid& bill = *BOQDataGrid;
    GridUpdateLock lock(bill);
    bill.SetRowCount(FirstResourceRow + (LastResourceRow - FirstResourceRow + 1) + 3);
    bill.SetColCount(BillAmount + 1);
    // An emptied bill has lost its fixed row with its other rows.
    bill.SetFixedRows(1);
    // The whole bill is built anew: nothing of an earlier matrix stays beside an empty row.
    bill.ClearNormalCells();
    WriteBill(bill, 0);
    bill.SetCellEx(0, TotalsRow, "Total");
    bill.SetCellEx(2, 2, "Bill of Quantites");
    int c = 0;
    for (const char* heading : {"Description", "Unit", "Quantity", "Rate", "Amount"})
        bill.SetCellEx(c++, 8, heading);
    bill.SetCellEx(0, 10, "Materials");
    bill.SetCellEx(0, 12, "Masonary");
}

void TCostingsForm::WriteBill(TDataGrid& grid, int first) {
    double total = 0;
    for (int r = FirstResourceRow; r <= LastResourceRow; ++r) {
        grid.SetCellEx(first, r, MatrixCell(NameColumn, r));
        grid.SetCellEx(first + BillUnit, r, MatrixCell(UnitColumn, r));
        if (Blank(grid.GetCellEx(first, r))) {
            grid.SetCellEx(first + BillRate, r, AnsiString());
            grid.SetCellEx(first + BillAmount, r, AnsiString());
            continue;
        }
        grid.SetCellEx(first + BillRate, r, MatrixCell(UnitCostColumn, r));
        grid.SetCellEx(first + BillAmount, r, MatrixCell(ResourceTotalColumn, r));
        const double amount = MatrixNumber(ResourceTotalColumn, r);
        const double rate = MatrixNumber(UnitCostColumn, r);
        grid.SetCellEx(first + BillQuantity, r,
                       rate > SmallestRate ? CostText(amount / rate, r) : AnsiString("0.00"));
        total += amount;
    }
    grid.SetCellEx(first + BillAmount, TotalsRow, CostText(total, TotalsRow));
}
