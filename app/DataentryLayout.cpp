#include "app/Dataentry.h"

#include "controls/EditedBox.h"
#include "network/WindowLayout.h"
#include "resources/StringTable.h"

namespace {

// A typed box of the editor: its modified text shows red.
TTypedEdit* NewBox(TDataEntryForm* form, int left, int top, int width, TTypedEditType type,
                   std::int16_t precision, const AnsiString& text) {
    TTypedEdit* box = NewTypedEdit(form, form, left, top, type, precision, text);
    box->SetWidth(width);
    box->ShowModified = true;
    box->ModifiedColor = clRed;
    return box;
}

TLabel* NewNote(TDataEntryForm* form, int left, int top, int width, int height) {
    TLabel* label = NewLabel(form, form, left, top);
    label->SetWordWrap(true);
    label->SetBounds(left, top, width, height);
    return label;
}

TButton* NewButton(TDataEntryForm* form, TWinControl* parent, int left, int top, int width) {
    auto* button = new TButton(form);
    button->SetParent(parent);
    button->SetBounds(left, top, width, 25);
    return button;
}

TListBox* NewList(TDataEntryForm* form, int left, TPopupMenu* menu) {
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->SetBounds(left, 56, 161, 409);
    list->PopupMenu = menu;
    list->ShowHint = true;
    return list;
}

TMenuItem* NewItem(TDataEntryForm* form, TPopupMenu* menu, const AnsiString& caption = "") {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    menu->Items->Add(item);
    return item;
}

} // namespace

