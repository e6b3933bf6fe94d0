#include "framework/NumberFormat.h"
#include "tests/reports/ResultsTable.h"

#include <functional>
#include <string>

namespace {

using TableUpdate = ResultsTable;

// The grid as the user reads it: its first column top to bottom, and its fixed rows.
std::string Grid() {
    const TDataGrid& grid = *TableForm->DataGrid1;
    std::string text;
    for (int row = 0; row < grid.GetRowCount(); ++row)
        text += grid.GetCellEx(0, row).str() + "|";
    return text + " fixed " + std::to_string(grid.GetFixedRows());
}

TEST_F(TableUpdate, AFailureLeavesTheGridAsItWasAfterItsMessages) {
    struct Case {
        const char* label;
        std::function<void(TableUpdate&)> prepare;
        bool updated;
        Texts told;
        std::string grid;
    };
    const std::string riverside = "Sewer|S1|S2|S3| fixed 1";
    // A network put in place of the riverside one leaves the header row alone.
    const std::string replaced = "Sewer| fixed 0";
    const Case cases[] = {
        {"the riverside network", [](TableUpdate&) {}, true, {}, riverside},
        {"no network",
         [](TableUpdate&) { FrontForm->ReplaceNetwork(nullptr); },
         false,
         {NoNetwork},
         replaced},
        {"a loop", [](TableUpdate&) { Install(Loop()); }, false, {LoopFound, Processing}, replaced},
        // The design divides by Manning's n part way through the first sewer.
        {"Manning's n of 0",
         [](TableUpdate&) {
             TableForm->FrictionFormulaRadioGroup->SetItemIndex(0);
             TableForm->nTypedEdit->SetText("0");
         },
         false,
         {"Drenvala: Floating point division by zero (16)", Processing},
         riverside},
        {"no sewers",
         [](TableUpdate&) { Install(std::make_unique<SimpleSewerNetwork>()); },
         true,
         {},
         "Sewer| fixed 0"},
        // Nothing is designed or changed in the network.
        {"an empty return factor",
         [](TableUpdate&) { TableForm->returnTypedEdit->SetWindowText(""); },
         false,
         {"Drenvala: '' is not a valid floating point value (16)"},
         riverside},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ReadRiverside();
        ASSERT_TRUE(TableForm->UpdateTableFromNetwork());
        Responder().Clear();
        c.prepare(*this);
        // As a click takes it, so that an exception reaches the user as the program shows it.
        bool updated = false;
        CallFromView(*TableForm->UpdateTableFromNetworkButton,
                     [&] { updated = TableForm->UpdateTableFromNetwork(); });
        EXPECT_EQ(updated, c.updated);
        EXPECT_EQ(Told(), c.told);
        EXPECT_EQ(Grid(), c.grid);
        TableForm->nTypedEdit->SetText("0.0130");
        TableForm->returnTypedEdit->SetText("80");
    }
    // The next network with sewers has its header row fixed again.
    ReadRiverside();
    TableForm->UpdateTableFromNetworkButton->Click();
    EXPECT_EQ(Grid(), riverside);
}

TEST_F(TableUpdate, TheResultsTableCommandChecksTheNetworkThenDocksAndUpdatesTheTable) {
    FrontForm->ShowChildForm(DataEntryForm);
    FrontForm->ResultsTable1->Click();
    EXPECT_EQ(Told(), Texts{NoNetwork});
    EXPECT_EQ(FrontForm->CurrentChildForm, DataEntryForm);

    // Two sewers leave J1.
    SimpleSewerNetwork& n = Install(std::make_unique<SimpleSewerNetwork>());
    n.AddSewer("A", "J1", "J2", 10);
    n.AddSewer("B", "J1", "J3", 10);
    FrontForm->ShowTableFormButton->Click();
    const Texts told = Told();
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back(), BadNetwork);
    EXPECT_EQ(FrontForm->CurrentChildForm, DataEntryForm);
    EXPECT_EQ(Grid(), "Sewer| fixed 0");

    ReadRiverside();
    FrontForm->ResultsTable1->Click();
    EXPECT_EQ(Told(), Texts{});
    EXPECT_EQ(FrontForm->CurrentChildForm, TableForm);
    EXPECT_EQ(Grid(), "Sewer|S1|S2|S3| fixed 1");

    // The calculator designs the sewer of the table's current row.
    TableForm->DataGrid1->SetRow(3);
    FrontForm->Calculationform1->Click();
    EXPECT_EQ(FrontForm->CurrentChildForm, SewerMainForm);
    EXPECT_EQ(SewerMainForm->IPopTypedEdit->GetText(),
              IntToStr(FrontForm->Network->GetSewer("S3")->Population.InitialPopulation));

    // Closed, the docked table only hides: the main window shows none.
    FrontForm->ShowChildForm(TableForm);
    TableForm->Close();
    EXPECT_EQ(FrontForm->CurrentChildForm, nullptr);
    EXPECT_FALSE(TableForm->GetVisible());
    EXPECT_EQ(Grid(), "Sewer|S1|S2|S3| fixed 1");
}

} // namespace
