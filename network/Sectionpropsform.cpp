#include "network/Sectionpropsform.h"

#include "network/Calculators.h"
#include "network/WindowLayout.h"
#include "resources/StringTable.h"

TSectionPropsForm* SectionPropsForm = nullptr;

namespace {

constexpr int RowHeight = 26;

// A label with its edit to the right; outputs are read-only.
TEdit* NewRow(TComponent* owner, TWinControl* parent, TLabel*& label, int left, int row,
              const AnsiString& text, bool output) {
    const int top = 12 + row * RowHeight;
    label = NewLabel(owner, parent, left, top + 3);
    auto* edit = new TEdit(owner);
    edit->SetParent(parent);
    edit->SetBounds(left + 190, top, 80, 21);
    edit->SetReadOnly(output);
    edit->SetText(text);
    return edit;
}

} // namespace

TSectionPropsForm::TSectionPropsForm(TComponent* Owner) : TForm(Owner) {
    SetBounds(0, 0, 580, 300);
    Position = poOwnerFormCenter;
    constexpr int left = 8;
    constexpr int right = 296;
    DiamEdit = NewRow(this, this, Label1, left, 0, "0.5", false);
    DepthEdit = NewRow(this, this, Label2, left, 1, "0.25", false);
    AEdit = NewRow(this, this, Label3, left, 3, "", true);
    PEdit = NewRow(this, this, Label4, left, 4, "", true);
    REdit = NewRow(this, this, Label7, left, 5, "", true);
    PAEdit = NewRow(this, this, Label5, left, 6, "", true);
    PREdit = NewRow(this, this, Label6, left, 7, "", true);
    ThetaEdit = NewRow(this, this, Label8, left, 8, "", true);
    BEdit = NewRow(this, this, Label9, left, 9, "", true);
    ManningEdit = NewRow(this, this, Label10, right, 0, "0.013", false);
    SlopeEdit = NewRow(this, this, Label15, right, 1, "0.001", false);
    velEdit = NewRow(this, this, Label11, right, 3, "", true);
    PvelEdit = NewRow(this, this, Label12, right, 4, "", true);
    flowEdit = NewRow(this, this, Label13, right, 5, "", true);
    PflowEdit = NewRow(this, this, Label14, right, 6, "", true);

    CalcButton = new TButton(this);
    CalcButton->SetParent(this);
    CalcButton->SetBounds(150, 12 + 2 * RowHeight, 280, 24);
    CalcButton->OnClick = [this](TObject* sender) { CalcButtonClick(sender); };
    ActiveControl = CalcButton;
    CloseButton = new TButton(this);
    CloseButton->SetParent(this);
    CloseButton->SetBounds(right + 190, 12 + 9 * RowHeight, 80, 24);
    CloseButton->OnClick = [this](TObject* sender) { CloseButtonClick(sender); };
    EndLayout();
    LoadCaptions();
}

void TSectionPropsForm::LoadCaptions() {
    SetCaption(LoadStr(1500));
    TLabel* const labels[] = {Label1, Label2,  Label3,  Label4,  Label5,  Label6,  Label7, Label8,
                              Label9, Label10, Label11, Label12, Label13, Label14, Label15};
    int id = 1501;
    for (TLabel* label : labels)
        label->SetCaption(LoadStr(id++));
    CalcButton->SetCaption(LoadStr(1516));
    CloseButton->SetCaption(LoadStr(1517));
}

void TSectionPropsForm::CalcButtonClick(TObject*) {
    const SectionPropertiesTexts texts = SectionProperties(DiamEdit->GetText(), DepthEdit->GetText(),
                                                           ManningEdit->GetText(), SlopeEdit->GetText());
    AEdit->SetText(texts.AEdit);
    PEdit->SetText(texts.PEdit);
    REdit->SetText(texts.REdit);
    PAEdit->SetText(texts.PAEdit);
    PREdit->SetText(texts.PREdit);
    ThetaEdit->SetText(texts.ThetaEdit);
    BEdit->SetText(texts.BEdit);
    velEdit->SetText(texts.velEdit);
    PvelEdit->SetText(texts.PvelEdit);
    flowEdit->SetText(texts.flowEdit);
    PflowEdit->SetText(texts.PflowEdit);
}

void TSectionPropsForm::CloseButtonClick(TObject*) {
    Close();
}
