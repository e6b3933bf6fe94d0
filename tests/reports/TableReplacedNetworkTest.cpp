#include "tests/grid/PrintedGrid.h"
#include "tests/reports/ResultsTable.h"
#include "tests/support/PdfPages.h"

#include <QFile>

#include <string>

namespace {

using TableReplacedNetwork = ResultsTable;

// The riverside table shown, then the network replaced: whatever is saved, appended or printed
// afterwards holds the header row and no sewer of the riverside network.
TEST_F(TableReplacedNetwork, NoResultsOfTheNetworkBeforeAreWrittenOrPrinted) {
    const std::string fresh = Bytes(AnsiString(DRENVALA_TEST_DATA "/results/fresh-table.csv"));
    const std::string headerLine = fresh.substr(0, fresh.find("\r\n") + 2);
    const struct {
        const char* label;
        TMenuItem* command;
        TButton* button;
        const char* file;
    } exports[] = {
        {"Save Solution Table as CSV", FrontForm->SaveresultstableasCSV1, nullptr, "table.csv"},
        {"Apend table to CSV", nullptr, TableForm->AppendToCSVButton, "table.csv"},
        {"Print Solution Table", FrontForm->Printtable1, nullptr, "table.pdf"},
    };
    UseA4PdfPrinter();
    UseDejaVu(*TableForm->DataGrid1->PrintSettings);
    for (const Replacement& replacement : Replacements()) {
        for (const auto& out : exports) {
            SCOPED_TRACE(std::string(replacement.label) + ", then " + out.label);
            QFile::remove(dir.filePath(out.file));
            ReadRiverside();
            FrontForm->ResultsTable1->Click();
            ASSERT_EQ(Row(1)[TableForm->SewerColumn], "S1");
            DataEntryForm->NetworkChanged = false;
            Responder().Clear();

            replacement.replace();
            Responder().AnswerFile(Path(out.file));
            if (out.command)
                out.command->Click();
            else
                out.button->Click();

            EXPECT_EQ(Told(), Texts{});
            EXPECT_EQ(TableForm->DataGrid1->GetRowCount(), 1);
            const QString written = dir.filePath(out.file);
            if (written.endsWith(".csv")) {
                EXPECT_EQ(Bytes(Path(out.file)), headerLine);
                continue;
            }
            std::string printed;
            for (const std::string& page : PdfPageTexts(written))
                printed += page;
            EXPECT_NE(printed.find("Sewer"), std::string::npos);
            for (const char* sewer : {"S1", "S2", "S3"})
                EXPECT_EQ(printed.find(sewer), std::string::npos) << sewer;
        }
    }
}

} // namespace
