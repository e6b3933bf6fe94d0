#include "app/Datum.h"

#include "app/Dataentry.h"
#include "app/Front.h"
#include "controls/EditedBox.h"
#include "framework/NumberFormat.h"
#include "network/Sewernetwork.h"
#include "resources/StringTable.h"

TDatumForm* DatumForm = nullptr;

namespace {

TLabel* NewLabel(TDatumForm* form, int left, int top, int width, int height) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetBounds(left, top, width, height);
    return label;
}

TEdit* NewNameEdit(TDatumForm* form, int left, int top) {
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(left, top, 201, 21);
    edit->SetReadOnly(true);
    return edit;
}

TCheckBox* NewCheckBox(TDatumForm* form, int top, int width) {
    auto* box = new TCheckBox(form);
    box->SetParent(form);
    box->SetBounds(8, top, width, 17);
    return box;
}

TButton* NewButton(TDatumForm* form, int left) {
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(left, 220, 75, 25);
    return button;
}

} // namespace

TDatumForm::TDatumForm(TComponent* Owner) : TForm(Owner) {
    SetBorderStyle(bsToolWindow);
    Position = poDesktopCenter;
    SetClientSize(294, 251);

    Label1 = NewLabel(this, 8, 8, 278, 42);
    Label1->SetWordWrap(true);
    Label1->SetCaption(LoadStr(1371));
    SetDatumCheckBox = NewCheckBox(this, 54, 209);
    SetDatumCheckBox->SetAlignment(taLeftJustify);
    Label3 = NewLabel(this, 8, 83, 0, 0);
    SewerNameEdit = NewNameEdit(this, 85, 79);
    Label4 = NewLabel(this, 8, 108, 0, 0);
    JunctionNameEdit = NewNameEdit(this, 85, 104);
    Label2 = NewLabel(this, 8, 130, 278, 54);
    Label2->SetWordWrap(true);
    Label2->SetCaption(LoadStr(1372));
    FixDatumCheckBox = NewCheckBox(this, 190, 113);

    DatumTypedEdit = new TTypedEdit(this);
    DatumTypedEdit->SetParent(this);
    DatumTypedEdit->SetBounds(205, 188, 81, 21);
    DatumTypedEdit->SetEditType(etFloat);
    DatumTypedEdit->SetPrecision(2);
    DatumTypedEdit->SetSuffix(" m");
    DatumTypedEdit->SetLabelPosition(lpLeftCenter);
    DatumTypedEdit->SetLabelMargin(5);
    DatumTypedEdit->SetLabelCaption(LoadStr(1377));
    DatumTypedEdit->ShowModified = false;
    DatumTypedEdit->SetEnabledEx(false);
    DatumTypedEdit->SetText("0.00");

    ApplyButton = NewButton(this, 130);
    CloseButton = NewButton(this, 211);

    SetDatumCheckBox->OnClick = [this](TObject* sender) { SetDatumCheckBoxClick(sender); };
    FixDatumCheckBox->OnClick = [this](TObject* sender) { FixDatumCheckBoxClick(sender); };
    DatumTypedEdit->OnChange = [this](TObject* sender) { DatumTypedEditChange(sender); };
    ApplyButton->OnClick = [this](TObject* sender) { ApplyButtonClick(sender); };
    CloseButton->OnClick = [this](TObject* sender) { CloseButtonClick(sender); };
    CommandsLeaveEditedBoxFirst(*this, [this] { return LeaveEditedBox(*this); }, {CloseButton});
    EndLayout();
    LoadCaptions();
}

void TDatumForm::LoadCaptions() {
    SetCaption(LoadStr(1370));
    Label3->SetCaption(LoadStr(1373));
    Label4->SetCaption(LoadStr(1374));
    SetDatumCheckBox->SetCaption(LoadStr(1375));
    FixDatumCheckBox->SetCaption(LoadStr(1376));
    ApplyButton->SetCaption(LoadStr(1378));
    CloseButton->SetCaption(LoadStr(1379));
}

void TDatumForm::Fill(const Sewer& sewer) {
    filling = true;
    SewerNameEdit->SetText(sewer.Name);
    JunctionNameEdit->SetText(sewer.USJunctionName);
    SetDatumCheckBox->SetChecked(sewer.UpstreamEnd->DatumReference);
    FixDatumCheckBox->SetChecked(!sewer.UpstreamEnd->AutoDatum);
    DatumTypedEdit->SetEnabledEx(!sewer.UpstreamEnd->AutoDatum);
    shownLevel.Show(*DatumTypedEdit, sewer.UpstreamEnd->DatumLevel);
    filling = false;
}

void TDatumForm::UserChanged() {
    if (!filling)
        DataEntryForm->NetworkChanged = true;
}

void TDatumForm::SetDatumCheckBoxClick(TObject*) {
    UserChanged();
}

void TDatumForm::FixDatumCheckBoxClick(TObject*) {
    DatumTypedEdit->SetEnabledEx(FixDatumCheckBox->GetChecked());
    UserChanged();
}

void TDatumForm::DatumTypedEditChange(TObject*) {
    UserChanged();
}

void TDatumForm::ApplyButtonClick(TObject*) {
    const bool datumReference = SetDatumCheckBox->GetChecked();
    const bool autoDatum = !FixDatumCheckBox->GetChecked();
    SimpleSewerNetwork* network = FrontForm->Network;
    const Sewer* sewer = network ? network->GetSewer(SewerNameEdit->GetText()) : nullptr;
    // A level left as shown stands for the sewer's own, not its rounding.
    const double level = sewer && shownLevel.Untouched(*DatumTypedEdit, sewer->UpstreamEnd->DatumLevel)
                             ? sewer->UpstreamEnd->DatumLevel
                             : StrToFloat(DatumTypedEdit->GetText());
    if (sewer) {
        network->SetSewerDatum(sewer->Name, datumReference, autoDatum, level);
        DataEntryForm->NetworkChanged = true;
    }
    SetModalResult(mrOk);
}

void TDatumForm::CloseButtonClick(TObject*) {
    SetModalResult(mrCancel);
}
