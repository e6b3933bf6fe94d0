#pragma once

#include "framework/Button.h"
#include "framework/CommonDialogs.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/Panel.h"
#include "framework/StatusBar.h"
#include "framework/Timer.h"

#include <memory>

class SimpleSewerNetwork;
class TAboutBox;

// The main window: menus, tool buttons and status bar around a panel in which one working window
// at a time is docked. It owns the network and the name of the file it came from.
class TFrontForm : public TForm {
public:
    explicit TFrontForm(TComponent* Owner);
    ~TFrontForm() override;

    void FormCreate(TObject* Sender);
    // The first activation (or first showing, whichever comes first) docks the first working
    // window and reads the command line's file; later ones do nothing.
    void FormActivate(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void ShowHint(TObject* Sender);

    // Docks form in FormPanel, at the panel's size, over (and hiding) the window docked before.
    void ShowChildForm(TForm* form);
    // Makes network the program's network and frees the one before.
    void ReplaceNetwork(std::unique_ptr<SimpleSewerNetwork> network);
    // Asks for a file and reads it into a new network: 0 when read, 1 when cancelled or the
    // file could not be read, in which case the old network and its file name stay.
    int ReadNetwork();
    // Reads CommandLineFile into a new network.
    void OpenCommandLineNetwork();
    // Makes a network built in the program (from the results table's batch data) the program's
    // network, shown as after a read, once the changed one was offered for saving: false when a
    // save the user asked for did not happen, the old network then staying.
    bool TakeNetwork(std::unique_ptr<SimpleSewerNetwork> taken);

    void ReadNetwork1Click(TObject* Sender);
    void ReadAppendMenuClick(TObject* Sender);
    void SaveNetwork1Click(TObject* Sender);
    void Save1Click(TObject* Sender);
    void SaveformtoClipboard1Click(TObject* Sender);
    void ClearNetwork1Click(TObject* Sender);
    void PrintSetup1Click(TObject* Sender);
    void Print1Click(TObject* Sender);
    void Printlayoutoftable1Click(TObject* Sender);
    void Printtable1Click(TObject* Sender);
    // The docked window's picture on paper.
    void PrintForm1Click(TObject* Sender);
    void Exit1Click(TObject* Sender);
    void SaveresultstableasCSV1Click(TObject* Sender);
    void DataEntryForm1Click(TObject* Sender);
    // Designs the network into the results table, docked, once the network passes its check.
    void ResultsTable1Click(TObject* Sender);
    // Docks the costings window, its rates read first while it has no matrix.
    void CostingButtonClick(TObject* Sender);
    void Calculationform1Click(TObject* Sender);
    void VisualEditor1Click(TObject* Sender);
    void SelectColumnstoview1Click(TObject* Sender);
    void DeleteUnusedJunctionsMenuClick(TObject* Sender);
    void Removehighlights1Click(TObject* Sender);
    void SectionPropsMenuItemClick(TObject* Sender);
    void MinimumGradientCalc1Click(TObject* Sender);
    void Contents1Click(TObject* Sender);
    void Webpage1Click(TObject* Sender);
    void About1Click(TObject* Sender);

    TPanel* ToolPanel;
    TButton* ShowVisulaEditorButton;
    TButton* DataEntryShowButton;
    TButton* ShowTableFormButton;
    TButton* ShowCalculationFormButton;
    TButton* CostingButton;
    TButton* ExitButton;
    TPanel* FormPanel;
    TStatusBar* StatusBar;
    TMainMenu* MainMenu1;
    TMenuItem* File1;
    TMenuItem* ReadNetwork1;
    TMenuItem* ReadAppendMenu;
    TMenuItem* SaveNetwork1;
    TMenuItem* Save1;
    TMenuItem* SaveresultstableasCSV1;
    TMenuItem* SaveformtoClipboard1;
    TMenuItem* ClearNetwork1;
    TMenuItem* PrintSetup1;
    TMenuItem* Print1;
    TMenuItem* Printlayoutoftable1;
    TMenuItem* Printtable1;
    TMenuItem* PrintForm1;
    TMenuItem* Exit1;
    TMenuItem* View1;
    TMenuItem* DataEntryForm1;
    TMenuItem* ResultsTable1;
    TMenuItem* Calculationform1;
    TMenuItem* VisualEditor1;
    TMenuItem* SelectColumnstoview1;
    TMenuItem* Options1;
    TMenuItem* DeleteUnusedJunctionsMenu;
    TMenuItem* Removehighlights1;
    TMenuItem* Tools1;
    TMenuItem* SectionPropsMenuItem;
    TMenuItem* MinimumGradientCalc1;
    TMenuItem* Help1;
    TMenuItem* Contents1;
    TMenuItem* Webpage1;
    TMenuItem* About1;
    TOpenDialog* OpenDialog;
    TSaveDialog* SaveDialog;
    TPrinterSetupDialog* PrinterSetupDialog1;

    // The working window docked last; null before the first activation and once it has closed.
    TForm* CurrentChildForm = nullptr;
    // Null until a network is read or entered; replaced whole through ReplaceNetwork.
    SimpleSewerNetwork* const& Network = network;
    // The file the network was last read from or saved to; empty for a network from no file,
    // which Save Network then saves as Save As does.
    AnsiString NetworkFileName;
    // The network file named on the command line, read at the first activation.
    AnsiString CommandLineFile;

private:
    using Handler = void (TFrontForm::*)(TObject*);
    // A menu item under menu; without a handler it is disabled, as its command is not there.
    TMenuItem* NewItem(TMenuItem* menu, const AnsiString& caption, const AnsiString& hint,
                       Handler click = nullptr);
    TButton* NewButton(int left, int width, const AnsiString& caption, const AnsiString& hint, Handler click);
    void LoadCursors();
    // Saves under a chosen name: true when the network was written.
    bool SaveAs();
    // The network, with the title box's title and the results window's edited settings, into
    // the file: 0, or 1 after the write's message.
    int WriteNetwork(const AnsiString& fileName);
    // Asks whether to save the changed network first and saves on Yes: false when the user asked
    // for a save that did not happen although there is a network to save.
    bool OfferToSave(const AnsiString& text, const AnsiString& caption, int flags);
    // Puts the title of the network just read into the windows that show it.
    void ShowReadNetwork();
    // The desktop shows nothing when it cannot open a page, so the user is told.
    void PageNotOpened(const AnsiString& page);
    // A menu command leaves the focus where it is, so the box being edited in the docked window
    // is left first: its exit applies the edit, as leaving it by hand does. False when the box
    // cannot be left, and no command runs.
    bool LeaveEditedBox();
    // The docked windows' close: the main window no longer shows one; the window stays for its
    // owner to free.
    void ChildFormClose(TObject* Sender, TCloseAction& Action);

    std::unique_ptr<SimpleSewerNetwork> ownedNetwork;
    SimpleSewerNetwork* network = nullptr;
    std::unique_ptr<TAboutBox> splash;
    bool activated = false;
};

extern TFrontForm* FrontForm;

// The program's home page: it has no web site of its own, so the manual shipped beside it.
constexpr const char* HomePage = "Drenvala.html";
