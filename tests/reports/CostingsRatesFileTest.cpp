#include "tests/reports/CostingsWindow.h"

#include <string>

namespace {

using CostingsRatesFile = CostingsWindow;

// The grids the user sees the matrix through, and the matrix, as text.
std::string Grids() {
    std::string text;
    for (const TDataGrid* grid : {CostingsForm->UnitResDataGrid, CostingsForm->UsageRpDataGrid,
                                  CostingsForm->UsageRjDataGrid, CostingsForm->CostingsMatrixDataGrid})
        for (int row = 0; row < grid->GetRowCount(); ++row)
            for (const std::string& cell : CostingsWindow::GridRow(grid, row))
                text += cell + ",";
    return text;
}

// tests/data/costings/test-rates.csv with one line's text replaced.
std::string RatesWith(const std::string& line, const std::string& replaced) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(CostingsWindow::Rates(), bytes));
    const std::size_t at = bytes.find(line);
    EXPECT_NE(at, std::string::npos) << line;
    return bytes.replace(at, line.size(), replaced);
}

std::string Refusal(const AnsiString& file, const std::string& why) {
    return "Drenvala: The cost matrix " + file.str() + " was not loaded: " + why;
}

std::string NotANumber(const AnsiString& file, const char* where) {
    return Refusal(file, std::string(where) + ", which is not a number.");
}

// Mended: such a file replaced the matrix without a word, and the chart tab then stopped at the
// first cell it could not read.
TEST_F(CostingsRatesFile, ACellPricingCannotReadRefusesTheFile) {
    ReadRiverside();
    // The rates file beside the program is refused as a file the user chose; the next opening
    // tries again.
    const AnsiString shipped = Path(DefaultCostingRatesFile);
    ASSERT_TRUE(WriteFileBytes(shipped, RatesWith("Cement,C1,,bag,10,", "Cement,C1,,bag,$10,")));
    UserClicks(FrontForm->CostingButton);
    EXPECT_EQ(Told(), Texts{NotANumber(shipped, "line 14, field 5 holds \"$10\"") + " (0)"});
    EXPECT_EQ(FrontForm->CurrentChildForm, CostingsForm);
    EXPECT_EQ(CostingsForm->UnitResDataGrid->GetCellEx(0, 4), "");
    ShipRates(Rates());
    FrontForm->DataEntryForm1Click(nullptr);
    UserClicks(FrontForm->CostingButton);
    ASSERT_TRUE(Told().empty());
    ASSERT_EQ(CostingsForm->UnitResDataGrid->GetCellEx(4, 4), "10");
    const std::string before = Grids();
    const struct {
        const char* label;
        std::string line;
        std::string replaced;
        const char* where; // empty where the file loads
    } rows[] = {
        {"a unit cost", "Cement,C1,,bag,10,", "Cement,C1,,bag,ten,", "line 14, field 5 holds \"ten\""},
        {"a usage rate", "Sand,S1,,m3,20,,,0,1,", "Sand,S1,,m3,20,,,0,n/a,",
         "line 15, field 9 holds \"n/a\""},
        {"a kept cost of a row without a unit cost", ",,,1.5,", ",,,1.5 m3,",
         "line 18, field 24 holds \"1.5 m3\""},
        // Pricing reads no rate of a row without a unit cost, and overwrites a priced row's costs.
        {"a rate of a row without a unit cost", std::string(23, ',') + "1.5,",
         std::string(8, ',') + "x" + std::string(15, ',') + "1.5,", ""},
        {"a cost that pricing overwrites", "Sand,S1,,m3,20,,,0,1,0,0,0,0,0,0,0,0,0,0",
         "Sand,S1,,m3,20,,,0,1,0,0,0,0,0,0,0,0,0,0,,,,,old", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const AnsiString file = Path("mine.csv");
        ASSERT_TRUE(WriteFileBytes(file, RatesWith(row.line, row.replaced)));
        LoadMatrix(file);
        const bool refused = *row.where != '\0';
        EXPECT_EQ(Told(), refused ? Texts{NotANumber(file, row.where) + " (16)"} : Texts{});
        if (refused) {
            EXPECT_EQ(Grids(), before);
        }
        // Whatever matrix stands prices to the chart.
        Visit(5);
        EXPECT_TRUE(Told().empty());
        EXPECT_EQ(CostingsForm->Series1->Count(), 11);
        LoadMatrix(Rates());
    }
}

// Mended: a file of another shape loaded without a word: the unit-cost grid showed headerless
// narrow columns, the bill stayed empty, and the chart tab told only of a cell it could not read.
TEST_F(CostingsRatesFile, AFileThatIsNoCostMatrixIsRefused) {
    ReadRiverside();
    ShipRates(Rates());
    UserClicks(FrontForm->CostingButton);
    ASSERT_TRUE(Told().empty());
    std::string rates;
    ASSERT_TRUE(ReadFileBytes(Rates(), rates));
    const struct {
        const char* label;
        std::string bytes;
    } rows[] = {
        {"three fields a line", "Item,Unit,Cost\nCement,bag,10\nSand,m3,20\n"},
        // The resources without the totals' lines below them.
        {"the rates cut after the resources", rates.substr(0, rates.find("\n", rates.find("Sand,")) + 1)},
        {"the rates without their usage rates", std::string(60, '\n') + "Cement,C1,,bag,10\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const AnsiString file = Path("other.csv");
        ASSERT_TRUE(WriteFileBytes(file, row.bytes));
        const std::string before = Grids();
        LoadMatrix(file);
        EXPECT_EQ(Told(),
                  Texts{Refusal(file, "it is not a cost matrix, which has at least 50 lines, the resources' "
                                      "usage rates reaching field 19.") +
                        " (16)"});
        EXPECT_EQ(Grids(), before);
        // The matrix in use prices to the chart.
        Visit(5);
        EXPECT_TRUE(Told().empty());
        EXPECT_EQ(CostingsForm->Series1->Count(), 11);
    }
}

} // namespace
