#include "framework/Bitmap.h"
#include "framework/Printer.h"
#include "framework/Screen.h"
#include "reports/Printcontrol.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/reports/ResultsTable.h"
#include "tests/support/PdfPages.h"

#include <algorithm>
#include <regex>

namespace {

using TablePrint = ResultsTable;

// Sewers S1 .. Sn in a line, each 30 m, J1 the highest junction.
std::unique_ptr<SimpleSewerNetwork> Line(int sewers) {
    auto n = std::make_unique<SimpleSewerNetwork>();
    for (int i = 1; i <= sewers; ++i)
        n->AddSewer("S" + std::to_string(i), "J" + std::to_string(i), "J" + std::to_string(i + 1), 30);
    for (int i = 1; i <= sewers + 1; ++i)
        n->SetJunctionLevel("J" + std::to_string(i), 100 - 0.3 * i);
    n->BuildConnections();
    return n;
}

// The sewer names a page shows, top to bottom.
std::vector<int> SewersOn(const std::string& page) {
    static const std::regex name(R"(\bS(\d+)\b)");
    std::vector<int> sewers;
    for (std::sregex_iterator it(page.begin(), page.end(), name), end; it != end; ++it)
        sewers.push_back(std::stoi((*it)[1]));
    return sewers;
}

TEST_F(TablePrint, TheTablePrintsOnThreeA4PagesEachSewerOnceInOrder) {
    // The 26 columns shrunk to the sheet's width set DejaVu Sans of 10 points in lines of about
    // 2.8 mm: some 100 rows on an A4 page, so 250 sewers fill two pages and half a third.
    Install(Line(250));
    ASSERT_EQ(TableForm->FillTableFromNetwork(), 0);
    UseA4PdfPrinter();
    UseDejaVu(*TableForm->DataGrid1->PrintSettings);
    Responder().ModalActions.push_back([](TForm&) {
        PrintSetupForm->TitleEdit->SetText("Riverside estate");
        PrintSetupForm->CheckBox3->SetChecked(true);
        PrintSetupForm->ApplyButton->Click();
    });
    TableForm->PrintLayoutButton->Click();
    const QString pdf = QString::fromStdString(Path("table.pdf").str());
    Responder().AnswerFile(Path("table.pdf"));
    FrontForm->Printtable1->Click();

    EXPECT_TRUE(Responder().Asked.empty());
    ASSERT_EQ(PdfPageCount(pdf), 3);
    const std::vector<std::string> pages = PdfPageTexts(pdf);
    ASSERT_EQ(pages.size(), 3u);
    std::vector<int> printed;
    for (int k = 1; k <= 3; ++k) {
        SCOPED_TRACE(k);
        const std::string& page = pages[k - 1];
        EXPECT_NE(page.find(std::to_string(k) + "/3"), std::string::npos);
        EXPECT_NE(page.find("Riverside estate"), std::string::npos);
        const std::vector<int> sewers = SewersOn(page);
        EXPECT_GT(sewers.size(), 40u);
        printed.insert(printed.end(), sewers.begin(), sewers.end());
    }
    std::vector<int> all(250);
    for (int i = 0; i < 250; ++i)
        all[i] = i + 1;
    EXPECT_EQ(printed, all);
}

TEST_F(TablePrint, EveryTextPrintsWholeInsideItsColumn) {
    // The columns are as wide as the screen's 8-point texts need; the same texts printed at 10 or
    // 12 points, shrunk with their columns to the sheet, ran past them: "0.000E+0" and
    // "Groundslop" showed, the rest cut off at the column's edge.
    struct Case {
        const char* label;
        int size;
        bool autoSize;
    };
    const Case cases[] = {
        {"10 points", 10, false},
        {"12 points", 12, false},
        {"10 points, columns sized to their texts", 10, true},
        {"8 points", 8, false},
    };
    Install(Line(40));
    ASSERT_EQ(TableForm->FillTableFromNetwork(), 0);
    UseA4PdfPrinter();
    TDataGrid& grid = *TableForm->DataGrid1;
    const QString pdf = QString::fromStdString(Path("table.pdf").str());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Responder().ModalActions.push_back([&](TForm&) {
            PrintSetupForm->CheckBox7->SetChecked(c.autoSize);
            PrintSetupForm->ApplyButton->Click();
        });
        TableForm->PrintLayoutButton->Click();
        // The layout's shrinking to the sheet, which the window shows as fit to page and keeps.
        ASSERT_EQ(grid.PrintSettings->FitToPage, fpShrink);
        UseDejaVu(*grid.PrintSettings, c.size);
        Responder().AnswerFile(Path("table.pdf"));
        FrontForm->Printtable1->Click();

        ASSERT_EQ(PdfPageCount(pdf), 1);
        // The columns' edges in points from the sheet's left edge, where the PDF printer keeps
        // 10 points clear.
        std::vector<double> edges;
        for (int col = 0; col <= grid.GetColCount(); ++col)
            edges.push_back(10 + grid.GetPrintColOffset(col) * 72.0 / 254);
        const std::vector<PdfWord> words = PdfWords(pdf);
        ASSERT_GT(words.size(), 26u * 41);
        bool slope = false;
        for (const PdfWord& word : words) {
            slope = slope || word.Text == "Groundslope";
            // The column the word starts in, and the edge it must end before (a glyph's advance
            // may round a hundredth of a millimetre over).
            const auto right = std::upper_bound(edges.begin(), edges.end(), word.XMin);
            ASSERT_NE(right, edges.begin()) << word.Text;
            ASSERT_NE(right, edges.end()) << word.Text;
            EXPECT_LE(word.XMax, *right + 0.15) << word.Text << " in column " << right - edges.begin() - 1;
        }
        EXPECT_TRUE(slope);
    }
}

