#include "tests/reports/ResultsTable.h"
#include "tests/support/LocaleSeparators.h"

#include <QFile>

#include <functional>
#include <optional>
#include <string>

namespace {

using TableCsv = ResultsTable;

std::string Golden(const char* name) {
    return Bytes(AnsiString(DRENVALA_TEST_DATA "/results/") + name);
}

// Every file the table writes: the header row and a line per row, the shown columns only,
// empty cells as "", CR LF line ends.
TEST_F(TableCsv, TheShownColumnsAreSavedOrAppendedAsTheyRead) {
    const LocaleSeparators point('.', ',');
    struct Case {
        const char* label;
        std::function<void()> prepare;
        TButton* save;
        std::string expected;
    };
    TButton* save = TableForm->SaveToCSVButton;
    TButton* append = TableForm->AppendToCSVButton;
    const auto fill = [] {
        Install(TwoSewers());
        TableForm->FillTableFromNetwork();
    };
    const auto hideTwo = [fill] {
        fill();
        SetChecks({1, 14});
        TableForm->ApplyColumnVisibility();
    };
    const std::string hidden = Golden("two-sewers-without-length-and-groundslope.csv");
    const std::string fresh = Golden("fresh-table.csv");
    const std::string headerLine = fresh.substr(0, fresh.find("\r\n") + 2);
    const Case cases[] = {
        {"the table before any update", [] {}, save, fresh},
        {"two sewers", fill, save, Golden("two-sewers.csv")},
        {"a network without sewers",
         [] {
             Install(std::make_unique<SimpleSewerNetwork>());
             TableForm->UpdateTableFromNetwork();
         },
         save, headerLine},
        {"two columns hidden", hideTwo, save, hidden},
        {"appended to no file", hideTwo, append, hidden},
        {"appended twice",
         [hideTwo, append, this] {
             hideTwo();
             Responder().AnswerFile(Path("table.csv"));
             append->Click();
         },
         append, hidden + hidden},
        {"saved over what was appended",
         [hideTwo, append, this] {
             hideTwo();
             Responder().AnswerFile(Path("table.csv"));
             append->Click();
         },
         save, hidden},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QFile::remove(QString::fromStdString(Path("table.csv").str()));
        SetChecks({});
        c.prepare();
        Responder().FilesAsked.clear();
        // Chosen without an extension: the dialog adds ".csv".
        Responder().AnswerFile(Path("table"));
        c.save->Click();
        EXPECT_EQ(Bytes(Path("table.csv")), c.expected);
        ASSERT_EQ(Responder().FilesAsked.size(), 1u);
        const FileRequest& asked = Responder().FilesAsked[0];
        EXPECT_TRUE(asked.Saving);
        EXPECT_EQ(asked.Filter, "CSV files (*.csv)|*.csv|All files (*.*)|*.*");
        EXPECT_EQ(asked.FilterIndex, 1);
        // An append never replaces the file: only the save asks about replacing one.
        EXPECT_EQ(asked.OverwritePrompt, c.save == save);
        EXPECT_EQ(Told(), Texts{});
    }
}

TEST_F(TableCsv, ACancelledDialogWritesNothingAndAnUnwritableFileIsToldOnce) {
    Install(TwoSewers());
    TableForm->FillTableFromNetwork();
    Responder().AnswerFile(std::nullopt);
    TableForm->SaveToCSVButton->Click();
    EXPECT_EQ(Bytes(Path("table.csv")), "(no file)");

    // The menu's save is the button's; the grid's error reaches the user through the exception
    // display, as a click on the button would take it there.
    const AnsiString unwritable = Path("no-such-folder/table.csv");
    for (const std::function<void()>& click :
         std::initializer_list<std::function<void()>>{[] { FrontForm->SaveresultstableasCSV1->Click(); },
                                                      [] { TableForm->AppendToCSVButton->Click(); }}) {
        Responder().AnswerFile(unwritable);
        CallFromView(*TableForm->SaveToCSVButton, click);
        EXPECT_EQ(Told(), Texts{"Drenvala: Cannot Create file " + unwritable.str() + " (16)"});
    }
    EXPECT_EQ(Row(1)[0], "B");
}

} // namespace
