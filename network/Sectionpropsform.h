#pragma once

#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"

// The modal calculator of a circular pipe running part full: geometry, proportional values,
// velocity and flow for a typed diameter, depth, n and slope.
class TSectionPropsForm : public TForm {
public:
    explicit TSectionPropsForm(TComponent* Owner);

    void CalcButtonClick(TObject* Sender);
    void CloseButtonClick(TObject* Sender);

    TLabel* Label1;
    TEdit* DiamEdit;
    TLabel* Label2;
    TEdit* DepthEdit;
    TLabel* Label3;
    TEdit* AEdit;
    TLabel* Label4;
    TEdit* PEdit;
    TLabel* Label7;
    TEdit* REdit;
    TLabel* Label5;
    TEdit* PAEdit;
    TLabel* Label6;
    TEdit* PREdit;
    TLabel* Label8;
    TEdit* ThetaEdit;
    TLabel* Label9;
    TEdit* BEdit;
    TLabel* Label10;
    TEdit* ManningEdit;
    TLabel* Label15;
    TEdit* SlopeEdit;
    TLabel* Label11;
    TEdit* velEdit;
    TLabel* Label12;
    TEdit* PvelEdit;
    TLabel* Label13;
    TEdit* flowEdit;
    TLabel* Label14;
    TEdit* PflowEdit;
    TButton* CalcButton;
    TButton* CloseButton;

private:
    void LoadCaptions();
};

extern TSectionPropsForm* SectionPropsForm;
