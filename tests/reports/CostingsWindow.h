#pragma once

#include "framework/Application.h"
#include "framework/FileBytes.h"
#include "reports/Costings.h"
#include "tests/reports/ResultsTable.h"

#include <QTest>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The message of a rates file beside the program that cannot be read.
inline const std::string NoRates =
    "Drenvala: Error loading \"default-costing-rates.csv\". Make sure it exists and is not "
    "being used by another application (0)";

// Lines first to last of a cost matrix, empty but for a total of 0 in field 36 of the resource lines
// the chart shows, which it reads whether their resources are priced or not.
inline std::string ChartedZeros(int first, int last) {
    const std::vector<int> charted{13, 14, 15, 16, 19, 23, 28, 38, 43, 44, 45};
    std::string lines;
    for (int line = first; line <= last; ++line) {
        if (std::find(charted.begin(), charted.end(), line) != charted.end())
            lines += std::string(35, ',') + "0";
        lines += "\n";
    }
    return lines;
}

// One sewer as the results table shows it.
struct TableRow {
    const char* sewer;
    const char* us;
    const char* ds;
    const char* length;
    const char* diameter;
    const char* usDepth;
    const char* dsDepth;
};

// A, 10 m of 0.15 m pipe from J1 (1.0 m deep) to J2 (1.2 m); B, 20 m of 0.3 m from J2 (1.2 m)
// to J3 (1.5 m).
inline const std::vector<TableRow> TwoPricedSewers{{"A", "J1", "J2", "10.00", "0.150", "1.000", "1.200"},
                                                   {"B", "J2", "J3", "20.00", "0.300", "1.200", "1.500"}};

// A results grid as the table fills it, headers and one row per sewer, only in the columns the
// take-off reads; and a network with the sewers' junctions in the order they first appear.
struct Results {
    explicit Results(const std::vector<TableRow>& rows) : grid(std::make_unique<TDataGrid>(nullptr)) {
        grid->SetColCount(26);
        grid->SetRowCount(static_cast<int>(rows.size()) + 1);
        const TableRow header{"Sewer",        "u/s Junct. name",          "d/s Junct. name",
                              "Length (m)",   "Chosen Pipe Diameter (m)", "Depth u/s (m)",
                              "Depth d/s (m)"};
        Put(0, header);
        int r = 1;
        for (const TableRow& row : rows) {
            Put(r++, row);
            network.AddSewer(row.sewer, row.us, row.ds, 1);
        }
    }

    void Put(int r, const TableRow& row) {
        grid->SetCellEx(TableForm->SewerColumn, r, row.sewer);
        grid->SetCellEx(TableForm->USJunctionColumn, r, row.us);
        grid->SetCellEx(TableForm->DSJunctionColumn, r, row.ds);
        grid->SetCellEx(TableForm->LengthColumn, r, row.length);
        grid->SetCellEx(TableForm->ChosenDiameterColumn, r, row.diameter);
        grid->SetCellEx(TableForm->USDepthColumn, r, row.usDepth);
        grid->SetCellEx(TableForm->DSDepthColumn, r, row.dsDepth);
    }

    void Run() { CostingsForm->TakeOff(*grid, network); }

    std::unique_ptr<TDataGrid> grid;
    SimpleSewerNetwork network;
};

// The program's windows with the costings window, a folder standing in for the program's own (empty
// until a test puts a rates file there), and ways to read the grids as the user sees them.
class CostingsWindow : public ResultsTable {
protected:
    void SetUp() override {
        ResultsTable::SetUp();
        Application->SetExeDir(dir.path().toStdString() + "/");
    }

    void TearDown() override {
        Application->SetExeDir({});
        ResultsTable::TearDown();
    }

public:
    // tests/data/costings/test-rates.csv: made-up rates, worked by hand in the tests.
    static AnsiString Rates() { return Data("costings/test-rates.csv"); }

    // The main window shown and active, as the user has it.
    static void ShowProgram() {
        FrontForm->Show();
        FrontForm->View()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(FrontForm->View()));
    }

    // Puts a copy of file in the program's folder as its rates file.
    void ShipRates(const AnsiString& file) {
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(file, bytes));
        ASSERT_TRUE(WriteFileBytes(Path(DefaultCostingRatesFile), bytes));
    }

    // "Load Cost Matrix (CSV)" answered with file, or cancelled; an error is shown as the program
    // shows it.
    static void LoadMatrix(const std::optional<AnsiString>& file) {
        Responder().AnswerFile(file);
        UserClicks(CostingsForm->LoadCSVButton);
    }

    static void UserClicks(TButton* button) {
        CallGuarded([button] { button->Click(); });
    }

    // The user chooses a tab of the window.
    static void Visit(int page) {
        CallGuarded([page] { CostingsForm->CostingsPageControl->ViewTabChosen(page); });
    }

    // A row of a grid, from its first column to its last.
    static Texts GridRow(const TDataGrid* grid, int row) {
        Texts cells;
        for (int col = 0; col < grid->GetColCount(); ++col)
            cells.push_back(grid->GetCellEx(col, row).str());
        return cells;
    }

    // Cells first..last of a matrix row.
    static Texts MatrixRow(int row, int first, int last) {
        Texts cells;
        for (int col = first; col <= last; ++col)
            cells.push_back(CostingsForm->CostingsMatrixDataGrid->GetCellEx(col, row).str());
        return cells;
    }
};
