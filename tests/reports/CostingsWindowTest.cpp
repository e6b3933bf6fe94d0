#include "tests/reports/CostingsWindow.h"
#include "framework/NumberFormat.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCoreApplication>
#include <QTabBar>
#include <QTest>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using CostingsCommand = CostingsWindow;

void ClickCosting() {
    CostingsWindow::UserClicks(FrontForm->CostingButton);
}

// The quantities row and the cost cells of every resource row, as text.
std::string Pricing() {
    std::string text;
    for (int row : {10, 13, 14, 28, 49})
        for (const std::string& cell : CostingsWindow::MatrixRow(row, 23, 35))
            text += cell + ",";
    return text;
}

TEST_F(CostingsCommand, TheFirstOpeningReadsTheRatesFileAndLaterOnesKeepTheMatrix) {
    ClickCosting();
    EXPECT_EQ(Told(), (Texts{NoRates}));
    EXPECT_EQ(FrontForm->CurrentChildForm, CostingsForm);
    EXPECT_EQ(CostingsForm->UnitResDataGrid->GetCellEx(4, 4), "");

    // No matrix yet: the next opening tries again.
    ShipRates(Rates());
    FrontForm->DataEntryForm1Click(nullptr);
    ClickCosting();
    EXPECT_TRUE(Told().empty());
    EXPECT_EQ(FrontForm->CurrentChildForm, CostingsForm);
    EXPECT_EQ(CostingsForm->UnitResDataGrid->GetCellEx(4, 4), "10");

    // A matrix of the user's and an edited cost outlive the next opening.
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(Rates(), bytes));
    bytes.replace(bytes.find("Cement,C1,,bag,10,"), 18, "Cement,C1,,bag,11,");
    ASSERT_TRUE(WriteFileBytes(Path("mine.csv"), bytes));
    LoadMatrix(Path("mine.csv"));
    CostingsForm->UnitResDataGrid->SetCellEx(4, 5, "25");
    FrontForm->DataEntryForm1Click(nullptr);
    ClickCosting();
    EXPECT_EQ(CostingsForm->UnitResDataGrid->GetCellEx(4, 4), "11");
    EXPECT_EQ(CostingsForm->UnitResDataGrid->GetCellEx(4, 5), "25");
    EXPECT_TRUE(Told().empty());
}

TEST_F(CostingsCommand, EveryVisitOfTabsTwoToFiveDesignsTakesOffAndPrices) {
    ReadRiverside();
    ShipRates(Rates());
    ClickCosting();
    const TDataGrid* pipes = CostingsForm->NetworkCostPipeDataGrid;
    const int untouched = pipes->GetRowCount();
    for (int page : {0, 1}) {
        Visit(page);
        EXPECT_EQ(pipes->GetRowCount(), untouched);
    }
    Visit(2);
    EXPECT_TRUE(Told().empty());
    // Three sewers and the totals; four junctions and the totals.
    ASSERT_EQ(pipes->GetRowCount(), 5);
    EXPECT_EQ(GridRow(pipes, 1)[0], "S1");
    EXPECT_EQ(GridRow(pipes, 3)[0], "S3");
    EXPECT_EQ(CostingsForm->NetworkCostJunctionDataGrid->GetRowCount(), 6);
    EXPECT_EQ(MatrixRow(10, 25, 25), Texts{GridRow(pipes, 4)[1]});
    EXPECT_NE(MatrixRow(13, 35, 35), Texts{""});
    const std::string width = GridRow(pipes, 1)[5];

    // A new allowance counts from the next visit on.
    CostingsForm->TrenchWidthAllowanceTypedEdit->SetText("1.6");
    EXPECT_EQ(GridRow(pipes, 1)[5], width);
    Visit(3);
    EXPECT_NE(GridRow(pipes, 1)[5], width);
    EXPECT_NEAR(StrToFloat(GridRow(pipes, 1)[5]) - StrToFloat(GridRow(pipes, 1)[2]), 1.6, 0.005);

    Visit(4);
    EXPECT_EQ(CostingsForm->BOQDataGrid->GetRowCount(), 50);
    EXPECT_EQ(CostingsForm->BOQDataGrid->GetCellEx(4, 49),
              CostingsForm->CostingsMatrixDataGrid->GetCellEx(41, 49));
    Visit(5);
    EXPECT_EQ(CostingsForm->Series1->Count(), 11);
    Visit(3);
    Visit(5);
    EXPECT_EQ(CostingsForm->Series1->Count(), 11);
    EXPECT_TRUE(Told().empty());
}

