#include "tests/app/ProgramWindows.h"
#include "tests/support/AnsiStringPrinter.h"

#include "framework/Application.h"
#include "framework/Printer.h"

#include <QClipboard>
#include <QGuiApplication>

#include <functional>
#include <string>

namespace {

using Commands = ProgramWindows;

// What a click did, as the user sees it: messages, dialogs, windows opened or docked, documents
// opened, the clipboard, a check mark. Every question is answered No.
std::string Effect(const std::function<void()>& click, TMenuItem* item = nullptr) {
    Responder().Clear();
    Responder().Answer(IDNO);
    for (int i = 0; i < 2; ++i)
        Responder().ModalActions.push_back(
            [](TForm& form) { Responder().Opened.push_back("window " + form.GetCaption()); });
    FrontForm->ShowChildForm(DataEntryForm);
    QGuiApplication::clipboard()->clear();
    const bool checked = item && item->GetChecked();

    click();

    std::string effect;
    const auto add = [&](const std::string& part) { effect += (effect.empty() ? "" : "; ") + part; };
    for (const MessageRequest& asked : Responder().Asked)
        add("message " + asked.Caption.str() + ": " + asked.Text.str());
    for (const FileRequest& asked : Responder().FilesAsked)
        add((asked.Saving ? "save dialog " : "open dialog ") + asked.Filter.str() + " at " +
            std::to_string(asked.FilterIndex));
    for (const AnsiString& opened : Responder().Opened)
        add("opens " + opened.str());
    if (FrontForm->CurrentChildForm != DataEntryForm)
        add("docks " + FrontForm->CurrentChildForm->GetCaption().str());
    if (Responder().PrinterSetups > 0)
        add("printer setup");
    if (!QGuiApplication::clipboard()->image().isNull())
        add("clipboard picture");
    if (TableColumnsEditorForm->GetVisible()) {
        add("shows " + TableColumnsEditorForm->GetCaption().str());
        TableColumnsEditorForm->Hide();
    }
    if (item && item->GetChecked() != checked)
        add(item->GetChecked() ? "check mark on" : "check mark off");
    return effect;
}

// No system printer, whatever the machine has: every job asks for a PDF file.
void UsePdfPrinter() {
    Printer()->Device().setOutputFormat(QPrinter::PdfFormat);
    Printer()->Device().setOutputFileName(QString());
}

const std::string Filter = "Sewer Network files (*.snt)|*.snt|All files (*.*)|*.*";
const std::string NotYet = "message Drenvala: This function has not been implemented yet.";
const std::string CsvFilter = "CSV files (*.csv)|*.csv|All files (*.*)|*.*";
const std::string PdfFile = "save dialog PDF files (*.pdf)|*.pdf|All files (*.*)|*.* at 1";
const std::string NoNetwork =
    "message Information: You must enter a network before you can do any calculations.";

// The menus' items in order, and what each command does with no network, none changed.
TEST_F(Commands, MenuItemsShowTheirTextsAndRunTheirCommands) {
    const std::string help = "opens " + Application->ExeDir().str() + "Drenvala.html";
    struct Row {
        TMenuItem* item;
        const char* caption;
        bool visible;
        std::string effect;
    };
    const Row Separator{nullptr, "-", true, ""};
    const Row rows[] = {
        {FrontForm->File1, "&File", true, ""},
        {FrontForm->ReadNetwork1, "&Read Network", true, "open dialog " + Filter + " at 1"},
        {FrontForm->ReadAppendMenu, "Read Network Adding to &Existing", false, NotYet},
        Separator,
        {FrontForm->SaveNetwork1, "&Save Network", true, ""},
        {FrontForm->Save1, "Save Network &As ...", true, "save dialog " + Filter + " at 1"},
        {FrontForm->SaveresultstableasCSV1, "Save Solution &Table as CSV", true,
         "save dialog " + CsvFilter + " at 1"},
        {FrontForm->SaveformtoClipboard1, "Save Image of Screen to &Clipboard", true, "clipboard picture"},
        Separator,
        {FrontForm->ClearNetwork1, "C&lear Network", true, ""},
        Separator,
        {FrontForm->PrintSetup1, "Printer Set&up", true, "printer setup"},
        Separator,
        {FrontForm->Print1, "&Print a Summary of Network", false, NotYet},
        {FrontForm->Printlayoutoftable1, "Printer Layout for Solution Table", true,
         "opens window Printer Setup for Layout of Solution Table"},
        // Without a printer the table goes into a PDF file; the file dialog is cancelled.
        {FrontForm->Printtable1, "P&rint Solution Table", true, PdfFile},
        Separator,
        {FrontForm->PrintForm1, "Print &Image of Screen", true, PdfFile},
        Separator,
        {FrontForm->Exit1, "E&xit", true, "message Really Quit: Do you really want to quit?"},
        {FrontForm->View1, "&View", true, ""},
        // Already docked there, as each command starts from the editor.
        {FrontForm->DataEntryForm1, "&Data Entry/Edit Screen", true, ""},
        {FrontForm->ResultsTable1, "&Results Table", true, NoNetwork},
        {FrontForm->Calculationform1, "&Calculator Screen", true, "docks Drenvala Design"},
        {FrontForm->VisualEditor1, "&Visual Editor", true, "docks VisualEditForm"},
        Separator,
        {FrontForm->SelectColumnstoview1, "Select columns to view", true, "shows Table View Control"},
        {FrontForm->Options1, "&Options", true, ""},
        {FrontForm->DeleteUnusedJunctionsMenu, "Delete unused junctions", true, "check mark off"},
        {FrontForm->Removehighlights1, "Remove highlights", true, ""},
        {FrontForm->Tools1, "&Tools", true, ""},
        {FrontForm->SectionPropsMenuItem, "&Section properties", true, "opens window Section Properties"},
        {FrontForm->MinimumGradientCalc1, "&Max. no. of houses", true,
         "opens window Number of houses for minimum gradient"},
        {FrontForm->Help1, "&Help", true, ""},
        {FrontForm->Contents1, "&Contents", true, help},
        {FrontForm->Webpage1, "&Web page", true, help},
        Separator,
        {FrontForm->About1, "&About", true, "opens window About"},
    };
    // The rows stand in the order of the menus, each menu followed by its items.
    std::vector<std::string> shown, listed;
    for (int m = 0; m < FrontForm->MainMenu1->Items->Count(); ++m) {
        const TMenuItem* menu = FrontForm->MainMenu1->Items->Items(m);
        shown.push_back(menu->GetCaption().str());
        for (int i = 0; i < menu->Count(); ++i)
            shown.push_back(menu->Items(i)->GetCaption().str());
    }
    for (const Row& row : rows)
        listed.push_back(row.caption);
    EXPECT_EQ(shown, listed);

    Application->HelpFile = "Drenvala.hlp";
    UsePdfPrinter();
    for (const Row& row : rows) {
        if (!row.item)
            continue;
        SCOPED_TRACE(row.caption);
        EXPECT_TRUE(row.item->GetEnabled());
        EXPECT_EQ(row.item->GetVisible(), row.visible);
        EXPECT_EQ(Effect([&] { row.item->Click(); }, row.item), row.effect);
    }
}

TEST_F(Commands, ToolButtonsRunTheirCommands) {
    const struct {
        TButton* button;
        const char* caption;
        const char* effect;
    } rows[] = {
        {FrontForm->ShowVisulaEditorButton, "Visual Editor", "docks VisualEditForm"},
        {FrontForm->DataEntryShowButton, "Data Entry/Edit", ""},
        {FrontForm->ShowTableFormButton, "Results Table", NoNetwork.c_str()},
        {FrontForm->ShowCalculationFormButton, "Calculator", "docks Drenvala Design"},
        {FrontForm->CostingButton, "Costing ", "docks Drenvala Costings"},
        {FrontForm->ExitButton, "Exit", "message Really Quit: Do you really want to quit?"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
        EXPECT_EQ(row.button->GetCaption(), row.caption);
        EXPECT_TRUE(row.button->GetEnabled());
        EXPECT_EQ(Effect([&] { row.button->Click(); }), row.effect);
    }
}

// The desktop with nothing to open a page with.
struct NoBrowser : ScriptedResponder {
    bool OpenDocument(const AnsiString& target) override {
        Opened.push_back(target);
        return false;
    }
};

// The help and the home page are the manual beside the program; when it is missing, or the desktop
// cannot open it, a message names the file instead of nothing happening.
TEST_F(Commands, HelpPagesThatDoNotOpenAreReported) {
    Application->HelpFile = "Drenvala.hlp";
    const std::string manual = Application->ExeDir().str() + "Drenvala.html";
    QTemporaryDir empty;
    const std::string missing = empty.path().toStdString() + "/Drenvala.html";
    const struct {
        const char* label;
        TMenuItem* item;
        bool manualThere;
        Texts asked;
        Texts opened;
    } rows[] = {
        {"contents, no browser",
         FrontForm->Contents1,
         true,
         {MessageLine("Error", "Could not open " + manual + ".", 0x30)},
         {manual}},
        {"web page, no browser",
         FrontForm->Webpage1,
         true,
         {MessageLine("Error", "Could not open " + manual + ".", 0x30)},
         {manual}},
        {"contents, no manual",
         FrontForm->Contents1,
         false,
         {MessageLine("Error", "Could not open " + missing + ".", 0x30)},
         {}},
        {"web page, no manual",
         FrontForm->Webpage1,
         false,
         {MessageLine("Error", "Could not open " + missing + ".", 0x30)},
         {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        NoBrowser desktop;
        SetDialogResponder(&desktop);
        Application->SetExeDir(row.manualThere ? AnsiString() : AnsiString(empty.path().toStdString() + "/"));
        row.item->Click();
        Application->SetExeDir({});
        SetDialogResponder(&Responder());
        Texts asked, opened;
        for (const MessageRequest& request : desktop.Asked)
            asked.push_back(MessageLine(request.Caption.str(), request.Text.str(), request.Flags));
        for (const AnsiString& target : desktop.Opened)
            opened.push_back(target.str());
        EXPECT_EQ(asked, row.asked);
        EXPECT_EQ(opened, row.opened);
    }
}

// The application's hint, from whatever is under the mouse, goes to the status bar's first panel;
// the visual editor, once made, shows its scale and mode in two others.
TEST_F(Commands, HintsGoToTheStatusBar) {
    EXPECT_EQ(FrontForm->GetCaption(), "Drenvala");
    const char* const panels[] = {"", "Scale: 1.0", "X:", "Y:", "Edit Mode"};
    ASSERT_EQ(FrontForm->StatusBar->Panels->Count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(FrontForm->StatusBar->Panels->Items(i)->GetText(), panels[i]);
    FrontForm->ShowVisulaEditorButton->ViewMouseEnter();
    EXPECT_EQ(FrontForm->StatusBar->Panels->Items(0)->GetText(),
              "Show the form for visual editing of the network and sewer properties");
    Application->SetHint("Read the network description from a file");
    EXPECT_EQ(FrontForm->StatusBar->Panels->Items(0)->GetText(), "Read the network description from a file");
    Application->SetHint("");
}

} // namespace
