#include "framework/Clipboard.h"
#include "tests/reports/CostingsWindow.h"

#include <QChartView>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsTextItem>

#include <algorithm>
#include <map>
#include <regex>

#include <optional>

namespace {

using ChartAndExports = CostingsWindow;

// The test rates priced for the two sewers (worked by hand in the pricing tests).
void Price() {
    CostingsWindow::LoadMatrix(CostingsWindow::Rates());
    Results results(TwoPricedSewers);
    results.Run();
    CostingsForm->CalculateCostMatrix();
    Responder().FilesAsked.clear();
}

// One save dialog was asked, with the overwrite prompt, on the filter at index.
void ExpectSaveAsked(int index) {
    ASSERT_EQ(Responder().FilesAsked.size(), 1u);
    EXPECT_TRUE(Responder().FilesAsked[0].Saving);
    EXPECT_TRUE(Responder().FilesAsked[0].OverwritePrompt);
    EXPECT_EQ(Responder().FilesAsked[0].FilterIndex, index);
}

TEST_F(ChartAndExports, ElevenBarsOfChosenResourcesTheirTotalsAndNames) {
    Price();
    for (int visit = 1; visit <= 2; ++visit) {
        SCOPED_TRACE(visit);
        CostingsForm->RefillChart();
        const TBarSeries& bars = *CostingsForm->Series1;
        ASSERT_EQ(bars.Count(), 11);
        const Texts labels{"Cement",  "Sand",      "Bricks, common", "Labourer", "Pipe", "Cover",
                           "Foreman", "Excavator", "Dumper",         "Mixer",    "Pump"};
        const double values[] = {137.4, 181.6, 266.4, 49.85, 75, 0, 1.11, 0, 0, 0, 0};
        for (int i = 0; i < 11; ++i) {
            EXPECT_EQ(bars.XLabel(i), labels[static_cast<std::size_t>(i)]);
            EXPECT_DOUBLE_EQ(bars.YValue(i), values[i]);
        }
    }
    // Each bar its own colour.
    EXPECT_NE(CostingsForm->Series1->ValueColor(0), CostingsForm->Series1->ValueColor(1));
}

TEST_F(ChartAndExports, ABarRowHoldingNoNumberStopsTheChartThere) {
    Price();
    CostingsForm->CostingsMatrixDataGrid->SetCellEx(35, 16, "n/a");
    CallGuarded([] { CostingsForm->RefillChart(); });
    EXPECT_EQ(Told(), (Texts{"Drenvala: 'n/a' is not a valid floating point value (16)"}));
    EXPECT_EQ(CostingsForm->Series1->Count(), 3);
}

// The figures up the value axis of the chart as the window shows it, from its foot.
Texts ShownFigures() {
    QCoreApplication::processEvents();
    const auto* view = static_cast<QChartView*>(CostingsForm->CostingsChart->View());
    const std::regex figure(R"(-?[0-9]+(\.[0-9]+)?(E-?[0-9]+)?)");
    // Left of the plot: neither the marks above the bars nor the legend's values.
    const qreal left = view->chart()->plotArea().left();
    std::multimap<double, std::string> placed;
    for (const QGraphicsItem* item : view->scene()->items())
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item)) {
            const std::string shown = text->toPlainText().toStdString();
            if (text->isVisible() && text->sceneBoundingRect().right() <= left &&
                std::regex_match(shown, figure))
                placed.emplace(-text->sceneBoundingRect().center().y(), shown);
        }
    Texts figures;
    for (const auto& [height, shown] : placed)
        figures.push_back(shown);
    return figures;
}

// The program shown, a matrix whose charted resources are not priced but hold small totals. Mended:
// the value axis read "0.000000" at every figure.
TEST_F(ChartAndExports, TheValueAxisOfBarsOfMillionthsReadsAlikeNowhere) {
    ReadRiverside();
    ShowProgram();
    std::string bytes = std::string(18, ',') + "x\n" + ChartedZeros(1, 49);
    for (std::size_t at = 0; (at = bytes.find(",0\n", at)) != std::string::npos;)
        bytes.replace(at, 3, ",3e-7\n");
    ASSERT_TRUE(WriteFileBytes(Path("small.csv"), bytes));
    ShipRates(Path("small.csv"));
    UserClicks(FrontForm->CostingButton);
    Visit(5);
    EXPECT_TRUE(Told().empty());
    ASSERT_EQ(CostingsForm->Series1->Count(), 11);
    EXPECT_EQ(CostingsForm->Series1->YValue(10), 3e-7);
    // Counted in tenths of a millionth: 3 and its room above, 3.45, come up to 4.
    EXPECT_EQ(ShownFigures(), (Texts{"0E-7", "1E-7", "2E-7", "3E-7", "4E-7"}));
    FrontForm->Hide();
}