TEST_F(TablePrint, TheImageOfTheScreenPrintsAtItsScreenSizeOrShrunkToTheSheet) {
    Install(Line(5));
    ASSERT_EQ(TableForm->FillTableFromNetwork(), 0);
    UseA4PdfPrinter();
    FrontForm->Show();
    FrontForm->ShowChildForm(TableForm);
    const std::unique_ptr<TBitmap> shown = TableForm->GetFormImage();
    ASSERT_EQ(shown->Width(), 870);
    ASSERT_EQ(Screen->PixelsPerInch(), 96);
    struct Case {
        TPrinterOrientation orientation;
        int pixelsPerInch;
    };
    // The window is 870 pixels wide, 9.06 inches at 96 to the inch. An upright A4 sheet prints
    // 575 points, 7.99 inches, across: 870 / 7.99 = 109 to the inch. A turned one prints 11.4
    // inches across and 7.99 down, room for the window's 571 pixels (5.95 inches) too.
    for (const Case c : {Case{poLandscape, 96}, Case{poPortrait, 109}}) {
        SCOPED_TRACE(c.orientation);
        Printer()->SetOrientation(c.orientation);
        const QString pdf = QString::fromStdString(Path("screen.pdf").str());
        Responder().AnswerFile(Path("screen.pdf"));
        FrontForm->PrintForm1->Click();

        ASSERT_EQ(PdfPageCount(pdf), 1);
        const std::vector<PdfImage> images = PdfImages(pdf);
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].Width, shown->Width());
        EXPECT_EQ(images[0].Height, shown->Height());
        EXPECT_EQ(images[0].PixelsPerInchX, c.pixelsPerInch);
        EXPECT_EQ(images[0].PixelsPerInchY, c.pixelsPerInch);
    }
}

TEST_F(TablePrint, ACancelledFileDialogPrintsNothing) {
    Install(Line(5));
    ASSERT_EQ(TableForm->FillTableFromNetwork(), 0);
    UseA4PdfPrinter();
    FrontForm->ShowChildForm(TableForm);
    for (TMenuItem* command : {FrontForm->Printtable1, FrontForm->PrintForm1}) {
        SCOPED_TRACE(command->GetCaption().str());
        Responder().Clear();
        Responder().AnswerFile(std::nullopt);
        command->Click();
        EXPECT_EQ(Responder().FilesAsked.size(), 1u);
        EXPECT_TRUE(Responder().Asked.empty());
        EXPECT_FALSE(Printer()->Printing());
    }
}

} // namespace
