#include "framework/NumberFormat.h"
#include "tests/reports/CostingsWindow.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <functional>

namespace {

using CostMatrix = CostingsWindow;

// The file with its line ends made end.
std::string WithLineEnds(std::string bytes, const std::string& end) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.compare(i, 2, "\r\n") == 0) {
            out += end;
            ++i;
        } else {
            out += bytes[i];
        }
    }
    return out;
}

// Every grid the user edits the matrix through, and the matrix, as text.
std::string Grids() {
    std::string text;
    for (const TDataGrid* grid : {CostingsForm->UnitResDataGrid, CostingsForm->UsageRpDataGrid,
                                  CostingsForm->UsageRjDataGrid, CostingsForm->CostingsMatrixDataGrid})
        for (int row = 0; row < grid->GetRowCount(); ++row) {
            for (const std::string& cell : CostingsWindow::GridRow(grid, row))
                text += cell + ",";
            text += "\n";
        }
    return text;
}

// tests/data/costings/test-rates.csv, as the three grids show it.
void ExpectTestRatesShown() {
    const TDataGrid* units = CostingsForm->UnitResDataGrid;
    const TDataGrid* pipes = CostingsForm->UsageRpDataGrid;
    const TDataGrid* boxes = CostingsForm->UsageRjDataGrid;
    const struct {
        const TDataGrid* grid;
        int row;
        const char* cells;
    } rows[] = {
        {units, 0, "Resource|Code|Kind|Unit|Cost"},
        {units, 1, "Quantities below||||"},
        {units, 2, "Heading, eleven||||"},
        {units, 4, "Cement|C1||bag|10"},
        {units, 36, "Pump|U1||hour|7"},
        {pipes, 0, "Activity|Exc|Bed|Lay|Back|Spoil|Prot"},
        {pipes, 1, "Per|m3|m3|m|m3|m3|m3"},
        {pipes, 3, "Resource|rate|rate|rate|rate|rate|rate"},
        {pipes, 4, "Cement|0.4|0|0|0|0|0"},
        {pipes, 19, "Foreman|0.01|0.01|0|0.01|0.05|0"},
        {pipes, 37, "|file text|||||"},
        {boxes, 0, "Activity|BExc|Base|Wall|Cover|BBack|BSpoil"},
        {boxes, 2, "Row 7|r7|r7|r7|r7|r7|r7"},
        {boxes, 4, "Cement|0|6|0|0|0|0"},
        {boxes, 6, "Bricks, common|0|0|0.1|0|0|0"},
        {boxes, 37, "||||||"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CostingsWindow::GridRow(row.grid, row.row), Split(row.cells)) << row.row;
    for (const TDataGrid* grid : {units, pipes, boxes})
        EXPECT_EQ(grid->GetRowCount(), 39);
}

TEST_F(CostMatrix, AFileReadsAlikeWhateverEndsItsLines) {
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(Rates(), bytes));
    for (const char* end : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(testing::PrintToString(std::string(end)));
        const AnsiString file = Path("rates.csv");
        ASSERT_TRUE(WriteFileBytes(file, WithLineEnds(bytes, end)));
        LoadMatrix(file);
        EXPECT_TRUE(Responder().Asked.empty());
        // As many rows as lines, as many columns as the longest line has fields.
        EXPECT_EQ(CostingsForm->CostingsMatrixDataGrid->GetRowCount(), 50);
        EXPECT_EQ(CostingsForm->CostingsMatrixDataGrid->GetColCount(), 42);
        EXPECT_EQ(CostingsForm->CostingsMatrixDataGrid->GetCellEx(4, 0), "Unit cost, each");
        ExpectTestRatesShown();
        // And it prices: cement, 10 x 0.4 x 8.25 dug = 33.00 and 10 x 6 x (0.04 + 0.04) of box
        // bases = 4.80.
        Results({{"A", "J1", "J2", "10.00", "0.150", "1.000", "1.200"}}).Run();
        CostingsForm->CalculateCostMatrix();
        EXPECT_EQ(MatrixRow(13, 35, 35), (Texts{"37.80"}));
    }
}

