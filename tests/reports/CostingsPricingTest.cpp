#include "framework/NumberFormat.h"
#include "tests/reports/CostingsWindow.h"

#include <functional>

namespace {

using Pricing = CostingsWindow;

// With the default allowances the two priced sewers' take-off totals, as shown: pipes: length
// 30, excavation 8.25 + 24.30 = 32.55, bedding 1.88 + 7.20 = 9.08, protection 0, backfill 6.38 +
// 17.10 = 23.48, spoil 1.88 + 7.20 = 9.08; boxes: excavation 1.13 + 1.30 + 1.54 = 3.97, base 3 x
// 0.04 = 0.12, walls 2.40 + 2.88 + 3.60 = 8.88, cover 3 x 0.36 = 1.08, backfill 0.74 + 0.83 + 0.96
// = 2.53, spoil 0.40 + 0.47 + 0.58 = 1.45.
TEST_F(Pricing, TwoSewersPricedByHand) {
    LoadMatrix(Rates());
    Results results(TwoPricedSewers);
    results.Run();
    CostingsForm->CalculateCostMatrix();

    EXPECT_EQ(MatrixRow(10, 23, 34), (Texts{"32.55", "9.08", "30", "23.48", "9.08", "0", "3.97", "0.12",
                                            "8.88", "1.08", "2.53", "1.45"}));
    const struct {
        int row;
        const char* costs;
    } cases[] = {
        // Cement, 10 a bag: 0.4 bags a cubic metre dug, 10 x 0.4 x 32.55 = 130.20; 6 a cubic metre
        // of box base, 10 x 6 x 0.12 = 7.20.
        {13, "Cement|130.20|0.00|0.00|0.00|0.00|0.00|0.00|7.20|0.00|0.00|0.00|0.00|137.40"},
        // Sand, 20: a cubic metre a cubic metre of bedding, 20 x 9.08.
        {14, "Sand|0.00|181.60|0.00|0.00|0.00|0.00|0.00|0.00|0.00|0.00|0.00|0.00|181.60"},
        // Bricks, 300 a thousand: 100 a square metre of wall, 300 x 0.1 x 8.88.
        {15, "Bricks, common|0.00|0.00|0.00|0.00|0.00|0.00|0.00|0.00|266.40|0.00|0.00|0.00|266.40"},
        // Labourer, 5 a day: 0.2 days a metre laid, 5 x 0.2 x 30; a day a cubic metre of box dug, 5 x 3.97.
        {16, "Labourer|0.00|0.00|30.00|0.00|0.00|0.00|19.85|0.00|0.00|0.00|0.00|0.00|49.85"},
        // A row without a unit cost keeps what it held, here the file's 1.5.
        {17, "|1.5||||||||||||"},
        {19, "Pipe|0.00|0.00|75.00|0.00|0.00|0.00|0.00|0.00|0.00|0.00|0.00|0.00|75.00"},
        // Foreman, 1 a day: 0.3255, 0.0908, 0.2348 and 0.454, shown 0.33 + 0.09 + 0.23 + 0.45 =
        // 1.10; the total 1.1051 shows 1.11.
        {28, "Foreman|0.33|0.09|0.00|0.23|0.45|0.00|0.00|0.00|0.00|0.00|0.00|0.00|1.11"},
        // The totals add the shown costs of the rows that hold one, the unpriced row's 1.5 too.
        {49, "Total|132.03|181.69|105.00|0.23|0.45|0.00|19.85|7.20|266.40|0.00|0.00|0.00|711.36"},
    };
    for (const auto& row : cases)
        EXPECT_EQ(MatrixRow(row.row, 22, 35), Split(row.costs)) << row.row;
    for (int row : {23, 38, 43, 44, 45})
        EXPECT_EQ(MatrixRow(row, 23, 35), Texts(13, "0.00")) << row;
    // A row without a name keeps the file's quantity in the matrix's bill; rate and amount are emptied.
    EXPECT_EQ(MatrixRow(17, 37, 41), Split("||7||"));

    // The bill: the quantity worked back from amount and rate; none from a rate of 0.
    CostingsForm->BuildBillOfQuantities();
    const TDataGrid* grid = CostingsForm->BOQDataGrid;
    EXPECT_EQ(grid->GetRowCount(), 50);
    const struct {
        int row;
        const char* bill;
    } bill[] = {
        {0, "Description|Unit|Quantity|Rate|Amount"},
        {2, "||Bill of Quantites||"},
        {8, "Description|Unit|Quantity|Rate|Amount"},
        {10, "Materials||||"},
        {12, "Masonary||||"},
        {13, "Cement|bag|13.74|10|137.40"},
        {14, "Sand|m3|9.08|20|181.60"},
        {15, "Bricks, common|1000|0.89|300|266.40"},
        {16, "Labourer|day|9.97|5|49.85"},
        {17, "||||"},
        {18, "||||"},
        {19, "Pipe|m|30.00|2.5|75.00"},
        {23, "Cover|no|0.00|0|0.00"},
        {28, "Foreman|day|1.11|1|1.11"},
        {38, "Excavator|hour|0.00|50|0.00"},
        {49, "Total||||711.36"},
    };
    for (const auto& row : bill)
        EXPECT_EQ(GridRow(grid, row.row), Split(row.bill)) << row.row;
}

TEST_F(Pricing, CostsOfTenMillionOrMoreShowSevenDigitsAndReadBackSo) {
    LoadMatrix(Rates());
    // Excavator, 500,000 an hour, an hour a metre laid: 500,000 x 1 x 30 = 15,000,000.
    CostingsForm->UnitResDataGrid->SetCellEx(4, 29, "500000");
    CostingsForm->UsageRpDataGrid->SetCellEx(3, 29, "1");
    Results results(TwoPricedSewers);
    results.Run();
    CostingsForm->CalculateCostMatrix();
    EXPECT_EQ(MatrixRow(38, 25, 25), (Texts{"1.500000E+07"}));
    EXPECT_EQ(MatrixRow(38, 35, 35), (Texts{"1.500000E+07"}));
    // 30.00 + 75.00 + 15,000,000 = 15,000,105; 711.36 + 15,000,000 = 15,000,711.36.
    EXPECT_EQ(MatrixRow(49, 25, 25), (Texts{"1.500011E+07"}));
    EXPECT_EQ(MatrixRow(49, 35, 35), (Texts{"1.500071E+07"}));
    EXPECT_EQ(MatrixRow(38, 39, 41), (Texts{"30.00", "500000", "1.500000E+07"}));
    EXPECT_EQ(MatrixRow(49, 41, 41), (Texts{"1.500071E+07"}));
}

TEST_F(Pricing, ARatesFileWithPointsPricesUnderACommaLocale) {
    struct Separators {
        Separators() {
            DecimalSeparator = ',';
            ThousandSeparator = '.';
        }
        ~Separators() {
            DecimalSeparator = '.';
            ThousandSeparator = ',';
        }
    } comma;
    LoadMatrix(Rates());
    Results results({{"A", "J1", "J2", "10,00", "0,150", "1,000", "1,200"}});
    results.Run();
    CostingsForm->CalculateCostMatrix();
    EXPECT_TRUE(Told().empty());
    // 10 x 0.4 x 8.25 = 33; box bases 10 x 6 x (0.04 + 0.04) = 4.80. Pipe: 2.5 x 1 x 10 = 25.
    EXPECT_EQ(MatrixRow(13, 23, 23), (Texts{"33,00"}));
    EXPECT_EQ(MatrixRow(13, 35, 35), (Texts{"37,80"}));
    EXPECT_EQ(MatrixRow(19, 39, 41), (Texts{"10,00", "2.5", "25,00"}));
}

// Mended: a line that had been priced kept its costs once its unit cost was emptied, and they
// counted in the totals as a file's own figures do, whichever way the matrix was priced again.
TEST_F(Pricing, AnEmptiedUnitCostTakesBackTheCostsItsPricingWrote) {
    const AnsiString saved = Path("matrix.csv");
    struct Case {
        const char* label;
        // After line 18's unit cost is emptied in the grid and the matrix priced again.
        std::function<void(Results&)> then;
    };
    const Case cases[] = {
        {"emptied in the grid", [](Results&) {}},
        {"the matrix saved and loaded again",
         [&saved](Results&) {
             Responder().AnswerFile(saved);
             UserClicks(CostingsForm->SaveCostingMatrixButton);
             LoadMatrix(saved);
             CostingsForm->CalculateCostMatrix();
         }},
        {"the network replaced and priced again",
         [](Results& results) {
             CostingsForm->NetworkReplaced();
             results.Run();
             CostingsForm->CalculateCostMatrix();
         }},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.label);
        LoadMatrix(Rates());
        Results results(TwoPricedSewers);
        results.Run();
        // Line 18, with no name and the file's 1.5: 2 a cubic metre dug, 2 x 1 x 32.55 = 65.10.
        CostingsForm->UnitResDataGrid->SetCellEx(4, 8, "2");
        for (TDataGrid* rates : {CostingsForm->UsageRpDataGrid, CostingsForm->UsageRjDataGrid})
            for (int col = 1; col <= 6; ++col)
                rates->SetCellEx(col, 8, col == 1 && rates == CostingsForm->UsageRpDataGrid ? "1" : "0");
        CostingsForm->CalculateCostMatrix();
        // 130.20 + 0.33 + 65.10 = 195.63; 711.36 + 65.10 = 776.46.
        ASSERT_EQ(MatrixRow(17, 23, 23), (Texts{"65.10"}));
        ASSERT_EQ(MatrixRow(49, 23, 23), (Texts{"195.63"}));
        ASSERT_EQ(MatrixRow(49, 35, 35), (Texts{"776.46"}));

        CostingsForm->UnitResDataGrid->SetCellEx(4, 8, " ");
        CostingsForm->CalculateCostMatrix();
        row.then(results);
        EXPECT_TRUE(Told().empty());
        // The pricing's 65.10 is gone: 130.20 + 0.33, and the 711.36 of the named resources.
        EXPECT_EQ(MatrixRow(17, 23, 23), (Texts{""}));
        EXPECT_EQ(MatrixRow(49, 23, 23), (Texts{"130.53"}));
        EXPECT_EQ(MatrixRow(49, 35, 35), (Texts{"711.36"}));
        EXPECT_EQ(MatrixRow(49, 41, 41), (Texts{"711.36"}));
    }
}

// Mended: the pricing wrote the rows before Sand's and the bill then stopped at Sand's empty cost
// with "'' is not a valid floating point value".
TEST_F(Pricing, ANamedResourceWithoutAUnitCostIsNotPriced) {
    LoadMatrix(Rates());
    CostingsForm->UnitResDataGrid->SetCellEx(4, 5, " ");
    Results results(TwoPricedSewers);
    results.Run();
    CallGuarded([] { CostingsForm->CalculateCostMatrix(); });
    // Sand has no cost to price with, but a name that puts it in the bill.
    EXPECT_EQ(Told(),
              (Texts{"Drenvala: The network was not priced: the unit cost of \"Sand\" is empty, where the "
                     "bill needs a number. (16)"}));
    // The matrix stays as it was loaded.
    EXPECT_EQ(MatrixRow(14, 4, 4), (Texts{"20"}));
    EXPECT_EQ(MatrixRow(13, 35, 41), (Texts{"", "", "", "", "", "", ""}));
}

} // namespace
