#include "tests/reports/CostingsWindow.h"

#include <QFile>

#include <string>

namespace {

using CostingsReplacedNetwork = CostingsWindow;

// The riverside network costed on every tab, then replaced: until a tab is visited again, the
// take-off, the bill, the chart and the saved files hold nothing of the riverside network; the
// next visit prices the network that replaced it.
TEST_F(CostingsReplacedNetwork, NothingOfTheNetworkBeforeIsShownOrSaved) {
    ShipRates(Rates());
    for (const Replacement& replacement : Replacements()) {
        SCOPED_TRACE(replacement.label);
        ReadRiverside();
        UserClicks(FrontForm->CostingButton);
        for (int page : {2, 3, 4, 5})
            Visit(page);
        ASSERT_EQ(CostingsForm->NetworkCostPipeDataGrid->GetRowCount(), 5);
        const Texts pricedBill = GridRow(CostingsForm->BOQDataGrid, 49);
        ASSERT_NE(pricedBill[4], "");
        DataEntryForm->NetworkChanged = false;
        Told();

        replacement.replace();
        EXPECT_EQ(Told(), Texts{});
        EXPECT_EQ(FrontForm->CurrentChildForm, CostingsForm);
        const TDataGrid* pipes = CostingsForm->NetworkCostPipeDataGrid;
        ASSERT_EQ(pipes->GetRowCount(), 1);
        EXPECT_EQ(GridRow(pipes, 0)[0], "Sewer");
        EXPECT_EQ(GridRow(pipes, 0)[11], "Spoil Volume (m³)");
        ASSERT_EQ(CostingsForm->NetworkCostJunctionDataGrid->GetRowCount(), 1);
        EXPECT_EQ(GridRow(CostingsForm->NetworkCostJunctionDataGrid, 0)[0], "Junction Name");
        EXPECT_EQ(GridRow(CostingsForm->BOQDataGrid, 0), Split("Description|Unit|Quantity|Rate|Amount"));
        EXPECT_EQ(CostingsForm->BOQDataGrid->GetRowCount(), 1);
        EXPECT_EQ(CostingsForm->Series1->Count(), 0);
        // test-rates.csv prices rows 13-16 and 19; row 17, unpriced, keeps the file's 1.5.
        for (int row : {10, 13, 14, 15, 16, 19, 49})
            EXPECT_EQ(MatrixRow(row, 23, 35), Texts(13, "")) << row;
        EXPECT_EQ(MatrixRow(17, 23, 23), Texts{"1.5"});
        EXPECT_EQ(MatrixRow(13, 37, 41), Split("Cement|bag||10|"));
        EXPECT_EQ(MatrixRow(49, 41, 41), Texts{""});

        QFile::remove(dir.filePath("boq.csv"));
        Responder().AnswerFile(Path("boq.csv"));
        UserClicks(CostingsForm->SaveBOQButton);
        EXPECT_EQ(Bytes(Path("boq.csv")), "Description,Unit,Quantity,Rate,Amount\r\n");
        EXPECT_EQ(Told(), Texts{});
    }

    // The riverside network read again is priced again at the next visit, as before.
    FrontForm->Network->SetSewerDatum("S3", true, true, 0);
    Visit(2);
    Visit(4);
    EXPECT_EQ(Told(), Texts{});
    EXPECT_EQ(CostingsForm->NetworkCostPipeDataGrid->GetRowCount(), 5);
    EXPECT_EQ(CostingsForm->BOQDataGrid->GetRowCount(), 50);
    EXPECT_NE(GridRow(CostingsForm->BOQDataGrid, 49)[4], "");
}

// The riverside network priced until the pump's costs grew too large to write, then replaced.
// Mended: the quantities and costs written before the pricing stopped stayed, to be shown and saved.
TEST_F(CostingsReplacedNetwork, APricingThatStoppedPartWayIsForgottenToo) {
    std::string rates = Bytes(Rates());
    const std::string pump = "Pump,U1,,hour,7,,,0,";
    rates.replace(rates.find(pump), pump.size(), "Pump,U1,,hour,1e300,,,1e300,");
    ASSERT_TRUE(WriteFileBytes(Path(DefaultCostingRatesFile), rates));
    for (const Replacement& replacement : Replacements()) {
        SCOPED_TRACE(replacement.label);
        ReadRiverside();
        UserClicks(FrontForm->CostingButton);
        Visit(3);
        // 1e300 x 1e300 for each cubic metre dug.
        ASSERT_EQ(
            Told(),
            Texts{
                "Drenvala: The network was not priced: the costs of \"Pump\" are too large to price. (16)"});
        ASSERT_EQ(MatrixRow(13, 35, 35), Texts{"1075.48"});
        DataEntryForm->NetworkChanged = false;

        replacement.replace();
        EXPECT_EQ(Told(), Texts{});
        for (int row : {10, 13, 14, 15, 16, 19})
            EXPECT_EQ(MatrixRow(row, 23, 35), Texts(13, "")) << row;
        EXPECT_EQ(MatrixRow(17, 23, 23), Texts{"1.5"});
        // The next round's visit changes the tab.
        Visit(0);
    }
}

} // namespace