TDataEntryForm::TDataEntryForm(TComponent* Owner) : TForm(Owner) {
    SetBounds(0, 0, 870, 520);
    HelpContext = 60;

    SewerListPopupMenu = new TPopupMenu(this);
    AddSewerPopup = NewItem(this, SewerListPopupMenu);
    NewItem(this, SewerListPopupMenu, "-");
    DeleteSewerPopup = NewItem(this, SewerListPopupMenu);
    JunctionPopupMenu = new TPopupMenu(this);
    AddJunctionPopup = NewItem(this, JunctionPopupMenu);
    NewItem(this, JunctionPopupMenu, "-");
    DeleteJunctionPopup = NewItem(this, JunctionPopupMenu);

    Label1 = NewLabel(this, this, 24, 12);
    TitleEdit = new TEdit(this);
    TitleEdit->SetParent(this);
    TitleEdit->SetBounds(56, 8, 281, 21);
    ReadNetworkButton = NewButton(this, this, 352, 6, 97);
    ReadNetworkButton->ShowHint = true;

    SewerListLabel = NewLabel(this, this, 8, 40);
    SewerListBox = NewList(this, 8, SewerListPopupMenu);
    SewerNoteLabel = NewNote(this, 180, 56, 265, 28);
    // The sewer's boxes, one row each: label on the left, box on the right.
    int top = 92;
    const auto row = [&](TLabel*& label, TTypedEditType type, std::int16_t precision,
                         const AnsiString& text) {
        label = NewLabel(this, this, 180, top + 3);
        TTypedEdit* box = NewBox(this, 340, top, 105, type, precision, text);
        top += 26;
        return box;
    };
    SewerNameTypedEdit = row(SewerNameLabel, etString, 0, "");
    LengthTypedEdit = row(LengthLabel, etFloat, 2, "0.00");
    InitialInfiltrationTypedEdit = row(InitialInfiltrationLabel, etFloat, 2, "0.00");
    FinalInfiltrationTypedEdit = row(FinalInfiltrationLabel, etFloat, 2, "0.00");
    USJunctionTypedEdit = row(USJunctionLabel, etString, 0, "");
    DatumButton = NewButton(this, this, 180, top, 265);
    top += 32;
    DSJunctionTypedEdit = row(DSJunctionLabel, etString, 0, "");
    DSDropJunctionCheckBox = new TCheckBox(this);
    DSDropJunctionCheckBox->SetParent(this);
    DSDropJunctionCheckBox->SetBounds(180, top, 265, 17);
    top += 26;
    PopulationLabel = NewLabel(this, this, 180, top);
    PopRadioGroup = new TRadioGroup(this);
    PopRadioGroup->SetParent(this);
    PopRadioGroup->SetBounds(180, top + 16, 265, 41);
    PopRadioGroup->SetColumns(2);
    top += 66;
    InitialPopTypedEdit = row(InitPopLabel, etNumeric, 0, "0");
    FinalPopTypedEdit = row(FinalPopLabel, etNumeric, 0, "0");

    JunctionListLabel = NewLabel(this, this, 456, 40);
    JunctionListBox = NewList(this, 456, JunctionPopupMenu);
    JunctionNoteLabel = NewNote(this, 628, 56, 225, 42);
    JunctionNameLabel = NewLabel(this, this, 628, 104);
    JunctionNameTypedEdit = NewBox(this, 628, 120, 150, etString, 0, "");
    GroundLevelLabel = NewLabel(this, this, 628, 150);
    GroundLevelTypedEdit = NewBox(this, 628, 166, 150, etFloat, 2, "0.00");
    CheckGroupBox = new TGroupBox(this);
    CheckGroupBox->SetParent(this);
    CheckGroupBox->SetBounds(628, 208, 225, 57);
    CheckNetworkButton = NewButton(this, CheckGroupBox, 16, 22, 193);
    CheckNetworkButton->ShowHint = true;

    // Reached through the menus, the keys and the other handlers.
    for (TButton** hidden : {&AddSewerButton, &ApplySewerChangeButton, &ApplyJunctionChangesButton,
                             &RemoveSewerButton, &RemoveJunctionButton, &AddJunctionButton, &Button1}) {
        *hidden = NewButton(this, this, 0, 480, 150);
        (*hidden)->SetVisible(false);
    }

    OnShow = [this](TObject* sender) { FormShow(sender); };
    TitleEdit->OnChange = [this](TObject* sender) { TitleEditChange(sender); };
    ReadNetworkButton->OnClick = [this](TObject* sender) { ReadNetworkButtonClick(sender); };
    SewerListBox->OnClick = [this](TObject* sender) { SewerListBoxClick(sender); };
    SewerListBox->OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) {
        SewerListBoxKeyDown(sender, key, shift);
    };
    JunctionListBox->OnClick = [this](TObject* sender) { JunctionListBoxClick(sender); };
    JunctionListBox->OnKeyDown = [this](TObject* sender, WORD& key, TShiftState shift) {
        JunctionListBoxKeyDown(sender, key, shift);
    };
    for (TTypedEdit* box :
         {SewerNameTypedEdit, LengthTypedEdit, InitialInfiltrationTypedEdit, FinalInfiltrationTypedEdit,
          InitialPopTypedEdit, FinalPopTypedEdit, USJunctionTypedEdit, DSJunctionTypedEdit}) {
        box->OnChange = [this](TObject* sender) { SewerEditChange(sender); };
        box->OnExit = [this](TObject* sender) { SewerEditExit(sender); };
    }
    for (TTypedEdit* box : {JunctionNameTypedEdit, GroundLevelTypedEdit}) {
        box->OnChange = [this](TObject* sender) { JunctionEditChange(sender); };
        box->OnExit = [this](TObject* sender) { JunctionEditExit(sender); };
    }
    PopRadioGroup->OnClick = [this](TObject* sender) { PopRadioGroupClick(sender); };
    PopRadioGroup->OnExit = [this](TObject* sender) { PopRadioGroupExit(sender); };
    DSDropJunctionCheckBox->OnClick = [this](TObject* sender) { DSDropJunctionCheckBoxClick(sender); };
    DSDropJunctionCheckBox->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x,
                                               int y) {
        DSDropJunctionCheckBoxMouseUp(sender, button, shift, x, y);
    };
    DSDropJunctionCheckBox->OnExit = [this](TObject* sender) { DSDropJunctionCheckBoxExit(sender); };
    DatumButton->OnClick = [this](TObject* sender) { DatumButtonClick(sender); };
    CheckNetworkButton->OnClick = [this](TObject* sender) { CheckNetworkButtonClick(sender); };
    AddSewerPopup->OnClick = [this](TObject* sender) { AddSewerPopupClick(sender); };
    DeleteSewerPopup->OnClick = [this](TObject* sender) { DeleteSewerPopupClick(sender); };
    AddJunctionPopup->OnClick = [this](TObject* sender) { AddJunctionPopupClick(sender); };
    DeleteJunctionPopup->OnClick = [this](TObject* sender) { DeleteJunctionPopupClick(sender); };
    AddSewerButton->OnClick = [this](TObject* sender) { AddSewerButtonClick(sender); };
    ApplySewerChangeButton->OnClick = [this](TObject* sender) { ApplySewerChangeButtonClick(sender); };
    ApplyJunctionChangesButton->OnClick = [this](TObject* sender) {
        ApplyJunctionChangesButtonClick(sender);
    };
    RemoveSewerButton->OnClick = [this](TObject* sender) { RemoveSewerButtonClick(sender); };
    RemoveJunctionButton->OnClick = [this](TObject* sender) { RemoveJunctionButtonClick(sender); };
    AddJunctionButton->OnClick = [this](TObject* sender) { AddJunctionButtonClick(sender); };
    Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
    CommandsLeaveEditedBoxFirst(*this, [this] { return ::LeaveEditedBox(*this); });
    EndLayout();
    LoadCaptions();
}