// The chart's bars as text.
std::string Bars() {
    std::string text;
    for (int i = 0; i < CostingsForm->Series1->Count(); ++i)
        text += CostingsForm->Series1->XLabel(i).str() + "=" +
                FloatToStr(CostingsForm->Series1->YValue(i)).str() + ",";
    return text;
}

// Every row of a grid, from its first column to its last.
std::vector<Texts> Rows(const TDataGrid* grid) {
    std::vector<Texts> rows;
    for (int row = 0; row < grid->GetRowCount(); ++row)
        rows.push_back(CostingsWindow::GridRow(grid, row));
    return rows;
}

TEST_F(CostingsCommand, NothingIsPricedUnlessTheTakeOffCompletes) {
    ShipRates(Rates());
    struct Case {
        const char* label;
        std::function<void()> prepare;
        Texts told;
    };
    const Case cases[] = {
        {"no network", [] { FrontForm->ReplaceNetwork(nullptr); }, {NoNetwork}},
        {"a network its check refuses",
         [this] { Read(Data("riverside.snt")); },
         {"Drenvala: Subnet: 1 has no datum junction set. (0)", BadNetwork}},
        {"a loop", [] { Install(Loop()); }, {LoopFound, BadNetwork}},
        {"a design that raises",
         [] {
             TableForm->FrictionFormulaRadioGroup->SetItemIndex(0);
             TableForm->nTypedEdit->SetText("0");
         },
         {"Drenvala: Floating point division by zero (16)", Processing}},
        {"a settings box that is no number",
         [] { TableForm->peakTypedEdit->SetText(""); },
         {"Drenvala: '' is not a valid floating point value (16)"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.label);
        // A network priced, its bill and chart built: what a failed visit must leave as it is.
        ReadRiverside();
        ClickCosting();
        for (int page : {4, 5})
            Visit(page);
        ASSERT_TRUE(Told().empty());
        ASSERT_EQ(CostingsForm->Series1->Count(), 11);
        ASSERT_NE(GridRow(CostingsForm->BOQDataGrid, 49)[4], "");
        row.prepare();
        Told();
        const std::string before = Pricing();
        const std::string bars = Bars();
        const std::vector<Texts> pipes = Rows(CostingsForm->NetworkCostPipeDataGrid);
        const std::vector<Texts> boxes = Rows(CostingsForm->NetworkCostJunctionDataGrid);
        const std::vector<Texts> bill = Rows(CostingsForm->BOQDataGrid);
        for (int page : {2, 3, 4, 5}) {
            Visit(page);
            EXPECT_EQ(Told(), row.told) << page;
        }
        EXPECT_EQ(Pricing(), before);
        EXPECT_EQ(Rows(CostingsForm->NetworkCostPipeDataGrid), pipes);
        EXPECT_EQ(Rows(CostingsForm->NetworkCostJunctionDataGrid), boxes);
        EXPECT_EQ(Rows(CostingsForm->BOQDataGrid), bill);
        EXPECT_EQ(Bars(), bars);
        FrontForm->DataEntryForm1Click(nullptr);
    }
}

// The riverside network with S2 20 m long the wrong way: the file reads, and neither the results
// table nor the costings design or cost it.
TEST_F(CostingsCommand, ANegativeLengthReadsButIsNeitherDesignedNorCosted) {
    std::string bytes = Bytes(Data("riverside.snt"));
    const std::string length = "  30.00000 <= length";
    ASSERT_NE(bytes.find(length), std::string::npos);
    bytes.replace(bytes.find(length), length.size(), " -20.00000 <= length");
    ASSERT_TRUE(WriteFileBytes(Path("negative.snt"), bytes));
    ShipRates(Rates());
    Read(Path("negative.snt"));
    ASSERT_NE(FrontForm->Network, nullptr);
    EXPECT_EQ(FrontForm->Network->GetSewer("S2")->Length, -20);
    FrontForm->Network->SetSewerDatum("S3", true, true, 0);
    EXPECT_EQ(Told(), Texts{});

    const std::string named =
        "Drenvala: Error: Sewer S2 has a length of -20 m. The length of a sewer must be above zero. (0)";
    FrontForm->ResultsTable1->Click();
    EXPECT_EQ(Told(), (Texts{named, BadNetwork}));
    EXPECT_NE(FrontForm->CurrentChildForm, TableForm);
    EXPECT_EQ(TableForm->DataGrid1->GetRowCount(), 1);

    ClickCosting();
    for (int page : {2, 4}) {
        Visit(page);
        EXPECT_EQ(Told(), (Texts{named, BadNetwork})) << page;
    }
    EXPECT_EQ(CostingsForm->NetworkCostPipeDataGrid->GetRowCount(), 1);
    EXPECT_EQ(CostingsForm->BOQDataGrid->GetRowCount(), 1);
}

TEST_F(CostingsCommand, ANetworkOfNothingCostsNothing) {
    ShipRates((QCoreApplication::applicationDirPath() + "/" + DefaultCostingRatesFile).toStdString());
    ClickCosting();
    Install(std::make_unique<SimpleSewerNetwork>());
    Visit(3);
    EXPECT_TRUE(Told().empty());
    EXPECT_EQ(GridRow(CostingsForm->NetworkCostPipeDataGrid, 1),
              (Texts{"", "0", "", "", "", "", "0", "0", "", "0", "0", "0"}));
    EXPECT_EQ(GridRow(CostingsForm->NetworkCostJunctionDataGrid, 1),
              (Texts{"", "", "", "", "", "", "0", "0", "0", "0", "0", "0"}));
    for (int row : {13, 14, 15, 16, 19, 23, 28, 38, 43, 44, 45, 49})
        EXPECT_EQ(MatrixRow(row, 23, 35), Texts(13, "0.00")) << row;
}

TEST_F(CostingsCommand, AUnitCostTypedInTheGridIsPricedAtTheNextVisit) {
    ReadRiverside();
    ShipRates(Rates());
    ShowProgram();
    ClickCosting();
    struct Case {
        const char* label;
        const char* typed;
        // How the user goes on to the matrix once the cost is typed.
        std::function<void()> then;
    };
    const Case cases[] = {
        {"entered, then the tab chosen", "12",
         [] {
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
             // On to the next resource's cost.
             EXPECT_EQ(CostingsForm->UnitResDataGrid->GetCol(), 4);
             EXPECT_EQ(CostingsForm->UnitResDataGrid->GetRow(), 5);
             Visit(3);
         }},
        {"still being typed when the tab is clicked", "13",
         [] {
             auto* tabs = CostingsForm->CostingsPageControl->View()->findChild<QTabBar*>();
             ASSERT_TRUE(tabs);
             CallGuarded([tabs] { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center()); });
         }},
    };
    TDataGrid* units = CostingsForm->UnitResDataGrid;
    for (const Case& row : cases) {
        SCOPED_TRACE(row.label);
        Visit(0);
        units->SetFocus();
        units->SetCol(4);
        units->SetRow(4);
        QTest::keyClicks(QApplication::focusWidget(), row.typed);
        row.then();
        EXPECT_EQ(CostingsForm->CostingsPageControl->GetActivePageIndex(), 3);
        EXPECT_EQ(units->GetCellEx(4, 4), row.typed);
        EXPECT_EQ(MatrixRow(13, 4, 4), (Texts{row.typed}));
        EXPECT_EQ(MatrixRow(13, 40, 40), (Texts{row.typed}));
    }
    FrontForm->Hide();
}

