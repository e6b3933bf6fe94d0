#include "framework/NumberFormat.h"
#include "tests/reports/BatchTable.h"

#include <QDir>
#include <QFile>

#include <string>
#include <vector>

namespace {

using TableBatchCalculate = BatchTable;

// Columns 3, 4, 5, 14 (fall), 15, 16, 17, 18, 20-23, 24 and 25 of a calculated row.
Texts Results(int row) {
    Texts results;
    for (const int col : {3, 4, 5, 14, 15, 16, 17, 18, 20, 21, 22, 23, 24, 25})
        results.push_back(TableForm->DataGrid1->GetCellEx(col, row).str());
    return results;
}

// The layout's settings: 50/120 l/day, 5/5 people, 80 %, peak 2.40, tau 1.00, n 0.0130, cover
// 0.40, minimum flow 1.50 l/s and diameter 100 mm on, ground slope on, Min Tau, Manning.
//
// S1: final flow 200 x 0.120 x 0.80 x 2.40 / 86400 + 2 / 86400 = 0.556481 l/s, designed at the
// 1.5 l/s minimum; sewage 0.556481 - 0.023148 = 0.53 l/s. The ground slope 0.5 / 50 = 0.0100 beats
// tau at the minimum, 2.325638e-4 x 0.0015^(-6/13) = 0.0046761, so the fall is 0.500 and the
// invert goes 20.00 - 0.40 = 19.600 to 19.100. D = 0.01^(-0.1875) x 0.0267504 = 63.4 mm, raised to
// 100 mm; Manning first carries 1.5 l/s at a depth of 37 mm.
// S2 starts at S1's 19.100: tau 2.325638e-4 x 0.001712963^(-6/13) = 0.0043982 beats the ground's
// 0.0025, so the fall is 80 x 0.0043982 = 0.352 to 18.748, 19.30 - 18.748 = 0.552 deep. Its final
// flow 1500 x 0.120 x 0.80 x 2.40 / 86400 + 4000 / 86400 = 4.05 l/s; D = 107.4 mm, giving 125 mm,
// with depths 45 and 74 mm.
// S3: ground 0.06 / 60 = 0.0010 below tau's 0.0046761 at 1.5 l/s: fall 60 x 0.0046761 = 0.281.
const std::vector<Texts> ChainResults = {
    Split("0.53|0.02|1.5  (0.56)|0.500|19.600|19.100|0.010  (0.005)|0.100  (0.100)|0.370|0.370|0.568|0.568|"
          "0.400|0.400"),
    Split("4.00|0.05|4.0  (4.05)|0.352|19.100|18.748|0.004  (0.004)|0.125  (0.107)|0.360|0.592|0.431|0.535|"
          "0.400|0.552"),
    Split("0.13|0.01|1.5  (0.14)|0.281|18.748|18.467|0.005  (0.005)|0.100  (0.100)|0.460|0.460|0.425|0.425|"
          "0.552|0.773"),
};

TEST_F(TableBatchCalculate, TheChainIsDesignedAsByHand) {
    CalculateChain();
    for (int row = 1; row <= 3; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(Results(row), ChainResults[static_cast<std::size_t>(row - 1)]);
    }
    // The data columns stay as loaded.
    EXPECT_EQ(Row(2)[TableForm->BatchHousesColumn], "300");
    EXPECT_EQ(Row(2)[TableForm->USGroundLevelColumn], "19.50");
    EXPECT_EQ(TableForm->DataGrid1->GetCellEx(TableForm->BatchFallColumn, 0), "Fall (m)");
    EXPECT_EQ(TableForm->DataGrid1->GetRowCount(), 4);
    // The limited results beside the unlimited ones fit their columns.
    for (const int col : {5, 17, 18}) {
        SCOPED_TRACE(col);
        EXPECT_GE(TableForm->DataGrid1->GetColWidths(col), TableForm->DataGrid1->GetCellTextSize(col, 2).x);
    }
    EXPECT_GT(TableForm->DataGrid1->GetColWidths(17), 80);
}

// Mended: a second run read column 4, by then in l/s, as l/day, and the fall written over the
// upstream ground level as that level; the calculator's upstream boxes added the last network
// design's inflows to every row.
TEST_F(TableBatchCalculate, RepeatedRunsGiveTheSameCells) {
    CalculateChain();
    const std::string first = Cells();
    const struct {
        const char* label;
        const char* upstream;
    } runs[] = {{"again", nullptr}, {"with 5.0 l/s in the calculator's upstream boxes", "5.0"}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.label);
        if (run.upstream) {
            SewerMainForm->InitialUSFlowTypedEdit->SetText(run.upstream);
            SewerMainForm->FinalUSFlowTypedEdit->SetText(run.upstream);
        }
        TableForm->CalcAllButtonClick(nullptr);
        EXPECT_EQ(Told(), Texts{});
        EXPECT_EQ(Cells(), first);
    }
}

TEST_F(TableBatchCalculate, TheShippedExampleLoadsAndChainsItsRows) {
    TableForm->Button7Click(nullptr);
    EXPECT_EQ(Told(), Texts{});
    TDataGrid& grid = *TableForm->DataGrid1;
    ASSERT_EQ(grid.GetRowCount(), 11);
    EXPECT_EQ(grid.GetColCount(), 26);
    EXPECT_EQ(grid.GetCellEx(TableForm->BatchFallColumn, 0), "Fall (m)");
    for (int row = 1; row <= 10; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(grid.GetCellEx(0, row), "S" + IntToStr(row));
        EXPECT_FALSE(grid.GetCellEx(TableForm->FinalVelocityColumn, row).IsEmpty());
        if (row > 1) {
            EXPECT_EQ(grid.GetCellEx(TableForm->USInvertColumn, row),
                      grid.GetCellEx(TableForm->DSInvertColumn, row - 1));
        }
    }
}

