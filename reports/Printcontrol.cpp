#include "reports/Printcontrol.h"

#include "framework/PlaceControl.h"
#include "grid/Datagrid.h"
#include "reports/Table.h"
#include "resources/StringTable.h"

TPrintSetupForm* PrintSetupForm = nullptr;

namespace {

// What a control that is on or off writes: off, or on where the setting stands when it is on
// already, so that "Apply" with nothing changed leaves the settings as the window showed them.
template <class T> T Chosen(bool on, T current, T off, T onValue) {
    if (!on)
        return off;
    return current != off ? current : onValue;
}

} // namespace

TPrintSetupForm::TPrintSetupForm(TComponent* Owner) : TForm(Owner) {
    SetBorderStyle(bsDialog);
    SetClientSize(397, 257);
    Position = poDesktopCenter;

    GroupBox2 = Place<TGroupBox>(this, this, 8, 8, 381, 206);
    GroupBox2->ShowHint = true;
    Label7 = Place<TLabel>(this, GroupBox2, 12, 25, 0, 0);
    TitleEdit = Place<TEdit>(this, GroupBox2, 56, 22, 313, 21);
    TitleEdit->SetText("Title of example goes here");
    CheckBox1 = Place<TCheckBox>(this, GroupBox2, 12, 54, 150, 17);
    CheckBox2 = Place<TCheckBox>(this, GroupBox2, 12, 74, 150, 17);
    CheckBox3 = Place<TCheckBox>(this, GroupBox2, 12, 94, 150, 17);
    CheckBox5 = Place<TCheckBox>(this, GroupBox2, 12, 114, 150, 17);
    CheckBox5->SetChecked(true);
    CheckBox6 = Place<TCheckBox>(this, GroupBox2, 12, 134, 150, 17);
    CheckBox6->SetChecked(true);
    CheckBox7 = Place<TCheckBox>(this, GroupBox2, 12, 154, 150, 17);
    CheckBox4 = Place<TCheckBox>(this, GroupBox2, 184, 54, 160, 17);
    CheckBox4->SetChecked(true);
    Label8 = Place<TLabel>(this, GroupBox2, 200, 76, 0, 0);
    RadioButton1 = Place<TRadioButton>(this, GroupBox2, 200, 94, 60, 17);
    RadioButton2 = Place<TRadioButton>(this, GroupBox2, 264, 94, 60, 17);
    RadioButton3 = Place<TRadioButton>(this, GroupBox2, 200, 114, 60, 17);
    RadioButton3->SetChecked(true);
    OrientationRadioGroup = Place<TRadioGroup>(this, GroupBox2, 184, 138, 185, 44);
    OrientationRadioGroup->SetColumns(2);
    Button8 = Place<TButton>(this, GroupBox2, 12, 176, 110, 23);
    Button8->OnClick = [this](TObject* sender) { Button8Click(sender); };

    ApplyButton = Place<TButton>(this, this, 226, 224, 75, 25);
    ApplyButton->Default = true;
    ApplyButton->OnClick = [this](TObject* sender) { ApplyButtonClick(sender); };
    CancelButton = Place<TButton>(this, this, 314, 224, 75, 25);
    CancelButton->Cancel = true;
    CancelButton->OnClick = [this](TObject* sender) { CancelButtonClick(sender); };
    FontDialog1 = new TFontDialog(this);
    EndLayout();
    LoadCaptions();
}

