#include "framework/NumberFormat.h"
#include "tests/reports/CostingsWindow.h"

#include <QApplication>
#include <QTest>

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

std::string Empty(const AnsiString& file, const char* where, const char* reader) {
    return Refusal(file, std::string(where) + " is empty, where " + reader + " needs a number.");
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
        const char* where;            // empty where the file loads
        const char* reader = nullptr; // what needs a number where the cell is empty
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
        // Mended: these loaded, and the bill or the chart then stopped at the empty cell.
        {"a named resource without a unit cost", "Cement,C1,,bag,10,", "Cement,C1,,bag,,", "line 14, field 5",
         "the bill"},
        {"an empty rate of a priced resource", "Sand,S1,,m3,20,,,0,1,", "Sand,S1,,m3,20,,,0,,",
         "line 15, field 9", "the pricing"},
        {"a charted line without a cost or a total", "Cover,K1,,no,0,,,0,0,0,0,0,0,0,0,0,1,0,0", "",
         "line 24, field 36", "the chart"},
        {"a charted line without a cost but with a total", "Cover,K1,,no,0,,,0,0,0,0,0,0,0,0,0,1,0,0",
         std::string(35, ',') + "0", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const AnsiString file = Path("mine.csv");
        ASSERT_TRUE(WriteFileBytes(file, RatesWith(row.line, row.replaced)));
        LoadMatrix(file);
        const bool refused = *row.where != '\0';
        const std::string told =
            row.reader ? Empty(file, row.where, row.reader) : NotANumber(file, row.where);
        EXPECT_EQ(Told(), refused ? Texts{told + " (16)"} : Texts{});
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

// What the matrix, bill and chart tabs say while there is no matrix.
const std::string NoMatrix = "Information: There is no cost matrix to price the network with. Load one with "
                             "\"Load Cost Matrix (CSV)\". (48)";

// The priced matrix, the bill and the chart's bars, as text.
std::string Priced() {
    std::string text;
    for (int row = 10; row <= 49; ++row)
        for (const std::string& cell : CostingsWindow::MatrixRow(row, 23, 41))
            text += cell + ",";
    for (int row = 0; row < CostingsForm->BOQDataGrid->GetRowCount(); ++row)
        for (const std::string& cell : CostingsWindow::GridRow(CostingsForm->BOQDataGrid, row))
            text += cell + ",";
    for (int i = 0; i < CostingsForm->Series1->Count(); ++i)
        text += CostingsForm->Series1->XLabel(i).str() + "=" +
                FloatToStr(CostingsForm->Series1->YValue(i)).str() + ",";
    return text;
}

// The program shown. Mended: with no rates file beside the program the chart tab said "'' is not a
// valid floating point value"; a matrix of a first line of nineteen fields and sixty lines
// "Cement,bag,10" loaded without a word, took the place of the matrix in use, and the chart tab then
// said the same.
TEST_F(CostingsRatesFile, WithoutAMatrixTheTabsSaySoAndAMatrixThatWouldNotPriceIsRefused) {
    ReadRiverside();
    ShowProgram();
    UserClicks(FrontForm->CostingButton);
    EXPECT_EQ(Told(), Texts{NoRates});
    const AnsiString tester = Path("tester.csv");
    std::string bytes = std::string(18, ',') + "Total\r\n";
    for (int line = 0; line < 60; ++line)
        bytes += "Cement,bag,10\r\n";
    ASSERT_TRUE(WriteFileBytes(tester, bytes));
    const Texts refused{"Drenvala: The cost matrix " + tester.str() +
                        " was not loaded: line 14, field 5 is empty, where the bill needs a number. (16)"};
    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(attempt);
        // The take-off needs no matrix; the tabs that price say so, once each visit.
        for (int page = 2; page <= 5; ++page) {
            Visit(page);
            EXPECT_EQ(Told(), page == 2 ? Texts{} : Texts{NoMatrix}) << page;
        }
        EXPECT_EQ(CostingsForm->NetworkCostPipeDataGrid->GetRowCount(), 5);
        EXPECT_EQ(CostingsForm->Series1->Count(), 0);
        LoadMatrix(tester);
        EXPECT_EQ(Told(), refused);
    }

    // A matrix that prices, then the tester's again: the first stays in use.
    LoadMatrix(Rates());
    for (int page = 2; page <= 5; ++page)
        Visit(page);
    EXPECT_TRUE(Told().empty());
    ASSERT_EQ(CostingsForm->Series1->Count(), 11);
    const std::string priced = Priced();
    LoadMatrix(tester);
    EXPECT_EQ(Told(), refused);
    EXPECT_EQ(CostingsForm->UnitResDataGrid->GetCellEx(4, 4), "10");
    for (int page = 3; page <= 5; ++page)
        Visit(page);
    EXPECT_TRUE(Told().empty());
    EXPECT_EQ(Priced(), priced);
    FrontForm->Hide();
}

// The program shown, the test rates priced, Cover's line without its name. Mended: an edit that left a
// cost or rate without a number priced the rows before it, and then the bill or the chart said only
// "'...' is not a valid floating point value"; so did the chart once the unit cost of the charted line
// without a name was emptied, its total taken back with its pricing.
TEST_F(CostingsRatesFile, AnEditThatWouldNotPriceIsRefusedWithTheMatrixKept) {
    ReadRiverside();
    ASSERT_TRUE(WriteFileBytes(Path(DefaultCostingRatesFile), RatesWith("Cover,K1,", ",K1,")));
    ShowProgram();
    UserClicks(FrontForm->CostingButton);
    for (int page : {4, 5})
        Visit(page);
    ASSERT_TRUE(Told().empty());
    const std::string priced = Priced();
    const auto type = [](const char* keys) {
        QTest::keyClicks(QApplication::focusWidget(), keys);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
    const struct {
        const char* label;
        int tab; // of the usage rates, or -1 for the unit costs
        int col;
        int row;
        const char* typed;
        const char* shipped;
        const char* why;
    } rows[] = {
        {"Sand's unit cost emptied", -1, 4, 5, " ", "20",
         "the unit cost of \"Sand\" is empty, where the bill needs a number."},
        {"Cement's unit cost typed as a word", -1, 4, 4, "ten", "10",
         "the unit cost of \"Cement\" holds \"ten\", which is not a number."},
        {"Sand's bedding rate emptied", 0, 2, 5, " ", "1",
         "the pipe usage rate \"Bed\" of \"Sand\" is empty, where the pricing needs a number."},
        {"Cement's base rate typed as a word", 1, 2, 4, "n/a", "6",
         "the junction box usage rate \"Base\" of \"Cement\" holds \"n/a\", which is not a number."},
        {"the unit cost of the charted line without a name emptied", -1, 4, 14, " ", "0",
         "the unit cost of the resource on line 24 is empty, where the chart needs a number."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid* grid = CostingsForm->UnitResDataGrid;
        if (row.tab < 0) {
            Visit(0);
        } else {
            Visit(1);
            CostingsForm->UsageRatesPageControl->ViewTabChosen(row.tab);
            grid = row.tab == 0 ? CostingsForm->UsageRpDataGrid : CostingsForm->UsageRjDataGrid;
        }
        grid->SetFocus();
        grid->SetCol(row.col);
        grid->SetRow(row.row);
        type(row.typed);
        ASSERT_EQ(grid->GetCellEx(row.col, row.row).Trim(), AnsiString(row.typed).Trim());
        // Each visit says so once; nothing of the matrix, the bill or the chart changes.
        for (int page : {3, 4, 5}) {
            Visit(page);
            EXPECT_EQ(Told(),
                      Texts{"Drenvala: The network was not priced: " + std::string(row.why) + " (16)"})
                << page;
        }
        EXPECT_EQ(Priced(), priced);
        // Put right, the edit prices again.
        Visit(row.tab < 0 ? 0 : 1);
        grid->SetFocus();
        grid->SetCol(row.col);
        grid->SetRow(row.row);
        type(row.shipped);
        for (int page : {4, 5})
            Visit(page);
        EXPECT_TRUE(Told().empty());
        EXPECT_EQ(Priced(), priced);
    }
    FrontForm->Hide();
}

} // namespace