void TDataEntryForm::LoadCaptions() {
    SetCaption(LoadStr(1000));
    Label1->SetCaption(LoadStr(1001));
    ReadNetworkButton->SetCaption(LoadStr(1002));
    ReadNetworkButton->Hint = LoadStr(1003);
    SewerListLabel->SetCaption(LoadStr(1004));
    SewerListBox->Hint = LoadStr(1005);
    SewerNoteLabel->SetCaption(LoadStr(1006));
    SewerNameLabel->SetCaption(LoadStr(1007));
    LengthLabel->SetCaption(LoadStr(1008));
    InitialInfiltrationLabel->SetCaption(LoadStr(1009));
    FinalInfiltrationLabel->SetCaption(LoadStr(1010));
    USJunctionLabel->SetCaption(LoadStr(1011));
    DatumButton->SetCaption(LoadStr(1012));
    DSJunctionLabel->SetCaption(LoadStr(1013));
    DSDropJunctionCheckBox->SetCaption(LoadStr(1014));
    PopulationLabel->SetCaption(LoadStr(1015));
    InitPopLabel->SetCaption(LoadStr(1016));
    FinalPopLabel->SetCaption(LoadStr(1017));
    JunctionListLabel->SetCaption(LoadStr(1018));
    JunctionListBox->Hint = LoadStr(1019);
    JunctionNoteLabel->SetCaption(LoadStr(1020));
    JunctionNameLabel->SetCaption(LoadStr(1021));
    GroundLevelLabel->SetCaption(LoadStr(1022));
    CheckGroupBox->SetCaption(LoadStr(1023));
    CheckNetworkButton->SetCaption(LoadStr(1024));
    CheckNetworkButton->Hint = LoadStr(1025);
    AddSewerPopup->SetCaption(LoadStr(1026));
    DeleteSewerPopup->SetCaption(LoadStr(1027));
    AddJunctionPopup->SetCaption(LoadStr(1028));
    DeleteJunctionPopup->SetCaption(LoadStr(1029));
    int id = 1030;
    for (TButton* hidden : {AddSewerButton, ApplySewerChangeButton, ApplyJunctionChangesButton,
                            RemoveSewerButton, RemoveJunctionButton, AddJunctionButton, Button1})
        hidden->SetCaption(LoadStr(id++));
    // The first choice is the window's, not the user's.
    const Filling filling(*this);
    PopRadioGroup->Items.Clear();
    PopRadioGroup->Items.Add(LoadStr(1037));
    PopRadioGroup->Items.Add(LoadStr(1038));
    PopRadioGroup->SetItemIndex(1);
}
