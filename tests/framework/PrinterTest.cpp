#include "framework/Printer.h"
#include "tests/support/PdfPages.h"
#include "tests/support/ScriptedResponder.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// The printer as on a machine without one: every job goes to a PDF file named when it begins.
struct PdfPrinter : testing::Test {
    void SetUp() override {
        Responder().Clear();
        QPrinter& device = Printer()->Device();
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(QString());
        device.setPageSize(QPageSize(QPageSize::A4));
        Printer()->SetOrientation(poPortrait);
    }

    AnsiString Path(const char* name) const { return dir.filePath(name).toStdString(); }

    QTemporaryDir dir;
};

void WriteLine(const AnsiString& text, int x = 200, int y = -200) {
    TCanvas& canvas = *Printer()->Canvas;
    canvas.SetMapMode(MM_LOMETRIC);
    canvas.Font.Name = "DejaVu Sans";
    canvas.Font.SetHeight(-35);
    canvas.TextOut(x, y, text);
}

} // namespace

TEST_F(PdfPrinter, AJobAsksForItsFileAndPrintsEverySheet) {
    for (const char* name : {"first.pdf", "second.pdf"}) {
        SCOPED_TRACE(name);
        Responder().AnswerFile(Path(name));
        Printer()->Title = "Levels";
        ASSERT_TRUE(Printer()->BeginDoc());
        EXPECT_TRUE(Printer()->Printing());
        WriteLine("upstream sheet");
        Printer()->NewPage();
        WriteLine("downstream sheet");
        Printer()->EndDoc();
        EXPECT_FALSE(Printer()->Printing());
        const auto pages = PdfPageTexts(QString::fromStdString(Path(name).str()));
        ASSERT_EQ(pages.size(), 2u);
        EXPECT_NE(pages[0].find("upstream sheet"), std::string::npos);
        EXPECT_NE(pages[1].find("downstream sheet"), std::string::npos);
    }
    ASSERT_EQ(Responder().FilesAsked.size(), 2u);
    EXPECT_TRUE(Responder().FilesAsked[0].Saving);
    EXPECT_TRUE(Responder().FilesAsked[0].OverwritePrompt);
    EXPECT_EQ(Responder().FilesAsked[0].Filter, "PDF files (*.pdf)|*.pdf|All files (*.*)|*.*");
}

// Cancelling the file starts no job.
TEST_F(PdfPrinter, AFileThatCannotBeWrittenIsReportedAndTheNextJobAsksAgain) {
    const AnsiString unwritable = Path("missing-folder/table.pdf");
    Responder().AnswerFile(unwritable);
    try {
        Printer()->BeginDoc();
        FAIL() << "no error";
    } catch (const EPrinter& error) {
        EXPECT_EQ(error.Message, "Cannot print to the file " + unwritable + ".");
    }
    EXPECT_FALSE(Printer()->Printing());
    Responder().AnswerFile(std::nullopt);
    EXPECT_FALSE(Printer()->BeginDoc());
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(Responder().FilesAsked.size(), 2u);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(PdfPrinter, TheSheetTurnsWithTheOrientation) {
    // A4 is 595 x 842 points; the PDF printer keeps 10 points clear at each edge. 575 points
    // are 2028.5 tenths, 822 points 2899.8.
    const struct {
        TPrinterOrientation orientation;
        int width;
        int height;
    } rows[] = {{poPortrait, 2028, 2900}, {poLandscape, 2900, 2028}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.orientation);
        Printer()->SetOrientation(row.orientation);
        EXPECT_NEAR(Printer()->PageWidth() * 254.0 / Printer()->PixelsPerInchX(), row.width, 1);
        EXPECT_NEAR(Printer()->PageHeight() * 254.0 / Printer()->PixelsPerInchY(), row.height, 1);
    }
}

// A word drawn partly above or left of the sheet still counts: the page holds it, at coordinates
// below 0. The printable area starts 10 points into the sheet: 50 tenths are 14.2 points. A
// character wholly off the sheet is not on the page: these words start with wide ones.
TEST_F(PdfPrinter, WordsReadBackWithTheirPlacesAlsoBeyondTheSheetsTopAndLeft) {
    const struct {
        const char* word;
        int x, y;
        bool leftOfSheet, aboveSheet;
    } rows[] = {{"inside", 200, -200, false, false},
                {"above", 200, 50, false, true},
                {"West", -50, -400, true, false},
                {"Northwest", -50, 50, true, true}};
    const AnsiString file = Path("beyond.pdf");
    Responder().AnswerFile(file);
    ASSERT_TRUE(Printer()->BeginDoc());
    for (const auto& row : rows)
        WriteLine(row.word, row.x, row.y);
    Printer()->EndDoc();
    const std::vector<PdfWord> words = PdfWords(QString::fromStdString(file.str()));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.word);
        const auto word =
            std::find_if(words.begin(), words.end(), [&row](const PdfWord& w) { return w.Text == row.word; });
        ASSERT_NE(word, words.end());
        EXPECT_EQ(word->Page, 1);
        EXPECT_EQ(word->XMin < 0, row.leftOfSheet);
        EXPECT_EQ(word->YMin < 0, row.aboveSheet);
    }
}
