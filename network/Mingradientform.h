#pragma once

#include "controls/Typededit.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"

// The modal calculator of how many houses a pipe laid at its minimum gradient can serve; the
// count follows every input as the focus leaves it.
class TMinimumGradientForm : public TForm {
public:
    explicit TMinimumGradientForm(TComponent* Owner);

    // Shows the count for the inputs, or the error message leaving the count as it was.
    void CalculateHouses();
    void TypedEditExit(TObject* Sender);
    void CloseButtonClick(TObject* Sender);

    TMemo* Memo1;
    TLabel* Label;
    TTypedEdit* popTypedEdit;
    TLabel* Label13;
    TTypedEdit* lcdTypedEdit;
    TLabel* Label14;
    TTypedEdit* returnTypedEdit;
    TLabel* Label15;
    TTypedEdit* peakTypedEdit;
    TLabel* Label1;
    TTypedEdit* dDTypedEdit;
    TLabel* Label16;
    TTypedEdit* tauTypedEdit;
    TLabel* Label17;
    TTypedEdit* nTypedEdit;
    TLabel* Label2;
    TTypedEdit* DiameterTypedEdit;
    TLabel* Label3;
    TTypedEdit* numTypedEdit;
    TButton* CalcButton;
    TButton* CloseButton;

private:
    void LoadCaptions();
};

extern TMinimumGradientForm* MinimumGradientForm;