// A data file of that name in the current folder is taken before the program's.
TEST_F(TableBatchCalculate, TheExampleInTheCurrentFolderComesFirst) {
    ASSERT_TRUE(QFile::copy(QString::fromStdString(Chain().str()), dir.filePath("qelta_eg1_data.csv")));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    TableForm->Button7Click(nullptr);
    QDir::setCurrent(before);
    EXPECT_EQ(Told(), Texts{});
    EXPECT_EQ(TableForm->DataGrid1->GetRowCount(), 4);
    EXPECT_EQ(Results(3), ChainResults[2]);
}

// Mended: the calculator was shown on its own, and stayed over the next window docked.
TEST_F(TableBatchCalculate, ShowCalcFormDocksTheCalculatorWithTheRow) {
    ASSERT_TRUE(TableForm->LoadBatchData(Chain()));
    SewerMainForm->InitialUSFlowTypedEdit->SetText("5.0");
    SewerMainForm->FinalUSFlowTypedEdit->SetText("5.0");
    TableForm->DataGrid1->SetRow(2);
    TableForm->Button2Click(nullptr);
    EXPECT_EQ(Told(), Texts{});
    EXPECT_EQ(FrontForm->CurrentChildForm, SewerMainForm);
    const TSewerMainForm& form = *SewerMainForm;
    // 300 houses of 5 people; 4000 l/day; (19.50 - 19.30) / 80.
    EXPECT_EQ(form.IPopTypedEdit->GetText(), "1500");
    EXPECT_EQ(form.FPopTypedEdit->GetText(), "1500");
    EXPECT_EQ(form.InitialSuplementaryFlowTypedEdit->GetText(), "4000");
    EXPECT_EQ(form.FinalSuplementaryFlowTypedEdit->GetText(), "4000");
    EXPECT_EQ(form.GroundSlopeTypedEdit->GetText(), "0.0025");
    EXPECT_EQ(form.InitialUSFlowTypedEdit->GetText(), "0.0");
    EXPECT_EQ(form.FinalUSFlowTypedEdit->GetText(), "0.0");
    EXPECT_EQ(form.Design.ChosenPipeDiameter, 0.125);

    FrontForm->VisualEditor1Click(nullptr);
    EXPECT_FALSE(SewerMainForm->GetVisible());
}

// Mended: an empty cover put the first invert at ground level without a word, an empty Manning's n
// stopped the batch with a division by zero.
TEST_F(TableBatchCalculate, AnEmptySettingsBoxStopsTheBatchWithTheConversionError) {
    const std::string empty = "Drenvala: '' is not a valid floating point value (16)";
    const struct {
        const char* label;
        TTypedEdit* TTableForm::*box;
    } boxes[] = {{"minimum cover", &TTableForm::MinDepthTypedEdit},
                 {"Manning's n", &TTableForm::nTypedEdit},
                 {"peak flow factor", &TTableForm::peakTypedEdit},
                 {"persons per house", &TTableForm::InitialPeopleTypedEdit}};
    for (const auto& row : boxes) {
        SCOPED_TRACE(row.label);
        ASSERT_TRUE(TableForm->LoadBatchData(Chain()));
        const std::string loaded = Cells();
        TTypedEdit& box = *(TableForm->*row.box);
        const AnsiString kept = box.GetText();
        box.SetWindowText("");
        // As a click takes it, so that the error reaches the user as the program shows it.
        CallFromView(*TableForm->CalcAllButton, [] { TableForm->CalcAllButtonClick(nullptr); });
        EXPECT_EQ(Told(), Texts{empty});
        // No row was designed.
        EXPECT_EQ(Cells(), loaded);
        box.SetText(kept);
    }
}

TEST_F(TableBatchCalculate, WithoutDataTheBatchSaysSo) {
    const std::string header = "Sewer,Length (m),Houses\r\n";
    ASSERT_TRUE(WriteFileBytes(Path("header.csv"), header));
    const struct {
        const char* label;
        const char* file; // loaded first, when given
    } tables[] = {{"as the window starts", nullptr}, {"a header line alone", "header.csv"}};
    for (const auto& table : tables) {
        SCOPED_TRACE(table.label);
        if (table.file) {
            ASSERT_TRUE(TableForm->LoadBatchData(Path(table.file)));
            EXPECT_EQ(Row(0)[2], "Houses");
            EXPECT_EQ(Row(0)[3], "");
            EXPECT_EQ(TableForm->DataGrid1->GetRowCount(), 2);
            EXPECT_EQ(TableForm->DataGrid1->GetFixedRows(), 1);
        }
        const std::string before = Cells();
        TableForm->CalcAllButtonClick(nullptr);
        EXPECT_EQ(TableForm->SettingsToDesignForm(1), 1);
        TableForm->Button2Click(nullptr);
        TableForm->Button9Click(nullptr);
        EXPECT_EQ(Told(), (Texts{NoData, NoData, NoData, NoData}));
        EXPECT_EQ(Cells(), before);
        EXPECT_NE(FrontForm->CurrentChildForm, SewerMainForm);
    }
}

} // namespace