void TPrintSetupForm::LoadCaptions() {
    SetCaption(LoadStr(1450));
    ApplyButton->SetCaption(LoadStr(1451));
    CancelButton->SetCaption(LoadStr(1452));
    GroupBox2->SetCaption(LoadStr(1453));
    GroupBox2->Hint = LoadStr(1454);
    Label7->SetCaption(LoadStr(1455));
    Label8->SetCaption(LoadStr(1456));
    CheckBox1->SetCaption(LoadStr(1457));
    CheckBox2->SetCaption(LoadStr(1458));
    CheckBox3->SetCaption(LoadStr(1459));
    CheckBox4->SetCaption(LoadStr(1460));
    Button8->SetCaption(LoadStr(1461));
    Button8->Hint = LoadStr(1462);
    CheckBox5->SetCaption(LoadStr(1463));
    CheckBox6->SetCaption(LoadStr(1464));
    RadioButton1->SetCaption(LoadStr(1465));
    RadioButton2->SetCaption(LoadStr(1466));
    RadioButton3->SetCaption(LoadStr(1467));
    CheckBox7->SetCaption(LoadStr(1468));
    OrientationRadioGroup->SetCaption(LoadStr(1469));
    OrientationRadioGroup->Items.Clear();
    OrientationRadioGroup->Items.Add(LoadStr(1470));
    OrientationRadioGroup->Items.Add(LoadStr(1471));
    OrientationRadioGroup->SetItemIndex(0);
}

void TPrintSetupForm::ShowSettings(const TPrintSettings& Settings) {
    CheckBox2->SetChecked(Settings.Time != ppNone);
    CheckBox1->SetChecked(Settings.Date != ppNone);
    CheckBox3->SetChecked(Settings.PageNr != ppNone);
    // Without borders the lines keep the last choice, for when borders are ticked again; lines of
    // another kind leave none chosen, which "Apply" keeps.
    CheckBox4->SetChecked(Settings.Borders != pbNoborder);
    if (Settings.Borders != pbNoborder) {
        RadioButton1->SetChecked(Settings.Borders == pbVertical);
        RadioButton2->SetChecked(Settings.Borders == pbHorizontal);
        RadioButton3->SetChecked(Settings.Borders == pbSingle);
    }
    CheckBox5->SetChecked(Settings.FitToPage != fpNever);
    CheckBox7->SetChecked(!Settings.NoAutoSize);
    CheckBox6->SetChecked(Settings.Centered);
    OrientationRadioGroup->SetItemIndex(Settings.Orientation == poPortrait ? 0 : 1);
}

void TPrintSetupForm::ApplyTo(TPrintSettings& Settings) const {
    Settings.TitleLines.Clear();
    Settings.TitleLines.Add(TitleEdit->GetText());
    // A title prints at the top of every page, in the middle; an empty one takes no room.
    Settings.Title = Chosen(!TitleEdit->GetText().IsEmpty(), Settings.Title, ppNone, ppTopCenter);
    Settings.Time = Chosen(CheckBox2->GetChecked(), Settings.Time, ppNone, ppTopLeft);
    Settings.Date = Chosen(CheckBox1->GetChecked(), Settings.Date, ppNone, ppTopRight);
    Settings.PageNr = Chosen(CheckBox3->GetChecked(), Settings.PageNr, ppNone, ppBottomCenter);
    if (CheckBox4->GetChecked()) {
        if (RadioButton1->GetChecked())
            Settings.Borders = pbVertical;
        if (RadioButton2->GetChecked())
            Settings.Borders = pbHorizontal;
        if (RadioButton3->GetChecked())
            Settings.Borders = pbSingle;
    } else {
        Settings.Borders = pbNoborder;
    }
    Settings.FitToPage = Chosen(CheckBox5->GetChecked(), Settings.FitToPage, fpNever, fpAlways);
    Settings.NoAutoSize = !CheckBox7->GetChecked();
    Settings.Centered = CheckBox6->GetChecked();
    Settings.Orientation = OrientationRadioGroup->GetItemIndex() == 0 ? poPortrait : poLandscape;
}

void TPrintSetupForm::ApplyButtonClick(TObject*) {
    ApplyTo(*TableForm->DataGrid1->PrintSettings);
    Close();
}

void TPrintSetupForm::CancelButtonClick(TObject*) {
    Close();
}

void TPrintSetupForm::Button8Click(TObject*) {
    TFont& font = TableForm->DataGrid1->PrintSettings->Font;
    FontDialog1->Font.Assign(font);
    if (FontDialog1->Execute())
        font.Assign(FontDialog1->Font);
}