TEST_F(CostMatrix, ANewMatrixKeepsNothingOfTheOldOne) {
    LoadMatrix(Rates());
    // Fifty lines, the widest of twenty fields but for the charted totals, the last a cost the
    // pricing writes over: the matrix keeps the layout's forty columns.
    const AnsiString shorter = Path("short.csv");
    ASSERT_TRUE(WriteFileBytes(shorter, "a,b,c,d,e\r\n\r\n\r\n\r\n\r\nName,,,Unit,Cost" +
                                            std::string(14, ',') + "Spoil\r\n" + ChartedZeros(6, 48) +
                                            std::string(23, ',') + "old\n"));
    LoadMatrix(shorter);
    EXPECT_EQ(Told(), Texts{});
    const TDataGrid* matrix = CostingsForm->CostingsMatrixDataGrid;
    EXPECT_EQ(matrix->GetRowCount(), 50);
    EXPECT_EQ(matrix->GetColCount(), 40);
    EXPECT_EQ(GridRow(CostingsForm->UnitResDataGrid, 0), (Texts{"Name", "", "", "Unit", "Cost"}));
    EXPECT_EQ(GridRow(CostingsForm->UnitResDataGrid, 4), (Texts{"", "", "", "", ""}));
    EXPECT_EQ(GridRow(CostingsForm->UsageRpDataGrid, 4), (Texts{"", "", "", "", "", "", ""}));

    // Pricing enlarges the matrix: what shows there is the pricing's or the file's, none of the first
    // file.
    CostingsForm->CalculateCostMatrix();
    ASSERT_EQ(matrix->GetRowCount(), 50);
    ASSERT_EQ(matrix->GetColCount(), 42);
    for (int row = 12; row < 50; ++row)
        for (int col = 0; col < 42; ++col) {
            const AnsiString cell = matrix->GetCellEx(col, row);
            if (row == 49 && ((col >= 23 && col <= 35) || col == 41))
                EXPECT_EQ(cell, "0.00") << col;
            else if (col == 35 && ChartedZeros(row, row) != "\n")
                EXPECT_EQ(cell, "0") << row;
            else
                EXPECT_EQ(cell, "") << col << " " << row;
        }
}

TEST_F(CostMatrix, AFailedLoadSaysWhyAndChangesNothing) {
    LoadMatrix(Rates());
    const std::string before = Grids();
    const AnsiString missing = Path("missing.csv");
    struct Case {
        const char* label;
        std::function<void()> act;
        Texts told;
    };
    const Case cases[] = {
        {"a user's file that cannot be opened",
         [&] { LoadMatrix(missing); },
         {"Drenvala: Cannot open file " + missing.str() + " (16)"}},
        {"the dialog cancelled", [] { LoadMatrix(std::nullopt); }, {}},
        {"no rates file beside the program", [] { CostingsForm->LoadDefaultCostingRates(); }, {NoRates}},
        {"a rates file that cannot be read",
         [this] {
             ASSERT_TRUE(QDir(dir.path()).mkdir(DefaultCostingRatesFile));
             CostingsForm->LoadDefaultCostingRates();
         },
         {NoRates}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.label);
        Told();
        row.act();
        EXPECT_EQ(Told(), row.told);
        EXPECT_EQ(Grids(), before);
    }
}

TEST_F(CostMatrix, EditedCostsAndRatesGoBackIntoTheMatrix) {
    LoadMatrix(Rates());
    TDataGrid* units = CostingsForm->UnitResDataGrid;
    units->SetCellEx(4, 4, "12.5");
    // Rows above the resources, and the columns beside the unit cost, stay the grid's own.
    units->SetCellEx(4, 3, "99");
    units->SetCellEx(0, 4, "Concrete");
    CostingsForm->UsageRpDataGrid->SetCellEx(1, 5, "0.7");
    CostingsForm->UsageRjDataGrid->SetCellEx(6, 37, "2");
    CostingsForm->StoreUnitCosts();
    CostingsForm->StoreUsageRates();
    EXPECT_EQ(MatrixRow(13, 0, 4), (Texts{"Cement", "C1", "", "bag", "12.5"}));
    EXPECT_EQ(MatrixRow(12, 4, 4), (Texts{""}));
    EXPECT_EQ(MatrixRow(14, 7, 8), (Texts{"0.7", "1"}));
    EXPECT_EQ(MatrixRow(46, 7, 18), (Texts{"file text", "", "", "", "", "", "", "", "", "", "", "2"}));
}