// A click of the mouse on a cell of a shown grid, half way across and down.
void ClickCell(TDataGrid* grid, int col, int row) {
    const TRect cell = grid->CellRect(col, row);
    QWidget* cells = static_cast<QAbstractScrollArea*>(grid->View())->viewport();
    CallGuarded([&] {
        QTest::mouseClick(cells, Qt::LeftButton, {},
                          QPoint(cell.Left + cell.Width() / 2, cell.Top + cell.Height() / 2));
    });
}

// A cost typed over Sand's, or typed and entered so that the editor moves on to the bricks' cost
// below, when another matrix is loaded: its resources take the grid, and whatever the user does
// next, nothing the editor showed before the load reaches the grid or the matrix.
TEST_F(CostingsCommand, AMatrixLoadedDuringAnEditTakesTheGridWhole) {
    ReadRiverside();
    ShipRates(Rates());
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(Rates(), bytes));
    for (const auto& [from, to] : {std::pair{"Sand,S1,,m3,20,", "Gravel,G1,,m3,35,"},
                                   std::pair{"\"Bricks, common\",B1,,1000,300,", "Blocks,B2,,1000,410,"}}) {
        ASSERT_NE(bytes.find(from), std::string::npos);
        bytes.replace(bytes.find(from), std::string(from).size(), to);
    }
    ASSERT_TRUE(WriteFileBytes(Path("other.csv"), bytes));
    ShowProgram();
    ClickCosting();
    TDataGrid* units = CostingsForm->UnitResDataGrid;
    const auto type = [](const char* keys) { QTest::keyClicks(QApplication::focusWidget(), keys); };
    const auto enter = [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); };
    struct Step {
        const char* label;
        std::function<void()> act;
    };
    const Step edits[] = {
        {"typed", [&] { type("77"); }},
        {"typed and entered",
         [&] {
             type("77");
             enter();
         }},
    };
    const Step loads[] = {
        // The focus goes to the button, as with any click on it.
        {"the button clicked",
         [this] {
             Responder().AnswerFile(Path("other.csv"));
             CallGuarded([] { QTest::mouseClick(CostingsForm->LoadCSVButton->View(), Qt::LeftButton); });
         }},
        {"the load run while the editor keeps the focus", [this] { LoadMatrix(Path("other.csv")); }},
    };
    const Step thens[] = {
        {"Sand's cell clicked and Enter pressed",
         [&] {
             ClickCell(units, 4, 5);
             enter();
         }},
        {"another cell clicked", [&] { ClickCell(units, 4, 8); }},
        {"the bricks' cell clicked and Escape pressed",
         [&] {
             ClickCell(units, 4, 6);
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
         }},
    };
    for (const Step& edit : edits)
        for (const Step& load : loads)
            for (const Step& then : thens) {
                SCOPED_TRACE(std::string(edit.label) + ", " + load.label + ", " + then.label);
                LoadMatrix(Rates());
                Visit(0);
                ClickCell(units, 4, 5);
                edit.act();
                load.act();
                EXPECT_FALSE(units->GetEditorMode());
                then.act();
                EXPECT_EQ(GridRow(units, 5)[0], "Gravel");
                EXPECT_EQ(GridRow(units, 5)[4], "35");
                EXPECT_EQ(GridRow(units, 6)[4], "410");
                Visit(3);
                EXPECT_EQ(MatrixRow(14, 0, 4), (Texts{"Gravel", "G1", "", "m3", "35"}));
                EXPECT_EQ(MatrixRow(15, 4, 4), (Texts{"410"}));
                EXPECT_TRUE(Told().empty());
            }
    FrontForm->Hide();
}

} // namespace
