#pragma once

#include "network/Sewermainform.h"
#include "tests/reports/ResultsTable.h"

#include <string>

// The results table in its batch mode, loaded with tests/data/results/batch-chain.csv:
// S1 J1->J2, 50 m, 40 houses, 2000 l/day, ground 20.00->19.50; S2 J2->J3, 80 m, 300 houses,
// 4000 l/day, 19.50->19.30; S3 J3->J4, 60 m, 10 houses, 500 l/day, 19.30->19.24.
class BatchTable : public ResultsTable {
protected:
    static AnsiString Chain() { return AnsiString(DRENVALA_TEST_DATA "/results/batch-chain.csv"); }

    // Every cell of the grid, row by row.
    static std::string Cells() {
        const TDataGrid& grid = *TableForm->DataGrid1;
        std::string cells =
            std::to_string(grid.GetColCount()) + "x" + std::to_string(grid.GetRowCount()) + "\n";
        for (int row = 0; row < grid.GetRowCount(); ++row) {
            for (int col = 0; col < grid.GetColCount(); ++col)
                cells += grid.GetCellEx(col, row).str() + "|";
            cells += "\n";
        }
        return cells;
    }

    // The chain loaded and calculated, without a word to the user.
    void CalculateChain() {
        ASSERT_TRUE(TableForm->LoadBatchData(Chain()));
        TableForm->CalcAllButtonClick(nullptr);
        ASSERT_EQ(Told(), Texts{});
    }

    static inline const std::string NoData =
        "Information: The table holds no sewer data. Load a data file first. (64)";
};