TEST_F(CostMatrix, ShippedRatesLoadWithEveryChartRowPriced) {
    // The build puts it beside the test program, as beside the program.
    LoadMatrix((QCoreApplication::applicationDirPath() + "/default-costing-rates.csv").toStdString());
    const TDataGrid* matrix = CostingsForm->CostingsMatrixDataGrid;
    EXPECT_EQ(matrix->GetRowCount(), 50);
    EXPECT_EQ(matrix->GetColCount(), 42);
    for (int row : {13, 14, 15, 16, 19, 23, 28, 38, 43, 44, 45}) {
        SCOPED_TRACE(row);
        EXPECT_FALSE(matrix->GetCellEx(0, row).IsEmpty());
        EXPECT_GT(StrToFloat(matrix->GetCellEx(4, row)), 0);
    }
}

} // namespace

namespace {

TEST_F(CostMatrix, OddFilesAreReadAndPricedWithoutHarm) {
    // Thirteen empty lines, then a resource line of the given fields, and lines enough for a
    // matrix, with the charted totals and one line of nineteen fields.
    const auto resource = [](const std::string& fields) {
        return std::string(13, '\n') + fields + "\n" + ChartedZeros(14, 53) + std::string(18, ',') + "x\n";
    };
    const AnsiString file = Path("odd.csv");
    // Fewer lines or fields than a cost matrix has.
    const Texts notMatrix{"Drenvala: The cost matrix " + file.str() +
                          " was not loaded: it is not a cost matrix, which has at least 50 lines, the "
                          "resources' usage rates reaching field 19. (16)"};
    const auto refused = [&file](const std::string& why) {
        return Texts{"Drenvala: The cost matrix " + file.str() + " was not loaded: line 14, " + why +
                     " (16)"};
    };
    struct Case {
        const char* label;
        std::string bytes;
        Texts told;
    };
    const Case cases[] = {
        // Mended: these loaded without a word, leaving the grids headerless and the chart unpriced.
        {"empty", "", notMatrix},
        {"one line", "a,b,c", notMatrix},
        {"an open quote", "\"a,b\r\nc,d", notMatrix},
        {"two hundred fields", std::string(199, ','), notMatrix},
        {"a line of a megabyte", std::string(1 << 20, 'x') + "\r\n", notMatrix},
        {"ten thousand lines", std::string(10000, '\n'), notMatrix},
        {"three fields on fifty lines", std::string(50, '\n') + "a,b,c\n", notMatrix},
        {"five thousand fields", resource(std::string(35, ',') + "0" + std::string(4964, ',')), {}},
        // Mended, as the rest refused below: these loaded, and the bill or the chart then stopped at a
        // cell that held no number.
        {"bytes of no text, a resource without a unit cost", resource(std::string("\0\xff\xfe,\x80", 5)),
         refused("field 5 is empty, where the bill needs a number.")},
        {"a charted resource line without a cost or a total", resource(""),
         refused("field 36 is empty, where the chart needs a number.")},
        {"negative costs and rates", resource("Cement,,,bag,-10,,,-0.4,0,0,0,0,0,0,-6,0,0,0,0"), {}},
        {"a cost that is no number", resource("Cement,,,bag,ten,,,0,0,0,0,0,0,0,0,0,0,0,0"),
         refused("field 5 holds \"ten\", which is not a number.")},
        {"a blank rate", resource("Cement,,,bag,10,,,0"),
         refused("field 9 is empty, where the pricing needs a number.")},
        {"costs too large to write",
         resource("Cement,,,bag,1e308,,,1e308,1e308,1e308,1e308,1e308,1e308,0,0,0,0,0,0"),
         // Mended: written as the framework writes an infinity, which no later step read back.
         {"Drenvala: The network was not priced: the costs of \"Cement\" are too large to price. (16)"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.label);
        // A refused file leaves the matrix in use, which prices.
        LoadMatrix(Rates());
        ASSERT_TRUE(WriteFileBytes(file, row.bytes));
        LoadMatrix(file);
        Results results({{"A", "J1", "J2", "10.00", "0.150", "1.000", "1.200"}});
        results.Run();
        CallGuarded([] { CostingsForm->CalculateCostMatrix(); });
        const Texts told = Told();
        EXPECT_EQ(told, row.told);
        ASSERT_GE(CostingsForm->CostingsMatrixDataGrid->GetRowCount(), 50);
        ASSERT_GE(CostingsForm->CostingsMatrixDataGrid->GetColCount(), 42);
    }
}

} // namespace
