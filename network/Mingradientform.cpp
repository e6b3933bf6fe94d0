#include "network/Mingradientform.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "network/Calculators.h"
#include "resources/StringTable.h"

TMinimumGradientForm* MinimumGradientForm = nullptr;

namespace {

constexpr int RowHeight = 26;

// An unsigned input box beside its label; its type before its decimals before its text.
TTypedEdit* NewInput(TComponent* owner, TWinControl* parent, TLabel*& label, int row, TTypedEditType type,
                     std::int16_t precision, const AnsiString& text) {
    const int top = 64 + row * RowHeight;
    label = new TLabel(owner);
    label->SetParent(parent);
    label->SetBounds(8, top + 3, 32, 13);
    auto* edit = new TTypedEdit(owner);
    edit->SetParent(parent);
    edit->SetBounds(220, top, 90, 21);
    edit->SetEditType(type);
    edit->SetPrecision(precision);
    edit->SetText(text);
    edit->TabStop = true;
    return edit;
}

} // namespace

TMinimumGradientForm::TMinimumGradientForm(TComponent* Owner) : TForm(Owner) {
    SetBounds(0, 0, 420, 380);
    Memo1 = new TMemo(this);
    Memo1->SetParent(this);
    Memo1->SetBounds(8, 8, 400, 48);
    Memo1->BorderStyle = bsNone;
    Memo1->SetColor(clBtnFace);

    popTypedEdit = NewInput(this, this, Label, 0, etNumeric, 0, "5");
    lcdTypedEdit = NewInput(this, this, Label13, 1, etNumeric, 0, "100");
    returnTypedEdit = NewInput(this, this, Label14, 2, etNumeric, 0, "85");
    peakTypedEdit = NewInput(this, this, Label15, 3, etFloat, 2, "1.80");
    dDTypedEdit = NewInput(this, this, Label1, 4, etFloat, 2, "0.60");
    tauTypedEdit = NewInput(this, this, Label16, 5, etFloat, 2, "1.00");
    nTypedEdit = NewInput(this, this, Label17, 6, etFloat, 4, "0.0130");
    DiameterTypedEdit = NewInput(this, this, Label2, 7, etFloat, 0, "100");
    for (TTypedEdit* input : {popTypedEdit, lcdTypedEdit, returnTypedEdit, peakTypedEdit, dDTypedEdit,
                              tauTypedEdit, nTypedEdit, DiameterTypedEdit})
        input->OnExit = [this](TObject* sender) { TypedEditExit(sender); };

    numTypedEdit = NewInput(this, this, Label3, 8, etNumeric, 0, "100");
    numTypedEdit->SetTop(numTypedEdit->Top() + 8);
    Label3->SetTop(Label3->Top() + 8);
    numTypedEdit->SetReadOnly(true);
    numTypedEdit->SetBorderStyle(bsNone);
    numTypedEdit->SetColor(clBtnFace);
    numTypedEdit->TabStop = false;

    CloseButton = new TButton(this);
    CloseButton->SetParent(this);
    CloseButton->SetBounds(330, 340, 80, 25);
    CloseButton->TabOrder = 0;
    CloseButton->OnClick = [this](TObject* sender) { CloseButtonClick(sender); };
    CalcButton = new TButton(this);
    CalcButton->SetParent(this);
    CalcButton->SetBounds(242, 340, 80, 25);
    CalcButton->OnClick = [this](TObject* sender) { TypedEditExit(sender); };
    EndLayout();
    LoadCaptions();
}

void TMinimumGradientForm::LoadCaptions() {
    SetCaption(LoadStr(1400));
    TLabel* const labels[] = {Label15, Label, Label13, Label14, Label16, Label17, Label1, Label2, Label3};
    int id = 1401;
    for (TLabel* label : labels)
        label->SetCaption(LoadStr(id++));
    CloseButton->SetCaption(LoadStr(1410));
    CalcButton->SetCaption(LoadStr(1411));
    Memo1->Lines.Clear();
    Memo1->Lines.Add(LoadStr(1412));
}

void TMinimumGradientForm::CalculateHouses() {
    const auto value = [](const TTypedEdit* edit) { return StrToFloat(edit->GetText()); };
    try {
        HousesInput input;
        input.PersonsPerHouse = value(popTypedEdit);
        input.WaterUse = value(lcdTypedEdit);
        input.PeakFactor = value(peakTypedEdit);
        input.ReturnFactor = value(returnTypedEdit);
        input.DepthRatio = value(dDTypedEdit);
        input.Tau = value(tauTypedEdit);
        input.ManningN = value(nTypedEdit);
        input.DiameterMm = value(DiameterTypedEdit);
        numTypedEdit->SetText(IntToStr(HousesAtMinimumGradient(input)));
    } catch (const Exception&) {
        Application->MessageBox(LoadStr(3059), LoadStr(3001), MB_OK | MB_ICONERROR);
    }
}

void TMinimumGradientForm::TypedEditExit(TObject*) {
    CalculateHouses();
}

void TMinimumGradientForm::CloseButtonClick(TObject*) {
    Close();
}