TEST_F(ChartAndExports, BandsOfTheMatrixAndTotalsOfTheTakeOffAreColoured) {
    Results results({{"A", "J1", "J2", "10.00", "0.150", "1.000", "1.200"}});
    results.Run();
    using Handler = void (TCostingsForm::*)(TObject*, int, int, TGridDrawState, TBrush*, TFont*);
    const Handler matrix = &TCostingsForm::CostingsMatrixDataGridGetCellColor;
    const Handler pipes = &TCostingsForm::NetworkCostPipeDataGridGetCellColor;
    const Handler boxes = &TCostingsForm::NetworkCostJunctionDataGridGetCellColor;
    struct Case {
        const char* label;
        Handler handler;
        int row;
        int col;
        TColor brush;
        TColor font;
        bool bold;
    };
    // Cells left alone keep the window colour and text colour they were given.
    const Case cases[] = {
        {"matrix header row", matrix, 0, 0, clWindow, clWindowText, false},
        {"unit costs, row 1", matrix, 1, 0, clAqua, clRed, false},
        {"unit costs", matrix, 20, 4, clAqua, clWindowText, false},
        {"free column 5", matrix, 1, 5, clWindow, clWindowText, false},
        {"usage rates, row 1", matrix, 1, 6, clTeal, clRed, false},
        {"usage rates", matrix, 30, 18, clTeal, clWindowText, false},
        {"free column 19", matrix, 13, 19, clWindow, clWindowText, false},
        {"costs", matrix, 13, 22, clOlive, clWindowText, false},
        {"resource totals", matrix, 49, 35, clOlive, clWindowText, false},
        {"free column 36", matrix, 1, 36, clWindow, clWindowText, false},
        {"bill, row 1", matrix, 1, 37, clSilver, clRed, false},
        {"bill", matrix, 49, 41, clSilver, clWindowText, false},
        {"pipe totals: length", pipes, 2, 1, clYellow, clRed, true},
        {"pipe totals: excavation", pipes, 2, 6, clYellow, clRed, true},
        {"pipe totals: bedding", pipes, 2, 7, clYellow, clRed, true},
        {"pipe totals: protected?", pipes, 2, 8, clWindow, clWindowText, false},
        {"pipe totals: protection", pipes, 2, 9, clYellow, clRed, true},
        {"pipe totals: spoil", pipes, 2, 11, clYellow, clRed, true},
        {"pipe totals: diameter", pipes, 2, 2, clWindow, clWindowText, false},
        {"a sewer's excavation", pipes, 1, 6, clWindow, clWindowText, false},
        {"box totals: volume of box", boxes, 3, 5, clWindow, clWindowText, false},
        {"box totals: excavation", boxes, 3, 6, clYellow, clRed, true},
        {"box totals: spoil", boxes, 3, 11, clYellow, clRed, true},
        {"a box's excavation", boxes, 2, 6, clWindow, clWindowText, false},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.label);
        TBrush brush{clWindow, bsSolid};
        TFont font;
        (CostingsForm->*row.handler)(CostingsForm, row.row, row.col, {}, &brush, &font);
        EXPECT_EQ(brush.Color, row.brush);
        EXPECT_EQ(font.Color, row.font);
        EXPECT_EQ((font.Style & fsBold) != 0, row.bold);
    }
}

TEST_F(ChartAndExports, ASavedMatrixLoadsBackAndSavesTheSame) {
    Price();
    // Typed without an extension, the name gets the CSV filter's.
    const AnsiString first = Path("matrix.csv");
    const AnsiString second = Path("again.csv");
    Responder().AnswerFile(Path("matrix"));
    UserClicks(CostingsForm->SaveCostingMatrixButton);
    ExpectSaveAsked(1);
    EXPECT_EQ(Responder().FilesAsked.at(0).Filter,
              "Costings Matrix (*.csv)|*.csv|Metafiles (*.svg)|*.svg|All files (*.*)|*.*");
    // Every row from the header on, the costs with it.
    const std::string saved = Bytes(first);
    EXPECT_EQ(saved.substr(0, 38), "Resource,Code,Kind,Unit,\"Unit cost, ea");
    EXPECT_NE(saved.find("\r\nCement,C1,\"\",bag,10,\"\",\"\",0.4,"), std::string::npos);

    LoadMatrix(first);
    Responder().AnswerFile(second);
    UserClicks(CostingsForm->SaveCostingMatrixButton);
    EXPECT_EQ(Bytes(second), saved);
    EXPECT_TRUE(Told().empty());
}

