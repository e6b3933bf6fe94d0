#pragma once

#include "controls/Typededit.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/ListBox.h"
#include "framework/Menus.h"
#include "framework/Panel.h"
#include "framework/RadioGroup.h"
#include "controls/ShownNumber.h"

class Sewer;
class SewerNode;

// The tabular network editor, docked in the main window: the sewers and junctions in two lists,
// with boxes for the highlighted one. An edit is applied when the user leaves a box they changed.
// The window also holds the network's title box and the program's one record of unsaved edits.
class TDataEntryForm : public TForm {
public:
    explicit TDataEntryForm(TComponent* Owner);

    void FormShow(TObject* Sender);
    // Refill the lists from the network, keeping the highlighted places where they still stand
    // (else highlighting the last item), and show the highlighted items in the boxes.
    void RefreshLists();
    void RefreshJunctionList();

    void SewerListBoxClick(TObject* Sender);
    void SewerListBoxKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void JunctionListBoxClick(TObject* Sender);
    void JunctionListBoxKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void SewerEditChange(TObject* Sender);
    void SewerEditExit(TObject* Sender);
    void JunctionEditChange(TObject* Sender);
    void JunctionEditExit(TObject* Sender);
    void PopRadioGroupClick(TObject* Sender);
    void PopRadioGroupExit(TObject* Sender);
    void DSDropJunctionCheckBoxClick(TObject* Sender);
    void DSDropJunctionCheckBoxMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    // A toggle by the keyboard applies as the box is left.
    void DSDropJunctionCheckBoxExit(TObject* Sender);
    // Puts the typed title into the network, which then has an unsaved change.
    void TitleEditChange(TObject* Sender);
    void DatumButtonClick(TObject* Sender);
    void CheckNetworkButtonClick(TObject* Sender);
    void ReadNetworkButtonClick(TObject* Sender);
    void AddSewerPopupClick(TObject* Sender);
    void DeleteSewerPopupClick(TObject* Sender);
    void AddJunctionPopupClick(TObject* Sender);
    void DeleteJunctionPopupClick(TObject* Sender);

    // Adds a sewer "S<n>" (the first free n) from "J_up" to "J_down", 10 m long, making a network
    // first if there is none.
    void AddSewerButtonClick(TObject* Sender);
    // The sewer apply: the boxes' values into the highlighted sewer, all of them or, after a
    // message or a conversion error, none.
    void ApplySewerChangeButtonClick(TObject* Sender);
    // The junction apply, likewise.
    void ApplyJunctionChangesButtonClick(TObject* Sender);
    void RemoveSewerButtonClick(TObject* Sender);
    void RemoveJunctionButtonClick(TObject* Sender);
    void AddJunctionButtonClick(TObject* Sender);
    void Button1Click(TObject* Sender);

    TLabel* Label1;
    TEdit* TitleEdit;
    TButton* ReadNetworkButton;
    TLabel* SewerListLabel;
    TListBox* SewerListBox;
    TLabel* SewerNoteLabel;
    TLabel* SewerNameLabel;
    TTypedEdit* SewerNameTypedEdit;
    TLabel* LengthLabel;
    TTypedEdit* LengthTypedEdit;
    TLabel* InitialInfiltrationLabel;
    TTypedEdit* InitialInfiltrationTypedEdit;
    TLabel* FinalInfiltrationLabel;
    TTypedEdit* FinalInfiltrationTypedEdit;
    TLabel* USJunctionLabel;
    TTypedEdit* USJunctionTypedEdit;
    TButton* DatumButton;
    TLabel* DSJunctionLabel;
    TTypedEdit* DSJunctionTypedEdit;
    TCheckBox* DSDropJunctionCheckBox;
    TLabel* PopulationLabel;
    TRadioGroup* PopRadioGroup;
    TLabel* InitPopLabel;
    TTypedEdit* InitialPopTypedEdit;
    TLabel* FinalPopLabel;
    TTypedEdit* FinalPopTypedEdit;
    TLabel* JunctionListLabel;
    TListBox* JunctionListBox;
    TLabel* JunctionNoteLabel;
    TLabel* JunctionNameLabel;
    TTypedEdit* JunctionNameTypedEdit;
    TLabel* GroundLevelLabel;
    TTypedEdit* GroundLevelTypedEdit;
    TGroupBox* CheckGroupBox;
    TButton* CheckNetworkButton;
    TPopupMenu* SewerListPopupMenu;
    TMenuItem* AddSewerPopup;
    TMenuItem* DeleteSewerPopup;
    TPopupMenu* JunctionPopupMenu;
    TMenuItem* AddJunctionPopup;
    TMenuItem* DeleteJunctionPopup;
    TButton* AddSewerButton;
    TButton* ApplySewerChangeButton;
    TButton* ApplyJunctionChangesButton;
    TButton* RemoveSewerButton;
    TButton* RemoveJunctionButton;
    TButton* AddJunctionButton;
    TButton* Button1;

    // The network has edits that were not saved: set by the editors, cleared by reads and saves.
    bool NetworkChanged = false;

private:
    void LoadCaptions();
    // Applies the sewer boxes once the user has changed one of them.
    void ApplyUserSewerChanges();
    // The sewer and junction the lists highlight, when they still name the network's; else null.
    Sewer* SelectedSewer() const;
    SewerNode* SelectedJunction() const;

    // What the number boxes were filled with.
    ShownNumber shownLength, shownInitialInfiltration, shownFinalInfiltration, shownGroundLevel;
    // A sewer box, the population choice or the drop box changed by the user since the last apply.
    bool SewerEditChanged = false;
    bool JunctionEditChanged = false;
    bool PopulationChanged = false;
    bool DropJunctionChanged = false;
    // The window is filling its boxes from the network: their changes are not the user's.
    int filling = 0;
    // An apply is under way: a message it shows moves no focus that could start another.
    bool applying = false;

    // While one stands, the window is filling its boxes.
    class Filling {
    public:
        explicit Filling(TDataEntryForm& form) : form(form) { ++form.filling; }
        ~Filling() { --form.filling; }
        Filling(const Filling&) = delete;
        Filling& operator=(const Filling&) = delete;

    private:
        TDataEntryForm& form;
    };
};

extern TDataEntryForm* DataEntryForm;
