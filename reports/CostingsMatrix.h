#pragma once

#include "framework/AnsiString.h"

// Where things stand in the cost matrix, rows and columns counted from 0 with its header row.
namespace CostMatrix {

// Heads the unit-cost grid; with the three rows below it, the usage-rate grids.
constexpr int HeadingRow = 5;
// The activities' quantities, in the activity columns.
constexpr int QuantitiesRow = 10;
constexpr int FirstResourceRow = 13;
constexpr int LastResourceRow = 46;
constexpr int TotalsRow = 49;

// Columns of a resource row.
constexpr int NameColumn = 0;
constexpr int UnitColumn = 3;
constexpr int UnitCostColumn = 4;
// Heads the usage-rate grids' rows.
constexpr int UsageHeadingColumn = 6;
// Six usage rates each, one per activity: activity column c takes its rate from column c - 16.
constexpr int FirstPipeRateColumn = 7;
constexpr int FirstJunctionRateColumn = 13;
constexpr int RateOffset = 16;
constexpr int NameCopyColumn = 22;
// Pipe excavation, bedding, laying, backfill, spoil, protection; box excavation, base, structure,
// cover, backfill, spoil.
constexpr int FirstActivityColumn = 23;
constexpr int LastActivityColumn = 34;
constexpr int ResourceTotalColumn = 35;
// Description, unit, quantity, rate, amount.
constexpr int BillColumn = 37;

// The resource rows the chart shows, one bar each.
constexpr int ChartRows[] = {13, 14, 15, 16, 19, 23, 28, 38, 43, 44, 45};

// The pricing addresses up to the totals row and the last bill column.
constexpr int PricedRows = 50;
constexpr int PricedColumns = 42;

// A cell holding nothing but blanks: a unit cost so is no priced resource.
inline bool Blank(const AnsiString& text) {
    return text.Trim().IsEmpty();
}

} // namespace CostMatrix
