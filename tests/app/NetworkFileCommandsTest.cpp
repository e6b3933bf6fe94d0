#include "framework/FileBytes.h"
#include "tests/app/ProgramWindows.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QFile>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int Exclamation = MB_OK | MB_ICONEXCLAMATION;
constexpr int Question = MB_YESNO | MB_ICONQUESTION;
constexpr int Warning = MB_YESNO | MB_ICONEXCLAMATION;

bool Exists(const AnsiString& path) {
    return QFile::exists(QString::fromStdString(path.str()));
}

std::string Bytes(const AnsiString& path) {
    std::string bytes;
    return ReadFileBytes(path, bytes) ? bytes : "(no file)";
}

class NetworkFileCommands : public ProgramWindows {
protected:
    // The riverside network read from File > Read Network, then marked as changed.
    void ReadRiversideChanged() {
        Read(Data("riverside.snt"));
        ASSERT_NE(FrontForm->Network, nullptr);
        DataEntryForm->NetworkChanged = true;
        Responder().Clear();
    }
};

TEST_F(NetworkFileCommands, ReadReplacesTheNetworkOnlyWhenTheFileReads) {
    QFile bad(dir.filePath("bad.snt"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("#SNTV1.0\nAn old file\n");
    bad.close();
    const struct {
        const char* label;
        std::optional<AnsiString> answer;
        bool replaced;
        Texts told;
    } rows[] = {
        {"a network file", Data("riverside.snt"), true, {}},
        {"cancelled", std::nullopt, false, {}},
        {"a file that is not a network",
         Path("bad.snt"),
         false,
         {MessageLine("Wrong file message",
                      "This doesn't appear to be Drenvala network file. Choose another.\n\n"
                      "The first line of the file should read: #SNTV1.1 this file has: #SNTV1.0",
                      Exclamation)}},
        {"a missing file",
         Path("missing.snt"),
         false,
         {MessageLine("Error while reading network", "Could not open the file " + Path("missing.snt").str(),
                      Exclamation)}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        // The network in hand: one sewer added to an empty one, under an old file name.
        FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
        FrontForm->Network->Name = "Old";
        DataEntryForm->TitleEdit->SetText("Old");
        DataEntryForm->AddSewerButtonClick(nullptr);
        const SimpleSewerNetwork* old = FrontForm->Network;
        FrontForm->NetworkFileName = "old.snt";
        DataEntryForm->NetworkChanged = false;
        Responder().Clear();

        Responder().AnswerFile(row.answer);
        FrontForm->ReadNetwork1->Click();

        EXPECT_EQ(Asked(), row.told);
        EXPECT_FALSE(DataEntryForm->NetworkChanged);
        if (row.replaced) {
            EXPECT_NE(FrontForm->Network, old);
            EXPECT_EQ(FrontForm->Network->Sewers.size(), 3u);
            EXPECT_EQ(FrontForm->NetworkFileName, *row.answer);
            EXPECT_EQ(DataEntryForm->TitleEdit->GetText(), "Riverside scheme");
        } else {
            EXPECT_EQ(FrontForm->Network, old);
            EXPECT_EQ(FrontForm->Network->Name, "Old");
            EXPECT_EQ(FrontForm->NetworkFileName, "old.snt");
            EXPECT_EQ(DataEntryForm->TitleEdit->GetText(), "Old");
        }
    }
}

// Each prompt with the answers given to it and to the dialogs after it, and where that leaves the
// program. A Yes whose save did not happen keeps the network and the program.
TEST_F(NetworkFileCommands, PromptsGuardUnsavedChanges) {
    const std::string quitSave = MessageLine(
        "Network Changed", "The network has been changed, do you want to save it before you quit?", Question);
    const std::string quit = MessageLine("Really Quit", "Do you really want to quit?", Question);
    const std::string clearSave =
        MessageLine("Really clear",
                    "The network has been changed, do you want to save it before you clear it?", Question);
    const std::string readSave = MessageLine(
        "Really Quit",
        "The existing network has not been saved, do you want to save it before you read in a new network?",
        Warning);
    enum Command { Quit, Clear, Open };
    const struct {
        const char* label;
        Command command;
        bool changed;
        // The answers to the prompts in order: 'y' Yes, 'n' No.
        const char* answers;
        // The answers to the file dialogs in order: 's' saved.snt, 'c' cancelled.
        const char* files;
        Texts told;
        // The dialogs in order: 's' save, 'o' open.
        const char* dialogs;
        bool mayClose, cleared, saved;
    } rows[] = {
        {"quit unchanged, No", Quit, false, "n", "", {quit}, "", false, false, false},
        {"quit unchanged, Yes", Quit, false, "y", "", {quit}, "", true, false, false},
        {"quit changed, No, Yes", Quit, true, "ny", "", {quitSave, quit}, "", true, false, false},
        {"quit changed, Yes, save cancelled", Quit, true, "y", "c", {quitSave}, "s", false, false, false},
        {"quit changed, Yes, saved, No", Quit, true, "yn", "s", {quitSave, quit}, "s", false, false, true},
        {"clear changed, Yes, save cancelled", Clear, true, "y", "c", {clearSave}, "s", false, false, false},
        {"clear changed, No", Clear, true, "n", "", {clearSave}, "", false, true, false},
        {"clear changed, Yes, saved", Clear, true, "y", "s", {clearSave}, "s", false, true, true},
        {"clear unchanged", Clear, false, "", "", {}, "", false, true, false},
        {"read changed, Yes, two cancels", Open, true, "y", "cc", {readSave}, "so", false, false, false},
        {"read changed, No, read cancelled", Open, true, "n", "c", {readSave}, "o", false, false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Read(Data("riverside.snt"));
        DataEntryForm->NetworkChanged = row.changed;
        Responder().Clear();
        for (const char* answer = row.answers; *answer; ++answer)
            Responder().Answer(*answer == 'y' ? IDYES : IDNO);
        for (const char* file = row.files; *file; ++file)
            Responder().AnswerFile(*file == 's' ? std::optional<AnsiString>(Path("saved.snt"))
                                                : std::nullopt);

        bool mayClose = false;
        if (row.command == Quit)
            FrontForm->FormCloseQuery(FrontForm, mayClose);
        else if (row.command == Clear)
            FrontForm->ClearNetwork1->Click();
        else
            FrontForm->ReadNetwork1->Click();

        EXPECT_EQ(Asked(), row.told);
        std::string dialogs;
        for (const FileRequest& request : Responder().FilesAsked)
            dialogs += request.Saving ? 's' : 'o';
        EXPECT_EQ(dialogs, row.dialogs);
        EXPECT_EQ(mayClose, row.mayClose);
        EXPECT_EQ(FrontForm->Network->Sewers.size(), row.cleared ? 1u : 3u);
        EXPECT_EQ(Exists(Path("saved.snt")), row.saved);
        // Only a save clears the flag; Clear leaves it as it was.
        EXPECT_EQ(DataEntryForm->NetworkChanged, row.changed && !row.saved);
        QFile::remove(dir.filePath("saved.snt"));
    }
}

TEST_F(NetworkFileCommands, AFailedSaveKeepsTheFlagAndTheFileName) {
    ReadRiversideChanged();
    const AnsiString unwritable = Path("no-such-folder/riverside.snt");
    const std::string cannotOpen =
        MessageLine("Error while saving network", "Could not open the file " + unwritable.str(), Exclamation);

    Responder().AnswerFile(unwritable);
    FrontForm->Save1->Click();
    EXPECT_EQ(Asked(), Texts{cannotOpen});
    EXPECT_TRUE(DataEntryForm->NetworkChanged);
    EXPECT_EQ(FrontForm->NetworkFileName, Data("riverside.snt"));

    // Save Network on a network never saved under any name asks for one; cancelled, nothing is saved.
    Responder().Clear();
    FrontForm->NetworkFileName = "";
    FrontForm->SaveNetwork1->Click();
    EXPECT_EQ(Asked(), Texts{});
    EXPECT_EQ(Responder().FilesAsked.size(), 1u);
    EXPECT_TRUE(DataEntryForm->NetworkChanged);

    // Saved under its name: the flag goes and the name stays.
    Responder().Clear();
    FrontForm->NetworkFileName = Path("riverside.snt");
    FrontForm->SaveNetwork1->Click();
    EXPECT_EQ(Asked(), Texts{});
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    EXPECT_TRUE(Exists(Path("riverside.snt")));
}

// The file would not give back what was saved: nothing is written and the network stays changed.
TEST_F(NetworkFileCommands, SaveRefusesTitlesAndNamesTheFileCannotHold) {
    using Change = void (*)(SimpleSewerNetwork&);
    const struct {
        const char* label;
        const char* title;
        Change change;
        const char* fault;
    } rows[] = {
        {"a title beginning with #", "#2 Riverside", [](SimpleSewerNetwork&) {},
         "the title #2 Riverside begins with \"#\". Give it another title."},
        {"a title holding a line break", "Riverside\nphase 2", [](SimpleSewerNetwork&) {},
         "the title Riverside\nphase 2 holds a line break. Give it a title on one line."},
        {"an empty sewer name", "Riverside", [](SimpleSewerNetwork& n) { n.Sewers[0]->SetName(""); },
         "sewer number 1 has no name. Give it one."},
        {"a sewer name holding a blank", "Riverside",
         [](SimpleSewerNetwork& n) { n.Sewers[1]->SetName("S 2"); },
         "the name of sewer \"S 2\" holds a blank. Give it a name without blanks."},
        {"a junction name beginning with #", "Riverside",
         [](SimpleSewerNetwork& n) { n.Junctions[0]->SetName("#J1"); },
         "the name of junction #J1 begins with \"#\". Give it another name."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ReadRiversideChanged();
        DataEntryForm->TitleEdit->SetText(row.title);
        row.change(*FrontForm->Network);
        Responder().AnswerFile(Path("refused.snt"));
        FrontForm->Save1->Click();
        EXPECT_EQ(Asked(),
                  Texts{MessageLine("Error while saving network",
                                    std::string("The network cannot be saved: ") + row.fault, Exclamation)});
        EXPECT_FALSE(Exists(Path("refused.snt")));
        EXPECT_TRUE(DataEntryForm->NetworkChanged);
        EXPECT_EQ(FrontForm->NetworkFileName, Data("riverside.snt"));
    }
}

TEST_F(NetworkFileCommands, ClearLeavesOneTenMetreSewer) {
    Read(Data("riverside.snt"));
    Responder().Clear();
    FrontForm->ClearNetwork1->Click();
    EXPECT_EQ(Asked(), Texts{});
    const SimpleSewerNetwork& network = *FrontForm->Network;
    ASSERT_EQ(network.Sewers.size(), 1u);
    EXPECT_EQ(network.Sewers[0]->Length, 10.0);
    // Connections are built: the sewer leaves J_up and reaches J_down.
    EXPECT_EQ(network.Junctions[0]->ConnectedSewers.size(), 1u);
    EXPECT_EQ(FrontForm->NetworkFileName, "");
    EXPECT_EQ(DataEntryForm->TitleEdit->GetText(), "Riverside scheme");
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
}

// The cleared network belongs to no file: Save Network asks for one, as Save As does, and the
// file read before keeps what it held.
TEST_F(NetworkFileCommands, SaveNetworkAfterClearAsksForAFile) {
    const struct {
        const char* label;
        std::optional<AnsiString> answer;
    } rows[] = {{"cancelled", std::nullopt}, {"a new file", Path("cleared.snt")}};
    const std::string riverside = Bytes(Data("riverside.snt"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        QFile::remove(dir.filePath("read.snt"));
        QFile::remove(dir.filePath("cleared.snt"));
        ASSERT_TRUE(
            QFile::copy(QString::fromStdString(Data("riverside.snt").str()), dir.filePath("read.snt")));
        Read(Path("read.snt"));
        DataEntryForm->NetworkChanged = true;
        Responder().Clear();
        Responder().Answer(IDNO);
        FrontForm->ClearNetwork1->Click();
        Responder().AnswerFile(row.answer);
        FrontForm->SaveNetwork1->Click();

        ASSERT_EQ(Responder().FilesAsked.size(), 1u);
        EXPECT_TRUE(Responder().FilesAsked[0].Saving);
        EXPECT_EQ(Responder().FilesAsked[0].FileName, "");
        EXPECT_EQ(Bytes(Path("read.snt")), riverside);
        EXPECT_EQ(Exists(Path("cleared.snt")), row.answer.has_value());
        EXPECT_EQ(DataEntryForm->NetworkChanged, !row.answer);
        if (!row.answer)
            continue;
        // Saved under the new name: the next Save Network writes there without a question.
        EXPECT_EQ(FrontForm->NetworkFileName, *row.answer);
        QFile::remove(dir.filePath("cleared.snt"));
        FrontForm->SaveNetwork1->Click();
        EXPECT_EQ(Responder().FilesAsked.size(), 1u);
        EXPECT_TRUE(Exists(Path("cleared.snt")));
        EXPECT_EQ(Bytes(Path("read.snt")), riverside);
    }
}

// Typing a title changes the network's title at once, and only a real change marks the network.
TEST_F(NetworkFileCommands, TheTitleBoxSetsTheNetworksTitle) {
    DataEntryForm->TitleEdit->SetText("No network yet");
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    Read(Data("riverside.snt"));
    EXPECT_EQ(DataEntryForm->TitleEdit->GetText(), "Riverside scheme");
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    DataEntryForm->TitleEdit->SetText("Riverside scheme, phase 2");
    EXPECT_EQ(FrontForm->Network->Name, "Riverside scheme, phase 2");
    EXPECT_TRUE(DataEntryForm->NetworkChanged);
}

} // namespace
