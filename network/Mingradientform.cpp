#include "network/Mingradientform.h"

#include "controls/EditedBox.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "network/Calculators.h"
#include "network/WindowLayout.h"
#include "resources/StringTable.h"

TMinimumGradientForm* MinimumGradientForm = nullptr;

TMinimumGradientForm::TMinimumGradientForm(TComponent* Owner) : TForm(Owner) {
    SetBounds(0, 0, 420, 380);
    Position = poOwnerFormCenter;
    Memo1 = new TMemo(this);
    Memo1->SetParent(this);
    Memo1->SetBounds(8, 8, 400, 48);
    Memo1->BorderStyle = bsNone;
    Memo1->SetColor(clBtnFace);

    // Each box beside its label, one row down the window for each.
    int top = 64;
    const auto row = [&](TLabel*& label, TTypedEditType type, std::int16_t precision,
                         const AnsiString& text) {
        label = NewLabel(this, this, 8, top + 3);
        TTypedEdit* edit = NewTypedEdit(this, this, 220, top, type, precision, text);
        top += 26;
        return edit;
    };
    popTypedEdit = row(Label, etNumeric, 0, "5");
    lcdTypedEdit = row(Label13, etNumeric, 0, "100");
    returnTypedEdit = row(Label14, etNumeric, 0, "85");
    peakTypedEdit = row(Label15, etFloat, 2, "1.80");
    dDTypedEdit = row(Label1, etFloat, 2, "0.60");
    tauTypedEdit = row(Label16, etFloat, 2, "1.00");
    nTypedEdit = row(Label17, etFloat, 4, "0.0130");
    DiameterTypedEdit = row(Label2, etFloat, 0, "100");
    for (TTypedEdit* input : {popTypedEdit, lcdTypedEdit, returnTypedEdit, peakTypedEdit, dDTypedEdit,
                              tauTypedEdit, nTypedEdit, DiameterTypedEdit})
        input->OnExit = [this](TObject* sender) { TypedEditExit(sender); };

    top += 8;
    numTypedEdit = row(Label3, etNumeric, 0, "100");
    numTypedEdit->SetLeft(320);
    numTypedEdit->SetReadOnly(true);
    numTypedEdit->SetBorderStyle(bsNone);
    numTypedEdit->SetColor(clBtnFace);

    CloseButton = new TButton(this);
    CloseButton->SetParent(this);
    CloseButton->SetBounds(330, 340, 80, 25);
    CloseButton->OnClick = [this](TObject* sender) { CloseButtonClick(sender); };
    CalcButton = new TButton(this);
    CalcButton->SetParent(this);
    CalcButton->SetBounds(242, 340, 80, 25);
    CalcButton->OnClick = [this](TObject* sender) { TypedEditExit(sender); };
    ActiveControl = CloseButton;
    CommandsLeaveEditedBoxFirst(*this, [this] { return LeaveEditedBox(*this); });
    // The close box waits for the boxes as Close does: text left unread would fail every opening.
    OnCloseQuery = [this](TObject*, bool& canClose) { canClose = LeaveEditedBox(*this); };
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
    try {
        HousesInput input;
        input.PersonsPerHouse = BoxNumber(popTypedEdit);
        input.WaterUse = BoxNumber(lcdTypedEdit);
        input.PeakFactor = BoxNumber(peakTypedEdit);
        input.ReturnFactor = BoxNumber(returnTypedEdit);
        input.DepthRatio = BoxNumber(dDTypedEdit);
        input.Tau = BoxNumber(tauTypedEdit);
        input.ManningN = BoxNumber(nTypedEdit);
        input.DiameterMm = BoxNumber(DiameterTypedEdit);
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