TEST_F(ChartAndExports, TheBillIsSavedAsItShows) {
    Price();
    CostingsForm->BuildBillOfQuantities();
    const AnsiString file = Path("bill.csv");
    Responder().AnswerFile(Path("bill"));
    UserClicks(CostingsForm->SaveBOQButton);
    ExpectSaveAsked(1);
    const std::string bill = Bytes(file);
    EXPECT_EQ(bill.substr(0, 38), "Description,Unit,Quantity,Rate,Amount\r");
    EXPECT_NE(
        bill.find("\r\nCement,bag,13.74,10,137.40\r\nSand,m3,9.08,20,181.60\r\n\"Bricks, common\",1000,"),
        std::string::npos);
    const std::string total = "\r\nTotal,\"\",\"\",\"\",711.36\r\n";
    EXPECT_EQ(bill.substr(bill.size() - total.size()), total);
}

TEST_F(ChartAndExports, TheChartIsSavedAsAnSvgPictureAndCopied) {
    Price();
    CostingsForm->RefillChart();
    Responder().AnswerFile(Path("chart"));
    UserClicks(CostingsForm->SaveCostingsChartToWMFButton);
    ExpectSaveAsked(2);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(Path("chart").str())));
    const std::string picture = Bytes(Path("chart.svg"));
    EXPECT_EQ(picture.rfind("<?xml", 0), 0u);
    EXPECT_NE(picture.find("<svg"), std::string::npos);
    EXPECT_NE(picture.find("Drenvala network cost components"), std::string::npos);

    UserClicks(CostingsForm->CopyCostingsChartToClipboardButton);
    EXPECT_TRUE(Clipboard().HasFormat("image/svg+xml"));
    EXPECT_EQ(Clipboard().GetAsBytes("image/svg+xml").str(), picture);
}

// Each save command offers the file it last wrote and its own filter, whatever another command
// wrote in between: Enter on the chart's dialog never names the bill's file.
TEST_F(ChartAndExports, EachSaveOffersItsOwnLastFileAndFilter) {
    Price();
    CostingsForm->BuildBillOfQuantities();
    CostingsForm->RefillChart();
    const AnsiString bill = Path("boq.csv");
    const AnsiString chart = Path("chart.svg");
    const AnsiString matrix = Path("matrix.csv");
    struct Case {
        const char* label;
        TButton* button;
        AnsiString answer;
        // The file the dialog offers, and the filter it opens on.
        AnsiString offered;
        int filter;
    };
    const Case cases[] = {
        {"bill, first", CostingsForm->SaveBOQButton, bill, "", 1},
        {"chart after the bill", CostingsForm->SaveCostingsChartToWMFButton, chart, "", 2},
        {"matrix after the chart", CostingsForm->SaveCostingMatrixButton, matrix, "", 1},
        {"bill again", CostingsForm->SaveBOQButton, bill, bill, 1},
        {"chart again", CostingsForm->SaveCostingsChartToWMFButton, chart, chart, 2},
        {"matrix again", CostingsForm->SaveCostingMatrixButton, matrix, matrix, 1},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.label);
        Responder().FilesAsked.clear();
        Responder().AnswerFile(row.answer);
        UserClicks(row.button);
        ExpectSaveAsked(row.filter);
        EXPECT_EQ(Responder().FilesAsked.at(0).FileName, row.offered);
    }
    EXPECT_EQ(Bytes(bill).substr(0, 38), "Description,Unit,Quantity,Rate,Amount\r");
    EXPECT_EQ(Bytes(chart).rfind("<?xml", 0), 0u);
    EXPECT_EQ(Bytes(matrix).substr(0, 24), "Resource,Code,Kind,Unit,");
    EXPECT_TRUE(Told().empty());
}

TEST_F(ChartAndExports, ACancelledOrFailedSaveWritesNothing) {
    Price();
    const AnsiString unwritable = Path("missing/matrix.csv");
    struct Case {
        const char* label;
        TButton* button;
        std::optional<AnsiString> answer;
        Texts told;
    };
    const Case cases[] = {
        {"matrix, cancelled", CostingsForm->SaveCostingMatrixButton, std::nullopt, {}},
        {"bill, cancelled", CostingsForm->SaveBOQButton, std::nullopt, {}},
        {"chart, cancelled", CostingsForm->SaveCostingsChartToWMFButton, std::nullopt, {}},
        {"matrix, no such folder",
         CostingsForm->SaveCostingMatrixButton,
         unwritable,
         {"Drenvala: Cannot Create file " + unwritable.str() + " (16)"}},
        {"chart, no such folder",
         CostingsForm->SaveCostingsChartToWMFButton,
         unwritable,
         {"Drenvala: Cannot create file \"" + unwritable.str() + "\" (16)"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.label);
        Responder().AnswerFile(row.answer);
        UserClicks(row.button);
        EXPECT_EQ(Told(), row.told);
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }
}

} // namespace
