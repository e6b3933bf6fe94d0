#include "app/AboutUnit.h"
#include "app/Front.h"
#include "controls/EditedBox.h"
#include "framework/Application.h"
#include "framework/Screen.h"
#include "network/Sewernetwork.h"
#include "resources/Cursors.h"
#include "resources/StringTable.h"

TFrontForm* FrontForm = nullptr;

namespace {

constexpr const char* NetworkFilter = "Sewer Network files (*.snt)|*.snt|All files (*.*)|*.*";

} // namespace

TFrontForm::TFrontForm(TComponent* Owner) : TForm(Owner) {
    // Larger than 799 x 594, so that the design window's layout fits the panel at our font.
    SetBounds(0, 0, 870, 650);
    Position = poDesktopCenter;
    HelpContext = 10;

    ToolPanel = new TPanel(this);
    ToolPanel->SetParent(this);
    ToolPanel->SetHeight(41);
    ToolPanel->SetAlign(alTop);
    // Commands whose windows are not there have no handler yet, and stay disabled.
    ShowVisulaEditorButton =
        NewButton(8, 121, LoadStr(1295),
                  "Enter/Edit the network interactivly|Show the form for visual editing of the network and "
                  "sewer properties",
                  &TFrontForm::VisualEditor1Click);
    DataEntryShowButton = NewButton(136, 121, LoadStr(1296), LoadStr(1297), &TFrontForm::DataEntryForm1Click);
    ShowTableFormButton = NewButton(264, 121, LoadStr(1298), LoadStr(1299), &TFrontForm::ResultsTable1Click);
    ShowCalculationFormButton =
        NewButton(392, 121, LoadStr(1300), LoadStr(1301), &TFrontForm::Calculationform1Click);
    CostingButton = NewButton(552, 121, "Costing ", "Show the calculation form for a single sewer",
                              &TFrontForm::CostingButtonClick);
    ExitButton = NewButton(688, 84, LoadStr(1302), LoadStr(1303), &TFrontForm::Exit1Click);

    StatusBar = new TStatusBar(this);
    StatusBar->SetParent(this);
    StatusBar->SetAlign(alBottom);
    StatusBar->SetSizeGrip(false);
    StatusBar->SetSimplePanel(false);
    const struct {
        int width;
        const char* text;
    } panels[] = {{400, ""}, {70, "Scale:"}, {100, "X:"}, {100, "Y:"}, {50, ""}};
    for (const auto& [width, text] : panels) {
        TStatusPanel* panel = StatusBar->Panels->Add();
        panel->SetWidth(width);
        panel->SetText(text);
    }

    FormPanel = new TPanel(this);
    FormPanel->SetParent(this);
    FormPanel->SetAlign(alClient);
    FormPanel->OnResize = [this](TObject* sender) { FormResize(sender); };

    MainMenu1 = new TMainMenu(this);
    TMenuItem* const bar = MainMenu1->Items;
    File1 = NewItem(bar, LoadStr(1251), LoadStr(1252));
    ReadNetwork1 = NewItem(File1, LoadStr(1253), LoadStr(1254), &TFrontForm::ReadNetwork1Click);
    ReadAppendMenu = NewItem(File1, LoadStr(1255), "", &TFrontForm::ReadAppendMenuClick);
    ReadAppendMenu->SetVisible(false);
    NewItem(File1, "-", "");
    SaveNetwork1 = NewItem(File1, LoadStr(1256), "", &TFrontForm::SaveNetwork1Click);
    Save1 = NewItem(File1, LoadStr(1257), LoadStr(1258), &TFrontForm::Save1Click);
    SaveresultstableasCSV1 =
        NewItem(File1, LoadStr(1259), LoadStr(1260), &TFrontForm::SaveresultstableasCSV1Click);
    SaveformtoClipboard1 = NewItem(File1, LoadStr(1261),
                                   "Use this to save the form shown and the paste it into a word processor",
                                   &TFrontForm::SaveformtoClipboard1Click);
    NewItem(File1, "-", "");
    ClearNetwork1 = NewItem(File1, LoadStr(1262), "", &TFrontForm::ClearNetwork1Click);
    NewItem(File1, "-", "");
    PrintSetup1 = NewItem(File1, LoadStr(1263), LoadStr(1264), &TFrontForm::PrintSetup1Click);
    NewItem(File1, "-", "");
    Print1 = NewItem(File1, LoadStr(1265), LoadStr(1266), &TFrontForm::Print1Click);
    Print1->SetVisible(false);
    Printlayoutoftable1 = NewItem(File1, LoadStr(1267), "", &TFrontForm::Printlayoutoftable1Click);
    Printtable1 = NewItem(File1, LoadStr(1268), LoadStr(1269), &TFrontForm::Printtable1Click);
    NewItem(File1, "-", "");
    PrintForm1 = NewItem(File1, LoadStr(1270), LoadStr(1271), &TFrontForm::PrintForm1Click);
    NewItem(File1, "-", "");
    Exit1 = NewItem(File1, LoadStr(1272), LoadStr(1273), &TFrontForm::Exit1Click);

    View1 = NewItem(bar, LoadStr(1274), "");
    DataEntryForm1 = NewItem(View1, LoadStr(1275), LoadStr(1276), &TFrontForm::DataEntryForm1Click);
    ResultsTable1 = NewItem(View1, LoadStr(1277), LoadStr(1278), &TFrontForm::ResultsTable1Click);
    Calculationform1 = NewItem(View1, LoadStr(1279), LoadStr(1280), &TFrontForm::Calculationform1Click);
    VisualEditor1 =
        NewItem(View1, LoadStr(1281), "Show the form for visual editing of the network and sewer properties",
                &TFrontForm::VisualEditor1Click);
    NewItem(View1, "-", "");
    SelectColumnstoview1 = NewItem(View1, LoadStr(1282), "", &TFrontForm::SelectColumnstoview1Click);

    Options1 = NewItem(bar, LoadStr(1283), "");
    DeleteUnusedJunctionsMenu =
        NewItem(Options1, LoadStr(1284), "", &TFrontForm::DeleteUnusedJunctionsMenuClick);
    DeleteUnusedJunctionsMenu->SetChecked(true);
    Removehighlights1 = NewItem(Options1, LoadStr(1285),
                                "Remove highlights|Remove the highlights for selected junction/sewers",
                                &TFrontForm::Removehighlights1Click);

    Tools1 = NewItem(bar, LoadStr(1286), "");
    SectionPropsMenuItem = NewItem(Tools1, LoadStr(1287), "", &TFrontForm::SectionPropsMenuItemClick);
    MinimumGradientCalc1 = NewItem(Tools1, LoadStr(1288), "", &TFrontForm::MinimumGradientCalc1Click);

    Help1 = NewItem(bar, LoadStr(1289), "");
    Contents1 = NewItem(Help1, LoadStr(1290), LoadStr(1291), &TFrontForm::Contents1Click);
    Webpage1 = NewItem(Help1, LoadStr(1292), "", &TFrontForm::Webpage1Click);
    NewItem(Help1, "-", "");
    About1 = NewItem(Help1, LoadStr(1293), LoadStr(1294), &TFrontForm::About1Click);
    SetMenu(MainMenu1);

    OpenDialog = new TOpenDialog(this);
    OpenDialog->Filter = NetworkFilter;
    SaveDialog = new TSaveDialog(this);
    SaveDialog->Filter = NetworkFilter;
    SaveDialog->DefaultExt = "snt";
    SaveDialog->Options = ofOverwritePrompt | ofHideReadOnly | ofEnableSizing;
    PrinterSetupDialog1 = new TPrinterSetupDialog(this);

    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormActivate(sender); };
    OnActivate = [this](TObject* sender) { FormActivate(sender); };
    OnResize = [this](TObject* sender) { FormResize(sender); };
    OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    LoadCursors();
    SetCaption(LoadStr(1250));
    CommandsLeaveEditedBoxFirst(*this, [this] { return LeaveEditedBox(); });
    EndLayout();
}

TFrontForm::~TFrontForm() {
    Application->OnHint = nullptr;
}

TMenuItem* TFrontForm::NewItem(TMenuItem* menu, const AnsiString& caption, const AnsiString& hint,
                               Handler click) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    item->Hint = hint;
    // Top-level menus and separators run nothing of their own.
    const bool isCommand = menu != MainMenu1->Items && caption != "-";
    if (click)
        item->OnClick = [this, click](TObject* sender) { (this->*click)(sender); };
    else if (isCommand)
        item->SetEnabled(false);
    menu->Add(item);
    return item;
}

TButton* TFrontForm::NewButton(int left, int width, const AnsiString& caption, const AnsiString& hint,
                               Handler click) {
    auto* button = new TButton(this);
    button->SetParent(ToolPanel);
    button->SetBounds(left, 8, width, 25);
    button->SetCaption(caption);
    button->Hint = hint;
    button->ShowHint = true;
    if (click)
        button->OnClick = [this, click](TObject* sender) { (this->*click)(sender); };
    else
        button->SetEnabled(false);
    return button;
}

void TFrontForm::LoadCursors() {
    Screen->SetCursors(5, LoadCursor("MAGNIFY"));
    Screen->SetCursors(6, LoadCursor("PENCIL"));
}
