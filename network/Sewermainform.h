#pragma once

#include "controls/Typededit.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/RadioGroup.h"
#include "network/PipeSizes.h"
#include "network/SewerDesign.h"

// The design window: the inputs of one sewer, the design engine's results and the check of a
// chosen pipe. The network designs every sewer through it, shown or not.
class TSewerMainForm : public TForm {
public:
    // Reads its pipe sizes from "drenvala.dat" in the program's folder.
    explicit TSewerMainForm(TComponent* Owner);

    void CalcSewerButtonClick(TObject* Sender);
    // Checks the depths and velocities in the chosen pipe at the last run's gradients.
    void CheckdDButtonClick(TObject* Sender);
    void PipeComboBoxChange(TObject* Sender);
    void FlowLimitCheckBoxClick(TObject* Sender);
    void DiameterLimitCheckBoxClick(TObject* Sender);
    void GroundSlopeCheckBoxClick(TObject* Sender);
    void SectionPropertiesButtonClick(TObject* Sender);

    TPanel* DesignFactorsPanel;
    TLabel* Label32;
    TLabel* Label11;
    TLabel* Label33;
    TTypedEdit* IPopTypedEdit;
    TLabel* Label30;
    TTypedEdit* InitialLCDTypedEdit;
    TLabel* Label;
    TTypedEdit* FPopTypedEdit;
    TLabel* Label13;
    TTypedEdit* FinalLCDTypedEdit;
    TLabel* Label36;
    TTypedEdit* InitialSuplementaryFlowTypedEdit;
    TLabel* Label35;
    TTypedEdit* FinalSuplementaryFlowTypedEdit;
    TLabel* Label37;
    TTypedEdit* InitialUSFlowTypedEdit;
    TLabel* Label38;
    TTypedEdit* FinalUSFlowTypedEdit;
    TLabel* Label14;
    TTypedEdit* returnTypedEdit;
    TLabel* Label15;
    TTypedEdit* peakTypedEdit;
    TLabel* Label12;
    TTypedEdit* vscTypedEdit;
    TLabel* Label16;
    TTypedEdit* tauTypedEdit;
    TLabel* Label17;
    TTypedEdit* nTypedEdit;
    TRadioGroup* FrictionFormulaRadioGroup;
    TPanel* LimitsPanel;
    TLabel* Label31;
    TCheckBox* FlowLimitCheckBox;
    TTypedEdit* MinQTypedEdit;
    TCheckBox* DiameterLimitCheckBox;
    TTypedEdit* MinDTypedEdit;
    TCheckBox* GroundSlopeCheckBox;
    TTypedEdit* GroundSlopeTypedEdit;
    TCheckBox* ColebrookWhiteCheckBox;

    TPanel* SolutionPanel;
    TLabel* Label29;
    TLabel* Label18;
    TEdit* QinitialEdit;
    TLabel* ManningLabel;
    TLabel* Label19;
    TEdit* QfinalEdit;
    TLabel* ManningLabel2;
    TLabel* Label25;
    TLabel* Label20;
    TEdit* IminVscEdit;
    TLabel* Label24;
    TEdit* GradVscEdit;
    TLabel* Label22;
    TEdit* DVscEdit;
    TLabel* MinGradLabel;
    TLabel* Label26;
    TLabel* Label21;
    TEdit* IminTauEdit;
    TLabel* Label27;
    TEdit* GradTauEdit;
    TLabel* Label23;
    TEdit* DTauEdit;
    TLabel* Label34;
    TRadioGroup* SizingRadioGroup;
    TPanel* PipeCheckPanel;
    TLabel* Label2;
    TLabel* Label3;
    TComboBox* PipeComboBox;
    TLabel* Label4;
    TEdit* InitialdDVscEdit;
    TLabel* Label6;
    TEdit* FinaldDVscEdit;
    TLabel* Label8;
    TEdit* InitialVelVscEdit;
    TLabel* Label9;
    TEdit* FinalVelVscEdit;
    TLabel* Label5;
    TEdit* InitialdDTauEdit;
    TLabel* Label7;
    TEdit* FinaldDTauEdit;
    TLabel* Label10;
    TEdit* InitialVelTauEdit;
    TLabel* Label28;
    TEdit* FinalVelTauEdit;
    TButton* CalcSewerButton;
    TGroupBox* GroupBox1;
    TButton* SectionPropertiesButton;

    // The last run's design state; the network takes DesignGradient, DesignDiameter,
    // ChosenPipeDiameter, InitialdD, FinaldD, InitialVelocity, FinalVelocity and the raw flows.
    SewerDesignResult Design;
    // The flows the boxes give, as a run would work them out first; the design state stays.
    SewerDesignResult InputFlows() const { return DesignFlows(ReadInputs()); }

private:
    // The components with their layout values.
    void CreateLayout();
    void ReadPipeSizes();
    void LoadCaptions();
    SewerDesignInput ReadInputs() const;
    void ShowDepthCheck();

    // What PipeComboBox lists, with each size as a number.
    PipeSizeList pipeSizes;
};

extern TSewerMainForm* SewerMainForm;
